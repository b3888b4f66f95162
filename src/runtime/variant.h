// Variant: the value type of late-bound automation. It holds one of the
// automation kinds (empty, null, integers, Boolean, floating point, money,
// date, text, byte string of a code page, array, object reference) and
// converts between them with the classic rules.
//
// Copies are values. Arrays share their storage until one side changes it, so
// copying a request array is cheap and changing the copy never shows through
// the original. Object references (Dispatch) are shared, as COM references are.
#pragma once

#include "runtime/clock.h"
#include "runtime/variant_bool.h"

#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace kvc {

class Dispatch;
class DispatchArg;
class VarArray;

// The classic type codes VarType answers.
inline constexpr std::uint16_t varEmpty = 0;
inline constexpr std::uint16_t varNull = 1;
inline constexpr std::uint16_t varSmallint = 2;
inline constexpr std::uint16_t varInteger = 3;
inline constexpr std::uint16_t varDouble = 5;
inline constexpr std::uint16_t varCurrency = 6;
inline constexpr std::uint16_t varDate = 7;
inline constexpr std::uint16_t varOleStr = 8;
inline constexpr std::uint16_t varDispatch = 9;
inline constexpr std::uint16_t varBoolean = 11;
inline constexpr std::uint16_t varVariant = 12;
inline constexpr std::uint16_t varInt64 = 20;
inline constexpr std::uint16_t varString = 0x100;
inline constexpr std::uint16_t varArray = 0x2000;

// In the order of Variant's storage; Kind() relies on it.
enum class VariantKind : std::uint8_t {
    Empty,
    Null,
    Integer,
    Int64,
    Boolean,
    Double,
    Currency,
    Date,
    OleStr,
    AnsiStr,
    Array,
    Dispatch,
};

// Money: a 64-bit count of ten-thousandths, so sums of prices stay exact.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromScaled(std::int64_t scaled) {
        Currency c;
        c.scaled_ = scaled;
        return c;
    }
    // Rounds half to even at the fourth decimal; out of range raises EVariantError.
    static Currency FromDouble(double value);

    constexpr std::int64_t Scaled() const { return scaled_; }
    double ToDouble() const { return double(scaled_) / double(kScale); }

    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    std::int64_t scaled_ = 0;
};

namespace detail {
template <class T>
concept VariantInteger = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                         !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
                         !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

template <class T>
concept DispatchType = !std::same_as<T, Dispatch> &&
                       std::convertible_to<std::shared_ptr<T>, std::shared_ptr<Dispatch>>;

template <class T>
concept NotCharacter = !std::same_as<std::remove_cv_t<T>, char>;

[[noreturn]] void ThrowVariantOverflow();
} // namespace detail

class Variant {
public:
    Variant() noexcept = default;
    Variant(bool value) noexcept : value_(value) {}
    // Integers up to 32 bits are Integer, wider ones Int64.
    template <detail::VariantInteger T> Variant(T value) : value_(FromInteger(value)) {}
    Variant(double value) noexcept : value_(value) {}
    Variant(Currency value) noexcept : value_(value) {}
    Variant(VariantBool value) noexcept : value_(value.AsBool()) {}
    // Text is UTF-8 (an OleStr). A null pointer is the empty text.
    Variant(const char* text) : value_(std::string(text != nullptr ? text : "")) {}
    Variant(std::string text) noexcept : value_(std::move(text)) {}
    Variant(std::string_view text) : value_(std::string(text)) {}
    Variant(VarArray array);
    Variant(std::shared_ptr<Dispatch> object) noexcept : value_(std::move(object)) {}
    template <detail::DispatchType T>
    Variant(std::shared_ptr<T> object) noexcept
        : value_(std::shared_ptr<Dispatch>(std::move(object))) {}

    // A character or a stray pointer is almost surely a mistake, not a Boolean.
    Variant(char) = delete;
    Variant(std::nullptr_t) = delete;
    template <detail::NotCharacter T> Variant(T*) = delete;

    static Variant Null() noexcept;
    static Variant FromDate(TDateTime date) noexcept;
    // Bytes of a code page (0 when the code page is not known).
    static Variant Ansi(std::string bytes, std::uint32_t codePage = 0) noexcept;

