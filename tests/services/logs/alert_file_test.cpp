#include "platform/drive_map.h"
#include "platform/file_contents.h"
#include "platform/registry.h"
#include "runtime/datetime.h"
#include "services/config/test_installation.h"
#include "services/logs/alert_file.h"
#include "services/logs/client_folder.h"
#include "services/logs/file_alert_log.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kvc::services {
namespace {

namespace fs = std::filesystem;
using testing::ListFiles;
using testing::ReadAll;
using testing::TestInstallation;

const TDateTime kMoment = EncodeDate(2024, 3, 5) + EncodeTime(10, 20, 30, 123);

TEST(AlertFileNameTest, StampsTheFileByPeriod) {
    struct Case {
        const char *period, *stamp;
    };
    const Case cases[] = {{"D", "20240305"}, {"M", "202403"},  {"Y", "2024"},
                          {"m", "20240305"}, {"", "20240305"}, {"W", "20240305"},
                          {"DM", "20240305"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        EXPECT_EQ(AlertPeriodStamp(c.period, kMoment), c.stamp);
    }
}

TEST(AlertFileNameTest, NamesTheFileBelowTheLogFolder) {
    struct Case {
        const char *folder, *source, *period, *expected;
    };
    const Case cases[] = {
        {"C:\\ERP\\", "libstrs", "M", "C:\\ERP\\Log\\Alert_libstrs_202403.log"},
        {"C:\\ERP", "libstrs", "Y", "C:\\ERP\\Log\\Alert_libstrs_2024.log"},
        {"C:\\", "x", "D", "C:\\Log\\Alert_x_20240305.log"},
        {"C:\\ERP\\", "trace.txt", "D", "C:\\ERP\\Log\\Alert_trace.txt_20240305"},
        {"\\\\srv\\erp\\", "a", "D", "\\\\srv\\erp\\Log\\Alert_a_20240305.log"},
        {"C:\\ERP\\", "..\\..\\evil", "D", "C:\\ERP\\Log\\Alert_____evil_20240305.log"},
        {"C:\\ERP\\", "../x.txt", "D", "C:\\ERP\\Log\\Alert___x.txt_20240305"},
        {"C:\\ERP\\", "C:\\Windows\\x", "D", "C:\\ERP\\Log\\Alert_C__Windows_x_20240305.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(AlertFileName(c.folder, c.source, c.period, kMoment), c.expected);
    }
}

TEST(AlertFileNameTest, MakesSourceNamesSafe) {
    struct Case {
        const char *source, *safe;
    };
    const Case cases[] = {
        {"libstrs", "libstrs"}, {"a.b", "a.b"}, {"a..b", "a_b"},
        {"a...b", "a_b"},       {"..", "_"},    {"a/b\\c:d", "a_b_c_d"},
        {"a\tb\n", "a_b_"},     {"", ""},       {"工单.log", "工单.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(SafeAlertSource(c.source), c.safe);
    }
}

class AlertFileTest : public ::testing::Test {
protected:
    TestInstallation machine_;
    ScopedFixedClock clock_{kMoment};
};

TEST_F(AlertFileTest, AppendsLinesUnderTheClientFolder) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    EXPECT_TRUE(WriteAlert("libstrs", "LINE[2735] first", "M"));
    clock_.Set(kMoment + EncodeTime(0, 0, 1, 877));
    EXPECT_TRUE(WriteAlert("libstrs", "LINE[115] 工单", "M"));
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\Log\\Alert_libstrs_202403.log")),
              "[2024/03/05 10:20:30:123] LINE[2735] first\r\n"
              "[2024/03/05 10:20:32:000] LINE[115] 工单\r\n");
}

TEST_F(AlertFileTest, TakesTheServerPathWhenTheClientPathIsEmpty) {
    machine_.SetTessera({{"ClientPath", ""}, {"ServerPath", "C:\\ERPS\\"}});
    EXPECT_EQ(ClientFolder(), "C:\\ERPS\\");
    EXPECT_TRUE(WriteAlert("trace.txt", "x", "D"));
    EXPECT_EQ(ListFiles(machine_.DriveC()),
              (std::vector<std::string>{"ERPS/Log/Alert_trace.txt_20240305"}));
}

TEST_F(AlertFileTest, FallsBackToTheExecutableFolder) {
    EXPECT_EQ(ClientFolder(), "");
    EXPECT_EQ(AlertFolder(), ExecutableFolder());
    EXPECT_EQ(ExecutableFolder(),
              ToWindowsPath(fs::read_symlink("/proc/self/exe").parent_path()) + "\\");
    // A value that cannot name a folder counts as none.
    fs::path registry = machine_.RegistryFile();
    std::ofstream(registry, std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\r\n"
           "\"ClientPath\"=hex:43,3a\r\n";
    EXPECT_THROW(ClientFolder(), ERegistryException);
    EXPECT_EQ(AlertFolder(), ExecutableFolder());
}

TEST_F(AlertFileTest, ASourceNameCannotLeaveTheLogFolder) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP\\Deep"}});
    for (const char* source : {"..\\..\\escaped", "../../escaped", "C:\\escaped", "..", "a/.."}) {
        EXPECT_TRUE(WriteAlert(source, "x", "D")) << source;
    }
    for (const std::string& file : ListFiles(machine_.DriveC())) {
        EXPECT_EQ(file.rfind("ERP/Deep/Log/Alert_", 0), 0u) << file;
        EXPECT_EQ(file.find('/', std::strlen("ERP/Deep/Log/")), std::string::npos) << file;
    }
    EXPECT_EQ(ListFiles(machine_.DriveC()).size(),
              4u); // "..\\..\\escaped" and "../../escaped" meet
}

TEST_F(AlertFileTest, AnswersFalseWhenTheLineCannotBeWritten) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    machine_.WriteOnC("ERP\\Log", "a file where the folder should be");
    EXPECT_FALSE(WriteAlert("libstrs", "x", "D"));
    EXPECT_FALSE(WriteAlertIn("Q:\\unmapped", "libstrs", "x", "D"));
    fs::create_directories(machine_.OnC("ERP2\\Log\\Alert_x_20240305.log"));
    EXPECT_FALSE(WriteAlertIn("C:\\ERP2", "x", "x", "D"));
}

TEST_F(AlertFileTest, TheFileLogCarriesTheProcessAlertsToFiles) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    ScopedAlertLog installed(std::make_shared<FileAlertLog>());
    EXPECT_TRUE(ProcessAlertLog().WriteAlert("libstrs", "LINE[2735] bad", "D"));
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\Log\\Alert_libstrs_20240305.log")),
              "[2024/03/05 10:20:30:123] LINE[2735] bad\r\n");
}

} // namespace
} // namespace kvc::services
