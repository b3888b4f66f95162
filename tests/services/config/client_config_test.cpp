#include "runtime/variant_array.h"
#include "services/config/client_config.h"
#include "test_installation.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

using testing::TestInstallation;

struct Server {
    std::string name;
    int port;
    bool operator==(const Server&) const = default;
};

std::vector<Server> ServersOf(const TTesseraIniC& ini) {
    std::vector<Server> servers;
    if (!ini.Servers.IsArray()) {
        return servers;
    }
    EXPECT_EQ(VarArrayDimCount(ini.Servers), 2);
    EXPECT_EQ(VarArrayLowBound(ini.Servers, 1), 0);
    EXPECT_EQ(VarArrayHighBound(ini.Servers, 1), 1);
    EXPECT_EQ(VarArrayLowBound(ini.Servers, 2), 0);
    for (int i = 0; i <= VarArrayHighBound(ini.Servers, 2); ++i) {
        EXPECT_EQ(ini.Servers(1, i).Kind(), VariantKind::Integer);
        servers.push_back({ini.Servers(0, i).AsString(), ini.Servers(1, i).AsInteger()});
    }
    return servers;
}

std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list[i]);
    }
    return lines;
}

class ClientConfigTest : public ::testing::Test {
protected:
    TestInstallation machine_;
};

TEST_F(ClientConfigTest, AMissingKeyGivesTheRegistryErrorAndTheEarlyDefaults) {
    // No registry file at all, then a registry without the key.
    for (bool writeRegistry : {false, true}) {
        SCOPED_TRACE(writeRegistry);
        if (writeRegistry) {
            machine_.SetRegistry({{"Software\\KVC\\Other", {{"ClientPath", "C:\\ERP"}}, {}}});
        }
        TTesseraIniC ini;
        EXPECT_FALSE(ini.Loaded());
        EXPECT_EQ(ini.ErrorCode, "E;000015");
        EXPECT_EQ(ini.ClientPath, "");
        EXPECT_EQ(ini.ProfilePath, "");
        EXPECT_EQ(ini.ProfileType, "0");
        EXPECT_EQ(ini.ProfileUser, "Default");
        EXPECT_EQ(ini.IniFileName, "");
        EXPECT_EQ(ini.SystemCodePage, "936");
        EXPECT_EQ(ini.UICodePage, "936");
        EXPECT_EQ(ini.DBCodePage, "936");
        EXPECT_TRUE(ini.Servers.IsEmpty());
        EXPECT_EQ(ini.WorkDLLPath.Count(), 0);
    }
}

TEST_F(ClientConfigTest, AnEmptyClientPathStopsWithoutACodeButKeepsTheProfileType) {
    for (const char* path : std::initializer_list<const char*>{"", nullptr}) {
        std::vector<std::pair<std::string, std::string>> values = {{"ProfileType", "1"}};
        if (path != nullptr) {
            values.emplace_back("ClientPath", path);
        }
        machine_.SetTessera(values);
        TTesseraIniC ini;
        EXPECT_FALSE(ini.Loaded());
        EXPECT_EQ(ini.ErrorCode, "");
        EXPECT_EQ(ini.ProfileType, "1");
        EXPECT_EQ(ini.ProfileUser, "Default");
        EXPECT_EQ(ini.IniFileName, "");
        EXPECT_TRUE(ini.Servers.IsEmpty());
    }
}

