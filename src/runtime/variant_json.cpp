#include "runtime/variant_json.h"

#include "runtime/datetime.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

namespace kvc {
namespace {

using Json = nlohmann::json;

// Each array level takes at most three JSON levels (object, items, row), and
// the innermost element one more.
constexpr std::size_t kMaxJsonDepth = 3 * kMaxJsonArrayNesting + 3;

constexpr std::int64_t kMsPerDay = 86400000;
// Days from 1970-01-01 back to the day count's origin, 1899-12-30.
constexpr std::int64_t kUnixDayOfOrigin = -25569;

[[noreturn]] void Fail(const std::string& detail) {
    throw EConvertError("Invalid variant JSON: " + detail);
}

// Day numbers of the proleptic Gregorian calendar, counted from 1970-01-01.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    auto yearOfEra = unsigned(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + std::int64_t(dayOfEra) - 719468;
}

void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    auto dayOfEra = unsigned(days - era * 146097);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = std::int64_t(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

// ---- writing ----

class JsonWriter {
public:
    std::string Take() { return std::move(out_); }

    void Write(const Variant& value, int enclosingArrays) {
        switch (value.Kind()) {
        case VariantKind::Empty:
            out_ += R"({"$":"empty"})";
            break;
        case VariantKind::Null:
            out_ += "null";
            break;
        case VariantKind::Integer:
        case VariantKind::Int64:
            out_ += std::to_string(value.AsInt64());
            break;
        case VariantKind::Boolean:
            out_ += value.AsBoolean() ? "true" : "false";
            break;
        case VariantKind::Double:
            WriteDouble(value.AsDouble());
            break;
        case VariantKind::Currency:
            out_ += R"({"$currency":")";
            WriteCurrency(value.AsCurrency());
            out_ += "\"}";
            break;
        case VariantKind::Date:
            out_ += R"({"$date":")";
            WriteDate(value.AsDate());
            out_ += "\"}";
            break;
        case VariantKind::OleStr:
            WriteText(value.AsString());
            break;
        case VariantKind::AnsiStr:
            WriteAnsi(value.AnsiBytes(), value.AnsiCodePage());
            break;
        case VariantKind::Array:
            WriteArray(value.Array(), enclosingArrays + 1);
            break;
        case VariantKind::Dispatch:
            out_ += R"({"$dispatch":)";
            if (value.AsDispatch() == nullptr) {
                out_ += "null";
            } else {
                WriteText(value.AsDispatch()->ClassName());
            }
            out_ += "}";
            break;
        }
    }

private:
    void WriteText(const std::string& text) {
        out_ += Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
    }

    void WriteInteger(std::int64_t value) { out_ += std::to_string(value); }

    // Shortest digits that read back as the same double, with a decimal point
    // so that it reads back as a Double and not an integer.
    void WriteDouble(double value) {
        if (!std::isfinite(value)) {
            throw EConvertError("A Double that is not finite has no JSON form");
        }
        char buffer[64];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        std::string digits(buffer, result.ptr);
        if (digits.find('.') == std::string::npos) {
            std::size_t exponent = digits.find('e');
            digits.insert(exponent == std::string::npos ? digits.size() : exponent, ".0");
        }
        out_ += digits;
    }

    void WriteCurrency(Currency value) {
        std::int64_t scaled = value.Scaled();
        std::uint64_t magnitude = scaled < 0 ? 0 - std::uint64_t(scaled) : std::uint64_t(scaled);
        if (scaled < 0) {
            out_ += '-';
        }
        out_ += std::to_string(magnitude / Currency::kScale);
        out_ += '.';
        out_ += std::to_string(magnitude % Currency::kScale + Currency::kScale).substr(1);
    }

