#include "runtime/variant_array.h"
#include "services/config/server_config.h"
#include "services/utilities/alert_log.h"
#include "services/utilities/sql_password.h"
#include "test_installation.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

using testing::TestInstallation;

std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list[i]);
    }
    return lines;
}

class ServerConfigTest : public ::testing::Test {
protected:
    ServerConfigTest() { machine_.SetTessera({{"ServerPath", "C:\\ERPS"}}); }

    void WriteProfile(const std::string& text) const {
        machine_.WriteOnC("ERPS\\TesseraS.ini", text);
    }

    TestInstallation machine_;
    std::shared_ptr<MemoryAlertLog> log_ = std::make_shared<MemoryAlertLog>();
    ScopedAlertLog installed_{log_};
};

TEST_F(ServerConfigTest, FillsTheDatabaseSettingsWithTheirDefaults) {
    TTesseraIniS ini;
    ASSERT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.ServerPath, "C:\\ERPS\\");
    EXPECT_EQ(ini.IniFileName, "C:\\ERPS\\TesseraS.ini");
    const Variant& db = ini.DatabaseSettings;
    ASSERT_EQ(VarArrayDimCount(db), 2);
    EXPECT_EQ(VarArrayLowBound(db, 1), 0);
    EXPECT_EQ(VarArrayHighBound(db, 1), 3);
    EXPECT_EQ(VarArrayLowBound(db, 2), 0);
    EXPECT_EQ(VarArrayHighBound(db, 2), 7);
    const Variant expected[4][8] = {
        {"Arbor", "sa", "", "MSSQL", "", "", 300, 3000},
        {"ArborTemp", "sa", "", "PARADOX", "", "PostgreSQL", 300, 3000},
        {"", 211, 1024, "Chinese_Taiwan_Stroke_BIN", {}, {}, {}, {}},
        {"EDIDATA", "sa", "", {}, {}, {}, {}, {}},
    };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 8; ++column) {
            SCOPED_TRACE(std::to_string(row) + "," + std::to_string(column));
            EXPECT_EQ(db(row, column).Kind(), expected[row][column].Kind());
            EXPECT_EQ(db(row, column), expected[row][column]);
        }
    }
    EXPECT_EQ(ini.Version, "");
    EXPECT_EQ(ini.MainDBKind, 0);
    EXPECT_EQ(ini.SystemControlAddress, "");
    EXPECT_EQ(ini.OtherSystemControlAddress, "");
    EXPECT_FALSE(ini.SupportCallBack);
    EXPECT_EQ(Lines(ini.WorkDLLPath), (std::vector<std::string>{"C:\\ERPS\\S_PKG\\"}));
    EXPECT_TRUE(log_->Reports().empty());
}

TEST_F(ServerConfigTest, ReadsTheDatabaseSettingsAndDecodesThePasswords) {
    WriteProfile(
        "[DBE Setting]\nMainAlias=Main\nMainUserName=erp\nXXXXXX=" + EncodeSQLSa("s3cret") +
        "\nMainDBType=Oracle\nMainDBName=ERPDB\nMainServerName=dbhost\n"
        "MainConnectionTimeOut=30\nMainCommandTimeOut=abc\n"
        "TempAlias=T\nTempUserName=tu\nTempPassword=" +
        EncodeSQLSa("") +
        "\nTempDBType=SQLITE\nTempDBName=tmp\nTempDriverName=Sqlite\n"
        "TempConnectionTimeOut=5\nTempCommandTimeOut=6\n"
        "DataBaseCodeOrder=Chinese_PRC_BIN\nEctAlias=E\nEctUserName=eu\n"
        "EctPassword=4142\n"
        "[DBPasswordCtrl]\nComputerName=  ctl  \nServerPort=2110\n"
        "ClientSocketPort=x\nSupportCallBack=TRUE\n"
        "[ProductVersion]\nVersion=9.1\n");
    TTesseraIniS ini;
    ASSERT_TRUE(ini.Loaded());
    const Variant& db = ini.DatabaseSettings;
    const Variant expected[4][8] = {
        {"Main", "erp", "s3cret", "Oracle", "ERPDB", "dbhost", 30, 3000},
        {"T", "tu", "", "SQLITE", "tmp", "Sqlite", 5, 6},
        {"ctl", 2110, 1024, "Chinese_PRC_BIN", {}, {}, {}, {}},
        {"E", "eu", "4142", {}, {}, {}, {}, {}},
    };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 8; ++column) {
            SCOPED_TRACE(std::to_string(row) + "," + std::to_string(column));
            EXPECT_EQ(db(row, column), expected[row][column]);
        }
    }
    EXPECT_EQ(ini.MainDBKind, 1);
    EXPECT_TRUE(ini.SupportCallBack);
    EXPECT_EQ(ini.Version, "9.1");
    EXPECT_EQ(ini.SystemControlAddress, "dbhost");
    EXPECT_EQ(ini.OtherSystemControlAddress, "dbhost");
    EXPECT_TRUE(log_->Reports().empty());
}

