#include "platform/windows_path.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

struct PathCase {
    const char* input;
    const char* filePath;
    const char* fileDir;
    const char* fileName;
    const char* fileExt;
    const char* fileDrive;
};

TEST(WindowsPathTest, ExtractsTheClassicParts) {
    const PathCase cases[] = {
        {"C:\\ERP\\Log\\a.txt", "C:\\ERP\\Log\\", "C:\\ERP\\Log", "a.txt", ".txt", "C:"},
        {"C:\\a.txt", "C:\\", "C:\\", "a.txt", ".txt", "C:"},
        {"C:a.txt", "C:", "C:", "a.txt", ".txt", "C:"},
        {"a.txt", "", "", "a.txt", ".txt", ""},
        {"C:\\ERP\\", "C:\\ERP\\", "C:\\ERP", "", "", "C:"},
        {"C:\\ERP.old\\file", "C:\\ERP.old\\", "C:\\ERP.old", "file", "", "C:"},
        {"archive.tar.gz", "", "", "archive.tar.gz", ".gz", ""},
        {"\\\\srv\\share\\pkg\\W.dll", "\\\\srv\\share\\pkg\\", "\\\\srv\\share\\pkg", "W.dll",
         ".dll", "\\\\srv\\share"},
        {"\\Log\\x", "\\Log\\", "\\Log", "x", "", ""},
        {"\\x", "\\", "\\", "x", "", ""},
        {"", "", "", "", "", ""},
        {"C:\\报表\\工单.Lng", "C:\\报表\\", "C:\\报表", "工单.Lng", ".Lng", "C:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(ExtractFilePath(c.input), c.filePath);
        EXPECT_EQ(ExtractFileDir(c.input), c.fileDir);
        EXPECT_EQ(ExtractFileName(c.input), c.fileName);
        EXPECT_EQ(ExtractFileExt(c.input), c.fileExt);
        EXPECT_EQ(ExtractFileDrive(c.input), c.fileDrive);
        EXPECT_EQ(HasDrivePart(c.input), std::string(c.fileDrive) != "");
    }
}

TEST(WindowsPathTest, ChangesExtensionsAndTrailingBackslashes) {
    EXPECT_EQ(ChangeFileExt("C:\\a\\b.txt", ".log"), "C:\\a\\b.log");
    EXPECT_EQ(ChangeFileExt("C:\\a.d\\b", ".log"), "C:\\a.d\\b.log");
    EXPECT_EQ(ChangeFileExt("b.tar.gz", ""), "b.tar");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\ERP"), "C:\\ERP\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\ERP\\"), "C:\\ERP\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\ERP\\"), "C:\\ERP");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\ERP"), "C:\\ERP");
    EXPECT_EQ(ExcludeTrailingBackslash(""), "");
}

TEST(WindowsPathTest, ParsesEveryKindOfPath) {
    auto drive = WindowsPath::Parse("c:/ERP\\.\\Log\\..\\bin\\");
    EXPECT_EQ(drive.kind, WindowsPath::Kind::Drive);
    EXPECT_EQ(drive.drive, 'C');
    EXPECT_EQ(drive.components, (std::vector<std::string>{"ERP", "bin"}));
    EXPECT_TRUE(drive.trailingBackslash);
    EXPECT_EQ(drive.ToString(), "C:\\ERP\\bin\\");

    auto unc = WindowsPath::Parse("\\\\srv\\share\\a\\b");
    EXPECT_EQ(unc.kind, WindowsPath::Kind::Unc);
    EXPECT_EQ(unc.server, "srv");
    EXPECT_EQ(unc.share, "share");
    EXPECT_EQ(unc.components, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(unc.ToString(), "\\\\srv\\share\\a\\b");

    EXPECT_EQ(WindowsPath::Parse("\\\\srv").share, "");
    EXPECT_EQ(WindowsPath::Parse("\\Log").kind, WindowsPath::Kind::Rooted);
    EXPECT_EQ(WindowsPath::Parse("Log\\a").kind, WindowsPath::Kind::Relative);
    // ".." never climbs above the root.
    EXPECT_EQ(WindowsPath::Parse("C:\\..\\..\\a").ToString(), "C:\\a");
    EXPECT_EQ(WindowsPath::Parse("D:").ToString(), "D:\\");
}

TEST(WindowsPathTest, ExpandsFromTheCurrentFolder) {
    EXPECT_EQ(ExpandWindowsPath("a\\b.txt", "C:\\work"), "C:\\work\\a\\b.txt");
    EXPECT_EQ(ExpandWindowsPath("..\\b.txt", "C:\\work\\sub"), "C:\\work\\b.txt");
    EXPECT_EQ(ExpandWindowsPath("\\Log\\", "C:\\work"), "C:\\Log\\");
    EXPECT_EQ(ExpandWindowsPath("D:\\x\\..\\y", "C:\\work"), "D:\\y");
    EXPECT_EQ(ExpandWindowsPath("x", "\\\\srv\\share\\dir"), "\\\\srv\\share\\dir\\x");
    EXPECT_EQ(ExpandWindowsPath("..\\..\\..", "C:\\work"), "C:\\");
}

TEST(WindowsPathTest, MatchesWildcardsIgnoringCase) {
    struct MaskCase {
        const char* name;
        const char* mask;
        bool matches;
    };
    const MaskCase cases[] = {
        {"CHS.Lng", "*.lng", true},
        {"CHS.Lng.bak", "*.lng", false},
        {"a", "*.*", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"工单.txt", "??.TXT", true},
        {"Wvtr57S.dll", "w*s.DLL", true},
        {"x.dll", "*s.dll", false},
        {"", "*", true},
        {"aXbXc", "a*b*c", true},
        {"abc", "abc*", true},
        {"abd", "abc", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
    }
}

} // namespace
} // namespace kvc
