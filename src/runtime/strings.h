// Text helpers with the classic semantics the forms rely on. Texts are UTF-8;
// positions and counts of Pos and Copy are 1-based byte positions, as in the
// classic byte-string routines, so code ported from them keeps its arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvc {

// Blanks are the control characters and the space (code <= 32), as classically.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII letters only.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Every letter of the text, whatever its script (locale-aware in the classic sense).
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// ASCII letter case ignored; CompareText answers <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);
// Every letter's case ignored.
bool AnsiSameText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);

std::string IntToStr(std::int64_t value);
std::string IntToHex(std::int64_t value, int digits);

// StrToInt reads an optional sign and decimal digits, or "$"/"0x" hexadecimal,
// after leading blanks; anything else raises EConvertError
// ("'abc' is not a valid integer value").
std::int32_t StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback);
bool TryStrToInt(std::string_view s, std::int32_t& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);

// Floats use the decimal separator of the process-wide format settings.
// StrToFloat raises EConvertError ("'abc' is not a valid floating point value").
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);
double StrToFloatDef(std::string_view s, double fallback);
// Shortest text of up to 15 significant digits, general format ("2.5", "1E20").
std::string FloatToStr(double value);

// 1-based index of the first occurrence of sub in s, 0 when absent or sub is empty.
int Pos(std::string_view sub, std::string_view s);
// Count bytes from the 1-based index; an index below 1 counts from 1, parts past the end are
// dropped.
std::string Copy(std::string_view s, int index, int count);

enum class ReplaceFlags : unsigned { None = 0, ReplaceAll = 1, IgnoreCase = 2 };
constexpr ReplaceFlags operator|(ReplaceFlags a, ReplaceFlags b) {
    return ReplaceFlags(unsigned(a) | unsigned(b));
}
constexpr bool HasFlag(ReplaceFlags set, ReplaceFlags flag) {
    return (unsigned(set) & unsigned(flag)) != 0;
}
// One left-to-right pass: replaced text is never searched again.
std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, ReplaceFlags flags);

std::string QuotedStr(std::string_view s);
// Number of characters (code points) of a UTF-8 text; invalid bytes count one each.
std::size_t Utf8Length(std::string_view s);

} // namespace kvc