TEST_F(ClientConfigTest, ChoosesThePerUserOrTheMachineProfileFile) {
    struct Case {
        const char* name;
        std::optional<std::string> profileType;
        bool userFile, machineFile;
        const char *profilePath, *profileUser, *profileTypeRead, *langType;
    };
    const Case cases[] = {
        {"per user, file present", "1", true, true, "C:\\ERP\\Profile\\user1\\", "user1", "1",
         "CHT"},
        {"per user, falls back", "1", false, true, "C:\\ERP\\", "user1", "1", "CHS"},
        {"any other text is per user", "yes", true, true, "C:\\ERP\\Profile\\user1\\", "user1",
         "yes", "CHT"},
        {"machine profile", "0", true, true, "C:\\ERP\\", "Default", "0", "CHS"},
        {"profile type missing", std::nullopt, true, true, "C:\\ERP\\", "Default", "", "CHS"},
        {"profile type empty", "", true, true, "C:\\ERP\\", "Default", "", "CHS"},
        {"no file at all", "1", false, false, "C:\\ERP\\", "user1", "1", "ENG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestInstallation machine;
        std::vector<std::pair<std::string, std::string>> values = {{"ClientPath", "C:\\ERP"}};
        if (c.profileType) {
            values.emplace_back("ProfileType", *c.profileType);
        }
        machine.SetTessera(values);
        if (c.userFile) {
            machine.WriteOnC("ERP\\Profile\\user1\\TesseraC.ini",
                             "[Client Components]\nLangType=CHT\n");
        }
        if (c.machineFile) {
            machine.WriteOnC("ERP\\TesseraC.ini", "[Client Components]\nLangType=CHS\n");
        }
        TTesseraIniC ini;
        EXPECT_TRUE(ini.Loaded());
        EXPECT_EQ(ini.ClientPath, "C:\\ERP\\");
        EXPECT_EQ(ini.ProfilePath, c.profilePath);
        EXPECT_EQ(ini.IniFileName, std::string(c.profilePath) + "TesseraC.ini");
        EXPECT_EQ(ini.ProfileUser, c.profileUser);
        EXPECT_EQ(ini.ProfileType, c.profileTypeRead);
        EXPECT_EQ(ini.LangType, c.langType);
    }
}

TEST_F(ClientConfigTest, FindsTheProfileFileWhateverTheLetterCaseOnDisk) {
    machine_.SetTessera({{"ClientPath", "C:\\erp\\"}, {"ProfileType", "1"}});
    machine_.WriteOnC("ERP\\PROFILE\\user1\\tesserac.INI", "[Client Components]\nLangType=CHT\n");
    TTesseraIniC ini;
    EXPECT_EQ(ini.ClientPath, "C:\\erp\\");
    EXPECT_EQ(ini.ProfilePath, "C:\\erp\\Profile\\user1\\");
    EXPECT_EQ(ini.LangType, "CHT");
}

TEST_F(ClientConfigTest, AUserNameTooLongForTheBufferReadsAsEmpty) {
    ScopedEnvironmentVariable user("USER", std::string(32, 'u'));
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}, {"ProfileType", "1"}});
    machine_.WriteOnC("ERP\\TesseraC.ini", "[Client Components]\nLangType=CHS\n");
    TTesseraIniC ini;
    EXPECT_EQ(ini.ProfileUser, "");
    EXPECT_EQ(ini.ProfilePath, "C:\\ERP\\");
    EXPECT_EQ(ini.LangType, "CHS");

    ScopedEnvironmentVariable fits("USER", std::string(31, 'u'));
    EXPECT_EQ(TTesseraIniC().ProfileUser, std::string(31, 'u'));
}

TEST_F(ClientConfigTest, EveryKeyTakesItsDefaultWithoutAProfileFile) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP\\"}});
    TTesseraIniC ini;
    EXPECT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.ErrorCode, "");
    EXPECT_EQ(ini.LangType, "ENG");
    EXPECT_EQ(ini.Version, "");
    EXPECT_EQ(ini.CreateGifBeforeSendEF, "Y");
    EXPECT_EQ(ini.UICodePage, "936");
    EXPECT_EQ(ini.DBCodePage, "936");
    EXPECT_FALSE(ini.SupportCallBack);
    EXPECT_EQ(ServersOf(ini), (std::vector<Server>{{"127.0.0.1", 211}}));
    EXPECT_EQ(Lines(ini.WorkDLLPath), (std::vector<std::string>{"C:\\ERP\\C_PKG\\"}));
    EXPECT_EQ(ini.AutoCheckNewMsg, "1");
    EXPECT_EQ(ini.CheckInterval, "1");
    EXPECT_EQ(ini.PopupMsg, "1");
    EXPECT_EQ(ini.LoginCheck, "0");
}

TEST_F(ClientConfigTest, ReadsEveryKeyOfTheProfileFile) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP\\"}});
    machine_.WriteOnC("ERP\\TesseraC.ini", R"([Client Components]
LangType=CHT
[ProductVersion]
Version=9.0.1
[UserDefine]
CreateGifBeforeSendEF=N
[CodePage]
UICodePage=950
DBCodePage=950
[Server Information]
SupportCallBack=Yes
ComputerName=erpsrv
ServerPort=3000
[TaskMessageCenter Setting]
AutoCheckNewMsg=0
CheckInterval=5
PopupMsg=0
LoginCheck=1
)");
    TTesseraIniC ini;
    EXPECT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.LangType, "CHT");
    EXPECT_EQ(ini.Version, "9.0.1");
    EXPECT_EQ(ini.CreateGifBeforeSendEF, "N");
    EXPECT_EQ(ini.UICodePage, "950");
    EXPECT_EQ(ini.DBCodePage, "950");
    EXPECT_EQ(ini.ConvertMode, 2);
    EXPECT_EQ(ini.DataConvertMode, 0);
    EXPECT_TRUE(ini.SupportCallBack);
    EXPECT_EQ(ServersOf(ini), (std::vector<Server>{{"erpsrv", 3000}}));
    EXPECT_EQ(ini.AutoCheckNewMsg, "0");
    EXPECT_EQ(ini.CheckInterval, "5");
    EXPECT_EQ(ini.PopupMsg, "0");
    EXPECT_EQ(ini.LoginCheck, "1");
}

