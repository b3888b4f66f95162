#include "runtime/datetime.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

namespace kvc {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr double kMsPerDay = 86400000.0;

// A date to the millisecond, the way the JSON reader builds it.
TDateTime DayAndMs(double day, double ms) {
    return day >= 0 ? day + ms / kMsPerDay : day - ms / kMsPerDay;
}

Variant TwoByThree() {
    Variant v = VarArrayCreate({0, 1, 1, 3});
    v(0, 1) = "a";
    v(0, 2) = 1;
    v(0, 3) = Variant::Null();
    v(1, 1) = 2.5;
    v(1, 2) = "中";
    v(1, 3) = true;
    return v;
}

Variant NestedWithBounds() {
    Variant inner = VarArrayCreate({1, 2});
    inner[1] = "x";
    inner[2] = VarArrayOf({});
    Variant outer = VarArrayCreate({-2, 0});
    outer[-2] = inner;
    outer[-1] = TwoByThree();
    outer[0] = VarArrayOf({VarArrayOf({Variant::Ansi("\x01", 437)})});
    return outer;
}

struct JsonCase {
    const char* label;
    Variant value;
    const char* json;
};

const JsonCase kCases[] = {
    {"Empty", Variant(), R"({"$":"empty"})"},
    {"Null", Variant::Null(), "null"},
    {"Integer", Variant(-12), "-12"},
    {"Integer limit", Variant(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
    {"Int64", Variant(std::int64_t(5000000000)), "5000000000"},
    {"Int64 limit", Variant(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
    {"true", Variant(true), "true"},
    {"false", Variant(false), "false"},
    {"whole Double", Variant(2.0), "2.0"},
    {"Double", Variant(0.1), "0.1"},
    {"third", Variant(1.0 / 3), "0.3333333333333333"},
    {"negative zero", Variant(-0.0), "-0.0"},
    {"large Double", Variant(1e20), "1.0e+20"},
    {"small Double", Variant(1.5e-7), "1.5e-07"},
    {"largest Double", Variant(DBL_MAX), "1.7976931348623157e+308"},
    {"least Double", Variant(4.9406564584124654e-324), "5.0e-324"},
    {"Currency", Variant(Currency::FromScaled(123400)), R"({"$currency":"12.3400"})"},
    {"small Currency", Variant(Currency::FromScaled(-1)), R"({"$currency":"-0.0001"})"},
    {"least Currency", Variant(Currency::FromScaled(std::numeric_limits<std::int64_t>::min())),
     R"({"$currency":"-922337203685477.5808"})"},
    {"origin", Variant::FromDate(0), R"({"$date":"1899-12-30T00:00:00.000"})"},
    {"before the origin", Variant::FromDate(-1.25), R"({"$date":"1899-12-29T06:00:00.000"})"},
    {"milliseconds", Variant::FromDate(DayAndMs(45366, 45296789)),
     R"({"$date":"2024-03-15T12:34:56.789"})"},
    {"milliseconds long ago", Variant::FromDate(DayAndMs(-109572, 86399999)),
     R"({"$date":"1599-12-31T23:59:59.999"})"},
    {"first day", Variant::FromDate(-693593), R"({"$date":"0001-01-01T00:00:00.000"})"},
    {"last moment", Variant::FromDate(DayAndMs(2958465, 86399999)),
     R"({"$date":"9999-12-31T23:59:59.999"})"},
    {"text", Variant("abc"), R"("abc")"},
    {"Chinese text", Variant("中文報表"), R"("中文報表")"},
    {"escapes", Variant("a\"b\\c\n\t\x01"), R"("a\"b\\c\n\t\u0001")"},
    {"AnsiStr", Variant::Ansi("\xD6\xD0\xCE\xC4", 936), R"({"$ansi":"d6d0cec4","cp":936})"},
    {"AnsiStr of unknown page", Variant::Ansi(std::string("\xAB\x00", 2), 0),
     R"({"$ansi":"ab00"})"},
    {"empty AnsiStr", Variant::Ansi("", 950), R"({"$ansi":"","cp":950})"},
    {"array from 0", VarArrayOf({1, "a", Variant()}), R"([1,"a",{"$":"empty"}])"},
    {"empty array", VarArrayOf({}), "[]"},
    {"array from 1", VarArrayCreate({1, 2}), R"({"$lo":1,"items":[{"$":"empty"},{"$":"empty"}]})"},
    {"empty array from 5", VarArrayCreate({5, 4}), R"({"$lo":5,"items":[]})"},
    {"two dimensions", TwoByThree(),
     R"({"$dims":[[0,1],[1,3]],"items":[["a",1,null],[2.5,"中",true]]})"},
    {"no rows", VarArrayCreate({0, -1, 0, 2}), R"({"$dims":[[0,-1],[0,2]],"items":[]})"},
    {"no columns", VarArrayCreate({1, 2, 0, -1}), R"({"$dims":[[1,2],[0,-1]],"items":[[],[]]})"},
    {"nested with bounds", NestedWithBounds(),
     R"({"$lo":-2,"items":[{"$lo":1,"items":["x",[]]},)"
     R"({"$dims":[[0,1],[1,3]],"items":[["a",1,null],[2.5,"中",true]]},)"
     R"([[{"$ansi":"01","cp":437}]]]})"},
};

TEST(VariantJson, WritesTheCanonicalForm) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ToJson(c.value), c.json);
    }
}

TEST(VariantJson, ReadsBackTheSameValueAndKind) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        Variant read = FromJson(c.json);
        EXPECT_EQ(read.Kind(), c.value.Kind());
        EXPECT_EQ(read, c.value);
        EXPECT_EQ(ToJson(read), c.json);
    }
}

