#include "erp/libs/kvdownload/kvdownload.h"
#include "platform/codepage.h"
#include "platform/environment.h"
#include "platform/file_contents.h"
#include "platform/file_system.h"
#include "platform/module.h"
#include "runtime/datetime.h"
#include "services/config/test_installation.h"
#include "tests/erp/libs/kvdownload/zip_writer.h"

#include <array>
#include <chrono>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kvc {
namespace {

namespace fs = std::filesystem;
using testing::ListFiles;
using testing::ReadAll;
using testing::TestInstallation;
using testing::WriteZip;
using testing::ZipEntry;

struct CallResult {
    std::int32_t result = -1;
    std::int32_t value = -1;
    std::int32_t code = -1;
    std::string error;
};

class KvDownloadTest : public ::testing::Test {
protected:
    KvDownloadTest() {
        machine_.SetRegistry(
            {{"Software\\KOVA\\Torvenmark", {{"DownloadRoot", "C:\\Server"}}, {}}});
        std::string error;
        module_ = Module::Load("KVDownLoad.dll", &error);
        EXPECT_TRUE(module_.IsLoaded()) << error;
        compare_ = module_.Function<decltype(::CompareFileToDown)>("CompareFileToDown");
        download_ = module_.Function<decltype(::KVDownLoadFileEx)>("KVDownLoadFileEx");
        unzip_ = module_.Function<decltype(::UnZipFilesOrDir)>("UnZipFilesOrDir");
    }

    std::int32_t Compare(const std::string& stamp, const std::string& localFile) const {
        return compare_(stamp.c_str(), localFile.c_str());
    }

    CallResult Download(const std::string& remote, const std::string& local,
                        const std::string& server = "") const {
        CallResult call;
        std::array<char, KVDOWNLOAD_ERROR_BUFFER_SIZE> buffer;
        buffer.fill('#');
        call.result = download_(0, server.c_str(), "KOVA", "60", remote.c_str(), local.c_str(),
                                &call.value, buffer.data(), &call.code, 0);
        call.error = TextOf(buffer);
        return call;
    }

    CallResult Unzip(const std::string& zip, const std::string& folder) const {
        CallResult call;
        std::array<char, KVDOWNLOAD_ERROR_BUFFER_SIZE> buffer;
        buffer.fill('#');
        call.result = unzip_(zip.c_str(), folder.c_str(), buffer.data(), &call.value);
        call.error = TextOf(buffer);
        return call;
    }

    static std::string TextOf(const std::array<char, KVDOWNLOAD_ERROR_BUFFER_SIZE>& buffer) {
        const auto end = std::find(buffer.begin(), buffer.end(), '\0');
        EXPECT_NE(end, buffer.end()) << "the error text is not terminated inside its buffer";
        return std::string(buffer.begin(), end);
    }

    // Moment of a file's modification as a stamp, moved by seconds.
    static std::string StampOf(const std::string& file, int seconds) {
        const auto age = FileAge(file);
        EXPECT_TRUE(age.has_value());
        return FormatDateTime("yyyymmddhhnnss", age.value_or(0) + seconds / 86400.0);
    }

