#include "platform/environment.h"
#include "platform/system_info.h"

#include <cctype>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kvc {
namespace {

TEST(SystemInfoTest, TakesTheUserNameFromUserFirst) {
    {
        ScopedEnvironmentVariable user("USER", "user1");
        EXPECT_EQ(GetUserName(), "user1");
    }
    ScopedEnvironmentVariable user("USER", std::nullopt);
    // Then the account of the effective user id, which every test machine has.
    EXPECT_FALSE(GetUserName().empty());
}

TEST(SystemInfoTest, GivesTheComputerNameAsWindowsDoes) {
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    std::string expected(host);
    expected = expected.substr(0, expected.find('.')).substr(0, 15);
    for (char& c : expected) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::string name = GetComputerName();
    EXPECT_EQ(name, expected);
    EXPECT_LE(name.size(), 15u);
}

TEST(SystemInfoTest, GivesTheTemporaryFolderAsAWindowsPath) {
    ScopedEnvironmentVariable drives("KVC_DRIVES", "T=/var/tmp");
    {
        ScopedEnvironmentVariable tmp("TMPDIR", "/var/tmp/kvc");
        EXPECT_EQ(GetTempPath(), "T:\\kvc\\");
    }
    {
        ScopedEnvironmentVariable tmp("TMPDIR", "/var/tmp/");
        EXPECT_EQ(GetTempPath(), "T:\\");
    }
    ScopedEnvironmentVariable tmp("TMPDIR", "");
    EXPECT_EQ(GetTempPath(), "Z:\\tmp\\");
}

TEST(SystemInfoTest, AnswersAConstantWindowsVersion) {
    OSVersionInfo v = GetVersionEx();
    EXPECT_EQ(v.majorVersion, 5u);
    EXPECT_EQ(v.minorVersion, 1u);
    EXPECT_EQ(v.buildNumber, 2600u);
    EXPECT_EQ(v.platformId, 2u);
    EXPECT_EQ(v.csdVersion, "Service Pack 3");
    EXPECT_EQ(WindowsVersionText(), "Windows NT 5.1");
}

TEST(SystemInfoTest, TickCountNeverRunsBackwards) {
    std::uint32_t first = GetTickCount();
    std::uint32_t second = GetTickCount();
    EXPECT_LE(static_cast<std::uint32_t>(second - first), 1000u);
}

} // namespace
} // namespace kvc