TEST_F(ClientConfigTest, SplitsTheServerList) {
    struct Case {
        std::optional<std::string> computerName;
        std::optional<std::string> port;
        std::vector<Server> servers; // empty: "E;000016"
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, {{"127.0.0.1", 211}}},
        {"srv1;srv2;", "3000", {{"srv1", 3000}, {"srv2", 3000}}},
        {"srv1; srv2", "3000", {{"srv1", 3000}, {" srv2", 3000}}},
        {"srv1;;srv2", "3000", {{"srv1", 3000}, {"", 3000}, {"srv2", 3000}}},
        {"srv1;;", "3000", {{"srv1", 3000}}},
        {";;", "3000", {{"", 3000}}},
        {"\t srv1 \x01", "abc", {{"srv1", 211}}},
        {"srv1", "", {{"srv1", 211}}},
        {"srv1", "0x10", {{"srv1", 16}}},
        {"", "3000", {}},
        {";", "3000", {}},
        {"   ", "3000", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.computerName.value_or("(missing)"));
        TestInstallation machine;
        machine.SetTessera({{"ClientPath", "C:\\ERP"}});
        std::string text = "[WorkDLLPath]\nA=pkg\n[Server Information]\n";
        if (c.computerName) {
            text += "ComputerName=" + *c.computerName + "\n";
        }
        if (c.port) {
            text += "ServerPort=" + *c.port + "\n";
        }
        machine.WriteOnC("ERP\\TesseraC.ini", text);
        TTesseraIniC ini;
        EXPECT_EQ(ServersOf(ini), c.servers);
        if (c.servers.empty()) {
            EXPECT_FALSE(ini.Loaded());
            EXPECT_EQ(ini.ErrorCode, "E;000016");
            EXPECT_TRUE(ini.Servers.IsEmpty());
            // The package folders stay as the section wrote them.
            EXPECT_EQ(Lines(ini.WorkDLLPath), (std::vector<std::string>{"A=pkg"}));
        } else {
            EXPECT_TRUE(ini.Loaded());
            EXPECT_EQ(ini.ErrorCode, "");
            EXPECT_EQ(Lines(ini.WorkDLLPath), (std::vector<std::string>{"C:\\ERP\\pkg\\"}));
        }
    }
}

TEST_F(ClientConfigTest, ResolvesPackageFoldersAgainstTheClientPath) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP\\"}});
    machine_.WriteOnC("ERP\\TesseraC.ini", "[WorkDLLPath]\nA=D:\\pkg\nB=\\pkg\nC=pkg\n"
                                           "D=\\\\srv\\share\\pkg\nE=\nb=ignored\n");
    TTesseraIniC ini;
    EXPECT_EQ(Lines(ini.WorkDLLPath),
              (std::vector<std::string>{"D:\\pkg\\", "C:\\ERP\\pkg\\", "C:\\ERP\\pkg\\",
                                        "\\\\srv\\share\\pkg\\", "C:\\ERP\\", "C:\\ERP\\pkg\\"}));

    machine_.WriteOnC("ERP\\TesseraC.ini", "[WorkDLLPath]\n[Other]\nA=x\n");
    EXPECT_EQ(Lines(TTesseraIniC().WorkDLLPath), (std::vector<std::string>{"C:\\ERP\\C_PKG\\"}));
}

TEST_F(ClientConfigTest, DerivesTheModesFromTheSystemAndConfiguredCodePages) {
    struct Case {
        const char* acp;
        std::optional<std::string> ui, db;
        const char *system, *uiRead;
        int convert, data;
    };
    const Case cases[] = {
        {"1252", std::nullopt, std::nullopt, "437", "437", 0, 0},
        {"437", std::nullopt, std::nullopt, "437", "437", 0, 0},
        {"936", "950", std::nullopt, "936", "950", 2, 2},
        {"950", "936", "950", "950", "936", 4, 1},
        {"950", std::nullopt, std::nullopt, "950", "950", 2, 2},
        {"65001", "936", "950", "437", "936", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.acp);
        TestInstallation machine(c.acp);
        machine.SetTessera({{"ClientPath", "C:\\ERP"}});
        std::string text = "[CodePage]\n";
        if (c.ui) {
            text += "UICodePage=" + *c.ui + "\n";
        }
        if (c.db) {
            text += "DBCodePage=" + *c.db + "\n";
        }
        machine.WriteOnC("ERP\\TesseraC.ini", text);
        TTesseraIniC ini;
        EXPECT_EQ(ini.SystemCodePage, c.system);
        EXPECT_EQ(ini.UICodePage, c.uiRead);
        EXPECT_EQ(ini.ConvertMode, c.convert);
        EXPECT_EQ(ini.DataConvertMode, c.data);
    }
}

