#include "remote/framing.h"
#include "remote/rpc_message.h"
#include "remote/wire_format.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"

#include <gtest/gtest.h>
#include <limits>

namespace kvc::remote {
namespace {

class Named final : public DispatchObject {
public:
    Named() : DispatchObject("Test.Named") {}
};

struct RoundTripCase {
    const char* name;
    Variant value;
    VariantKind kindBack;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

Variant Bounded(std::vector<Variant> items, int low) {
    return Variant(VarArray(std::move(items), low));
}

Variant TwoByThree() {
    VarArray array(VarArrayBound{1, 2}, VarArrayBound{-1, 1});
    int n = 0;
    for (Variant& slot : array.Elements()) {
        slot = n++;
    }
    array.At(2, 1) = Variant::Ansi("\xb9\xa4", 936);
    return Variant(std::move(array));
}

std::vector<RoundTripCase> RoundTripCases() {
    return {
        {"empty", Variant(), VariantKind::Empty},
        {"null", Variant::Null(), VariantKind::Null},
        {"integer", Variant(-123456), VariantKind::Integer},
        {"integer_min", Variant(std::numeric_limits<std::int32_t>::min()), VariantKind::Integer},
        {"int64_wide", Variant(std::int64_t(1) << 40), VariantKind::Int64},
        {"int64_min", Variant(std::numeric_limits<std::int64_t>::min()), VariantKind::Int64},
        {"int64_fits_32_reads_as_integer", Variant(std::int64_t(7)), VariantKind::Integer},
        {"true", Variant(true), VariantKind::Boolean},
        {"false", Variant(false), VariantKind::Boolean},
        {"double", Variant(0.1), VariantKind::Double},
        {"double_whole", Variant(2.0), VariantKind::Double},
        {"double_huge", Variant(1.0e300), VariantKind::Double},
        {"currency", Variant(Currency::FromScaled(-123400)), VariantKind::Currency},
        {"date", Variant::FromDate(45427.354166666664), VariantKind::Date},
        {"date_before_epoch", Variant::FromDate(-1.25), VariantKind::Date},
        {"olestr", Variant("工单 WVTR57"), VariantKind::OleStr},
        {"olestr_empty", Variant(""), VariantKind::OleStr},
        {"ansi_with_cp", Variant::Ansi("\xb9\xa4\xb5\xa5", 936), VariantKind::AnsiStr},
        {"ansi_without_cp", Variant::Ansi(std::string("a\0b", 3)), VariantKind::AnsiStr},
        {"ansi_empty", Variant::Ansi("", 950), VariantKind::AnsiStr},
        {"array_from_0", VarArrayOf({1, "a", Variant::Null(), Variant()}), VariantKind::Array},
        {"array_from_1", Bounded({"x", 2.5}, 1), VariantKind::Array},
        {"array_negative_low", Bounded({true}, -5), VariantKind::Array},
        {"array_empty", Bounded({}, 0), VariantKind::Array},
        {"array_empty_from_1", Bounded({}, 1), VariantKind::Array},
        {"array_nested", VarArrayOf({Bounded({VarArrayOf({1, 2})}, 1), "t"}), VariantKind::Array},
        {"array_2d", TwoByThree(), VariantKind::Array},
        {"dispatch_nil", Variant(std::shared_ptr<Dispatch>()), VariantKind::Dispatch},
    };
}

class WireRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(WireRoundTrip, KeepsKindAndValue) {
    const RoundTripCase& c = GetParam();
    const Variant back = DecodeVariant(EncodeVariant(c.value));
    EXPECT_EQ(back.Kind(), c.kindBack);
    EXPECT_EQ(back, c.value);
    // The JSON form shows bounds, code pages and kinds, so equal JSON means
    // nothing was lost that == might forgive (Int64 versus Integer aside).
    EXPECT_EQ(ToJson(back), ToJson(c.value));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, WireRoundTrip, testing::ValuesIn(RoundTripCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WireFormat, ArrayBoundsSurvive) {
    const Variant back = DecodeVariant(EncodeVariant(TwoByThree()));
    ASSERT_EQ(back.Array().DimCount(), 2);
    EXPECT_EQ(back.Array().Bound(1), (VarArrayBound{1, 2}));
    EXPECT_EQ(back.Array().Bound(2), (VarArrayBound{-1, 1}));
    EXPECT_EQ(back(2, 1).AnsiCodePage(), 936u);
    EXPECT_EQ(back(1, 0).AsInteger(), 1);
}

TEST(WireFormat, ObjectWithoutExporterBecomesUnboundStandIn) {
    const Variant back = DecodeVariant(EncodeVariant(Variant(std::make_shared<Named>())));
    ASSERT_TRUE(back.IsDispatch());
    ASSERT_NE(back.AsDispatch(), nullptr);
    EXPECT_EQ(back.AsDispatch()->ClassName(), "Test.Named");
    EXPECT_THROW(back.AsDispatch()->Call("Anything"), EOleError);
}

TEST(WireFormat, ExporterAndResolverCarryObjectIds) {
    auto object = std::make_shared<Named>();
    const std::string bytes = EncodeVariant(VarArrayOf({Variant(object)}),
                                            [](const std::shared_ptr<Dispatch>&) { return 42u; });
    std::uint32_t seenId = 0;
    std::string seenClass;
    const Variant back = DecodeVariant(bytes, [&](std::uint32_t id, const std::string& className) {
        seenId = id;
        seenClass = className;
        return std::shared_ptr<Dispatch>(object);
    });
    EXPECT_EQ(seenId, 42u);
    EXPECT_EQ(seenClass, "Test.Named");
    EXPECT_EQ(back[0].AsDispatch(), object);
}

Variant NestedArrays(int depth) {
    Variant value = 1;
    for (int i = 0; i < depth; ++i) {
        value = VarArrayOf({value});
    }
    return value;
}

TEST(WireFormat, NestingLimitHoldsBothWays) {
    EXPECT_EQ(DecodeVariant(EncodeVariant(NestedArrays(kMaxWireNesting))),
              NestedArrays(kMaxWireNesting));
    EXPECT_THROW(EncodeVariant(NestedArrays(kMaxWireNesting + 1)), EWireError);
    // A hostile peer does not ask the encoder: 100,000 array openers.
    EXPECT_THROW(DecodeVariant(std::string(100000, '\x91')), EWireError);
}

struct BadBytesCase {
    const char* name;
    std::string bytes;
};

void PrintTo(const BadBytesCase& c, std::ostream* os) {
    *os << c.name;
}

class WireRejects : public testing::TestWithParam<BadBytesCase> {};

TEST_P(WireRejects, WithWireError) {
    EXPECT_THROW(DecodeVariant(GetParam().bytes), EWireError);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    BadInput, WireRejects,
    testing::Values(
        BadBytesCase{"no_bytes", ""},
        BadBytesCase{"truncated_str", "\xa5"
                                      "ab"s},
        BadBytesCase{"truncated_array", "\x93\x01"s}, BadBytesCase{"trailing_bytes", "\x01\x02"s},
        BadBytesCase{"never_used_byte", "\xc1"s}, BadBytesCase{"map", "\x81\x01\x02"s},
        BadBytesCase{"bin", "\xc4\x01x"s}, BadBytesCase{"unknown_ext", "\xd4\x7f\x00"s},
        BadBytesCase{"empty_with_payload", "\xd4\x01\x00"s},
        BadBytesCase{"short_date", "\xd6\x02\x00\x00\x00\x00"s},
        BadBytesCase{"ansi_without_cp", "\xd5\x04\x00\x00"s},
        BadBytesCase{"huge_array_count", "\xdd\xff\xff\xff\xff\x01"s},
        BadBytesCase{"uint64_above_int64", "\xcf\xff\xff\xff\xff\xff\xff\xff\xff"s},
        BadBytesCase{"bounds_outside_array", "\xd7\x05\x00\x00\x00\x01\x00\x00\x00\x01"s},
        // bounds 1..2 on an array holding one element
        BadBytesCase{"bounds_count_mismatch", "\x92\xd7\x05\x00\x00\x00\x01\x00\x00\x00\x02\x01"s},
        // bounds 5..3
        BadBytesCase{"bounds_inverted", "\x91\xd7\x05\x00\x00\x00\x05\x00\x00\x00\x03"s},
        BadBytesCase{"bounds_twice", "\x92\xd7\x05\x00\x00\x00\x01\x00\x00\x00\x00"
                                     "\xd7\x05\x00\x00\x00\x01\x00\x00\x00\x00"s},
        BadBytesCase{"dispatch_short_id", "\xd5\x06\x00\x01"s}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, RoundTripThroughReaderInPieces) {
    const std::string stream = MakeFrame("abc") + MakeFrame(std::string(70000, 'x'));
    FrameReader reader;
    std::vector<std::string> payloads;
    for (char byte : stream) {
        reader.Feed(std::string_view(&byte, 1));
        while (auto payload = reader.Next()) {
            payloads.push_back(*payload);
        }
    }
    ASSERT_EQ(payloads.size(), 2u);
    EXPECT_EQ(payloads[0], "abc");
    EXPECT_EQ(payloads[1].size(), 70000u);
    EXPECT_EQ(reader.Pending(), 0u);
}

TEST(Framing, TruncatedFrameWaitsAndShowsPendingBytes) {
    FrameReader reader;
    reader.Feed(MakeFrame("hello").substr(0, 7));
    EXPECT_FALSE(reader.Next().has_value());
    EXPECT_EQ(reader.Pending(), 7u);
}

TEST(Framing, OversizedAndEmptyFramesAreRefused) {
    std::string header = "\x01\x00\x00\x01"s; // 16 MiB + 1
    EXPECT_THROW(ReadFrameLength(header.data()), EWireError);
    header = "\x01\x00\x00\x00"s; // exactly 16 MiB
    EXPECT_EQ(ReadFrameLength(header.data()), kMaxFrameSize);
    EXPECT_THROW(ReadFrameLength("\0\0\0\0"), EWireError);
    EXPECT_THROW(MakeFrame(""), EWireError);

    FrameReader reader;
    reader.Feed("\xff\xff\xff\xff garbage"s);
    EXPECT_THROW(reader.Next(), EWireError);
    reader.Feed(MakeFrame("ok"));
    EXPECT_THROW(reader.Next(), EWireError) << "a failed stream stays failed";
}

TEST(RpcMessage, CallRoundTripKeepsArgumentsAndFlags) {
    CallMessage call{
        7, 1, InvokeKind::Method, "Request1", {VarArrayOf({1}), "PC-01"}, {true, false}};
    const Message back = DecodeMessage(EncodeMessage(call));
    const auto& decoded = std::get<CallMessage>(back);
    EXPECT_EQ(decoded.id, 7u);
    EXPECT_EQ(decoded.target, 1u);
    EXPECT_EQ(decoded.name, "Request1");
    EXPECT_EQ(decoded.args, call.args);
    EXPECT_EQ(decoded.byRef, call.byRef);
}

TEST(RpcMessage, OtherMessagesRoundTrip) {
    const auto result = std::get<ResultMessage>(
        DecodeMessage(EncodeMessage(ResultMessage{9, Variant("ok"), {Variant(3)}})));
    EXPECT_EQ(result.id, 9u);
    EXPECT_EQ(result.result, Variant("ok"));
    EXPECT_EQ(result.byRefValues, std::vector<Variant>{Variant(3)});
    const auto error = std::get<ErrorMessage>(DecodeMessage(EncodeMessage(ErrorMessage{4, "bad"})));
    EXPECT_EQ(error.message, "bad");
    const auto open = std::get<OpenMessage>(
        DecodeMessage(EncodeMessage(OpenMessage{0xFFFFFFFFu, "ReportCounterS.dmReportCounter"})));
    EXPECT_EQ(open.id, 0xFFFFFFFFu);
    EXPECT_EQ(open.progId, "ReportCounterS.dmReportCounter");
}

TEST(RpcMessage, MalformedEnvelopesAreRefused) {
    const Variant cases[] = {
        Variant(1),
        VarArrayOf({}),
        VarArrayOf({9, 1, "x"}),
        VarArrayOf({2, 1}),
        VarArrayOf({2, -1, "x"}),
        VarArrayOf({3, 1, 5}),
        VarArrayOf({0, 1, 1, 7, "Name", VarArrayOf({}), VarArrayOf({})}),
        VarArrayOf({0, 1, 1, 0, "Name", VarArrayOf({1}), VarArrayOf({})}),
        VarArrayOf({0, 1, 1, 0, "Name", VarArrayOf({1}), VarArrayOf({1})}),
        VarArrayOf({1, 1, 0, Bounded({}, 1)}),
    };
    for (const Variant& envelope : cases) {
        EXPECT_THROW(DecodeMessage(EncodeVariant(envelope)), EWireError) << ToJson(envelope);
    }
}

} // namespace
} // namespace kvc::remote
