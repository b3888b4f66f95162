#include "erp/host/host_application.h"
#include "erp/host/smoke.h"
#include "runtime/exceptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace kvc::host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(KvcHostSmoke, RunsTheWholeContractOnePrintedLineEach) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunSmoke({KVC_TEST_PLUGIN, ""}, out, err), 0) << err.str();
    EXPECT_THAT(
        Lines(out.str()),
        ElementsAre(
            R"({"step":"GetController"})", R"({"notify":256})", R"({"step":"Open","result":0})",
            R"({"notify":272})", R"({"step":"SetVisible","show":true,"visible":true})",
            R"({"step":"GetInfo","result":0,"info":["796","TqTest60","TSTRP1","TSTRP1"],"version":"870401-0.00.00"})",
            R"({"notify":288})", R"({"step":"SetVisible","show":false,"visible":false})",
            R"({"notify":304})",
            R"({"step":"CloseForm","isEmpty":true,"returnCode":0,"returnValue":{"$":"empty"}})"));
}

TEST(KvcHostSmoke, ALaunchTheFormRefusesAnswersMinusOne) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunSmoke({KVC_TEST_PLUGIN, R"("not an array")"}, out, err), 0) << err.str();
    std::vector<std::string> lines = Lines(out.str());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], R"({"step":"Open","result":-1})");
}

TEST(KvcHostSmoke, ErrorsOfThePluginArePrintedAndEndTheRun) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunSmoke({KVC_TEST_PLUGIN_NO_FORM, ""}, out, err), 1);
    EXPECT_THAT(
        Lines(out.str()),
        ElementsAre(
            R"({"step":"GetController"})",
            R"({"step":"Open","error":"KVC DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible"})"));
}

TEST(KvcHostSmoke, MissingFileExportOrLaunchValueExitsWithTwo) {
    struct Case {
        const char* name;
        SmokeOptions options;
        const char* message;
    };
    const Case cases[] = {
        {"missing file", {"/nonexistent/Nothing.dll", ""}, "cannot load the plug-in"},
        {"missing export", {KVC_NO_EXPORT_LIBRARY, ""}, "does not export GetController"},
        {"bad launch JSON", {KVC_TEST_PLUGIN, "[1,"}, "--launch is not a valid launch value"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunSmoke(k.options, out, err), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_THAT(err.str(), HasSubstr(k.message));
    }
}

TEST(HostApplication, AnswersTheServicesALaunchReads) {
    auto app = std::make_shared<HostApplication>();
    EXPECT_EQ(app->Get("VersionType"), Variant(HostApplication::kVersionType));
    EXPECT_EQ(app->Get("productid"), Variant(HostApplication::kProductID));
    EXPECT_EQ(app->Call("GetMessage", {"E", "000038"}), Variant("启动参数不足"));
    EXPECT_EQ(app->Call("GetMessage", {"E", "999999"}), Variant(""));
    EXPECT_THROW(app->Call("Com_Counter"), EOleError);
}

} // namespace
} // namespace kvc::host
