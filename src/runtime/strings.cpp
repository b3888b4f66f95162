#include "runtime/strings.h"

#include "runtime/datetime.h"
#include "runtime/exceptions.h"
#include "runtime/utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

namespace kvc {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// Case pairs of the scripts that have letter case, by their upper-case letters.
// An alternating range holds upper/lower pairs side by side (U+0100 A, U+0101 a, ...).
struct CaseRange {
    char32_t first, last;
    int toLower; // offset to the lower-case letter; 0 for alternating ranges
};

constexpr std::array kCaseRanges = {
    CaseRange{0x41, 0x5A, 32},   CaseRange{0xC0, 0xD6, 32},     CaseRange{0xD8, 0xDE, 32},
    CaseRange{0x100, 0x12F, 0},  CaseRange{0x132, 0x137, 0},    CaseRange{0x139, 0x148, 0},
    CaseRange{0x14A, 0x177, 0},  CaseRange{0x179, 0x17E, 0},    CaseRange{0x386, 0x386, 38},
    CaseRange{0x388, 0x38A, 37}, CaseRange{0x38C, 0x38C, 64},   CaseRange{0x38E, 0x38F, 63},
    CaseRange{0x391, 0x3A1, 32}, CaseRange{0x3A3, 0x3AB, 32},   CaseRange{0x400, 0x40F, 80},
    CaseRange{0x410, 0x42F, 32}, CaseRange{0xFF21, 0xFF3A, 32},
};

bool IsAlternatingUpper(const CaseRange& r, char32_t c) {
    return c >= r.first && c <= r.last && (c - r.first) % 2 == 0;
}

char32_t ToLowerCodePoint(char32_t c) {
    if (c == 0x178) {
        return 0xFF;
    }
    for (const auto& r : kCaseRanges) {
        if (r.toLower == 0 ? IsAlternatingUpper(r, c) : (c >= r.first && c <= r.last)) {
            return r.toLower == 0 ? c + 1 : c + r.toLower;
        }
    }
    return c;
}

char32_t ToUpperCodePoint(char32_t c) {
    if (c == 0xFF) {
        return 0x178;
    }
    if (c == 0x3C2) { // final sigma
        return 0x3A3;
    }
    for (const auto& r : kCaseRanges) {
        if (r.toLower == 0) {
            if (c > r.first && c <= r.last + 1 && IsAlternatingUpper(r, c - 1)) {
                return c - 1;
            }
        } else if (c >= r.first + r.toLower && c <= r.last + r.toLower) {
            return c - r.toLower;
        }
    }
    return c;
}

template <typename Map> std::string MapCodePoints(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t start = pos;
        const char32_t cp = NextCodePoint(s, pos);
        const char32_t mapped = map(cp);
        if (mapped == cp) {
            out.append(s.substr(start, pos - start)); // keeps invalid bytes as they were
        } else {
            AppendUtf8(out, mapped);
        }
    }
    return out;
}

std::string_view TrimmedView(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) {
        ++b;
    }
    while (e > b && IsBlank(s[e - 1])) {
        --e;
    }
    return s.substr(b, e - b);
}

[[noreturn]] void ThrowNotInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

// Reads "[blanks][sign](digits | $hex | 0xhex)" with nothing after it.
bool ParseInteger(std::string_view s, std::int64_t& value) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16, ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16, i += 2;
    }
    if (i == s.size()) {
        return false;
    }
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size()) {
        return false;
    }
    const std::uint64_t limit = negative
                                    ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                    : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    if (magnitude > limit && base == 10) {
        return false;
    }
    // Hexadecimal texts may spell the full 64 bits ($FFFFFFFFFFFFFFFF is -1).
    value = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
    return true;
}

} // namespace

std::string Trim(std::string_view s) {
    return std::string(TrimmedView(s));
}

std::string TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) {
        ++b;
    }
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) {
        --e;
    }
    return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), AsciiUpper);
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
    return out;
}

std::string AnsiUpperCase(std::string_view s) {
    return MapCodePoints(s, ToUpperCodePoint);
}
std::string AnsiLowerCase(std::string_view s) {
    return MapCodePoints(s, ToLowerCodePoint);
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareStr(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    return CompareStr(AnsiUpperCase(a), AnsiUpperCase(b));
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    return AnsiCompareText(a, b) == 0;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

std::string IntToHex(std::int64_t value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llX", std::clamp(digits, 0, 16),
                  static_cast<unsigned long long>(value));
    return buffer;
}

std::int32_t StrToInt(std::string_view s) {
    std::int32_t value = 0;
    if (!TryStrToInt(s, value)) {
        ThrowNotInteger(s);
    }
    return value;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t value = 0;
    if (!TryStrToInt64(s, value)) {
        ThrowNotInteger(s);
    }
    return value;
}

std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback) {
    std::int32_t value = 0;
    return TryStrToInt(s, value) ? value : fallback;
}

