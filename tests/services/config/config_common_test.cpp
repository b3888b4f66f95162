#include "runtime/string_list.h"
#include "services/config/config_common.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

TEST(ResolveFolderTest, KeepsDrivePartsAndPutsTheRestBelowTheBase) {
    struct Case {
        const char* folder;
        const char* expected;
    };
    const Case cases[] = {
        {"D:\\pkg\\", "D:\\pkg\\"},
        {"d:pkg\\", "d:pkg\\"},
        {"\\\\srv\\share\\pkg\\", "\\\\srv\\share\\pkg\\"},
        {"\\pkg\\", "C:\\ERP\\pkg\\"},
        {"pkg\\", "C:\\ERP\\pkg\\"},
        {"\\", "C:\\ERP\\"},
        {"", "C:\\ERP\\"},
        {"..\\up\\", "C:\\ERP\\..\\up\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(ResolveFolder(c.folder, "C:\\ERP\\"), c.expected);
    }
}

TEST(PackageFoldersTest, ResolvesEveryLineByTheFirstValueOfItsName) {
    TStringList lines;
    for (const char* line :
         {"A=D:\\pkg", "B=\\pkg", "C=pkg", "D=\\\\srv\\share\\pkg", "E=", "a=Z:\\other"}) {
        lines.Add(line);
    }
    ResolvePackageFolders(lines, "C:\\ERP\\", "C:\\ERP\\C_PKG\\");
    std::vector<std::string> folders;
    for (int i = 0; i < lines.Count(); ++i) {
        folders.push_back(lines[i]);
    }
    EXPECT_EQ(folders,
              (std::vector<std::string>{"D:\\pkg\\", "C:\\ERP\\pkg\\", "C:\\ERP\\pkg\\",
                                        "\\\\srv\\share\\pkg\\", "C:\\ERP\\", "D:\\pkg\\"}));
}

TEST(PackageFoldersTest, AnEmptyListGetsTheDefaultFolder) {
    TStringList lines;
    ResolvePackageFolders(lines, "C:\\ERP\\", "C:\\ERP\\C_PKG\\");
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines[0], "C:\\ERP\\C_PKG\\");
}

TEST(CodePageModesTest, FollowTheInterfaceDatabaseAndSystemCodePages) {
    struct Case {
        const char *ui, *db, *system;
        int convert, data;
    };
    const Case cases[] = {
        {"437", "936", "437", 0, 0}, {"936", "936", "936", 0, 0},  {"950", "936", "936", 2, 2},
        {"950", "950", "950", 2, 0}, {"936", "950", "950", 4, 1},  {"936", "936", "950", 4, 0},
        {"936", "950", "936", 0, 1}, {"950 ", "936", "936", 0, 0}, {"", "", "", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ui) + "/" + c.db + "/" + c.system);
        EXPECT_EQ(DeriveConvertMode(c.ui, c.system), c.convert);
        EXPECT_EQ(DeriveDataConvertMode(c.ui, c.db), c.data);
    }
}

TEST(TrueTextTest, AcceptsTheFourSpellingsInAnyCase) {
    for (const char* text : {"1", "y", "Y", "yes", "Yes", "TRUE", "true", "True"}) {
        EXPECT_TRUE(IsTrueText(text)) << text;
    }
    for (const char* text : {"0", "2", "N", "no", "", " 1", "T", "-1", "yes!"}) {
        EXPECT_FALSE(IsTrueText(text)) << text;
    }
}

} // namespace
} // namespace kvc::services