    // The day is the integer part toward zero; the time of day is the
    // fraction's size, whatever the sign, as in the day count.
    void WriteDate(TDateTime value) {
        if (!std::isfinite(value)) {
            throw EConvertError("A Date that is not finite has no JSON form");
        }
        double dayPart = std::trunc(value);
        std::int64_t day = 0;
        std::int64_t ms = 0;
        if (std::fabs(dayPart) < 1e9) {
            day = std::int64_t(dayPart);
            ms = std::llround(std::fabs(value - dayPart) * double(kMsPerDay));
            if (ms >= kMsPerDay) {
                ++day;
                ms -= kMsPerDay;
            }
        } else {
            day = std::numeric_limits<std::int32_t>::max();
        }
        std::int64_t year = 0;
        unsigned month = 0;
        unsigned dayOfMonth = 0;
        CivilFromDays(day + kUnixDayOfOrigin, year, month, dayOfMonth);
        if (year < kMinYear || year > kMaxYear) {
            throw EConvertError("A Date outside the years 1 to 9999 has no JSON form");
        }
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03d", int(year), month,
                      dayOfMonth, int(ms / 3600000), int(ms / 60000 % 60), int(ms / 1000 % 60),
                      int(ms % 1000));
        out_ += text;
    }

    void WriteAnsi(const std::string& bytes, std::uint32_t codePage) {
        static constexpr char kHex[] = "0123456789abcdef";
        out_ += R"({"$ansi":")";
        for (char c : bytes) {
            auto byte = static_cast<unsigned char>(c);
            out_ += kHex[byte >> 4];
            out_ += kHex[byte & 0xF];
        }
        out_ += '"';
        if (codePage != 0) {
            out_ += R"(,"cp":)";
            out_ += std::to_string(codePage);
        }
        out_ += '}';
    }

    void WriteItems(std::span<const Variant> items, int nesting) {
        out_ += '[';
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i != 0) {
                out_ += ',';
            }
            Write(items[i], nesting);
        }
        out_ += ']';
    }

    void WriteArray(const VarArray& array, int nesting) {
        if (nesting > kMaxJsonArrayNesting) {
            throw EConvertError("Variant arrays nested deeper than " +
                                std::to_string(kMaxJsonArrayNesting) + " levels");
        }
        if (array.DimCount() == 1) {
            int low = array.LowBound(1);
            if (low == 0) {
                WriteItems(array.Elements(), nesting);
                return;
            }
            out_ += R"({"$lo":)";
            WriteInteger(low);
            out_ += R"(,"items":)";
            WriteItems(array.Elements(), nesting);
            out_ += '}';
            return;
        }
        VarArrayBound rows = array.Bound(1);
        VarArrayBound columns = array.Bound(2);
        out_ += R"({"$dims":[[)";
        WriteInteger(rows.Low);
        out_ += ',';
        WriteInteger(rows.High);
        out_ += "],[";
        WriteInteger(columns.Low);
        out_ += ',';
        WriteInteger(columns.High);
        out_ += R"(]],"items":[)";
        auto elements = array.Elements();
        for (std::size_t r = 0; r < rows.Count(); ++r) {
            if (r != 0) {
                out_ += ',';
            }
            WriteItems(elements.subspan(r * columns.Count(), columns.Count()), nesting);
        }
        out_ += "]}";
    }

    std::string out_;
};

// ---- parsing ----

// Builds the JSON tree while refusing what the tree could not hold safely:
// nesting beyond the bound, duplicate keys, integers too large for 64 bits.
class BoundedTreeBuilder {
public:
    Json Take() { return std::move(root_); }