bool TryStrToInt(std::string_view s, std::int32_t& value) {
    std::int64_t wide = 0;
    if (!ParseInteger(s, wide)) {
        return false;
    }
    // Hexadecimal texts of 32 bits wrap, as $FFFFFFFF is -1 classically.
    const bool hex = s.find_first_of("$xX") != std::string_view::npos;
    if (hex && wide >= 0 && wide <= 0xFFFFFFFFLL) {
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
        return true;
    }
    if (wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(wide);
    return true;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
    return ParseInteger(s, value);
}

bool TryStrToFloat(std::string_view s, double& value) {
    const std::string_view t = TrimmedView(s);
    if (t.empty()) {
        return false;
    }
    // Normalise to the C form: the settings' decimal separator becomes ".", and a
    // "." is refused when the settings use another separator.
    const char separator = FormatSettings().DecimalSeparator;
    std::string text;
    text.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == separator) {
            text += '.';
        } else if (c == '.' || (c == '+' && i != 0 && t[i - 1] != 'e' && t[i - 1] != 'E') ||
                   (std::isalpha(static_cast<unsigned char>(c)) && c != 'e' && c != 'E')) {
            return false; // also keeps "inf" and "nan" out
        } else {
            text += c;
        }
    }
    std::size_t start = (text[0] == '+') ? 1 : 0;
    if (start < text.size() && (text[start] == 'e' || text[start] == 'E')) {
        return false; // an exponent needs a mantissa
    }
    double parsed = 0;
    const auto [end, ec] = std::from_chars(text.data() + start, text.data() + text.size(), parsed,
                                           std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

double StrToFloat(std::string_view s) {
    double value = 0;
    if (!TryStrToFloat(s, value)) {
        throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    }
    return value;
}

double StrToFloatDef(std::string_view s, double fallback) {
    double value = 0;
    return TryStrToFloat(s, value) ? value : fallback;
}

std::string FloatToStr(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // C writes "1E+20" and "1.5E-05"; the classic form is "1E20" and "1.5E-5".
    if (const auto e = text.find('E'); e != std::string::npos) {
        std::string exponent = text.substr(e + 1);
        const bool negative = exponent[0] == '-';
        exponent.erase(0, (exponent[0] == '-' || exponent[0] == '+') ? 1 : 0);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
    }
    if (const auto dot = text.find('.'); dot != std::string::npos) {
        text[dot] = FormatSettings().DecimalSeparator;
    }
    return text;
}

int Pos(std::string_view sub, std::string_view s) {
    if (sub.empty()) {
        return 0;
    }
    const auto found = s.find(sub);
    return found == std::string_view::npos ? 0 : int(found) + 1;
}

std::string Copy(std::string_view s, int index, int count) {
    if (index < 1) {
        index = 1;
    }
    if (count <= 0 || std::size_t(index) > s.size()) {
        return {};
    }
    return std::string(s.substr(std::size_t(index) - 1, std::size_t(count)));
}

std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, ReplaceFlags flags) {
    if (oldPattern.empty()) {
        return std::string(s);
    }
    const bool ignoreCase = HasFlag(flags, ReplaceFlags::IgnoreCase);
    const std::string haystack = ignoreCase ? AnsiUpperCase(s) : std::string();
    const std::string needle = ignoreCase ? AnsiUpperCase(oldPattern) : std::string();
    const std::string_view searchIn = ignoreCase ? std::string_view(haystack) : s;
    const std::string_view searchFor = ignoreCase ? std::string_view(needle) : oldPattern;
    // Upper-casing may change byte lengths outside ASCII; fall back to a
    // case-sensitive search then rather than cut a character apart.
    const bool aligned =
        !ignoreCase || (haystack.size() == s.size() && needle.size() == oldPattern.size());
    const std::string_view in = aligned ? searchIn : s;
    const std::string_view what = aligned ? searchFor : oldPattern;

    std::string out;
    std::size_t from = 0;
    while (true) {
        const auto found = in.find(what, from);
        if (found == std::string_view::npos) {
            break;
        }
        out.append(s.substr(from, found - from));
        out.append(newPattern);
        from = found + what.size();
        if (!HasFlag(flags, ReplaceFlags::ReplaceAll)) {
            break;
        }
    }
    out.append(s.substr(from));
    return out;
}

std::string QuotedStr(std::string_view s) {
    std::string out = "'";
    for (char c : s) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out + "'";
}

std::size_t Utf8Length(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < s.size(); ++count) {
        NextCodePoint(s, pos);
    }
    return count;
}

} // namespace kvc