TEST_F(ClientConfigTest, AReaderThatStopsEarlyStillDerivesTheModes) {
    TestInstallation machine("950");
    TTesseraIniC ini;
    EXPECT_FALSE(ini.Loaded());
    EXPECT_EQ(ini.UICodePage, "950");
    EXPECT_EQ(ini.DBCodePage, "936");
    EXPECT_EQ(ini.ConvertMode, 2);
    EXPECT_EQ(ini.DataConvertMode, 2);
}

TEST_F(ClientConfigTest, ReadsTheSupportCallBackSpellings) {
    struct Case {
        const char* value;
        bool expected;
    };
    const Case cases[] = {{"yes", true}, {"True", true}, {"1", true}, {"y", true},
                          {"2", false},  {"N", false},   {"", false}, {"on", false},
                          {"0", false},  {"-1", false}};
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        machine_.WriteOnC("ERP\\TesseraC.ini",
                          std::string("[Server Information]\nSupportCallBack=") + c.value + "\n");
        EXPECT_EQ(TTesseraIniC().SupportCallBack, c.expected);
    }
}

TEST_F(ClientConfigTest, SurvivesBadProfileFiles) {
    machine_.SetRegistry(
        {{"Software\\KVC\\Tessera", {{"ClientPath", "C:\\ERP"}}, {{"ProfileType", 0}}}});
    const std::string longValue(200000, 'x');
    machine_.WriteOnC("ERP\\TesseraC.ini",
                      "garbage without equals\n[Client Components\nLangType=CHT\n"
                      "[Client Components]\nLangType=CHS\nLangType=ENG\nVersion=" +
                          longValue + "\n[ProductVersion]\nVersion=" + longValue +
                          "\n[Server Information]\n=no key\nServerPort=99999999999\n"
                          "[Server Information]\nComputerName=late\n\xff\xfe\x00\n");
    TTesseraIniC ini;
    EXPECT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.ProfileType, "0");
    EXPECT_EQ(ini.LangType, "CHS");
    EXPECT_EQ(ini.Version, longValue);
    EXPECT_EQ(ServersOf(ini), (std::vector<Server>{{"127.0.0.1", 211}}));
}

TEST_F(ClientConfigTest, AProfileThatIsAFolderOrUnreadableReadsAsEmpty) {
    machine_.SetTessera({{"ClientPath", "C:\\ERP"}, {"ProfileType", "1"}});
    std::filesystem::create_directories(machine_.OnC("ERP\\Profile\\user1\\TesseraC.ini"));
    machine_.WriteOnC("ERP\\TesseraC.ini", "[Client Components]\nLangType=CHS\n");
    TTesseraIniC ini;
    // A folder is not a profile file: the machine's file is read instead.
    EXPECT_EQ(ini.ProfilePath, "C:\\ERP\\");
    EXPECT_EQ(ini.LangType, "CHS");

    std::filesystem::remove(machine_.OnC("ERP\\TesseraC.ini"));
    std::filesystem::create_directories(machine_.OnC("ERP\\TesseraC.ini"));
    TTesseraIniC defaults;
    EXPECT_TRUE(defaults.Loaded());
    EXPECT_EQ(defaults.LangType, "ENG");
}

TEST_F(ClientConfigTest, AnUnmappedDriveGivesDefaults) {
    machine_.SetTessera({{"ClientPath", "Q:\\ERP"}});
    TTesseraIniC ini;
    EXPECT_TRUE(ini.Loaded());
    EXPECT_EQ(ini.IniFileName, "Q:\\ERP\\TesseraC.ini");
    EXPECT_EQ(ini.LangType, "ENG");
}

TEST(SplitServerNamesTest, RemovesOneTrailingSeparatorThenCutsAtEveryOne) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(SplitServerNames("a;b"), (Names{"a", "b"}));
    EXPECT_EQ(SplitServerNames("a;;;"), (Names{"a", ""}));
    EXPECT_EQ(SplitServerNames(";a"), (Names{"", "a"}));
    EXPECT_EQ(SplitServerNames(";"), Names{});
    EXPECT_EQ(SplitServerNames(""), Names{});
}

} // namespace
} // namespace kvc::services
