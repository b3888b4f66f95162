#include "platform/environment.h"
#include "platform/system_locale.h"
#include "runtime/strings.h"

#include <array>
#include <optional>

namespace kvc {

namespace {

struct NamedValue {
    std::string name;
    std::string value;
};

// The variable that names the locale for character handling, as the C library
// chooses it: LC_ALL, then LC_CTYPE, then LANG.
std::optional<NamedValue> LocaleVariable() {
    for (std::string_view name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        auto value = GetEnvironmentVariable(name);
        if (value && !value->empty()) {
            return NamedValue{std::string(name), *value};
        }
    }
    return std::nullopt;
}

} // namespace

SystemCodePageInfo SystemCodePageDetails() {
    if (auto acp = GetEnvironmentVariable("KVC_ACP")) {
        std::int32_t number = 0;
        std::string text = Trim(*acp);
        bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
        if (digits && TryStrToInt(text, number) && number > 0) {
            return {number, "KVC_ACP=" + text};
        }
    }
    if (auto locale = LocaleVariable()) {
        return {CodePageFromLocale(locale->value), locale->name + "=" + locale->value};
    }
    return {1252, "default"};
}

int SystemCodePage() {
    return SystemCodePageDetails().codePage;
}

std::uint32_t ThreadLocale() {
    auto locale = LocaleVariable();
    return locale ? LocaleIdFromLocale(locale->value) : 0x0409;
}

} // namespace kvc
