#include "runtime/variant.h"

#include "runtime/datetime.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/strings.h"
#include "runtime/utf8.h"
#include "runtime/variant_array.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace kvc {
namespace {

constexpr const char* kInvalidConversion = "Invalid variant type conversion";
constexpr const char* kOverflow = "Variant overflow";
constexpr const char* kNotArray = "Variant is not an array";
constexpr const char* kNoObject = "Variant does not reference an automation object";
constexpr std::uint32_t kUtf8CodePage = 65001;

[[noreturn]] void ThrowInvalidConversion() {
    throw EVariantError(kInvalidConversion);
}

// 2^63 as a double: the first value past the int64 range.
constexpr double kInt64Limit = 9223372036854775808.0;

// Rounds half to even, as the classic conversions do.
std::int64_t DoubleToInt64(double value) {
    if (!std::isfinite(value)) {
        detail::ThrowVariantOverflow();
    }
    double rounded = std::nearbyint(value);
    if (rounded < -kInt64Limit || rounded >= kInt64Limit) {
        detail::ThrowVariantOverflow();
    }
    return std::int64_t(rounded);
}

std::int64_t CurrencyToInt64(Currency value) {
    std::int64_t scaled = value.Scaled();
    std::int64_t quotient = scaled / Currency::kScale;
    std::int64_t remainder = scaled % Currency::kScale;
    std::int64_t half = Currency::kScale / 2;
    std::int64_t away = scaled < 0 ? -1 : 1;
    std::int64_t magnitude = remainder < 0 ? -remainder : remainder;
    if (magnitude > half || (magnitude == half && quotient % 2 != 0)) {
        quotient += away;
    }
    return quotient;
}

Currency Int64ToCurrency(std::int64_t value) {
    std::int64_t scaled = 0;
    if (__builtin_mul_overflow(value, Currency::kScale, &scaled)) {
        detail::ThrowVariantOverflow();
    }
    return Currency::FromScaled(scaled);
}

std::int64_t TextToInt64(std::string_view text) {
    std::int64_t integer = 0;
    if (TryStrToInt64(text, integer)) {
        return integer;
    }
    double number = 0;
    if (TryStrToFloat(text, number)) {
        return DoubleToInt64(number);
    }
    ThrowInvalidConversion();
}

double TextToDouble(std::string_view text) {
    double number = 0;
    if (!TryStrToFloat(text, number)) {
        ThrowInvalidConversion();
    }
    return number;
}

bool TextToBoolean(std::string_view text) {
    if (SameText(text, "True")) {
        return true;
    }
    if (SameText(text, "False")) {
        return false;
    }
    return TextToDouble(text) != 0;
}

// The general form: no trailing zeros, no decimal point for whole amounts.
std::string CurrencyToText(Currency value) {
    std::int64_t scaled = value.Scaled();
    std::uint64_t magnitude = scaled < 0 ? 0 - std::uint64_t(scaled) : std::uint64_t(scaled);
    std::string text = scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / Currency::kScale);
    auto fraction = unsigned(magnitude % Currency::kScale);
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + Currency::kScale).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += FormatSettings().DecimalSeparator;
        text += digits;
    }
    return text;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Integer and Int64 compare exactly among themselves and with Currency; a
// Double in the mix compares as a double.
bool NumbersEqual(const Variant& a, const Variant& b) {
    auto isIntegral = [](const Variant& v) {
        return v.Kind() == VariantKind::Integer || v.Kind() == VariantKind::Int64;
    };
    if (a.Kind() == VariantKind::Double || b.Kind() == VariantKind::Double) {
        return a.AsDouble() == b.AsDouble();
    }
    if (isIntegral(a) && isIntegral(b)) {
        return a.AsInt64() == b.AsInt64();
    }
    // One side is Currency; an integer too large to be money cannot equal it.
    std::int64_t scaledA = 0;
    std::int64_t scaledB = 0;
    auto scaled = [](const Variant& v, std::int64_t& out) {
        if (v.Kind() == VariantKind::Currency) {
            out = v.AsCurrency().Scaled();
            return true;
        }
        return !__builtin_mul_overflow(v.AsInt64(), Currency::kScale, &out);
    };
    return scaled(a, scaledA) && scaled(b, scaledB) && scaledA == scaledB;
}

} // namespace

