#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/shell.h"
#include "temp_folder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace kvc {
namespace {

namespace fs = std::filesystem;

// A launcher that remembers what reached it and answers as told.
class RecordingLauncher final : public ShellLauncher {
public:
    explicit RecordingLauncher(bool answer) : answer_(answer) {}
    bool Launch(const ShellRequest& request) override {
        launched.push_back(request);
        return answer_;
    }
    std::vector<ShellRequest> launched;

private:
    bool answer_;
};

class ShellTest : public ::testing::Test {
protected:
    ShellTest() { ProcessShell().Clear(); }
    ~ShellTest() override {
        ProcessShell().Clear();
        ProcessShell().SetLauncher(nullptr);
    }
};

TEST_F(ShellTest, RecordsEveryRequestAndLaunchesNothingByDefault) {
    EXPECT_EQ(ProcessShell().Launcher(), nullptr);
    EXPECT_EQ(ShellExecute("open", "http://erp/Server/ReportView.aspx?a=1"), kShellExecuteOk);
    ShellRequest properties{"properties", "C:\\ERP\\Wvtr57C.dll", "",
                            "",           SW_SHOWNORMAL,          SEE_MASK_INVOKEIDLIST};
    EXPECT_TRUE(ShellExecuteEx(properties));
    EXPECT_EQ(ShellExecute("print", "C:\\a.txt", "/p", "C:\\", 0), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute("open", ""), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute("", "C:\\a.txt"), kShellExecuteOk); // no verb: "open"

    auto requests = ProcessShell().Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].verb, "open");
    EXPECT_EQ(requests[0].file, "http://erp/Server/ReportView.aspx?a=1");
    EXPECT_EQ(requests[1], properties);
    EXPECT_EQ(requests[2], (ShellRequest{"print", "C:\\a.txt", "/p", "C:\\", 0, 0}));
    ProcessShell().Clear();
    EXPECT_TRUE(ProcessShell().Requests().empty());
}

TEST_F(ShellTest, HandsKnownVerbsToTheInstalledLauncher) {
    auto launcher = std::make_shared<RecordingLauncher>(true);
    ProcessShell().SetLauncher(launcher);
    EXPECT_EQ(ShellExecute("Open", "C:\\a.txt"), kShellExecuteOk);
    EXPECT_EQ(ShellExecute("explore", "C:\\"), SE_ERR_NOASSOC);
    ASSERT_EQ(launcher->launched.size(), 1u);
    EXPECT_EQ(launcher->launched[0].file, "C:\\a.txt");

    auto failing = std::make_shared<RecordingLauncher>(false);
    ProcessShell().SetLauncher(failing);
    EXPECT_EQ(ShellExecute("open", "C:\\a.txt"), SE_ERR_NOASSOC);
    EXPECT_EQ(ProcessShell().Requests().size(), 3u); // recorded whatever the outcome
}

// The desktop launcher runs whatever "xdg-open" is first on PATH; here a
// script that writes its argument to a file, so nothing real is opened.
class DesktopLauncherTest : public ShellTest {
protected:
    DesktopLauncherTest()
        : path_("PATH", folder_.Path().string() + ":/usr/bin:/bin"),
          drives_("KVC_DRIVES", "C=" + folder_.Path().string()) {
        fs::path script =
            folder_.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" +
                                          (folder_.Path() / "opened.tmp").string() + "\"\nmv \"" +
                                          (folder_.Path() / "opened.tmp").string() + "\" \"" +
                                          Opened().string() + "\"\n");
        fs::permissions(script, fs::perms::owner_all);
        folder_.Write("Report.html", "<html/>");
        ProcessShell().SetLauncher(CreateDesktopLauncher());
    }
    fs::path Opened() const { return folder_.Path() / "opened.txt"; }

    // The launched program runs on its own; wait (bounded) for its answer file.
    std::string WaitForOpened() const {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!fs::exists(Opened()) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream in(Opened());
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    testing::TempFolder folder_;
    ScopedEnvironmentVariable path_;
    ScopedEnvironmentVariable drives_;
};

TEST_F(DesktopLauncherTest, OpensAddressesAsTheyAre) {
    EXPECT_EQ(ShellExecute("open", "http://erp/x?a=1&b=2"), kShellExecuteOk);
    EXPECT_EQ(WaitForOpened(), "http://erp/x?a=1&b=2");
}

TEST_F(DesktopLauncherTest, OpensFilesByTheirNativePath) {
    EXPECT_EQ(ShellExecute("open", "C:\\report.HTML"), kShellExecuteOk);
    EXPECT_EQ(WaitForOpened(), (folder_.Path() / "Report.html").string());
}

TEST_F(DesktopLauncherTest, AnUnreachableFileIsNotOpened) {
    EXPECT_EQ(ShellExecute("open", "Q:\\report.html"), SE_ERR_NOASSOC);
}

} // namespace
} // namespace kvc