TEST_F(ServerConfigTest, AStoredPasswordThatDoesNotDecodeIsReportedAndReadingGoesOn) {
    WriteProfile("[DBE Setting]\nXXXXXX=zz\nTempPassword=0G\nTempAlias=T\n");
    TTesseraIniS ini;
    EXPECT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.DatabaseSettings(0, 2), Variant("KV_Say_Password_Error"));
    EXPECT_EQ(ini.DatabaseSettings(1, 2), Variant("KV_Say_Password_Error"));
    EXPECT_EQ(ini.DatabaseSettings(1, 0), Variant("T"));
    EXPECT_EQ(log_->Reports().size(), 2u);
}

TEST_F(ServerConfigTest, KnowsTheMainDatabaseKind) {
    struct Case {
        const char* type;
        int kind;
    };
    const Case cases[] = {{"oracle", 1}, {"ORACLE", 1}, {"Db2", 2},     {"MSSQL", 0},
                          {"", 0},       {"DB2 ", 2},   {"ORACLE9", 0}, {"Sybase", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        WriteProfile(std::string("[DBE Setting]\nMainDBType=") + c.type + "\n");
        EXPECT_EQ(TTesseraIniS().MainDBKind, c.kind);
    }
}

TEST_F(ServerConfigTest, ControlAddressesFallBackToTheMainServer) {
    struct Case {
        std::optional<std::string> value;
        const char* expected;
    };
    const Case cases[] = {
        {std::nullopt, "dbhost"}, {"", "dbhost"},         {"\"   \"", "dbhost"},
        {"ctl", "ctl"},           {"\" ctl \"", " ctl "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.value_or("(missing)"));
        std::string text = "[DBE Setting]\nMainServerName=dbhost\n";
        if (c.value) {
            text += "SystemControlAddress=" + *c.value + "\nOtherSystemControlAddress=" + *c.value +
                    "\n";
        }
        WriteProfile(text);
        TTesseraIniS ini;
        EXPECT_EQ(ini.SystemControlAddress, c.expected);
        EXPECT_EQ(ini.OtherSystemControlAddress, c.expected);
    }
}

TEST_F(ServerConfigTest, ResolvesPackageFoldersAgainstTheServerPath) {
    WriteProfile("[WorkDLLPath]\nA=D:\\pkg\nB=\\pkg\nC=pkg\nD=\\\\srv\\share\\pkg\nE=\n");
    TTesseraIniS ini;
    EXPECT_EQ(Lines(ini.WorkDLLPath),
              (std::vector<std::string>{"D:\\pkg\\", "C:\\ERPS\\pkg\\", "C:\\ERPS\\pkg\\",
                                        "\\\\srv\\share\\pkg\\", "C:\\ERPS\\"}));
    TStringList list;
    list.Add("old");
    ini.GetWorkDLLPath(list);
    EXPECT_EQ(Lines(list), Lines(ini.WorkDLLPath));
}

TEST_F(ServerConfigTest, StopsAsTheClientDoesAndNeverAsksForAServerList) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}, {"ProfileType", "1"}});
    TTesseraIniS noPath;
    EXPECT_FALSE(noPath.Loaded());
    EXPECT_EQ(noPath.ErrorCode, "");
    EXPECT_EQ(noPath.ProfileType, "1");
    EXPECT_TRUE(noPath.DatabaseSettings.IsEmpty());

    machine_.SetRegistry({});
    TTesseraIniS noKey;
    EXPECT_FALSE(noKey.Loaded());
    EXPECT_EQ(noKey.ErrorCode, "E;000015");

    machine_.SetTessera({{"ServerPath", "C:\\ERPS\\"}});
    WriteProfile("[DBPasswordCtrl]\nComputerName=\n");
    TTesseraIniS empty;
    EXPECT_TRUE(empty.Loaded());
    EXPECT_EQ(empty.ErrorCode, "");
}

TEST_F(ServerConfigTest, UsesThePerUserProfileAndTheCodePages) {
    TestInstallation machine("950", "ops");
    machine.SetTessera({{"ServerPath", "C:\\ERPS"}, {"ProfileType", "2"}});
    machine.WriteOnC("ERPS\\Profile\\ops\\TesseraS.ini",
                     "[CodePage]\nUICodePage=936\nDBCodePage=950\n"
                     "[DBPasswordCtrl]\nSupportCallBack=y\n");
    TTesseraIniS ini;
    EXPECT_EQ(ini.ProfilePath, "C:\\ERPS\\Profile\\ops\\");
    EXPECT_EQ(ini.ProfileUser, "ops");
    EXPECT_EQ(ini.SystemCodePage, "950");
    EXPECT_EQ(ini.UICodePage, "936");
    EXPECT_EQ(ini.DBCodePage, "950");
    EXPECT_EQ(ini.ConvertMode, 4);
    EXPECT_EQ(ini.DataConvertMode, 1);
    EXPECT_TRUE(ini.SupportCallBack);
}

} // namespace
} // namespace kvc::services
