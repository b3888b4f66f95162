#include "runtime/format.h"

#include "runtime/datetime.h"
#include "runtime/exceptions.h"
#include "runtime/strings.h"
#include "runtime/utf8.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace kvc {
namespace {

[[noreturn]] void ThrowInvalid(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) +
                        "' invalid or incompatible with argument");
}

struct Spec {
    bool leftAlign = false;
    std::optional<int> width;
    std::optional<int> precision;
    char type = 0;
};

class Formatter {
public:
    Formatter(std::string_view format, std::span<const FormatArg> args)
        : format_(format), args_(args) {}

    std::string Run() {
        std::string out;
        out.reserve(format_.size() + 16 * args_.size());
        for (std::size_t i = 0; i < format_.size();) {
            const auto percent = format_.find('%', i);
            out.append(
                format_.substr(i, percent == std::string_view::npos ? percent : percent - i));
            if (percent == std::string_view::npos) {
                break;
            }
            i = percent + 1;
            if (i < format_.size() && format_[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            const Spec spec = ReadSpec(i);
            Pad(out, Convert(spec, NextArg()), spec);
        }
        return out;
    }

private:
    // "%[index:][-][width][.precision]type"; width and precision may be "*".
    Spec ReadSpec(std::size_t& i) {
        Spec spec;
        std::optional<int> number = ReadNumber(i);
        if (i < format_.size() && format_[i] == ':') {
            if (!number) {
                number = 0; // "%:s" is index 0
            }
            next_ = std::size_t(*number);
            ++i;
            number.reset();
        }
        if (!number && i < format_.size() && format_[i] == '-') {
            spec.leftAlign = true;
            ++i;
        }
        spec.width = number ? number : ReadNumber(i);
        if (i < format_.size() && format_[i] == '.') {
            ++i;
            spec.precision = ReadNumber(i);
            if (!spec.precision) {
                ThrowInvalid(format_);
            }
        }
        if (i >= format_.size()) {
            ThrowInvalid(format_);
        }
        spec.type = char(std::tolower(static_cast<unsigned char>(format_[i++])));
        return spec;
    }

    std::optional<int> ReadNumber(std::size_t& i) {
        if (i < format_.size() && format_[i] == '*') {
            ++i;
            const FormatArg& arg = NextArg();
            const auto* value = std::get_if<std::int64_t>(&arg.value());
            if (!value) {
                ThrowInvalid(format_);
            }
            return int(*value);
        }
        if (i >= format_.size() || !std::isdigit(static_cast<unsigned char>(format_[i]))) {
            return std::nullopt;
        }
        long value = 0;
        while (i < format_.size() && std::isdigit(static_cast<unsigned char>(format_[i]))) {
            value = value * 10 + (format_[i++] - '0');
            if (value > 1'000'000) {
                ThrowInvalid(format_);
            }
        }
        return int(value);
    }

    const FormatArg& NextArg() {
        if (next_ >= args_.size()) {
            throw EConvertError("No argument for format '" + std::string(format_) + "'");
        }
        return args_[next_++];
    }

    std::string Convert(const Spec& spec, const FormatArg& arg) {
        const auto& v = arg.value();
        switch (spec.type) {
        case 'd':
        case 'u':
        case 'x':
            if (const auto* i = std::get_if<std::int64_t>(&v)) {
                return Integer(*i, spec);
            }
            break;
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm':
            if (const auto* d = std::get_if<double>(&v)) {
                return Float(*d, spec);
            }
            break;
        case 's':
            if (const auto* s = std::get_if<std::string_view>(&v)) {
                return spec.precision ? Truncate(*s, *spec.precision) : std::string(*s);
            }
            break;
        case 'p':
            if (const auto* p = std::get_if<const void*>(&v)) {
                char buffer[24];
                std::snprintf(
                    buffer, sizeof buffer, "%08llX",
                    static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(*p)));
                return buffer;
            }
            break;
        }
        ThrowInvalid(format_);
    }

    static std::string Integer(std::int64_t value, const Spec& spec) {
        std::string digits;
        bool negative = false;
        if (spec.type == 'x') {
            char buffer[24];
            std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
            digits = buffer;
        } else if (spec.type == 'u') {
            digits = std::to_string(static_cast<std::uint32_t>(value));
        } else {
            negative = value < 0;
            digits = std::to_string(value);
            if (negative) {
                digits.erase(0, 1);
            }
        }
        if (spec.precision && int(digits.size()) < *spec.precision) {
            digits.insert(0, std::size_t(*spec.precision) - digits.size(), '0');
        }
        return negative ? "-" + digits : digits;
    }

    static std::string Float(double value, const Spec& spec) {
        const auto& settings = FormatSettings();
        char buffer[512];
        std::string text;
        switch (spec.type) {
        case 'e': {
            // Classic scientific form: precision significant digits (default 15) and
            // an exponent of at least three digits ("1.23450000000000E+003").
            const int digits = std::clamp(spec.precision.value_or(15), 1, 18);
            std::snprintf(buffer, sizeof buffer, "%.*E", digits - 1, value);
            text = buffer;
            const auto digitsAt = text.find('E') + 2;
            const std::size_t exponentDigits = text.size() - digitsAt;
            if (exponentDigits < 3) {
                text.insert(digitsAt, 3 - exponentDigits, '0');
            }
            break;
        }
        case 'f':
        case 'n':
        case 'm': {
            const int decimals = std::clamp(spec.precision.value_or(2), 0, 18);
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
            text = buffer;
            if (spec.type != 'f') {
                return GroupThousands(text, settings.ThousandSeparator, settings.DecimalSeparator);
            }
            break;
        }
        default: { // 'g'
            const int digits = std::clamp(spec.precision.value_or(15), 1, 18);
            std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
            text = buffer;
            if (const auto e = text.find('E'); e != std::string::npos) {
                std::string exponent = text.substr(e + 1);
                const bool negative = exponent[0] == '-';
                exponent.erase(0, 1);
                exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
                text = text.substr(0, e) + (negative ? "E-" : "E+") + exponent;
            }
        }
        }
        if (const auto dot = text.find('.'); dot != std::string::npos) {
            text[dot] = settings.DecimalSeparator;
        }
        return text;
    }

    // "1234567.5" -> "1,234,567.5" with the given separators.
    static std::string GroupThousands(const std::string& text, char separator, char decimal) {
        const std::size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
        std::size_t end = text.find('.');
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string out = text.substr(0, start);
        for (std::size_t i = start; i < end; ++i) {
            if (i > start && (end - i) % 3 == 0) {
                out += separator;
            }
            out += text[i];
        }
        if (end < text.size()) {
            out += decimal;
            out += text.substr(end + 1);
        }
        return out;
    }

    // Precision on "s" limits characters, never cutting a multi-byte character apart.
    static std::string Truncate(std::string_view s, int characters) {
        std::size_t pos = 0;
        for (int n = 0; n < characters && pos < s.size(); ++n) {
            NextCodePoint(s, pos);
        }
        return std::string(s.substr(0, pos));
    }

    static void Pad(std::string& out, const std::string& text, const Spec& spec) {
        const std::size_t length = Utf8Length(text);
        const std::size_t width = spec.width ? std::size_t(std::max(*spec.width, 0)) : 0;
        const std::size_t fill = width > length ? width - length : 0;
        if (!spec.leftAlign) {
            out.append(fill, ' ');
        }
        out += text;
        if (spec.leftAlign) {
            out.append(fill, ' ');
        }
    }

    std::string_view format_;
    std::span<const FormatArg> args_;
    std::size_t next_ = 0;
};

} // namespace

std::string Format(std::string_view format, std::span<const FormatArg> args) {
    return Formatter(format, args).Run();
}

} // namespace kvc
