#include "platform/drive_map.h"
#include "platform/file_contents.h"
#include "runtime/datetime.h"
#include "services/config/test_installation.h"
#include "services/logs/exception_report.h"
#include "services/logs/file_alert_log.h"
#include "services/utilities/sql_password.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <system_error>

namespace kvc::services {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TestInstallation;
using Lines = std::vector<std::string>;

const std::string kRule = "----------------------------------";

TEST(ExceptionReportLinesTest, WritesTheHeaderAndTheProgrammerMessage) {
    EXPECT_EQ(ExceptionReportLines(nullptr, "", ""), Lines{kRule + kRule});
    EXPECT_EQ(ExceptionReportLines(nullptr, "LoadScheme", "  "),
              Lines{kRule + " on LoadScheme " + kRule});
    EXPECT_EQ(ExceptionReportLines(nullptr, "", " check the server "),
              (Lines{kRule + kRule, "Programer Message:  check the server "}));
}

TEST(ExceptionReportLinesTest, WritesEachFamilyOfErrors) {
    const EDBEngineError database("General SQL error",
                                  {{13059, "Table does not exist"}, {2, "Statement failed"}});
    const EDBEngineError noErrors("General SQL error", {});
    const std::system_error system(std::error_code(5, std::system_category()), "open");
    const fs::filesystem_error file("cannot copy", std::error_code(2, std::generic_category()));
    const EInOutError ours("Cannot open file \"x\"");
    const EConvertError convert("'abc' is not a valid integer value");
    const std::runtime_error plain("plain failure");
    const std::bad_alloc memory;
    struct Case {
        const char* name;
        const std::exception* error;
        Lines lines;
    };
    const Case cases[] = {
        {"database",
         &database,
         {"EDBEngineError Error 01: Code: 13059, Message: Table does not exist",
          "EDBEngineError Error 02: Code: 2, Message: Statement failed", "ErrorMessage Count: 2"}},
        {"database without errors", &noErrors, {"ErrorMessage Count: 0"}},
        {"system",
         &system,
         {"EWin32Error Error 01: Code: 5, Message: " + std::string(system.what()),
          "ErrorMessage Count: 1"}},
        {"file system",
         &file,
         {"EInOutError Error 01: Code: 2, Message: " + std::string(file.what()),
          "ErrorMessage Count: 1"}},
        {"file",
         &ours,
         {"EInOutError Error 01: Code: 0, Message: Cannot open file \"x\"",
          "ErrorMessage Count: 1"}},
        {"ours",
         &convert,
         {"Exception is EConvertError\r\nMessage 01: 'abc' is not a valid integer value",
          "ErrorMessage Count: 1"}},
        {"standard",
         &plain,
         {"Exception is Exception\r\nMessage 01: plain failure", "ErrorMessage Count: 1"}},
        {"memory",
         &memory,
         {"Exception is EOutOfMemory\r\nMessage 01: " + std::string(memory.what()),
          "ErrorMessage Count: 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lines expected = {kRule + " on Run " + kRule, "讯息信息:"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        expected.push_back("Programer Message: 运行失败");
        EXPECT_EQ(ExceptionReportLines(c.error, "Run", "运行失败"), expected);
    }
}

class ExceptionReportTest : public ::testing::Test {
protected:
    TestInstallation machine_;
    ScopedFixedClock clock_{EncodeDate(2024, 3, 5) + EncodeTime(10, 20, 30, 123)};
    ScopedFormatSettings settings_{TFormatSettings{}};
};

TEST_F(ExceptionReportTest, ChoosesTheClientTheTemporaryOrTheFixedFolder) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP\\"}});
    EXPECT_EQ(ExceptionReportFolder(), "C:\\ERP\\");

    machine_.SetTessera({});
    fs::create_directories(machine_.OnC("Tmp"));
    ScopedEnvironmentVariable tmp("TMPDIR", machine_.OnC("Tmp").string());
    EXPECT_EQ(ExceptionReportFolder(), "C:\\Tmp\\");

    std::ofstream(machine_.RegistryFile(), std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\r\n"
           "\"ClientPath\"=hex:43,3a\r\n";
    EXPECT_EQ(ExceptionReportFolder(), "C:\\Temp");
}

TEST_F(ExceptionReportTest, WritesTheReportIntoTheDailyFile) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    const EConvertError error("bad");
    ReportException(&error, "Load", "check");
    EXPECT_TRUE(WriteReportLine("after"));
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\Log\\Alert_Stelmarok_20240305.log")),
              "[2024/03/05 10:20:30] " + kRule + " on Load " + kRule +
                  "\r\n"
                  "[2024/03/05 10:20:30] 讯息信息:\r\n"
                  "[2024/03/05 10:20:30] Exception is EConvertError\r\nMessage 01: bad\r\n"
                  "[2024/03/05 10:20:30] ErrorMessage Count: 1\r\n"
                  "[2024/03/05 10:20:30] Programer Message: check\r\n"
                  "[2024/03/05 10:20:30] after\r\n");
}

TEST_F(ExceptionReportTest, FollowsTheLocaleDateAndTimeFormats) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    TFormatSettings settings;
    settings.ShortDateFormat = "dd.mm.yy";
    settings.DateSeparator = '.';
    settings.LongTimeFormat = "hh:nn";
    ScopedFormatSettings local(settings);
    EXPECT_TRUE(WriteReportLine("x"));
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\Log\\Alert_Stelmarok_20240305.log")),
              "[05.03.24 10:20] x\r\n");
}

TEST_F(ExceptionReportTest, AnswersFalseWhenTheReportCannotBeWritten) {
    machine_.SetTessera({{"ClientPath", "Q:\\ERP"}});
    EXPECT_FALSE(WriteReportLine("x"));
    ReportException(nullptr, "nowhere", "nothing raised");
}

TEST_F(ExceptionReportTest, PasswordFailuresReachTheReportFile) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    ScopedAlertLog installed(std::make_shared<FileAlertLog>());
    EXPECT_EQ(DecodeSQLSa("zz"), "KV_Say_Password_Error");
    const std::string report = ReadAll(machine_.OnC("ERP\\Log\\Alert_Stelmarok_20240305.log"));
    EXPECT_NE(report.find(" on " + EncodeSQLSa("DecodeSQLSa") + " "), std::string::npos) << report;
    EXPECT_NE(report.find("Programer Message: 解析 Sa 时发生错误!"), std::string::npos) << report;
}

} // namespace
} // namespace kvc::services
