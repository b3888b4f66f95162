#include "runtime/variant_array.h"
#include "services/utilities/alert_log.h"
#include "services/utilities/code_page_texts.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kvc::services {
namespace {

// The system code page is read from the environment; fix it for each test.
class CodePageTexts : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("KVC_ACP")) {
            saved_ = old;
        }
        setenv("KVC_ACP", "936", 1);
    }
    void TearDown() override {
        if (saved_) {
            setenv("KVC_ACP", saved_->c_str(), 1);
        } else {
            unsetenv("KVC_ACP");
        }
    }

private:
    std::optional<std::string> saved_;
};

const std::string kGbkGongDan = "\xB9\xA4\xB5\xA5";  // 工单 in code page 936
const std::string kBig5GongDan = "\xA4\x75\xB3\xE6"; // 工單 in code page 950

TEST_F(CodePageTexts, TextsBothWays) {
    EXPECT_EQ(WideToAnsi("工单", 936), kGbkGongDan);
    EXPECT_EQ(AnsiToWide(kGbkGongDan, 936), "工单");
    EXPECT_EQ(WideToAnsi("工單", 950), kBig5GongDan);
    EXPECT_EQ(WideToAnsi("工单", 99999), kGbkGongDan); // unknown code page: the system's
    EXPECT_EQ(WideToAnsi("工单€", 437), "???");
}

TEST_F(CodePageTexts, RequestTreeToAnsiAndBack) {
    Variant labels = VarArrayOf({"工单", "Status", 3});
    Variant inner = VarArrayCreate({0, 1, 0, 1});
    inner(0, 0) = "仓库";
    inner(1, 1) = VarArrayOf({"不访问"}); // nested inside two dimensions: left alone
    Variant request = VarArrayOf({labels, inner, Variant::Null(), Variant::FromDate(45000)});

    const Variant ansi = VariantToAnsi(request, 936);
    EXPECT_EQ(ansi[0][0].Kind(), VariantKind::AnsiStr);
    EXPECT_EQ(ansi[0][0].AnsiBytes(), kGbkGongDan);
    EXPECT_EQ(ansi[0][0].AnsiCodePage(), 936u);
    EXPECT_EQ(ansi[0][2], Variant(3));
    EXPECT_EQ(ansi[1](0, 0).Kind(), VariantKind::AnsiStr);
    EXPECT_EQ(ansi[1](1, 1)[0].Kind(), VariantKind::OleStr);
    EXPECT_TRUE(ansi[2].IsNull());
    EXPECT_EQ(request[0][0].Kind(), VariantKind::OleStr); // the original is untouched

    EXPECT_EQ(VariantToWide(ansi, 936), request);
}

TEST_F(CodePageTexts, WideTextsAreReadThroughTheSystemCodePage) {
    // A UTF-8 text handed to VariantToWide becomes system-code-page bytes and is
    // then read in the given code page: with both 936 it comes back unchanged.
    EXPECT_EQ(VariantToWide(Variant("工单"), 936), Variant("工单"));
    EXPECT_EQ(VariantToWide(Variant::Ansi(kBig5GongDan), 950), Variant("工單"));
    EXPECT_EQ(VariantToAnsi(Variant::Ansi(kBig5GongDan, 950), 936).AnsiBytes(),
              WideToAnsi("工單", 936)); // the byte string is read through its own code page
}

TEST_F(CodePageTexts, EmptyAndScalarsPassThrough) {
    EXPECT_TRUE(VariantToAnsi(Variant(), 936).IsEmpty());
    EXPECT_TRUE(VariantToWide(Variant::Null(), 936).IsNull());
    EXPECT_EQ(VariantToAnsi(Variant(2.5), 936), Variant(2.5));
}

TEST_F(CodePageTexts, FailureIsLoggedAndTheTreeComesBackUnconverted) {
    setenv("KVC_ACP", "12345", 1); // neither code page can be converted
    auto log = std::make_shared<MemoryAlertLog>();
    ScopedAlertLog scoped(log);
    const Variant tree = VarArrayOf({"工单"});
    EXPECT_EQ(VariantToAnsi(tree, 99999), tree);
    EXPECT_EQ(VariantToWide(tree, 99999), tree);
    const auto alerts = log->Alerts();
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].source, "libstrs");
    EXPECT_EQ(alerts[0].period, "D");
    EXPECT_EQ(alerts[0].text.rfind("LINE[2735] ", 0), 0u) << alerts[0].text;
    EXPECT_EQ(alerts[1].text.rfind("LINE[115] ", 0), 0u) << alerts[1].text;
}

} // namespace
} // namespace kvc::services
