#include "runtime/datetime.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/variant.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"

#include <cmath>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace kvc {
namespace {

using ::testing::HasSubstr;

class Nothing final : public Dispatch {
public:
    std::string ClassName() const override { return "Test.Nothing"; }
    Variant Invoke(std::string_view name, InvokeKind, DispatchArgs) override {
        ThrowUnknownMember(name);
    }
};

// ---- kinds ----

struct KindCase {
    const char* label;
    Variant value;
    VariantKind kind;
    std::uint16_t varType;
};

TEST(VariantKinds, EachConstructorGivesItsKindAndClassicTypeCode) {
    const KindCase cases[] = {
        {"default", Variant(), VariantKind::Empty, varEmpty},
        {"Null", Variant::Null(), VariantKind::Null, varNull},
        {"int", Variant(42), VariantKind::Integer, varInteger},
        {"short", Variant(short(-3)), VariantKind::Integer, varInteger},
        {"uint16", Variant(std::uint16_t(65535)), VariantKind::Integer, varInteger},
        {"int64", Variant(std::int64_t(5)), VariantKind::Int64, varInt64},
        {"uint32 does not fit Integer", Variant(4000000000u), VariantKind::Int64, varInt64},
        {"bool", Variant(true), VariantKind::Boolean, varBoolean},
        {"VariantBool", Variant(VariantBool(true)), VariantKind::Boolean, varBoolean},
        {"double", Variant(2.5), VariantKind::Double, varDouble},
        {"float", Variant(2.5f), VariantKind::Double, varDouble},
        {"Currency", Variant(Currency::FromScaled(1)), VariantKind::Currency, varCurrency},
        {"date", Variant::FromDate(45000), VariantKind::Date, varDate},
        {"literal", Variant("abc"), VariantKind::OleStr, varOleStr},
        {"string", Variant(std::string("abc")), VariantKind::OleStr, varOleStr},
        {"string_view", Variant(std::string_view("abc")), VariantKind::OleStr, varOleStr},
        {"ansi", Variant::Ansi("ab", 936), VariantKind::AnsiStr, varString},
        {"array", VarArrayOf({1, 2}), VariantKind::Array, varArray | varVariant},
        {"object", Variant(std::make_shared<Nothing>()), VariantKind::Dispatch, varDispatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.value.Kind(), c.kind);
        EXPECT_EQ(c.value.VarType(), c.varType);
        EXPECT_EQ(VarType(c.value), c.varType);
    }
}

TEST(VariantKinds, PredicatesAnswerByKind) {
    EXPECT_TRUE(VarIsEmpty(Variant()));
    EXPECT_TRUE(VarIsNull(Variant::Null()));
    EXPECT_FALSE(VarIsNull(Variant()));
    EXPECT_TRUE(VarIsStr(Variant("x")));
    EXPECT_TRUE(VarIsStr(Variant::Ansi("x")));
    EXPECT_FALSE(VarIsStr(Variant(1)));
    EXPECT_TRUE(VarIsArray(VarArrayCreate({0, 1})));
    EXPECT_FALSE(VarIsArray(Variant("[]")));
    EXPECT_TRUE(Variant(Currency()).IsNumeric());
    EXPECT_FALSE(Variant::FromDate(1).IsNumeric());
    EXPECT_TRUE(Variant(std::shared_ptr<Dispatch>()).IsDispatch());
}

TEST(VariantKinds, UnsignedBeyondInt64Overflows) {
    EXPECT_THROW(Variant(std::numeric_limits<std::uint64_t>::max()), EVariantError);
    EXPECT_EQ(Variant(std::uint64_t(7)).AsInt64(), 7);
}

TEST(VariantKinds, CharactersAndStrayPointersDoNotCompile) {
    static_assert(!std::is_constructible_v<Variant, char>);
    static_assert(!std::is_constructible_v<Variant, int*>);
    static_assert(!std::is_constructible_v<Variant, std::nullptr_t>);
    static_assert(std::is_constructible_v<Variant, char*>);
    char text[] = "mutable";
    EXPECT_EQ(Variant(text).Kind(), VariantKind::OleStr);
}

TEST(VariantKinds, NullPointerTextIsEmptyText) {
    const char* none = nullptr;
    EXPECT_EQ(Variant(none).AsString(), "");
}

TEST(VariantKinds, StaysSmallEnoughToCopyCheaply) {
    static_assert(sizeof(Variant) <= 48);
    static_assert(std::is_nothrow_move_constructible_v<Variant>);
}

TEST(VariantKinds, MovedFromIsEmpty) {
    Variant text("abc");
    Variant taken(std::move(text));
    EXPECT_TRUE(text.IsEmpty()); // NOLINT(bugprone-use-after-move): moved-from is Empty by design
    Variant array = VarArrayOf({1});
    Variant target;
    target = std::move(array);
    EXPECT_TRUE(array.IsEmpty()); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(target, VarArrayOf({1}));
}

// ---- conversions ----

enum class To { Integer, Int64, Double, Boolean, Currency, Date, String };

Variant Convert(const Variant& v, To to) {
    switch (to) {
    case To::Integer:
        return v.AsInteger();
    case To::Int64:
        return v.AsInt64();
    case To::Double:
        return v.AsDouble();
    case To::Boolean:
        return v.AsBoolean();
    case To::Currency:
        return v.AsCurrency();
    case To::Date:
        return Variant::FromDate(v.AsDate());
    case To::String:
        return v.AsString();
    }
    return {};
}

struct ConversionCase {
    const char* label;
    Variant from;
    To to;
    std::optional<Variant> expected; // nullopt: EVariantError
};

Variant Money(std::int64_t scaled) {
    return Currency::FromScaled(scaled);
}

class VariantConversion : public ::testing::Test {
protected:
    // Dates and decimals print the same wherever the test runs.
    ScopedFormatSettings settings_{TFormatSettings{}};
};

TEST_F(VariantConversion, FollowsTheClassicRules) {
    const auto none = std::nullopt;
    const ConversionCase cases[] = {
        {"Empty to Integer", Variant(), To::Integer, Variant(0)},
        {"Empty to String", Variant(), To::String, Variant("")},
        {"Empty to Boolean", Variant(), To::Boolean, Variant(false)},
        {"Empty to Double", Variant(), To::Double, Variant(0.0)},
        {"Null to Integer", Variant::Null(), To::Integer, none},
        {"Null to String", Variant::Null(), To::String, none},
        {"Null to Boolean", Variant::Null(), To::Boolean, none},
        {"Null to Date", Variant::Null(), To::Date, none},
        {"Integer to String", Variant(42), To::String, Variant("42")},
        {"Integer to Double", Variant(-42), To::Double, Variant(-42.0)},
        {"Integer to Boolean", Variant(42), To::Boolean, Variant(true)},
        {"zero to Boolean", Variant(0), To::Boolean, Variant(false)},
        {"Integer to Currency", Variant(42), To::Currency, Money(420000)},
        {"Int64 to Integer overflows", Variant(std::int64_t(5000000000)), To::Integer, none},
        {"Int64 to String", Variant(std::int64_t(5000000000)), To::String, Variant("5000000000")},
        {"True to Integer", Variant(true), To::Integer, Variant(-1)},
        {"False to Integer", Variant(false), To::Integer, Variant(0)},
        {"True to String", Variant(true), To::String, Variant("True")},
        {"False to String", Variant(false), To::String, Variant("False")},
        {"True to Currency", Variant(true), To::Currency, Money(-10000)},
        {"2.5 rounds to even", Variant(2.5), To::Integer, Variant(2)},
        {"3.5 rounds to even", Variant(3.5), To::Integer, Variant(4)},
        {"-2.5 rounds to even", Variant(-2.5), To::Integer, Variant(-2)},
        {"2.6 rounds up", Variant(2.6), To::Int64, Variant(std::int64_t(3))},
        {"Double to String", Variant(2.5), To::String, Variant("2.5")},
        {"Double to Currency", Variant(12.3456), To::Currency, Money(123456)},
        {"1e20 to Int64 overflows", Variant(1e20), To::Int64, none},
        {"NaN to Integer", Variant(std::nan("")), To::Integer, none},
        {"3e9 to Integer overflows", Variant(3e9), To::Integer, none},
        {"Currency to String", Variant(Money(123456)), To::String, Variant("12.3456")},
        {"Currency drops zeros", Variant(Money(123400)), To::String, Variant("12.34")},
        {"whole Currency", Variant(Money(120000)), To::String, Variant("12")},
        {"negative Currency", Variant(Money(-5)), To::String, Variant("-0.0005")},
        {"least Currency", Variant(Money(std::numeric_limits<std::int64_t>::min())), To::String,
         Variant("-922337203685477.5808")},
        {"Currency 12.5 to even", Variant(Money(125000)), To::Integer, Variant(12)},
        {"Currency 13.5 to even", Variant(Money(135000)), To::Integer, Variant(14)},
        {"Currency -0.5 to even", Variant(Money(-5000)), To::Integer, Variant(0)},
        {"Currency -1.5 to even", Variant(Money(-15000)), To::Integer, Variant(-2)},
        {"Currency to Double", Variant(Money(-15000)), To::Double, Variant(-1.5)},
        {"Currency fraction is true", Variant(Money(1)), To::Boolean, Variant(true)},
        {"Date to Double", Variant::FromDate(45000.5), To::Double, Variant(45000.5)},
        {"Date to String", Variant::FromDate(EncodeDate(2024, 3, 15) + EncodeTime(8, 5, 9, 0)),
         To::String, Variant("2024/03/15 08:05:09")},
        {"midnight Date to String", Variant::FromDate(EncodeDate(2024, 3, 15)), To::String,
         Variant("2024/03/15")},
        {"text to Integer", Variant("123"), To::Integer, Variant(123)},
        {"hex text to Integer", Variant("$1F"), To::Integer, Variant(31)},
        {"decimal text to Integer", Variant("12.5"), To::Integer, Variant(12)},
        {"decimal text to Double", Variant("12.5"), To::Double, Variant(12.5)},
        {"text to Currency", Variant("12.3456"), To::Currency, Money(123456)},
        {"word to Integer", Variant("abc"), To::Integer, none},
        {"word to Double", Variant("abc"), To::Double, none},
        {"word to Boolean", Variant("abc"), To::Boolean, none},
        {"empty text to Integer", Variant(""), To::Integer, none},
        {"TRUE to Boolean", Variant("TRUE"), To::Boolean, Variant(true)},
        {"false to Boolean", Variant("false"), To::Boolean, Variant(false)},
        {"numeric text to Boolean", Variant("0"), To::Boolean, Variant(false)},
        {"True text is no number", Variant("True"), To::Integer, none},
        {"text to Date", Variant("2024/03/15"), To::Date,
         Variant::FromDate(EncodeDate(2024, 3, 15))},
        {"word to Date", Variant("someday"), To::Date, none},
        {"ASCII bytes to Integer", Variant::Ansi("42", 936), To::Integer, Variant(42)},
        {"ASCII bytes to String", Variant::Ansi("ok", 0), To::String, Variant("ok")},
        {"GBK bytes to String", Variant::Ansi("\xD6\xD0", 936), To::String, none},
        {"bytes of unknown page", Variant::Ansi("\xD6\xD0", 0), To::String, none},
        {"UTF-8 bytes to String", Variant::Ansi("\xE4\xB8\xAD", 65001), To::String, Variant("中")},
        {"broken UTF-8 bytes", Variant::Ansi("\xE4\xB8", 65001), To::String, none},
        {"array to String", VarArrayOf({1}), To::String, none},
        {"array to Integer", VarArrayOf({1}), To::Integer, none},
        {"object to String", Variant(std::make_shared<Nothing>()), To::String, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.expected) {
            Variant result = Convert(c.from, c.to);
            EXPECT_EQ(result, *c.expected) << ToJson(result);
            EXPECT_EQ(result.Kind(), c.expected->Kind());
        } else {
            EXPECT_THROW(Convert(c.from, c.to), EVariantError);
        }
    }
}

TEST_F(VariantConversion, FailuresCarryTheClassicMessages) {
    try {
        (void)Variant::Null().AsString();
        FAIL() << "Null converted to text";
    } catch (const EVariantError& e) {
        EXPECT_STREQ(e.what(), "Invalid variant type conversion");
    }
    try {
        (void)Variant(std::int64_t(1) << 40).AsInteger();
        FAIL() << "Int64 squeezed into 32 bits";
    } catch (const EVariantError& e) {
        EXPECT_STREQ(e.what(), "Variant overflow");
    }
}

TEST_F(VariantConversion, VarToStrGivesEmptyTextForNullAndEmpty) {
    EXPECT_EQ(VarToStr(Variant::Null()), "");
    EXPECT_EQ(VarToStr(Variant()), "");
    EXPECT_EQ(VarToStr(Variant(7)), "7");
    EXPECT_THROW(VarToStr(VarArrayOf({})), EVariantError);
}

TEST_F(VariantConversion, DecimalsFollowTheFormatSettings) {
    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    ScopedFormatSettings scoped(comma);
    EXPECT_EQ(Variant(Money(123400)).AsString(), "12,34");
    EXPECT_EQ(Variant("2,5").AsDouble(), 2.5);
}

TEST_F(VariantConversion, RawAccessorsRefuseOtherKinds) {
    Variant ansi = Variant::Ansi("\xB9\xFA", 936);
    EXPECT_EQ(ansi.AnsiBytes(), "\xB9\xFA");
    EXPECT_EQ(ansi.AnsiCodePage(), 936u);
    EXPECT_THROW((void)Variant("x").AnsiBytes(), EVariantError);
    EXPECT_THROW((void)Variant(1).AsDispatch(), EVariantError);
    EXPECT_THROW((void)Variant(1).Array(), EVariantError);
}

// ---- equality ----

struct EqualityCase {
    const char* label;
    Variant a;
    Variant b;
    bool equal;
};

TEST(VariantEquality, ComparesSameKindsByValueAndNumbersAcrossKinds) {
    auto object = std::make_shared<Nothing>();
    const EqualityCase cases[] = {
        {"Empty", Variant(), Variant(), true},
        {"Null", Variant::Null(), Variant::Null(), true},
        {"Empty is not Null", Variant(), Variant::Null(), false},
        {"Integer and Int64", Variant(5), Variant(std::int64_t(5)), true},
        {"Integer and Double", Variant(5), Variant(5.0), true},
        {"Integer and fraction", Variant(5), Variant(5.5), false},
        {"Integer and Currency", Variant(5), Variant(Money(50000)), true},
        {"Currency with a fraction", Variant(5), Variant(Money(50001)), false},
        {"huge Int64 and Currency", Variant(std::numeric_limits<std::int64_t>::max()),
         Variant(Money(-1)), false},
        {"Currency and Double", Variant(Money(25000)), Variant(2.5), true},
        {"text is not a number", Variant("5"), Variant(5), false},
        {"Boolean is not a number", Variant(true), Variant(-1), false},
        {"Date is not a Double", Variant::FromDate(5), Variant(5.0), false},
        {"Dates", Variant::FromDate(5.25), Variant::FromDate(5.25), true},
        {"texts", Variant("中文"), Variant("中文"), true},
        {"text case matters", Variant("abc"), Variant("ABC"), false},
        {"OleStr is not AnsiStr", Variant("ab"), Variant::Ansi("ab"), false},
        {"AnsiStr code pages", Variant::Ansi("ab", 936), Variant::Ansi("ab", 950), false},
        {"AnsiStr", Variant::Ansi("ab", 936), Variant::Ansi("ab", 936), true},
        {"arrays", VarArrayOf({1, "a"}), VarArrayOf({1, "a"}), true},
        {"array elements", VarArrayOf({1, "a"}), VarArrayOf({1, "b"}), false},
        {"array bounds", VarArrayCreate({0, 1}), VarArrayCreate({1, 2}), false},
        {"array dimensions", VarArrayCreate({0, 1, 0, 0}), VarArrayCreate({0, 1}), false},
        {"same object", Variant(object), Variant(object), true},
        {"other object", Variant(object), Variant(std::make_shared<Nothing>()), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
    }
}

// ---- VariantBool ----

TEST(VariantBoolTest, IsSixteenBitsWithAllBitsSetForTrue) {
    EXPECT_EQ(VariantBool(true).Raw(), -1);
    EXPECT_EQ(VariantBool(false).Raw(), 0);
    EXPECT_EQ(VariantBool().Raw(), 0);
    EXPECT_TRUE(bool(VariantBool::FromRaw(1)));
    EXPECT_FALSE(bool(VariantBool::FromRaw(0)));
    EXPECT_EQ(VariantBool::FromRaw(1), VariantBool(true));
    EXPECT_FALSE(VariantBool(true) == VariantBool(false));
    EXPECT_EQ(Variant(VariantBool::FromRaw(-1)), Variant(true));
}

// ---- arrays ----

TEST(VariantArray, CreateGivesBoundsAndEmptyElements) {
    Variant one = VarArrayCreate({1, 3});
    EXPECT_EQ(VarArrayDimCount(one), 1);
    EXPECT_EQ(VarArrayLowBound(one, 1), 1);
    EXPECT_EQ(VarArrayHighBound(one, 1), 3);
    EXPECT_TRUE(one[1].IsEmpty());
    EXPECT_TRUE(one[3].IsEmpty());

    Variant two = VarArrayCreate({0, 1, 1, 3});
    EXPECT_EQ(VarArrayDimCount(two), 2);
    EXPECT_EQ(VarArrayLowBound(two, 2), 1);
    EXPECT_EQ(VarArrayHighBound(two, 2), 3);
    two(0, 3) = "first row, last column";
    two(1, 1) = 11;
    // Stored row by row.
    EXPECT_EQ(two.Array().Elements()[2], Variant("first row, last column"));
    EXPECT_EQ(two.Array().Elements()[3], Variant(11));

    EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
}

TEST(VariantArray, ArrayOfIndexesFromZeroAndNests) {
    Variant v = VarArrayOf({1, "two", VarArrayOf({3.0})});
    EXPECT_EQ(VarArrayLowBound(v, 1), 0);
    EXPECT_EQ(VarArrayHighBound(v, 1), 2);
    EXPECT_EQ(v[1], Variant("two"));
    EXPECT_EQ(v[2][0], Variant(3.0));
    EXPECT_EQ(VarArrayHighBound(VarArrayOf({}), 1), -1);
}

TEST(VariantArray, EmptyDimensionIsAllowedButNotLess) {
    EXPECT_EQ(VarArrayCreate({1, 0}).Array().ElementCount(), 0u);
    EXPECT_THROW(VarArrayCreate({1, -1}), EVariantError);
    EXPECT_THROW(VarArrayCreate({0, 1, 5, 2}), EVariantError);
    EXPECT_THROW(VarArrayCreate({0, 1, 2}), EVariantError);
    EXPECT_THROW(VarArrayCreate({0, 1 << 30, 0, 1 << 30}), EVariantError);
}

TEST(VariantArray, IndicesOutsideTheBoundsRaise) {
    Variant one = VarArrayCreate({1, 3});
    Variant two = VarArrayCreate({0, 1, 1, 3});
    const Variant& constOne = one;
    struct {
        const char* label;
        std::function<void()> access;
    } cases[] = {
        {"below", [&] { (void)one[0]; }},
        {"above", [&] { (void)one[4]; }},
        {"const above", [&] { (void)constOne[4]; }},
        {"row above", [&] { (void)two(2, 1); }},
        {"column below", [&] { (void)two(0, 0); }},
        {"one index into two dimensions", [&] { (void)two[0]; }},
        {"two indices into one dimension", [&] { (void)one(1, 1); }},
        {"bound of a third dimension", [&] { (void)VarArrayLowBound(two, 3); }},
        {"bound of dimension zero", [&] { (void)VarArrayHighBound(one, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        try {
            c.access();
            ADD_FAILURE() << "no error";
        } catch (const EVariantError& e) {
            EXPECT_STREQ(e.what(), "Variant or safe array index out of bounds");
        }
    }
}

TEST(VariantArray, NotAnArrayRaises) {
    Variant text("abc");
    try {
        text[0] = 1;
        FAIL() << "indexed a text";
    } catch (const EVariantError& e) {
        EXPECT_STREQ(e.what(), "Variant is not an array");
    }
    EXPECT_THROW(VarArrayLowBound(text, 1), EVariantError);
    EXPECT_THROW(VarArrayRedim(text, 3), EVariantError);
}

TEST(VariantArray, CopyThenChangeNestedElementLeavesOriginal) {
    Variant original = VarArrayOf({"head", VarArrayOf({"a", "b"}), VarArrayCreate({0, 1, 0, 1})});
    Variant copy = original;
    copy[1][0] = "changed";
    copy[2](1, 1) = 7;
    copy[0] = "new head";
    EXPECT_EQ(ToJson(original), R"(["head",["a","b"],)"
                                R"({"$dims":[[0,1],[0,1]],"items":[[{"$":"empty"},{"$":"empty"}],)"
                                R"([{"$":"empty"},{"$":"empty"}]]}])");
    EXPECT_EQ(copy[1][0], Variant("changed"));
    EXPECT_EQ(copy[2](1, 1), Variant(7));
    EXPECT_EQ(copy[1][1], Variant("b"));
}

TEST(VariantArray, ChangingTheOriginalLeavesTheCopy) {
    Variant original = VarArrayOf({VarArrayOf({1})});
    Variant copy;
    copy = original;
    original[0][0] = 2;
    EXPECT_EQ(copy[0][0], Variant(1));
    EXPECT_EQ(original[0][0], Variant(2));
}

TEST(VariantArray, NestedElementsAreWrittenInPlace) {
    Variant request = VarArrayCreate({0, 2});
    request[1] = VarArrayCreate({1, 13});
    request[1][5] = "label";
    request[1][5] = request[1][5].AsString() + "s";
    EXPECT_EQ(request[1][5], Variant("labels"));
    EXPECT_TRUE(request[1][4].IsEmpty());
}

TEST(VariantArray, ArrayStoredInItsOwnElementIsACopyNotACycle) {
    Variant v = VarArrayOf({1, 2});
    v[1] = v;
    EXPECT_EQ(ToJson(v), "[1,[1,2]]");

    Variant deeper = VarArrayOf({VarArrayOf({0}), 2});
    deeper[0][0] = deeper;
    EXPECT_EQ(ToJson(deeper), "[[[[0],2]],2]");

    // Moving a container into its own element empties the container: the
    // element left the tree along with it.
    Variant moved = VarArrayOf({VarArrayOf({0})});
    moved[0][0] = std::move(moved[0]);
    EXPECT_EQ(ToJson(moved), R"([{"$":"empty"}])");
}

TEST(VariantArray, ElementAssignedOverItsContainerIsKept) {
    Variant v = VarArrayOf({1, "x"});
    v = v[1];
    EXPECT_EQ(v, Variant("x"));

    Variant nested = VarArrayOf({VarArrayOf({3})});
    nested = nested[0];
    EXPECT_EQ(nested, VarArrayOf({3}));

    Variant taken = VarArrayOf({"y"});
    taken = std::move(taken[0]);
    EXPECT_EQ(taken, Variant("y"));
}

TEST(VariantArray, RedimKeepsTheElementsThatStillFit) {
    Variant v = VarArrayCreate({1, 3});
    v[1] = "a";
    v[2] = "b";
    v[3] = "c";
    Variant before = v;

    VarArrayRedim(v, 5);
    EXPECT_EQ(VarArrayHighBound(v, 1), 5);
    EXPECT_EQ(v[3], Variant("c"));
    EXPECT_TRUE(v[5].IsEmpty());

    VarArrayRedim(v, 2);
    EXPECT_EQ(ToJson(v), R"({"$lo":1,"items":["a","b"]})");
    EXPECT_EQ(ToJson(before), R"({"$lo":1,"items":["a","b","c"]})");

    VarArrayRedim(v, 0);
    EXPECT_EQ(v.Array().ElementCount(), 0u);
    EXPECT_THROW(VarArrayRedim(v, -1), EVariantError);
}

TEST(VariantArray, RedimOfTwoDimensionsResizesTheLastOne) {
    Variant v = VarArrayCreate({0, 1, 0, 2});
    for (int r = 0; r <= 1; ++r) {
        for (int c = 0; c <= 2; ++c) {
            v(r, c) = r * 10 + c;
        }
    }
    VarArrayRedim(v, 1);
    EXPECT_EQ(ToJson(v), R"({"$dims":[[0,1],[0,1]],"items":[[0,1],[10,11]]})");
    VarArrayRedim(v, 2);
    EXPECT_EQ(ToJson(v), R"({"$dims":[[0,1],[0,2]],"items":[[0,1,{"$":"empty"}],)"
                         R"([10,11,{"$":"empty"}]]})");
}

} // namespace
} // namespace kvc