namespace detail {
void ThrowVariantOverflow() {
    throw EVariantError(kOverflow);
}
} // namespace detail

// Guards assignment against making an array one of its own elements
// (v[1] = v), which would leave a cycle behind.
struct VariantInternals {
    using ArrayPtr = std::shared_ptr<VarArray>;

    // The arrays on a path of mutable access are each held once (the path made
    // them so), so only such arrays can hold the slot being assigned to.
    static bool HoldsSlot(const VarArray& array, const Variant* slot) {
        auto elements = array.Elements();
        std::less<const Variant*> before;
        if (!elements.empty() && !before(slot, elements.data()) &&
            before(slot, elements.data() + elements.size())) {
            return true;
        }
        for (const Variant& element : elements) {
            const auto* nested = std::get_if<ArrayPtr>(&element.value_);
            if (nested != nullptr && nested->use_count() == 1 && HoldsSlot(**nested, slot)) {
                return true;
            }
        }
        return false;
    }

    static bool WouldNest(const Variant& slot, const Variant& value) {
        const auto* array = std::get_if<ArrayPtr>(&value.value_);
        return array != nullptr && array->use_count() == 1 && HoldsSlot(**array, &slot);
    }

    static Variant DeepCopy(const Variant& value) {
        const auto* array = std::get_if<ArrayPtr>(&value.value_);
        if (array == nullptr) {
            return value;
        }
        auto copy = std::make_shared<VarArray>(**array);
        for (Variant& element : copy->Elements()) {
            if (element.IsArray()) {
                element.value_ = DeepCopy(element).value_;
            }
        }
        Variant result;
        result.value_ = std::move(copy);
        return result;
    }
};

Currency Currency::FromDouble(double value) {
    return FromScaled(DoubleToInt64(value * double(kScale)));
}

Variant::Variant(VarArray array) : value_(std::make_shared<VarArray>(std::move(array))) {}

Variant Variant::Null() noexcept {
    Variant v;
    v.value_ = NullValue{};
    return v;
}

Variant Variant::FromDate(TDateTime date) noexcept {
    Variant v;
    v.value_ = DateValue{date};
    return v;
}

Variant Variant::Ansi(std::string bytes, std::uint32_t codePage) noexcept {
    Variant v;
    v.value_ = AnsiValue{std::move(bytes), codePage};
    return v;
}

Variant::Variant(Variant&& other) noexcept : value_(std::move(other.value_)) {
    other.value_ = std::monostate{};
}

// The value is taken before the old one goes: it may live inside the old one
// (v = v[1]).
Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        Variant copy = VariantInternals::WouldNest(*this, other) ? VariantInternals::DeepCopy(other)
                                                                 : Variant(other);
        value_ = std::move(copy.value_);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) {
    if (this == &other) {
        return *this;
    }
    Variant taken(std::move(other));
    if (VariantInternals::WouldNest(*this, taken)) {
        // The array was moved out of the tree that holds *this, so *this goes
        // with it when `taken` does; it must not be written after that.
        value_ = VariantInternals::DeepCopy(taken).value_;
        return *this;
    }
    value_ = std::move(taken.value_);
    return *this;
}

std::uint16_t Variant::VarType() const noexcept {
    static constexpr std::array<std::uint16_t, 12> kCodes = {
        varEmpty,
        varNull,
        varInteger,
        varInt64,
        varBoolean,
        varDouble,
        varCurrency,
        varDate,
        varOleStr,
        varString,
        std::uint16_t(varArray | varVariant),
        varDispatch,
    };
    return kCodes[value_.index()];
}

bool Variant::IsString() const noexcept {
    return Kind() == VariantKind::OleStr || Kind() == VariantKind::AnsiStr;
}

bool Variant::IsNumeric() const noexcept {
    switch (Kind()) {
    case VariantKind::Integer:
    case VariantKind::Int64:
    case VariantKind::Double:
    case VariantKind::Currency:
        return true;
    default:
        return false;
    }
}