TEST(VariantJson, DoublesReadBackBitForBit) {
    const double values[] = {-0.0,        1.0 / 3,  0.1 + 0.2,         123456.789e-300,
                             DBL_MIN / 3, -DBL_MAX, 9007199254740993.0};
    for (double d : values) {
        SCOPED_TRACE(d);
        double read = FromJson(ToJson(Variant(d))).AsDouble();
        EXPECT_EQ(std::memcmp(&read, &d, sizeof d), 0);
    }
}

TEST(VariantJson, IntegersReadAsIntegerWhenTheyFitElseInt64) {
    struct {
        const char* json;
        VariantKind kind;
    } cases[] = {
        {"2147483647", VariantKind::Integer},        {"-2147483648", VariantKind::Integer},
        {"2147483648", VariantKind::Int64},          {"-2147483649", VariantKind::Int64},
        {"9223372036854775807", VariantKind::Int64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        Variant v = FromJson(c.json);
        EXPECT_EQ(v.Kind(), c.kind);
        EXPECT_EQ(ToJson(v), c.json);
    }
    // A small Int64 comes back as an equal Integer.
    Variant small = FromJson(ToJson(Variant(std::int64_t(7))));
    EXPECT_EQ(small.Kind(), VariantKind::Integer);
    EXPECT_EQ(small, Variant(std::int64_t(7)));
}

TEST(VariantJson, DatesRoundToTheMillisecond) {
    EXPECT_EQ(ToJson(Variant::FromDate(DayAndMs(10, 1.4))),
              R"({"$date":"1900-01-09T00:00:00.001"})");
    // The last half millisecond of a day is the next midnight, on either side of the origin.
    EXPECT_EQ(ToJson(Variant::FromDate(DayAndMs(10, 86399999.6))),
              R"({"$date":"1900-01-10T00:00:00.000"})");
    EXPECT_EQ(ToJson(Variant::FromDate(DayAndMs(-2, 86399999.6))),
              R"({"$date":"1899-12-29T00:00:00.000"})");
}

TEST(VariantJson, ValuesWithoutAJsonFormRaise) {
    const Variant values[] = {
        Variant(std::nan("")),           Variant(std::numeric_limits<double>::infinity()),
        Variant::FromDate(std::nan("")), Variant::FromDate(-693594),
        Variant::FromDate(2958466),      Variant::FromDate(1e300),
    };
    for (const Variant& v : values) {
        EXPECT_THROW(ToJson(v), EConvertError);
    }
}

Variant NestedArrays(int levels) {
    Variant v = 1;
    for (int i = 0; i < levels; ++i) {
        v = VarArrayOf({v});
    }
    return v;
}

std::string NestedJson(int levels) {
    return std::string(std::size_t(levels), '[') + "1" + std::string(std::size_t(levels), ']');
}

TEST(VariantJson, NestingIsBoundedBothWays) {
    EXPECT_EQ(ToJson(NestedArrays(kMaxJsonArrayNesting)), NestedJson(kMaxJsonArrayNesting));
    EXPECT_EQ(FromJson(NestedJson(kMaxJsonArrayNesting)), NestedArrays(kMaxJsonArrayNesting));
    EXPECT_THROW(ToJson(NestedArrays(kMaxJsonArrayNesting + 1)), EConvertError);
    EXPECT_THROW(FromJson(NestedJson(kMaxJsonArrayNesting + 1)), EConvertError);
}

TEST(VariantJson, TextThatIsNotUtf8IsWrittenWithReplacements) {
    EXPECT_EQ(ToJson(Variant("a\xFF")), "\"a\xEF\xBF\xBD\"");
}

TEST(VariantJson, ObjectsWriteTheirClassAndReadBackUnbound) {
    class Named final : public Dispatch {
    public:
        std::string ClassName() const override { return "ReportCounterS.dmReportCounter"; }
        Variant Invoke(std::string_view name, InvokeKind, DispatchArgs) override {
            ThrowUnknownMember(name);
        }
    };
    const char* json = R"({"$dispatch":"ReportCounterS.dmReportCounter"})";
    EXPECT_EQ(ToJson(Variant(std::make_shared<Named>())), json);

    Variant read = FromJson(json);
    ASSERT_TRUE(read.IsDispatch());
    EXPECT_EQ(read.AsDispatch()->ClassName(), "ReportCounterS.dmReportCounter");
    EXPECT_EQ(ToJson(read), json);
    EXPECT_THAT([&] { read.Call("Request", {1}); },
                ::testing::ThrowsMessage<EOleError>(HasSubstr("not bound")));

    Variant nil = FromJson(R"({"$dispatch":null})");
    EXPECT_TRUE(nil.IsDispatch());
    EXPECT_EQ(nil.AsDispatch(), nullptr);
    EXPECT_EQ(ToJson(nil), R"({"$dispatch":null})");
}

TEST(VariantJson, ReadsKeysInAnyOrderAndUpperCaseHex) {
    EXPECT_EQ(FromJson(R"({"items":[1],"$lo":3})"), FromJson(R"({"$lo":3,"items":[1]})"));
    EXPECT_EQ(FromJson(R"({"cp":936,"$ansi":"D6D0"})"), Variant::Ansi("\xD6\xD0", 936));
    EXPECT_EQ(FromJson(" [ 1 , 2 ] "), VarArrayOf({1, 2}));
}

struct MalformedCase {
    const char* label;
    std::string json;
};

TEST(VariantJson, RefusesMalformedInputWithConvertError) {
    const MalformedCase cases[] = {
        {"nothing", ""},
        {"blanks", "   "},
        {"cut short", "[1,"},
        {"open object", "{"},
        {"bad literal", "nul"},
        {"trailing text", "[1]x"},
        {"trailing comma", "[1,2,]"},
        {"NaN", "NaN"},
        {"leading zero", "01"},
        {"comment", "/*x*/1"},
        {"single quotes", "'a'"},
        {"bad UTF-8", "\"\xFF\""},
        {"number overflow", "1e999"},
        {"integer above Int64", "9223372036854775808"},
        {"integer far above Int64", "99999999999999999999"},
        {"integer below Int64", "-9223372036854775809"},
        {"plain object", R"({"a":1})"},
        {"empty object", "{}"},
        {"unknown marker key", R"({"$foo":1})"},
        {"unknown marker value", R"({"$":"full"})"},
        {"marker not text", R"({"$":1})"},
        {"extra key beside marker", R"({"$":"empty","x":1})"},
        {"duplicate key", R"({"$":"empty","$":"empty"})"},
        {"odd hex", R"({"$ansi":"abc"})"},
        {"bad hex", R"({"$ansi":"zz"})"},
        {"hex not text", R"({"$ansi":12})"},
        {"negative code page", R"({"$ansi":"00","cp":-1})"},
        {"huge code page", R"({"$ansi":"00","cp":4294967296})"},
        {"code page as text", R"({"$ansi":"00","cp":"936"})"},
        {"fractional code page", R"({"$ansi":"00","cp":1.5})"},
        {"extra key beside bytes", R"({"$ansi":"00","cq":1})"},
        {"date not text", R"({"$date":45000})"},
        {"February 30", R"({"$date":"2024-02-30T00:00:00.000"})"},
        {"month 13", R"({"$date":"2024-13-01T00:00:00.000"})"},
        {"space for T", R"({"$date":"2024-01-01 00:00:00.000"})"},
        {"hour 24", R"({"$date":"2024-01-01T24:00:00.000"})"},
        {"second 60", R"({"$date":"2024-01-01T00:00:60.000"})"},
        {"year 0", R"({"$date":"0000-01-01T00:00:00.000"})"},
        {"no milliseconds", R"({"$date":"2024-01-01T00:00:00"})"},
        {"signed year", R"({"$date":"+024-01-01T00:00:00.000"})"},
        {"date with zone", R"({"$date":"2024-01-01T00:00:00.000Z"})"},
        {"two decimals", R"({"$currency":"12.34"})"},
        {"no decimals", R"({"$currency":"12"})"},
        {"five decimals", R"({"$currency":"1.00000"})"},
        {"no integer digits", R"({"$currency":"-.0000"})"},
        {"plus sign", R"({"$currency":"+1.0000"})"},
        {"word amount", R"({"$currency":"ab.cdef"})"},
        {"amount too large", R"({"$currency":"922337203685477.5808"})"},
        {"amount far too large", R"({"$currency":"99999999999999999999.0000"})"},
        {"amount as number", R"({"$currency":12.34})"},
        {"low bound as text", R"({"$lo":"1","items":[]})"},
        {"fractional low bound", R"({"$lo":1.5,"items":[]})"},
        {"low bound without items", R"({"$lo":1})"},
        {"items not an array", R"({"$lo":1,"items":{}})"},
        {"items past the top", R"({"$lo":2147483647,"items":[1,2]})"},
        {"low bound out of range", R"({"$lo":2147483648,"items":[]})"},
        {"extra key beside low bound", R"({"$lo":1,"items":[],"x":1})"},
        {"one dimension in dims", R"({"$dims":[[0,1]],"items":[[],[]]})"},
        {"three dimensions", R"({"$dims":[[0,0],[0,0],[0,0]],"items":[[1]]})"},
        {"dimension not a pair", R"({"$dims":[[0,1,2],[0,0]],"items":[[1],[2]]})"},
        {"high below low", R"({"$dims":[[0,-2],[0,0]],"items":[]})"},
        {"too few rows", R"({"$dims":[[0,1],[0,0]],"items":[[1]]})"},
        {"too many rows", R"({"$dims":[[0,0],[0,0]],"items":[[1],[2]]})"},
        {"short row", R"({"$dims":[[0,1],[0,1]],"items":[[1,2],[3]]})"},
        {"row not an array", R"({"$dims":[[0,0],[0,0]],"items":[1]})"},
        {"dims without items", R"({"$dims":[[0,0],[0,0]]})"},
        {"huge dims", R"({"$dims":[[0,2147483647],[0,2147483647]],"items":[]})"},
        {"class not text", R"({"$dispatch":5})"},
        {"bad element inside", R"([1,{"$":"none"}])"},
        {"arrays too deep", NestedJson(kMaxJsonArrayNesting + 1)},
        {"JSON far too deep", std::string(100000, '[')},
        {"objects far too deep",
         [] {
             std::string s;
             for (int i = 0; i < 100000; ++i) {
                 s += R"({"$lo":0,"items":)";
             }
             return s;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        try {
            Variant v = FromJson(c.json);
            ADD_FAILURE() << "accepted as " << ToJson(v);
        } catch (const EConvertError& e) {
            EXPECT_THAT(e.what(), StartsWith("Invalid variant JSON: "));
        }
    }
}

TEST(VariantJson, ErrorsSayWhatIsWrong) {
    struct {
        const char* json;
        const char* says;
    } cases[] = {
        {"[1,", "line 1, column 4"},
        {R"({"$ansi":"abc"})", "odd number of digits"},
        {R"({"$dims":[[0,1],[0,0]],"items":[[1]]})", "must hold 2 rows"},
        {R"({"$date":"2024-02-30T00:00:00.000"})", "'2024-02-30T00:00:00.000' is not a date"},
        {R"({"$x":1})", "is not a variant"},
        {"99999999999999999999", "out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_THAT([&] { FromJson(c.json); },
                    ::testing::ThrowsMessage<EConvertError>(HasSubstr(c.says)));
    }
}

} // namespace
} // namespace kvc