    bool null() { return Add(nullptr); }
    bool boolean(bool value) { return Add(value); }
    bool number_integer(Json::number_integer_t value) { return Add(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return Add(value); }
    bool number_float(Json::number_float_t value, const Json::string_t& text) {
        if (text.find_first_of(".eE") == std::string::npos) {
            Fail("the integer " + text + " is out of range");
        }
        return Add(value);
    }
    bool string(Json::string_t& value) { return Add(std::move(value)); }
    bool binary(Json::binary_t&) { Fail("binary values are not JSON text"); }

    bool start_object(std::size_t) { return Enter(Json::object()); }
    bool key(Json::string_t& key) {
        Json& object = *open_.back();
        if (object.contains(key)) {
            Fail("the key '" + key + "' appears twice");
        }
        slot_ = &object[key];
        return true;
    }
    bool end_object() { return Leave(); }
    bool start_array(std::size_t) { return Enter(Json::array()); }
    bool end_array() { return Leave(); }

    bool parse_error(std::size_t, const std::string&, const Json::exception& error) {
        // nlohmann's text starts with its own "[json.exception...] " tag.
        std::string text = error.what();
        std::size_t tagEnd = text.find("] ");
        Fail(tagEnd == std::string::npos ? text : text.substr(tagEnd + 2));
    }

private:
    bool Add(Json value) {
        Place(std::move(value));
        return true;
    }

    Json* Place(Json value) {
        if (open_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Json& container = *open_.back();
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        *slot_ = std::move(value);
        return slot_;
    }

    bool Enter(Json container) {
        if (open_.size() >= kMaxJsonDepth) {
            Fail("nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        }
        open_.push_back(Place(std::move(container)));
        return true;
    }

    bool Leave() {
        open_.pop_back();
        return true;
    }

    Json root_;
    std::vector<Json*> open_;
    Json* slot_ = nullptr;
};

// A reference that came back from text: it names the object it stood for and
// refuses every access.
class UnboundDispatch final : public Dispatch {
public:
    explicit UnboundDispatch(std::string className) : className_(std::move(className)) {}

    std::string ClassName() const override { return className_; }
    Variant Invoke(std::string_view name, InvokeKind, DispatchArgs) override {
        throw EOleError("Cannot call '" + std::string(name) + "': the object '" + className_ +
                        "' was read from JSON and is not bound to a live object");
    }

private:
    std::string className_;
};

std::string Describe(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The object has the key `marker` and otherwise only keys from `optional`.
void ExpectKeys(const Json& object, std::string_view marker,
                std::initializer_list<std::string_view> others) {
    for (const auto& [key, _] : object.items()) {
        bool known = key == marker;
        for (std::string_view other : others) {
            known = known || key == other;
        }
        if (!known) {
            Fail("unexpected key '" + key + "' beside \"" + std::string(marker) + "\"");
        }
    }
}

const Json& Member(const Json& object, const char* key, std::string_view marker) {
    auto it = object.find(key);
    if (it == object.end()) {
        Fail("\"" + std::string(marker) + "\" needs the key '" + key + "'");
    }
    return *it;
}

std::int64_t ReadInteger(const Json& value, std::int64_t low, std::int64_t high,
                         std::string_view what) {
    if (!value.is_number_integer()) {
        Fail(std::string(what) + " must be an integer, not " + Describe(value));
    }
    // Unsigned first: a number above the int64 range must not wrap.
    bool inRange = false;
    if (value.is_number_unsigned()) {
        auto number = value.get<std::uint64_t>();
        inRange = high >= 0 && number <= std::uint64_t(high) &&
                  (low <= 0 || number >= std::uint64_t(low));
    } else {
        auto number = value.get<std::int64_t>();
        inRange = number >= low && number <= high;
    }
    if (!inRange) {
        Fail(std::string(what) + " " + Describe(value) + " is out of range");
    }
    return value.get<std::int64_t>();
}

int ReadBound(const Json& value) {
    return int(ReadInteger(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                           "an array bound"));
}

const std::string& ReadString(const Json& value, std::string_view marker) {
    if (!value.is_string()) {
        Fail("\"" + std::string(marker) + "\" must be a string, not " + Describe(value));
    }
    return value.get_ref<const std::string&>();
}

// Exactly n digits at text[pos...].
bool ReadDigits(std::string_view text, std::size_t pos, std::size_t n, int& value) {
    if (pos + n > text.size()) {
        return false;
    }
    for (std::size_t i = pos; i < pos + n; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    auto result = std::from_chars(text.data() + pos, text.data() + pos + n, value);
    return result.ec == std::errc();
}

TDateTime ReadDate(const std::string& text) {
    // YYYY-MM-DDThh:mm:ss.zzz
    static constexpr std::string_view kShape = "0000-00-00T00:00:00.000";
    bool shaped = text.size() == kShape.size();
    for (std::size_t i = 0; shaped && i < kShape.size(); ++i) {
        shaped = kShape[i] == '0' ? (text[i] >= '0' && text[i] <= '9') : text[i] == kShape[i];
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    shaped = shaped && ReadDigits(text, 0, 4, year) && ReadDigits(text, 5, 2, month) &&
             ReadDigits(text, 8, 2, day) && ReadDigits(text, 11, 2, hour) &&
             ReadDigits(text, 14, 2, minute) && ReadDigits(text, 17, 2, second) &&
             ReadDigits(text, 20, 3, ms);
    if (!shaped || year < kMinYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInAMonth(year, month) || hour > 23 || minute > 59 || second > 59) {
        Fail("'" + text + "' is not a date of the form YYYY-MM-DDThh:mm:ss.zzz");
    }
    std::int64_t dayCount = DaysFromCivil(year, unsigned(month), unsigned(day)) - kUnixDayOfOrigin;
    double time = double(((hour * 60 + minute) * 60 + second) * 1000 + ms) / double(kMsPerDay);
    return dayCount >= 0 ? double(dayCount) + time : double(dayCount) - time;
}

Currency ReadCurrency(const std::string& text) {
    auto bad = [&text] { Fail("'" + text + "' is not an amount of the form -123.4500"); };
    std::size_t pos = text.starts_with('-') ? 1 : 0;
    std::size_t point = text.find('.');
    if (point == std::string::npos || point == pos || text.size() != point + 5) {
        bad();
    }
    // The magnitude, counted in ten-thousandths, may reach 2^63 for a negative amount.
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + pos;
    std::uint64_t magnitude = 0;
    for (std::size_t i = pos; i < text.size(); ++i) {
        if (i == point) {
            continue;
        }
        if (text[i] < '0' || text[i] > '9') {
            bad();
        }
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
            __builtin_add_overflow(magnitude, unsigned(text[i] - '0'), &magnitude) ||
            magnitude > limit) {
            Fail("the amount '" + text + "' is out of range");
        }
    }
    return Currency::FromScaled(pos == 1 ? std::int64_t(0 - magnitude) : std::int64_t(magnitude));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string ReadHex(const std::string& hex) {
    if (hex.size() % 2 != 0) {
        Fail("the hex bytes '" + hex + "' have an odd number of digits");
    }
    std::string bytes(hex.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        int high = HexDigit(hex[2 * i]);
        int low = HexDigit(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            Fail("'" + hex + "' is not hex bytes");
        }
        bytes[i] = char(high * 16 + low);
    }
    return bytes;
}

class VariantReader {
public:
    Variant Read(const Json& value, int enclosingArrays) {
        switch (value.type()) {
        case Json::value_t::null:
            return Variant::Null();
        case Json::value_t::boolean:
            return value.get<bool>();
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return ReadNumber(value);
        case Json::value_t::number_float:
            return value.get<double>();
        case Json::value_t::string:
            return value.get<std::string>();
        case Json::value_t::array:
            Nest(enclosingArrays + 1);
            return VarArray(ReadItems(value, enclosingArrays + 1));
        case Json::value_t::object:
            return ReadObject(value, enclosingArrays);
        default:
            Fail("unexpected value " + Describe(value));
        }
    }

private:
    static void Nest(int nesting) {
        if (nesting > kMaxJsonArrayNesting) {
            Fail("arrays nested deeper than " + std::to_string(kMaxJsonArrayNesting) + " levels");
        }
    }

    static Variant ReadNumber(const Json& value) {
        std::int64_t number = ReadInteger(value, std::numeric_limits<std::int64_t>::min(),
                                          std::numeric_limits<std::int64_t>::max(), "the integer");
        if (number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max()) {
            return std::int32_t(number);
        }
        return number;
    }

    std::vector<Variant> ReadItems(const Json& items, int nesting) {
        if (!items.is_array()) {
            Fail("\"items\" must be an array, not " + Describe(items));
        }
        std::vector<Variant> elements;
        elements.reserve(items.size());
        for (const Json& item : items) {
            elements.push_back(Read(item, nesting));
        }
        return elements;
    }

    Variant ReadObject(const Json& object, int enclosingArrays) {
        if (object.contains("$")) {
            ExpectKeys(object, "$", {});
            if (object["$"] != "empty") {
                Fail("unknown marker " + Describe(object));
            }
            return {};
        }
        if (object.contains("$date")) {
            ExpectKeys(object, "$date", {});
            return Variant::FromDate(ReadDate(ReadString(object["$date"], "$date")));
        }
        if (object.contains("$currency")) {
            ExpectKeys(object, "$currency", {});
            return ReadCurrency(ReadString(object["$currency"], "$currency"));
        }
        if (object.contains("$ansi")) {
            ExpectKeys(object, "$ansi", {"cp"});
            std::string bytes = ReadHex(ReadString(object["$ansi"], "$ansi"));
            auto codePage =
                object.contains("cp")
                    ? ReadInteger(object["cp"], 0, std::numeric_limits<std::uint32_t>::max(),
                                  "the code page")
                    : 0;
            return Variant::Ansi(std::move(bytes), std::uint32_t(codePage));
        }
        if (object.contains("$lo")) {
            ExpectKeys(object, "$lo", {"items"});
            return ReadLowBounded(object, enclosingArrays + 1);
        }
        if (object.contains("$dims")) {
            ExpectKeys(object, "$dims", {"items"});
            return ReadTwoDimensional(object, enclosingArrays + 1);
        }
        if (object.contains("$dispatch")) {
            ExpectKeys(object, "$dispatch", {});
            const Json& name = object["$dispatch"];
            if (name.is_null()) {
                return std::shared_ptr<Dispatch>();
            }
            return std::make_shared<UnboundDispatch>(ReadString(name, "$dispatch"));
        }
        Fail("the object " + Describe(object) + " is not a variant");
    }

    Variant ReadLowBounded(const Json& object, int nesting) {
        Nest(nesting);
        int low = ReadBound(object["$lo"]);
        const Json& items = Member(object, "items", "$lo");
        if (items.is_array() &&
            std::int64_t(low) + std::int64_t(items.size()) - 1 > std::numeric_limits<int>::max()) {
            Fail("the items do not fit above the low bound " + std::to_string(low));
        }
        return VarArray(ReadItems(items, nesting), low);
    }

    static VarArrayBound ReadDim(const Json& pair) {
        if (!pair.is_array() || pair.size() != 2) {
            Fail("a dimension must be [low,high], not " + Describe(pair));
        }
        VarArrayBound bound{ReadBound(pair[0]), ReadBound(pair[1])};
        if (std::int64_t(bound.High) < std::int64_t(bound.Low) - 1) {
            Fail("the dimension " + Describe(pair) + " has a high bound below its low bound");
        }
        return bound;
    }

    Variant ReadTwoDimensional(const Json& object, int nesting) {
        Nest(nesting);
        const Json& dims = object["$dims"];
        if (!dims.is_array() || dims.size() != 2) {
            Fail("\"$dims\" must hold two dimensions, not " + Describe(dims));
        }
        VarArrayBound rows = ReadDim(dims[0]);
        VarArrayBound columns = ReadDim(dims[1]);
        const Json& items = Member(object, "items", "$dims");
        if (!items.is_array() || items.size() != rows.Count()) {
            Fail("\"items\" must hold " + std::to_string(rows.Count()) + " rows");
        }
        for (const Json& row : items) {
            if (!row.is_array() || row.size() != columns.Count()) {
                Fail("every row of \"items\" must hold " + std::to_string(columns.Count()) +
                     " elements, not " + Describe(row));
            }
        }
        VarArray array(rows, columns);
        auto elements = array.Elements();
        std::size_t next = 0;
        for (const Json& row : items) {
            for (const Json& item : row) {
                elements[next++] = Read(item, nesting);
            }
        }
        return array;
    }
};

} // namespace

std::string ToJson(const Variant& value) {
    JsonWriter writer;
    writer.Write(value, 0);
    return writer.Take();
}

Variant FromJson(std::string_view json) {
    BoundedTreeBuilder builder;
    Json::sax_parse(json.begin(), json.end(), &builder);
    return VariantReader().Read(builder.Take(), 0);
}

} // namespace kvc