std::string_view Variant::TextForConversion() const {
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return *text;
    }
    const auto& ansi = std::get<AnsiValue>(value_);
    bool readable = ansi.codePage == kUtf8CodePage ? IsValidUtf8(ansi.bytes) : IsAscii(ansi.bytes);
    if (!readable) {
        ThrowInvalidConversion();
    }
    return ansi.bytes;
}

std::int32_t Variant::AsInteger() const {
    if (const auto* value = std::get_if<std::int32_t>(&value_)) {
        return *value;
    }
    std::int64_t wide = AsInt64();
    if (wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max()) {
        detail::ThrowVariantOverflow();
    }
    return std::int32_t(wide);
}

std::int64_t Variant::AsInt64() const {
    switch (Kind()) {
    case VariantKind::Empty:
        return 0;
    case VariantKind::Integer:
        return std::get<std::int32_t>(value_);
    case VariantKind::Int64:
        return std::get<std::int64_t>(value_);
    case VariantKind::Boolean:
        return std::get<bool>(value_) ? -1 : 0;
    case VariantKind::Double:
        return DoubleToInt64(std::get<double>(value_));
    case VariantKind::Currency:
        return CurrencyToInt64(std::get<Currency>(value_));
    case VariantKind::Date:
        return DoubleToInt64(std::get<DateValue>(value_).value);
    case VariantKind::OleStr:
    case VariantKind::AnsiStr:
        return TextToInt64(TextForConversion());
    default:
        ThrowInvalidConversion();
    }
}

double Variant::AsDouble() const {
    switch (Kind()) {
    case VariantKind::Empty:
        return 0;
    case VariantKind::Integer:
        return std::get<std::int32_t>(value_);
    case VariantKind::Int64:
        return double(std::get<std::int64_t>(value_));
    case VariantKind::Boolean:
        return std::get<bool>(value_) ? -1 : 0;
    case VariantKind::Double:
        return std::get<double>(value_);
    case VariantKind::Currency:
        return std::get<Currency>(value_).ToDouble();
    case VariantKind::Date:
        return std::get<DateValue>(value_).value;
    case VariantKind::OleStr:
    case VariantKind::AnsiStr:
        return TextToDouble(TextForConversion());
    default:
        ThrowInvalidConversion();
    }
}

bool Variant::AsBoolean() const {
    switch (Kind()) {
    case VariantKind::Empty:
        return false;
    case VariantKind::Boolean:
        return std::get<bool>(value_);
    case VariantKind::Integer:
    case VariantKind::Int64:
        return AsInt64() != 0;
    case VariantKind::Currency:
        return std::get<Currency>(value_).Scaled() != 0;
    case VariantKind::Double:
    case VariantKind::Date:
        return AsDouble() != 0;
    case VariantKind::OleStr:
    case VariantKind::AnsiStr:
        return TextToBoolean(TextForConversion());
    default:
        ThrowInvalidConversion();
    }
}

Currency Variant::AsCurrency() const {
    switch (Kind()) {
    case VariantKind::Currency:
        return std::get<Currency>(value_);
    case VariantKind::Empty:
    case VariantKind::Integer:
    case VariantKind::Int64:
    case VariantKind::Boolean:
        return Int64ToCurrency(AsInt64());
    case VariantKind::Double:
    case VariantKind::Date:
    case VariantKind::OleStr:
    case VariantKind::AnsiStr:
        return Currency::FromDouble(AsDouble());
    default:
        ThrowInvalidConversion();
    }
}

TDateTime Variant::AsDate() const {
    switch (Kind()) {
    case VariantKind::Date:
        return std::get<DateValue>(value_).value;
    case VariantKind::OleStr:
    case VariantKind::AnsiStr: {
        TDateTime date = 0;
        if (!TryStrToDateTime(TextForConversion(), date)) {
            ThrowInvalidConversion();
        }
        return date;
    }
    default:
        return AsDouble();
    }
}