    TestInstallation machine_;
    ScopedEnvironmentVariable libraryPath_{"KVC_LIBRARY_PATH", KVC_KVDOWNLOAD_FOLDER};
    Module module_;
    decltype(&::CompareFileToDown) compare_ = nullptr;
    decltype(&::KVDownLoadFileEx) download_ = nullptr;
    decltype(&::UnZipFilesOrDir) unzip_ = nullptr;
};

TEST_F(KvDownloadTest, LoadsByNameWithEveryExport) {
    for (const char* name :
         {"CompareFileToDown", "KVDownLoadFileEx", "UnZipFilesOrDir", "CompareFileToDownEx",
          "NeedDownLoad", "UnZipFilesList", "UnZipFilesXML", "GetFileList"}) {
        EXPECT_NE(module_.Symbol(name), nullptr) << name;
    }
    using Unused = std::int32_t();
    EXPECT_EQ(module_.Function<Unused>("NeedDownLoad")(), 0);
}

TEST_F(KvDownloadTest, ComparesTheStampWithTheLocalFile) {
    // A whole second, so that stamps (which have no fractions) compare exactly.
    const fs::path native = machine_.WriteOnC("ERP\\WVTR57S.DLL", "old");
    fs::last_write_time(native, std::chrono::file_clock::from_sys(
                                    std::chrono::system_clock::from_time_t(1709634030)));
    const std::string file = "C:\\ERP\\wvtr57s.dll";
    struct Case {
        std::string stamp;
        std::int32_t expected;
    };
    const std::string later = StampOf(file, 2);
    const Case cases[] = {
        {StampOf(file, -3600), 0},
        {StampOf(file, 0), 0},
        {StampOf(file, 1), 0},
        {later, 1},
        {later.substr(0, 4) + "-" + later.substr(4, 2) + "-" + later.substr(6, 2) + " " +
             later.substr(8, 2) + ":" + later.substr(10, 2) + ":" + later.substr(12, 2),
         1},
        {StampOf(file, 86400), 1},
        {"", 0},
        {"20241301000000", 0},
        {"2024030510203", 0},
        {"garbage", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_EQ(Compare(c.stamp, file), c.expected);
    }
    // Without a local file there is always something to fetch.
    EXPECT_EQ(Compare("20000101000000", "C:\\ERP\\missing.dll"), 1);
    EXPECT_EQ(Compare("garbage", "Q:\\unmapped\\x.dll"), 1);
    EXPECT_EQ(compare_(nullptr, nullptr), 1);
}

TEST_F(KvDownloadTest, DownloadsFromTheDownloadRootIgnoringLetterCase) {
    machine_.WriteOnC("Server\\C_PKG\\WVTR57S.DLL.zip", "zip bytes");
    machine_.WriteOnC("Temp\\wvtr57s.dll.zip", "previous");
    for (const std::string remote : {"\\c_pkg\\wvtr57s.dll.zip", "c_pkg\\wvtr57s.dll.zip",
                                     "\\\\erpsrv\\erp\\c_pkg\\wvtr57s.dll.zip",
                                     "d:\\c_pkg\\.\\wvtr57s.dll.zip", "c_pkg//wvtr57s.dll.zip"}) {
        SCOPED_TRACE(remote);
        const CallResult call = Download(remote, "C:\\Temp\\wvtr57s.dll.zip");
        EXPECT_EQ(call.result, 1) << call.error;
        EXPECT_EQ(call.code, KVDOWNLOAD_OK);
        EXPECT_EQ(call.value, 9);
        EXPECT_EQ(call.error, "");
        EXPECT_EQ(ReadAll(machine_.OnC("Temp\\wvtr57s.dll.zip")), "zip bytes");
    }
    EXPECT_EQ(ListFiles(machine_.OnC("Temp")), (std::vector<std::string>{"wvtr57s.dll.zip"}));
}

TEST_F(KvDownloadTest, AServerFolderTakesThePlaceOfTheDownloadRoot) {
    machine_.WriteOnC("Other\\x.zip", "other");
    const CallResult call = Download("x.zip", "C:\\Temp\\x.zip", "C:\\Other");
    EXPECT_EQ(call.result, 1) << call.error;
    EXPECT_EQ(ReadAll(machine_.OnC("Temp\\x.zip")), "other");
}

TEST_F(KvDownloadTest, ReportsDownloadFailuresAndKeepsTheOldFile) {
    machine_.WriteOnC("Server\\secret.zip", "s");
    machine_.WriteOnC("Temp\\x.zip", "previous");
    struct Case {
        const char* name;
        std::string remote;
        std::int32_t code;
        const char* error;
    };
    const Case cases[] = {
        {"missing", "c_pkg\\x.zip", KVDOWNLOAD_NOT_FOUND, "File not found: c_pkg\\x.zip"},
        {"climbing", "c_pkg\\..\\..\\secret.zip", KVDOWNLOAD_BAD_NAME,
         "Remote name leaves the download folder: c_pkg\\..\\..\\secret.zip"},
        {"empty", "", KVDOWNLOAD_BAD_NAME, "No remote file name given"},
        {"only a share", "\\\\srv\\share\\", KVDOWNLOAD_BAD_NAME, "No remote file name given"},
        {"a folder", "\\", KVDOWNLOAD_BAD_NAME, "No remote file name given"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CallResult call = Download(c.remote, "C:\\Temp\\x.zip");
        EXPECT_EQ(call.result, 0);
        EXPECT_EQ(call.code, c.code);
        EXPECT_EQ(call.value, 0);
        EXPECT_EQ(call.error, c.error);
    }
    machine_.SetRegistry({});
    const CallResult unconfigured = Download("secret.zip", "C:\\Temp\\x.zip");
    EXPECT_EQ(unconfigured.code, KVDOWNLOAD_NO_SOURCE);
    EXPECT_EQ(unconfigured.error, "No download folder: HKEY_LOCAL_MACHINE\\Software\\KOVA\\"
                                  "Torvenmark has no DownloadRoot");
    const CallResult unreachable = Download("secret.zip", "C:\\Temp\\x.zip", "Q:\\nowhere");
    EXPECT_EQ(unreachable.code, KVDOWNLOAD_NO_SOURCE);
    const CallResult unwritable = Download("secret.zip", "Q:\\x.zip", "C:\\Server");
    EXPECT_EQ(unwritable.code, KVDOWNLOAD_WRITE_FAILED);
    EXPECT_EQ(ReadAll(machine_.OnC("Temp\\x.zip")), "previous");
    EXPECT_EQ(ListFiles(machine_.OnC("Temp")), (std::vector<std::string>{"x.zip"}));
}

TEST_F(KvDownloadTest, NeverWritesPastTheErrorBuffer) {
    const std::string remote = "c_pkg\\" + std::string(600, 'n') + "工单.zip";
    std::array<char, KVDOWNLOAD_ERROR_BUFFER_SIZE + 64> buffer;
    buffer.fill('#');
    std::int32_t bytes = 0;
    std::int32_t code = 0;
    EXPECT_EQ(download_(0, "", "KOVA", "60", remote.c_str(), "C:\\Temp\\x.zip", &bytes,
                        buffer.data(), &code, 0),
              0);
    const std::size_t length = std::strlen(buffer.data());
    EXPECT_EQ(length, KVDOWNLOAD_ERROR_BUFFER_SIZE - 1);
    EXPECT_EQ(std::string(buffer.data(), 16), "File not found: ");
    for (std::size_t i = KVDOWNLOAD_ERROR_BUFFER_SIZE; i < buffer.size(); ++i) {
        ASSERT_EQ(buffer[i], '#') << i;
    }
    // Null out-arguments are allowed.
    EXPECT_EQ(
        download_(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(unzip_(nullptr, nullptr, nullptr, nullptr), 0);
}

TEST_F(KvDownloadTest, CutsALongMultibyteErrorAtACharacterBoundary) {
    ScopedEnvironmentVariable acp("KVC_ACP", "936");
    std::string longName = "c_pkg\\";
    for (int i = 0; i < 200; ++i) {
        longName += "工";
    }
    const std::string bytes936 = Utf8ToCodePage(longName, 936);
    std::array<char, KVDOWNLOAD_ERROR_BUFFER_SIZE> buffer;
    buffer.fill('#');
    EXPECT_EQ(download_(0, "", "KOVA", "60", bytes936.c_str(), "C:\\Temp\\x.zip", nullptr,
                        buffer.data(), nullptr, 0),
              0);
    const std::string error = TextOf(buffer);
    EXPECT_LT(error.size(), KVDOWNLOAD_ERROR_BUFFER_SIZE);
    // Every GBK character is two bytes: a cut through one would leave an odd count after the
    // prefix.
    EXPECT_EQ((error.size() - std::strlen("File not found: c_pkg\\")) % 2, 0u);
    EXPECT_EQ(CodePageToUtf8(error, 936).find('?'), std::string::npos);
}

TEST_F(KvDownloadTest, UnzipsFilesAndFoldersWithTheirTimes) {
    const std::time_t modified = 1709634031; // an odd second: archives keep even ones
    WriteZip(machine_.OnC("Temp\\pkg.zip"), {{"WVTR57S.DLL", "new library", modified},
                                             {"lang/", "", modified},
                                             {"lang\\chs.lng", "语言", modified},
                                             {"./lang/./cht.lng", "語言", modified}});
    machine_.WriteOnC("ERP\\C_PKG\\wvtr57s.dll", "old library");
    const CallResult call = Unzip("C:\\Temp\\pkg.zip", "C:\\ERP\\C_PKG\\");
    EXPECT_EQ(call.result, 1) << call.error;
    EXPECT_EQ(call.value, 3);
    EXPECT_EQ(call.error, "");
    EXPECT_EQ(ListFiles(machine_.OnC("ERP\\C_PKG")),
              (std::vector<std::string>{"lang/chs.lng", "lang/cht.lng", "wvtr57s.dll"}));
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\C_PKG\\wvtr57s.dll")), "new library");
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\C_PKG\\lang\\chs.lng")), "语言");

    // The file just unzipped is current for the stamp of the server's copy.
    const std::string stamp = FormatDateTime("yyyymmddhhnnss", UnixTimeToDateTime(modified));
    EXPECT_EQ(Compare(stamp, "C:\\ERP\\C_PKG\\WVTR57S.DLL"), 0);
    const std::string newer = FormatDateTime("yyyymmddhhnnss", UnixTimeToDateTime(modified + 3));
    EXPECT_EQ(Compare(newer, "C:\\ERP\\C_PKG\\WVTR57S.DLL"), 1);
}

TEST_F(KvDownloadTest, CreatesAMissingTargetFolder) {
    WriteZip(machine_.OnC("Temp\\pkg.zip"), {{"a.dll", "a"}});
    const CallResult call = Unzip("C:\\Temp\\pkg.zip", "C:\\New\\Deep");
    EXPECT_EQ(call.result, 1) << call.error;
    EXPECT_EQ(ReadAll(machine_.OnC("New\\Deep\\a.dll")), "a");
}

TEST_F(KvDownloadTest, RefusesEntriesOutsideTheTargetAndWritesNothing) {
    struct Case {
        std::string entry;
        std::string error;
    };
    const Case cases[] = {
        {"..\\x", "Refused zip entry \"..\\x\": leaves the target folder"},
        {"../x", "Refused zip entry \"../x\": leaves the target folder"},
        {"lang/../../x", "Refused zip entry \"lang/../../x\": leaves the target folder"},
        {"/etc/x", "Refused zip entry \"/etc/x\": absolute path"},
        {"\\x", "Refused zip entry \"\\x\": absolute path"},
        {"\\\\srv\\share\\x", "Refused zip entry \"\\\\srv\\share\\x\": absolute path"},
        {"C:\\x", "Refused zip entry \"C:\\x\": drive in name"},
        {"c:x", "Refused zip entry \"c:x\": drive in name"},
        {"lang/d:x", "Refused zip entry \"lang/d:x\": drive in name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        TestInstallation machine;
        machine.WriteOnC("ERP\\C_PKG\\a.dll", "old a");
        WriteZip(machine.OnC("Temp\\pkg.zip"), {{"a.dll", "new a"}, {c.entry, "escaped"}});
        const CallResult call = Unzip("C:\\Temp\\pkg.zip", "C:\\ERP\\C_PKG");
        EXPECT_EQ(call.result, 0);
        EXPECT_EQ(call.value, 0);
        EXPECT_EQ(call.error, c.error);
        EXPECT_EQ(ReadAll(machine.OnC("ERP\\C_PKG\\a.dll")), "old a");
        EXPECT_EQ(ListFiles(machine.Root()),
                  (std::vector<std::string>{"c/ERP/C_PKG/a.dll", "c/Temp/pkg.zip"}));
    }
}

TEST_F(KvDownloadTest, RefusesToFollowALinkOutOfTheTarget) {
    machine_.WriteOnC("Outside\\keep.txt", "keep");
    fs::create_directories(machine_.OnC("ERP\\C_PKG"));
    fs::create_directory_symlink(machine_.OnC("Outside"), machine_.OnC("ERP\\C_PKG\\link"));
    WriteZip(machine_.OnC("Temp\\pkg.zip"), {{"link/keep.txt", "replaced"}});
    const CallResult call = Unzip("C:\\Temp\\pkg.zip", "C:\\ERP\\C_PKG");
    EXPECT_EQ(call.result, 0);
    EXPECT_EQ(call.error, "Refused zip entry \"link/keep.txt\": leaves the target folder");
    EXPECT_EQ(ReadAll(machine_.OnC("Outside\\keep.txt")), "keep");
}

TEST_F(KvDownloadTest, AFailedUnzipLeavesTheOldFilesWhole) {
    machine_.WriteOnC("ERP\\C_PKG\\a.dll", "old a");
    machine_.WriteOnC("ERP\\C_PKG\\b.dll", "old b");
    const std::string payload(4096, 'b');
    const fs::path zip = machine_.OnC("Temp\\pkg.zip");
    WriteZip(zip, {{"a.dll", "new a", 0, true}, {"b.dll", payload, 0, true}});
    // Damage the second entry's data: its checksum no longer matches.
    std::string bytes = ReadAll(zip);
    const auto at = bytes.find(payload);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 100] = 'X';
    std::ofstream(zip, std::ios::binary | std::ios::trunc) << bytes;

    const CallResult call = Unzip("C:\\Temp\\pkg.zip", "C:\\ERP\\C_PKG");
    EXPECT_EQ(call.result, 0);
    EXPECT_NE(call.error.find("b.dll"), std::string::npos) << call.error;
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\C_PKG\\a.dll")), "old a");
    EXPECT_EQ(ReadAll(machine_.OnC("ERP\\C_PKG\\b.dll")), "old b");
    EXPECT_EQ(ListFiles(machine_.OnC("ERP\\C_PKG")), (std::vector<std::string>{"a.dll", "b.dll"}));
}

TEST_F(KvDownloadTest, ReportsArchivesThatDoNotOpen) {
    machine_.WriteOnC("Temp\\bad.zip", "this is no zip archive");
    const CallResult bad = Unzip("C:\\Temp\\bad.zip", "C:\\ERP");
    EXPECT_EQ(bad.result, 0);
    EXPECT_EQ(bad.error.rfind("Cannot open zip file C:\\Temp\\bad.zip: ", 0), 0u) << bad.error;
    const CallResult missing = Unzip("C:\\Temp\\none.zip", "C:\\ERP");
    EXPECT_EQ(missing.result, 0);
    EXPECT_EQ(missing.error.rfind("Cannot open zip file C:\\Temp\\none.zip: ", 0), 0u);
    const CallResult unreachable = Unzip("Q:\\x.zip", "C:\\ERP");
    EXPECT_EQ(unreachable.error, "Zip file cannot be reached: Q:\\x.zip");
}

} // namespace
} // namespace kvc
