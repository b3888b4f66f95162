// The classic Format: "%[index:][-][width][.precision]type" with the types
// d u e f g n m p s x. An argument of the wrong kind for its placeholder raises
// EConvertError ("Format '%s' invalid or incompatible with argument").
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kvc {

// One argument of Format, as the classic open array of constants carries it.
class FormatArg {
public:
    FormatArg(int v) : value_(std::int64_t(v)) {}
    FormatArg(long v) : value_(std::int64_t(v)) {}
    FormatArg(long long v) : value_(std::int64_t(v)) {}
    FormatArg(unsigned v) : value_(std::int64_t(v)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(const char* v) : value_(std::string_view(v)) {}
    FormatArg(std::string_view v) : value_(v) {}
    FormatArg(const std::string& v) : value_(std::string_view(v)) {}
    FormatArg(const void* v) : value_(v) {}

    using Value = std::variant<std::int64_t, double, std::string_view, const void*>;
    const Value& value() const { return value_; }

private:
    Value value_;
};

std::string Format(std::string_view format, std::span<const FormatArg> args);
inline std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    return Format(format, std::span<const FormatArg>(args.begin(), args.size()));
}

} // namespace kvc
