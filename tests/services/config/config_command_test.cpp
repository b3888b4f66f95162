// kvc-tool config client / server, run as support staff run it, against a
// registry file and profile files in a temporary folder.
#include "services/config/test_installation.h"
#include "services/utilities/sql_password.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>

namespace kvc {
namespace {

using Json = nlohmann::ordered_json;
using testing::TestInstallation;

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun RunTool(const std::string& arguments) {
    const std::string command = std::string(KVC_TOOL_PATH) + " " + arguments;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ToolRun run;
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return run;
    }
    std::array<char, 4096> buffer;
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) {
        run.output.append(buffer.data(), got);
    }
    const int status = ::pclose(pipe.release());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The keys of an object in their order.
std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) {
        keys.push_back(item.key());
    }
    return keys;
}

TEST(ConfigCommandTest, PrintsTheClientConfiguration) {
    TestInstallation machine("950", "user1");
    machine.SetTessera({{"ClientPath", "C:\\ERP"}, {"ProfileType", "1"}});
    machine.WriteOnC("ERP\\Profile\\user1\\TesseraC.ini", R"([Client Components]
LangType=CHT
[ProductVersion]
Version=9.0.0.0
[CodePage]
UICodePage=936
DBCodePage=950
[Server Information]
SupportCallBack=Y
ComputerName=srv1;srv2;
ServerPort=3000
[WorkDLLPath]
A=D:\pkg
B=pkg
)");
    const ToolRun run = RunTool("config client");
    EXPECT_EQ(run.exitCode, 0);
    const Json expected = {
        {"ClientPath", "C:\\ERP\\"},
        {"ProfilePath", "C:\\ERP\\Profile\\user1\\"},
        {"ProfileType", "1"},
        {"ProfileUser", "user1"},
        {"UICodePage", "936"},
        {"DBCodePage", "950"},
        {"SystemCodePage", "950"},
        {"ConvertMode", 4},
        {"DataConvertMode", 1},
        {"SupportCallBack", true},
        {"IniFileName", "C:\\ERP\\Profile\\user1\\TesseraC.ini"},
        {"Servers",
         Json::array({{{"name", "srv1"}, {"port", 3000}}, {{"name", "srv2"}, {"port", 3000}}})},
        {"ErrorCode", ""},
        {"LangType", "CHT"},
        {"WorkDLLPath", Json::array({"D:\\pkg\\", "C:\\ERP\\pkg\\"})},
        {"Version", "9.0.0.0"},
        {"CreateGifBeforeSendEF", "Y"},
        {"AutoCheckNewMsg", "1"},
        {"CheckInterval", "1"},
        {"PopupMsg", "1"},
        {"LoginCheck", "0"},
        {"loaded", true},
    };
    const Json printed = Json::parse(run.output);
    EXPECT_EQ(printed, expected) << run.output;
    EXPECT_EQ(Keys(printed), Keys(expected));
}

TEST(ConfigCommandTest, PrintsWhatAFailedReadLeaves) {
    TestInstallation machine("1252");
    const ToolRun missingKey = RunTool("config client");
    EXPECT_EQ(missingKey.exitCode, 0);
    const Json printed = Json::parse(missingKey.output);
    EXPECT_EQ(printed["ErrorCode"], "E;000015");
    EXPECT_EQ(printed["Servers"], nullptr);
    EXPECT_EQ(printed["SystemCodePage"], "437");
    EXPECT_EQ(printed["WorkDLLPath"], Json::array());
    EXPECT_EQ(printed["loaded"], false);

    machine.SetTessera({{"ClientPath", "C:\\ERP"}});
    machine.WriteOnC("ERP\\TesseraC.ini",
                     "[Server Information]\nComputerName=;\n[WorkDLLPath]\nA=x\n");
    const Json noServer = Json::parse(RunTool("config client").output);
    EXPECT_EQ(noServer["ErrorCode"], "E;000016");
    EXPECT_EQ(noServer["Servers"], nullptr);
    EXPECT_EQ(noServer["WorkDLLPath"], Json::array({"A=x"}));
    EXPECT_EQ(noServer["loaded"], false);
}

TEST(ConfigCommandTest, PrintsTheServerConfiguration) {
    TestInstallation machine("936");
    machine.SetTessera({{"ServerPath", "C:\\ERPS\\"}});
    machine.WriteOnC("ERPS\\TesseraS.ini", "[DBE Setting]\nMainDBType=oracle\nMainServerName=db\n"
                                           "XXXXXX=" +
                                               services::EncodeSQLSa("pw") + "\n");
    const ToolRun run = RunTool("config server");
    EXPECT_EQ(run.exitCode, 0);
    const Json printed = Json::parse(run.output);
    EXPECT_EQ(Keys(printed),
              (std::vector<std::string>{"ServerPath", "ProfilePath", "ProfileType", "ProfileUser",
                                        "UICodePage", "DBCodePage", "SystemCodePage", "ConvertMode",
                                        "DataConvertMode", "SupportCallBack", "IniFileName",
                                        "DatabaseSettings", "ErrorCode", "WorkDLLPath", "Version",
                                        "MainDBKind", "SystemControlAddress",
                                        "OtherSystemControlAddress", "loaded"}));
    const Json empty = {{"$", "empty"}};
    EXPECT_EQ(printed["DatabaseSettings"],
              Json({{"$dims", {{0, 3}, {0, 7}}},
                    {"items",
                     {{"Arbor", "sa", "pw", "oracle", "", "db", 300, 3000},
                      {"ArborTemp", "sa", "", "PARADOX", "", "PostgreSQL", 300, 3000},
                      {"", 211, 1024, "Chinese_Taiwan_Stroke_BIN", empty, empty, empty, empty},
                      {"EDIDATA", "sa", "", empty, empty, empty, empty, empty}}}}));
    EXPECT_EQ(printed["MainDBKind"], 1);
    EXPECT_EQ(printed["SystemControlAddress"], "db");
    EXPECT_EQ(printed["WorkDLLPath"], Json::array({"C:\\ERPS\\S_PKG\\"}));
    EXPECT_EQ(printed["loaded"], true);

    machine.SetRegistry({});
    const Json failed = Json::parse(RunTool("config server").output);
    EXPECT_EQ(failed["DatabaseSettings"], empty);
    EXPECT_EQ(failed["ErrorCode"], "E;000015");
}

TEST(ConfigCommandTest, AsksForClientOrServer) {
    EXPECT_NE(RunTool("config 2>/dev/null").exitCode, 0);
    EXPECT_NE(RunTool("config other 2>/dev/null").exitCode, 0);
}

} // namespace
} // namespace kvc