    Variant(const Variant& other) = default;
    // A moved-from Variant is Empty. Assigning an array to one of its own
    // elements (v[1] = v) stores a copy, never a cycle.
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other);
    ~Variant() = default;

    VariantKind Kind() const noexcept { return VariantKind(value_.index()); }
    // The classic type code: varInteger, varOleStr, varString for AnsiStr,
    // varArray | varVariant for arrays, ...
    std::uint16_t VarType() const noexcept;

    bool IsEmpty() const noexcept { return Kind() == VariantKind::Empty; }
    bool IsNull() const noexcept { return Kind() == VariantKind::Null; }
    bool IsArray() const noexcept { return Kind() == VariantKind::Array; }
    bool IsDispatch() const noexcept { return Kind() == VariantKind::Dispatch; }
    // OleStr or AnsiStr.
    bool IsString() const noexcept;
    // Integer, Int64, Double or Currency.
    bool IsNumeric() const noexcept;

    // Conversions with the classic rules. Empty reads as 0, false and "";
    // Null, arrays and objects raise EVariantError ("Invalid variant type
    // conversion"); a Boolean is -1 or 0 and "True" or "False"; a text converts
    // when it reads as the wanted kind; floating values round half to even when
    // an integer is wanted; a value out of the target's range raises
    // EVariantError ("Variant overflow"). An AnsiStr reads as text only when
    // its bytes are ASCII or its code page is UTF-8 (65001): decoding other
    // code pages is the platform's job.
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    Currency AsCurrency() const;
    TDateTime AsDate() const;
    std::string AsString() const;

    // The raw bytes and code page of an AnsiStr; other kinds raise EVariantError.
    const std::string& AnsiBytes() const;
    std::uint32_t AnsiCodePage() const;
    // The object of a Dispatch (null for a nil reference); other kinds raise EVariantError.
    const std::shared_ptr<Dispatch>& AsDispatch() const;

    // The array; other kinds raise EVariantError ("Variant is not an array").
    const VarArray& Array() const;
    // The array, first made this Variant's own when its storage is shared.
    VarArray& MutableArray();

    // Element access. Mutable access makes the array this Variant's own first,
    // so v[1][5] = x changes v and nothing that shares v's old storage. A
    // reference handed out stays valid until the array is next copied,
    // resized or replaced. Indices outside the bounds raise EVariantError
    // ("Variant or safe array index out of bounds").
    const Variant& operator[](int index) const;
    Variant& operator[](int index);
    const Variant& operator()(int row, int column) const;
    Variant& operator()(int row, int column);

    // Late-bound calls on the object this Variant holds (see runtime/dispatch.h,
    // which completes DispatchArg). No object raises EVariantError.
    Variant Call(std::string_view name) const;
    Variant Call(std::string_view name, std::initializer_list<DispatchArg> args) const;
    Variant Call(std::string_view name, std::span<DispatchArg> args) const;
    Variant Get(std::string_view name) const;
    void Put(std::string_view name, Variant value) const;

    // Same kind: equal values (arrays element by element, objects by identity,
    // Null equals Null). Across the numeric kinds (Integer, Int64, Double,
    // Currency) the values are compared as numbers, so Integer 5 equals
    // Int64 5 and Double 5.0. Any other mix of kinds is unequal.
    bool operator==(const Variant& other) const;

private:
    struct NullValue {
        bool operator==(const NullValue&) const = default;
    };
    struct DateValue {
        TDateTime value;
        bool operator==(const DateValue&) const = default;
    };
    struct AnsiValue {
        std::string bytes;
        std::uint32_t codePage;
        bool operator==(const AnsiValue&) const = default;
    };
    // In the order of VariantKind.
    using Storage = std::variant<std::monostate, NullValue, std::int32_t, std::int64_t, bool,
                                 double, Currency, DateValue, std::string, AnsiValue,
                                 std::shared_ptr<VarArray>, std::shared_ptr<Dispatch>>;

    template <class T> static Storage FromInteger(T value) {
        if constexpr (std::is_signed_v<T> ? sizeof(T) <= 4 : sizeof(T) < 4) {
            return std::int32_t(value);
        } else if constexpr (std::is_signed_v<T> || sizeof(T) < 8) {
            return std::int64_t(value);
        } else {
            if (value > std::uint64_t(std::numeric_limits<std::int64_t>::max())) {
                detail::ThrowVariantOverflow();
            }
            return std::int64_t(value);
        }
    }

    std::string_view TextForConversion() const;
    std::shared_ptr<Dispatch> Object() const;
    friend struct VariantInternals;

    Storage value_;
};

// The classic free functions.
inline std::uint16_t VarType(const Variant& v) {
    return v.VarType();
}
inline bool VarIsEmpty(const Variant& v) {
    return v.IsEmpty();
}
inline bool VarIsNull(const Variant& v) {
    return v.IsNull();
}
inline bool VarIsArray(const Variant& v) {
    return v.IsArray();
}
inline bool VarIsStr(const Variant& v) {
    return v.IsString();
}
// Empty and Null give the empty text; everything else converts as AsString.
std::string VarToStr(const Variant& v);

// "Empty", "Integer", "OleStr", ... for messages and logs.
std::string_view VariantKindName(VariantKind kind);

} // namespace kvc