std::string Variant::AsString() const {
    switch (Kind()) {
    case VariantKind::Empty:
        return {};
    case VariantKind::Integer:
    case VariantKind::Int64:
        return IntToStr(AsInt64());
    case VariantKind::Boolean:
        return std::get<bool>(value_) ? "True" : "False";
    case VariantKind::Double:
        return FloatToStr(std::get<double>(value_));
    case VariantKind::Currency:
        return CurrencyToText(std::get<Currency>(value_));
    case VariantKind::Date:
        return DateTimeToStr(std::get<DateValue>(value_).value);
    case VariantKind::OleStr:
        return std::get<std::string>(value_);
    case VariantKind::AnsiStr:
        return std::string(TextForConversion());
    default:
        ThrowInvalidConversion();
    }
}

const std::string& Variant::AnsiBytes() const {
    const auto* ansi = std::get_if<AnsiValue>(&value_);
    if (ansi == nullptr) {
        ThrowInvalidConversion();
    }
    return ansi->bytes;
}

std::uint32_t Variant::AnsiCodePage() const {
    const auto* ansi = std::get_if<AnsiValue>(&value_);
    if (ansi == nullptr) {
        ThrowInvalidConversion();
    }
    return ansi->codePage;
}

const std::shared_ptr<Dispatch>& Variant::AsDispatch() const {
    const auto* object = std::get_if<std::shared_ptr<Dispatch>>(&value_);
    if (object == nullptr) {
        ThrowInvalidConversion();
    }
    return *object;
}

const VarArray& Variant::Array() const {
    const auto* array = std::get_if<std::shared_ptr<VarArray>>(&value_);
    if (array == nullptr) {
        throw EVariantError(kNotArray);
    }
    return **array;
}

VarArray& Variant::MutableArray() {
    auto* array = std::get_if<std::shared_ptr<VarArray>>(&value_);
    if (array == nullptr) {
        throw EVariantError(kNotArray);
    }
    if (array->use_count() > 1) {
        *array = std::make_shared<VarArray>(**array);
    }
    return **array;
}

const Variant& Variant::operator[](int index) const {
    return Array().At(index);
}

Variant& Variant::operator[](int index) {
    return MutableArray().At(index);
}

const Variant& Variant::operator()(int row, int column) const {
    return Array().At(row, column);
}

Variant& Variant::operator()(int row, int column) {
    return MutableArray().At(row, column);
}

// The object is held for the length of the call: the callee may drop the
// caller's reference to it.
std::shared_ptr<Dispatch> Variant::Object() const {
    const auto* object = std::get_if<std::shared_ptr<Dispatch>>(&value_);
    if (object == nullptr || *object == nullptr) {
        throw EVariantError(kNoObject);
    }
    return *object;
}

Variant Variant::Call(std::string_view name) const {
    return Object()->Call(name);
}

Variant Variant::Call(std::string_view name, std::initializer_list<DispatchArg> args) const {
    return Object()->Call(name, args);
}

Variant Variant::Call(std::string_view name, std::span<DispatchArg> args) const {
    return Object()->Call(name, args);
}

Variant Variant::Get(std::string_view name) const {
    return Object()->Get(name);
}

void Variant::Put(std::string_view name, Variant value) const {
    Object()->Put(name, std::move(value));
}

bool Variant::operator==(const Variant& other) const {
    if (Kind() != other.Kind()) {
        return IsNumeric() && other.IsNumeric() && NumbersEqual(*this, other);
    }
    if (Kind() == VariantKind::Array) {
        const auto& a = std::get<std::shared_ptr<VarArray>>(value_);
        const auto& b = std::get<std::shared_ptr<VarArray>>(other.value_);
        return a == b || *a == *b;
    }
    return value_ == other.value_;
}

std::string VarToStr(const Variant& v) {
    return v.IsEmpty() || v.IsNull() ? std::string() : v.AsString();
}

std::string_view VariantKindName(VariantKind kind) {
    static constexpr std::array<std::string_view, 12> kNames = {
        "Empty",    "Null", "Integer", "Int64",   "Boolean", "Double",
        "Currency", "Date", "OleStr",  "AnsiStr", "Array",   "Dispatch",
    };
    return kNames[std::size_t(kind)];
}

} // namespace kvc
