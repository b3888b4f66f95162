#include "platform/system_locale.h"

#include "runtime/strings.h"

#include <array>

namespace kvc {

namespace {

// A POSIX locale name taken apart: language[_territory][.charset][@modifier].
struct LocaleParts {
    std::string language;
    std::string territory;
    std::string charset;
};

LocaleParts SplitLocale(std::string_view locale) {
    std::size_t at = locale.find('@');
    locale = locale.substr(0, at);
    LocaleParts parts;
    std::size_t dot = locale.find('.');
    if (dot != std::string_view::npos) {
        parts.charset = UpperCase(locale.substr(dot + 1));
        locale = locale.substr(0, dot);
    }
    std::size_t underscore = locale.find('_');
    if (underscore != std::string_view::npos) {
        parts.territory = UpperCase(locale.substr(underscore + 1));
        locale = locale.substr(0, underscore);
    }
    parts.language = LowerCase(locale);
    return parts;
}

// Charsets as the C library spells them, with and without the dash.
bool IsSimplifiedCharset(const std::string& charset) {
    return charset == "GBK" || charset == "GB2312" || charset == "GB18030" || charset == "EUC-CN" ||
           charset == "EUCCN";
}

bool IsTraditionalCharset(const std::string& charset) {
    return charset == "BIG5" || charset == "BIG5-HKSCS" || charset == "BIG5HKSCS";
}

struct Territory {
    std::string_view code;
    int codePage;
    std::uint32_t localeId;
};

constexpr std::array<Territory, 5> kChineseTerritories{{
    {"CN", 936, 0x0804},
    {"SG", 936, 0x1004},
    {"TW", 950, 0x0404},
    {"HK", 950, 0x0C04},
    {"MO", 950, 0x1404},
}};

const Territory* ChineseTerritory(const LocaleParts& parts) {
    if (parts.language != "zh") {
        return nullptr;
    }
    for (const auto& t : kChineseTerritories) {
        if (t.code == parts.territory) {
            return &t;
        }
    }
    return nullptr;
}

} // namespace

int CodePageFromLocale(std::string_view locale) {
    LocaleParts parts = SplitLocale(locale);
    // The charset is the byte encoding the user works in, so it decides first.
    if (IsSimplifiedCharset(parts.charset)) {
        return 936;
    }
    if (IsTraditionalCharset(parts.charset)) {
        return 950;
    }
    const Territory* t = ChineseTerritory(parts);
    return t != nullptr ? t->codePage : 1252;
}

std::uint32_t LocaleIdFromLocale(std::string_view locale) {
    LocaleParts parts = SplitLocale(locale);
    if (const Territory* t = ChineseTerritory(parts)) {
        return t->localeId;
    }
    if (IsSimplifiedCharset(parts.charset)) {
        return 0x0804;
    }
    if (IsTraditionalCharset(parts.charset)) {
        return 0x0404;
    }
    return 0x0409;
}

} // namespace kvc
