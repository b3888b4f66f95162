#include "platform/drive_map.h"
#include "platform/file_contents.h"
#include "platform/file_system.h"
#include "runtime/datetime.h"
#include "services/config/test_installation.h"
#include "services/logs/client_folder.h"
#include "services/logs/kv_download.h"
#include "services/logs/upgrade.h"
#include "tests/erp/libs/kvdownload/zip_writer.h"
#include "toolkit/application.h"
#include "toolkit/dialogs.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kvc::services {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::RegistryKey;
using testing::TestInstallation;
using testing::WriteZip;

void SetModified(const fs::path& file, std::time_t moment) {
    fs::last_write_time(
        file, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(moment)));
}

TEST(FileListTest, ReadsTheStampAndThePathInEitherForm) {
    struct Case {
        const char* text;
        const char *stamp, *path;
    };
    const Case cases[] = {
        {"<File><Modify>20240305102030</Modify><Path>\\\\srv\\erp\\C_PKG\\A.DLL</Path></File>",
         "20240305102030", "\\\\srv\\erp\\C_PKG\\A.DLL"},
        {"Name = 'A.DLL' Modify = '20240305102030' Path = 'C_PKG\\A.DLL'", "20240305102030",
         "C_PKG\\A.DLL"},
        {"<Modify>1</Modify> Path = 'p'", "1", "p"},
        {"<Modify>1 Path = 'p'", "", "p"},
        {"Modify = '1", "", ""},
        {"", "", ""},
        {"<Path></Path>", "", ""},
        {"modify = '1' path = 'p'", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FileListEntry entry = ParseFileList(c.text);
        EXPECT_EQ(entry.stamp, c.stamp);
        EXPECT_EQ(entry.path, c.path);
    }
}

// The machine of an upgrade: the download folder C:\Server, the program's
// library C:\ERP\C_PKG\WVTR57S.DLL, the temporary folder C:\Tmp. The upgrade's
// alerts go beside the test program, into a file of a date of this test's own.
class UpgradeTest : public ::testing::Test {
protected:
    static constexpr const char* kLocal = "C:\\ERP\\C_PKG\\WVTR57S.DLL";
    static constexpr const char* kServerFolder = "\\\\erpsrv\\erp\\C_PKG\\";
    static constexpr std::time_t kServerTime = 1709634030; // 2024-03-05, whole even second

    UpgradeTest() {
        SetRegistry("1");
        fs::create_directories(machine_.OnC("Tmp"));
        local_ = machine_.WriteOnC("ERP\\C_PKG\\WVTR57S.DLL", "old library");
        SetModified(local_, kServerTime - 86400);
        fs::remove(AlertFile());
    }
    ~UpgradeTest() override {
        std::error_code ec;
        fs::remove(AlertFile(), ec);
        fs::remove(AlertFile().parent_path(), ec); // only when empty
    }

    void SetRegistry(std::optional<std::string> goAhead) const {
        RegistryKey kova{"Software\\KOVA\\Torvenmark", {{"DownloadRoot", "C:\\Server"}}, {}};
        if (goAhead) {
            kova.strings.emplace_back("GoAhead", *goAhead);
        }
        machine_.SetRegistry({kova, {"Software\\KVC\\Tessera", {{"ClientPath", "C:\\ERP"}}, {}}});
    }

    void PutServerCopy(const std::string& content = "new library") const {
        WriteZip(machine_.OnC("Server\\C_PKG\\WVTR57S.DLL.zip"),
                 {{"WVTR57S.DLL", content, kServerTime}});
    }

    static std::string Stamp(std::time_t moment) {
        return FormatDateTime("yyyymmddhhnnss", UnixTimeToDateTime(moment));
    }

    // A day of this test's own, so that tests running side by side never share the file.
    static TDateTime TestDay() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::uint32_t hash = 2166136261u;
        for (const char* c = info->name(); *c != '\0'; ++c) {
            hash = (hash ^ std::uint8_t(*c)) * 16777619u;
        }
        return EncodeDate(1990, 1, 1) + double(hash % 7000);
    }

    fs::path AlertFile() const {
        const auto folder = ToNativePath(ExecutableFolder() + "Log");
        return *folder / ("Alert_KVDownLoadNewFileU_" + FormatDateTime("yyyymmdd", day_) + ".log");
    }

    // The alert texts written, without their time stamps.
    std::vector<std::string> Alerts() const {
        std::vector<std::string> texts;
        std::istringstream lines(ReadAll(AlertFile()));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            const auto end = line.find("] ");
            texts.push_back(end == std::string::npos ? line : line.substr(end + 2));
        }
        return texts;
    }

    TestInstallation machine_;
    ScopedEnvironmentVariable libraryPath_{"KVC_LIBRARY_PATH", KVC_KVDOWNLOAD_FOLDER};
    ScopedEnvironmentVariable tmp_{"TMPDIR", machine_.OnC("Tmp").string()};
    TDateTime day_ = TestDay();
    ScopedFixedClock clock_{day_ + 0.5};
    fs::path local_;
};

