#include "platform/environment.h"
#include "platform/file_system.h"
#include "runtime/datetime.h"
#include "runtime/exceptions.h"
#include "temp_folder.h"

#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kvc {
namespace {

namespace fs = std::filesystem;

// Drive C: is a fresh folder for each test.
class FileSystemTest : public ::testing::Test {
protected:
    FileSystemTest() : drives_("KVC_DRIVES", "C=" + folder_.Path().string()) {}
    testing::TempFolder folder_;
    ScopedEnvironmentVariable drives_;
};

TEST_F(FileSystemTest, AnswersExistenceIgnoringLetterCase) {
    folder_.Write("ERP/TesseraC.ini", "[x]");
    EXPECT_TRUE(FileExists("C:\\erp\\tesserac.INI"));
    EXPECT_FALSE(FileExists("C:\\ERP"));
    EXPECT_TRUE(DirectoryExists("C:\\Erp\\"));
    EXPECT_FALSE(DirectoryExists("C:\\ERP\\TesseraC.ini"));
    EXPECT_FALSE(FileExists("C:\\ERP\\missing.ini"));
    EXPECT_FALSE(FileExists("Q:\\ERP\\TesseraC.ini"));        // unmapped drive
    EXPECT_FALSE(FileExists("\\\\srv\\share\\TesseraC.ini")); // no share table
}

TEST_F(FileSystemTest, WritesReadsAndAppends) {
    WriteFileBytes("C:\\a.txt", std::string("one\0two", 7));
    EXPECT_EQ(ReadFileBytes("C:\\A.TXT"), std::string("one\0two", 7));
    WriteFileBytes("c:\\A.txt", "new"); // replaces the same file, whatever the case
    AppendLine("C:\\a.TXT", "工单");
    AppendLine("C:\\a.txt", "end");
    EXPECT_EQ(ReadFileBytes("C:\\a.txt"), "new工单\r\nend\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
}

TEST_F(FileSystemTest, RaisesWhenAFileCannotBeReadOrWritten) {
    try {
        ReadFileBytes("C:\\missing.txt");
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"C:\\missing.txt\". No such file or directory");
    }
    EXPECT_THROW(ReadFileBytes("Q:\\x.txt"), EInOutError);
    EXPECT_THROW(WriteFileBytes("C:\\no\\such\\folder\\x.txt", "x"), EInOutError);
    EXPECT_THROW(WriteFileBytes("Q:\\x.txt", "x"), EInOutError);
    ForceDirectories("C:\\dir");
    EXPECT_THROW(ReadFileBytes("C:\\dir"), EInOutError);
}

TEST_F(FileSystemTest, CreatesDeletesAndRenames) {
    EXPECT_TRUE(ForceDirectories("C:\\ERP\\Log\\2024"));
    EXPECT_TRUE(fs::is_directory(folder_.Path() / "ERP/Log/2024"));
    EXPECT_TRUE(ForceDirectories("C:\\erp\\log")); // already there, found ignoring case
    EXPECT_FALSE(fs::exists(folder_.Path() / "erp"));
    EXPECT_FALSE(ForceDirectories("Q:\\x"));

    folder_.Write("ERP/a.txt", "a");
    folder_.Write("ERP/b.txt", "b");
    EXPECT_FALSE(RenameFile("C:\\ERP\\A.txt", "C:\\ERP\\B.txt")); // never replaces
    EXPECT_TRUE(RenameFile("C:\\ERP\\A.txt", "C:\\ERP\\c.txt"));
    EXPECT_TRUE(fs::exists(folder_.Path() / "ERP/c.txt"));
    EXPECT_FALSE(RenameFile("C:\\ERP\\A.txt", "C:\\ERP\\d.txt"));

    EXPECT_TRUE(DeleteFile("C:\\erp\\C.TXT"));
    EXPECT_FALSE(DeleteFile("C:\\erp\\C.TXT"));
    EXPECT_FALSE(DeleteFile("C:\\ERP\\Log")); // folders are not files
    EXPECT_TRUE(fs::exists(folder_.Path() / "ERP/Log"));
}

TEST_F(FileSystemTest, GivesTheModificationTimeInLocalTime) {
    struct TimeZoneReset {
        ~TimeZoneReset() { ::tzset(); } // after TZ is restored below
    } reset;
    ScopedEnvironmentVariable tz("TZ", "CST-8");
    ::tzset();
    fs::path file = folder_.Write("stamp.txt", "x");
    // 2024-03-05 01:02:03 UTC is 09:02:03 in UTC+8.
    struct timespec times[2] = {{1709600523, 0}, {1709600523, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    auto age = FileAge("C:\\STAMP.txt");
    ASSERT_TRUE(age.has_value());
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", *age), "2024-03-05 09:02:03");
    EXPECT_EQ(FileAge("C:\\missing.txt"), std::nullopt);
    EXPECT_DOUBLE_EQ(UnixTimeToDateTime(0, 500), EncodeDate(1970, 1, 1) + EncodeTime(8, 0, 0, 500));
}

TEST_F(FileSystemTest, ListsAFolderByMaskInNameOrder) {
    folder_.Write("ERP/MultiLanguage/eng.lng", "1");
    folder_.Write("ERP/MultiLanguage/CHS.Lng", "12");
    folder_.Write("ERP/MultiLanguage/CHT.LNG", "123");
    folder_.Write("ERP/MultiLanguage/readme.txt", "1");
    fs::create_directories(folder_.Path() / "ERP/MultiLanguage/old.lng");
    auto entries = ListFolder("C:\\erp\\multilanguage", "*.lng");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "CHS.Lng");
    EXPECT_EQ(entries[0].size, 2u);
    EXPECT_EQ(entries[1].name, "CHT.LNG");
    EXPECT_EQ(entries[2].name, "eng.lng");
    EXPECT_EQ(entries[3].name, "old.lng");
    EXPECT_TRUE(entries[3].directory);
    EXPECT_GT(entries[0].modified, EncodeDate(2000, 1, 1));
    EXPECT_EQ(ListFolder("C:\\ERP\\MultiLanguage").size(), 5u);
    EXPECT_TRUE(ListFolder("C:\\missing").empty());
    EXPECT_TRUE(ListFolder("Q:\\").empty());
}

TEST_F(FileSystemTest, ExpandsAgainstTheCurrentFolder) {
    struct CurrentFolderGuard {
        fs::path previous = fs::current_path();
        ~CurrentFolderGuard() { fs::current_path(previous); }
    } guard;
    fs::create_directories(folder_.Path() / "work");
    fs::current_path(folder_.Path() / "work");
    EXPECT_EQ(GetCurrentDir(), "C:\\work");
    EXPECT_EQ(ExpandFileName("..\\Log\\a.txt"), "C:\\Log\\a.txt");
    EXPECT_EQ(ExpandFileName("\\x"), "C:\\x");
    EXPECT_EQ(ExpandFileName("D:\\y\\.\\z"), "D:\\y\\z");
    WriteFileBytes("rel.txt", "r");
    EXPECT_TRUE(fs::exists(folder_.Path() / "work/rel.txt"));
}

} // namespace
} // namespace kvc
