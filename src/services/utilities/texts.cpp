#include "services/utilities/texts.h"

#include "platform/system_info.h"
#include "runtime/strings.h"

#include <utility>

namespace kvc::services {

std::string CutToken(std::string& text, std::string_view separator) {
    const auto at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos) {
        return std::exchange(text, std::string());
    }
    std::string token = text.substr(0, at);
    text.erase(0, at + separator.size());
    return token;
}

std::string GetToken(std::string_view text, std::string_view separator, int n) {
    std::string rest(text);
    std::string token;
    for (int i = 1; i <= n; ++i) {
        token = CutToken(rest, separator);
    }
    return token;
}

int TokenCount(std::string_view text, std::string_view separator) {
    if (text.empty()) {
        return 0;
    }
    int count = 1;
    if (separator.empty()) {
        return count;
    }
    for (auto at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, at + separator.size())) {
        ++count;
    }
    return count;
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool trim) {
    std::string result(text);
    if (!oldText.empty() && !AnsiSameText(oldText, newText)) {
        const auto flags = ReplaceFlags::IgnoreCase;
        if (newText.size() < oldText.size()) {
            // Each replacement shortens the text, so the search from the start ends.
            for (std::string next;
                 (next = StringReplace(result, oldText, newText, flags)) != result;) {
                result = std::move(next);
            }
        } else {
            result = StringReplace(result, oldText, newText, flags | ReplaceFlags::ReplaceAll);
        }
    }
    return trim ? Trim(result) : result;
}

std::string PadRight(std::string_view text, int width, char pad) {
    std::string result(text);
    const auto length = Utf8Length(text);
    if (width > 0 && length < std::size_t(width)) {
        result.append(std::size_t(width) - length, pad);
    }
    return result;
}

double StrToFloatDefault(std::string_view text, double fallback) {
    return StrToFloatDef(text, fallback);
}

bool IsLocalAddress(std::string_view address) {
    return address == "127.0.0.1";
}

std::string TempFolder() {
    return GetTempPath();
}

} // namespace kvc::services