TEST_F(UpgradeTest, IsAllowedOnlyByAOne) {
    struct Case {
        std::optional<std::string> goAhead;
        bool allowed;
    };
    const Case cases[] = {{"1", true},  {" 1 ", true}, {"0", false},   {"", false},
                          {"2", false}, {"01", false}, {"yes", false}, {std::nullopt, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.goAhead.value_or("(missing)"));
        SetRegistry(c.goAhead);
        EXPECT_EQ(UpgradeAllowed(), c.allowed);
    }
    machine_.SetRegistry({{"Software\\KOVA\\Torvenmark", {}, {{"GoAhead", 1}}}});
    EXPECT_TRUE(UpgradeAllowed());
    EXPECT_FALSE(fs::exists(AlertFile()));
}

TEST_F(UpgradeTest, AMissingSwitchKeyIsWrittenAsAnAlert) {
    machine_.SetRegistry({});
    EXPECT_FALSE(UpgradeAllowed());
    EXPECT_EQ(Alerts(), (std::vector<std::string>{
                            "Read Upgrader Registry Error: No UPGRADER_REGISTRY_PATH"}));
}

TEST_F(UpgradeTest, WithoutTheSwitchTheFileCountsAsCurrent) {
    ScopedEnvironmentVariable noLibrary("KVC_LIBRARY_PATH", std::nullopt);
    for (const char* goAhead : {"0", ""}) {
        SetRegistry(goAhead);
        std::string error = "untouched";
        EXPECT_TRUE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, false, error));
        EXPECT_EQ(error, "untouched");
    }
    EXPECT_EQ(ReadAll(local_), "old library");
    EXPECT_FALSE(fs::exists(AlertFile()));
}

TEST_F(UpgradeTest, AMissingLibraryFailsTheCompare) {
    ScopedEnvironmentVariable noLibrary("KVC_LIBRARY_PATH", std::nullopt);
    const TKVDownLoad library;
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(library.LoadError(), "The specified module could not be found: KVDownLoad.dll");
    EXPECT_THROW(
        {
            try {
                library.Compare("x", "y");
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), "function KvDownLoad.CompareFileToDown not found!");
                throw;
            }
        },
        Exception);
    std::string error;
    EXPECT_EQ(library.Download("a", "b", error), 0);
    EXPECT_EQ(error, "function KvDownLoad.KVDownLoadFile not found!");
    EXPECT_EQ(library.Unzip("a", "b", error), 0);
    EXPECT_EQ(error, "function KvDownLoad.UnZipFilesOrDir not found!");

    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, true, error));
    EXPECT_EQ(error, "function KvDownLoad.CompareFileToDown not found!");
    EXPECT_EQ(Alerts(), std::vector<std::string>{error});
}

TEST_F(UpgradeTest, FindsEveryExportOfTheLibrary) {
    const TKVDownLoad library;
    ASSERT_TRUE(library.Loaded()) << library.LoadError();
    for (const char* name :
         {"CompareFileToDown", "KVDownLoadFileEx", "UnZipFilesOrDir", "CompareFileToDownEx",
          "NeedDownLoad", "UnZipFilesList", "UnZipFilesXML", "GetFileList"}) {
        EXPECT_NE(library.Export(name), nullptr) << name;
    }
    EXPECT_EQ(library.Export("Other"), nullptr);
}

TEST_F(UpgradeTest, ACurrentFileIsLeftAlone) {
    std::string error;
    EXPECT_TRUE(UpdateFile(Stamp(kServerTime - 86400), kServerFolder, kLocal, false, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadAll(local_), "old library");
}

TEST_F(UpgradeTest, AFileOnANetworkPathIsNotUpdated) {
    PutServerCopy();
    const std::string network = "\\\\pc01\\share\\WVTR57S.DLL";
    std::string error;
    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, network, false, error));
    EXPECT_EQ(error, "Net File can't update![\\\\pc01\\share\\WVTR57S.DLL]");
    EXPECT_EQ(Alerts(), std::vector<std::string>{error});
}

