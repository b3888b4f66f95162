#include "services/utilities/alert_log.h"
#include "services/utilities/sql_password.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

TEST(SqlPassword, RoundTripsEveryText) {
    for (const char* password : {"sa", "P@ssw0rd!", "x", "密码123", "\x01\xFF\x80"}) {
        EXPECT_EQ(DecodeSQLSa(EncodeSQLSa(password)), password);
    }
    EXPECT_EQ(EncodeSQLSa(""), EncodeSQLSa(kEmptyPasswordMarker));
    EXPECT_EQ(DecodeSQLSa(EncodeSQLSa("")), "");
    EXPECT_EQ(DecodeSQLSa(""), "");
}

TEST(SqlPassword, EncodesByRotatingEachByteRight) {
    // 'a' (0x61) at position 1 rotated right by 1 is 0xB0; 'b' (0x62) at 2 by 2 is 0x98.
    EXPECT_EQ(EncodeSQLSa("ab"), "B098");
    // Position 8 rotates by 0 bits.
    EXPECT_EQ(EncodeSQLSa("aaaaaaaa").substr(14), "61");
    EXPECT_EQ(DecodeSQLSa("b098"), "ab");  // either letter case reads
    EXPECT_EQ(DecodeSQLSa("B0983"), "ab"); // a trailing single character is ignored
}

TEST(SqlPassword, BadPairReportsAndAnswersTheErrorText) {
    auto log = std::make_shared<MemoryAlertLog>();
    ScopedAlertLog scoped(log);
    EXPECT_EQ(DecodeSQLSa("zz"), kPasswordError);
    EXPECT_EQ(DecodeSQLSa("B0zz"), kPasswordError);
    const auto reports = log->Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].place, EncodeSQLSa("DecodeSQLSa"));
    EXPECT_EQ(reports[0].programmerMessage, "解析 Sa 时发生错误!");
    EXPECT_EQ(reports[0].error, "'$zz' is not a valid integer value");
}

} // namespace
} // namespace kvc::services