TEST_F(UpgradeTest, FetchesAndUnzipsANewerCopyFromTheFileList) {
    const std::string lists[] = {
        "<Modify>" + Stamp(kServerTime) + "</Modify><Path>" + kServerFolder + "WVTR57S.DLL</Path>",
        "Modify = '" + Stamp(kServerTime) + "' Path = '" + kServerFolder + "WVTR57S.DLL'",
    };
    for (const std::string& list : lists) {
        SCOPED_TRACE(list);
        PutServerCopy();
        machine_.WriteOnC("ERP\\C_PKG\\WVTR57S.DLL", "old library");
        SetModified(local_, kServerTime - 86400);
        std::string error;
        EXPECT_TRUE(UpdateFromList(list, kLocal, error, false)) << error;
        EXPECT_EQ(error, "");
        EXPECT_EQ(ReadAll(local_), "new library");
        // The archive is gone from the temporary folder, and the file is now current.
        EXPECT_TRUE(fs::is_empty(machine_.OnC("Tmp")));
        EXPECT_TRUE(UpdateFromList(list, kLocal, error, false));
        fs::remove(machine_.OnC("Server\\C_PKG\\WVTR57S.DLL.zip"));
        EXPECT_TRUE(UpdateFromList(list, kLocal, error, false)) << error;
    }
    EXPECT_FALSE(fs::exists(AlertFile()));
}

TEST_F(UpgradeTest, ADownloadFailureIsReturnedAndWritten) {
    std::string error;
    int asked = 0;
    const RetryPrompt prompt = [&asked](std::string_view) {
        ++asked;
        return RetryAnswer::Retry;
    };
    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, false, error, prompt));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(error, "DownLoad new file[C:\\ERP\\C_PKG\\WVTR57S.DLL] failed. File not found: "
                     "\\\\erpsrv\\erp\\c_pkg\\wvtr57s.dll.zip");
    EXPECT_EQ(Alerts(), std::vector<std::string>{error});
    EXPECT_EQ(ReadAll(local_), "old library");
}

TEST_F(UpgradeTest, RetryDownloadsAgainAndAbortEnds) {
    std::vector<std::string> asked;
    const RetryPrompt retryOnce = [&](std::string_view message) {
        asked.emplace_back(message);
        PutServerCopy(); // the user fixed the server, then chose Retry
        return RetryAnswer::Retry;
    };
    std::string error;
    EXPECT_TRUE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, true, error, retryOnce))
        << error;
    EXPECT_EQ(asked, (std::vector<std::string>{
                         "DownLoad new file[C:\\ERP\\C_PKG\\WVTR57S.DLL] failed. File not found: "
                         "\\\\erpsrv\\erp\\c_pkg\\wvtr57s.dll.zip"}));
    EXPECT_EQ(ReadAll(local_), "new library");

    SetModified(local_, kServerTime - 86400);
    fs::remove(machine_.OnC("Server\\C_PKG\\WVTR57S.DLL.zip"));
    int prompts = 0;
    const RetryPrompt abort = [&prompts](std::string_view) {
        ++prompts;
        return RetryAnswer::Abort;
    };
    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, true, error, abort));
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Alerts(), std::vector<std::string>{error});
}

TEST_F(UpgradeTest, AnUnzipFailureKeepsTheOldFile) {
    machine_.WriteOnC("Server\\C_PKG\\WVTR57S.DLL.zip", "no archive");
    std::string error;
    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, false, error));
    EXPECT_EQ(error.rfind("Unzip new file[C:\\ERP\\C_PKG\\WVTR57S.DLL] failed. Cannot open zip "
                          "file C:\\Tmp\\WVTR57S.DLL.zip: ",
                          0),
              0u)
        << error;
    EXPECT_EQ(ReadAll(local_), "old library");
    EXPECT_EQ(Alerts(), std::vector<std::string>{error});
}

TEST_F(UpgradeTest, AsksTheUserThroughAnErrorDialog) {
    TDialogResponder& responder = Application().DialogResponder();
    responder.ClearLog();
    responder.ClearAnswers();
    responder.QueueAnswer(mrRetry);
    responder.QueueAnswer(mrAbort);
    std::string error;
    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, true, error));
    ASSERT_EQ(responder.Log().size(), 2u);
    for (const TDialogRecord& dialog : responder.Log()) {
        EXPECT_EQ(dialog.type, mtError);
        EXPECT_EQ(dialog.text, error);
        EXPECT_EQ(dialog.buttons, (TMsgDlgButtons{mbAbort, mbRetry}));
    }
    EXPECT_EQ(responder.Log()[0].answer, mrRetry);
    EXPECT_EQ(responder.Log()[1].answer, mrAbort);

    // With no answer given the dialog is cancelled, which ends as Abort does.
    responder.ClearLog();
    EXPECT_FALSE(UpdateFile(Stamp(kServerTime), kServerFolder, kLocal, true, error));
    EXPECT_EQ(responder.Log().size(), 1u);
}

} // namespace
} // namespace kvc::services
