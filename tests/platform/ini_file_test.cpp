#include "platform/environment.h"
#include "platform/ini_file.h"
#include "runtime/exceptions.h"
#include "runtime/string_list.h"
#include "temp_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kvc {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list[i]);
    }
    return lines;
}

// Drive C: is a folder holding a copy of the fixture TesseraC.ini.
class IniFileTest : public ::testing::Test {
protected:
    IniFileTest() : drives_("KVC_DRIVES", "C=" + folder_.Path().string()) {
        const char* fixtures = std::getenv("KVC_FIXTURES");
        fs::create_directories(folder_.Path() / "ERP");
        fs::copy_file(fs::path(fixtures != nullptr ? fixtures : "tests/fixtures") /
                          "platform/TesseraC.ini",
                      folder_.Path() / "ERP/TesseraC.ini");
    }
    testing::TempFolder folder_;
    ScopedEnvironmentVariable drives_;
};

TEST_F(IniFileTest, ReadsAFileNamedByAWindowsPath) {
    TIniFile ini("C:\\erp\\tesserac.INI");
    EXPECT_EQ(ini.FileName(), "C:\\erp\\tesserac.INI");
    EXPECT_EQ(ini.ReadString("Client Components", "LangType", "ENG"), "CHS");
    EXPECT_EQ(ini.ReadString("codepage", "uicodepage", ""), "936");
    EXPECT_EQ(ini.ReadInteger("CodePage", "DBCodePage", 0), 950);
    EXPECT_EQ(ini.ReadString("Server Information", "ComputerName", ""), "srv1;srv2;");
    EXPECT_EQ(ini.ReadString("Server Information", "SupportCallBack", ""), "Yes");
    EXPECT_EQ(ini.ReadString("UserDefine", "CreateGifBeforeSendEF", "Y"), "Y");
}

TEST_F(IniFileTest, ReadsWholeSectionsWithTheFirstValueOfARepeatedKey) {
    TIniFile ini("C:\\ERP\\TesseraC.ini");
    TStringList list;
    ini.ReadSectionValues("workdllpath", list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A=D:\\pkg", "B=\\pkg", "A=D:\\pkg", "E="}));
    EXPECT_EQ(list.Values("A"), "D:\\pkg");
    ini.ReadSection("WorkDLLPath", list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "B", "A", "E"}));
    ini.ReadSections(list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Client Components", "CodePage",
                                                     "Server Information", "WorkDLLPath"}));
    ini.ReadSection("Nothing", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, AMissingFileGivesEveryDefault) {
    TIniFile ini("C:\\ERP\\Profile\\user1\\TesseraC.ini");
    EXPECT_EQ(ini.ReadString("CodePage", "UICodePage", "437"), "437");
    EXPECT_FALSE(ini.SectionExists("CodePage"));
    TIniFile unreachable("Q:\\TesseraC.ini");
    EXPECT_EQ(unreachable.ReadInteger("Server Information", "ServerPort", 211), 211);
}

TEST_F(IniFileTest, WritesKeepingTheOtherLines) {
    TIniFile ini("C:\\ERP\\TesseraC.ini");
    ini.WriteString("codepage", "uicodepage", "950"); // existing key, written as the file spells it
    ini.WriteString("CodePage", "Extra", "1");        // new key after the section's last one
    ini.WriteInteger("New Section", "Port", 211);     // new section at the end
    std::string expected = "\xef\xbb\xbf; 客户端设定\r\n[Client Components]\r\nLangType=CHS\r\n\r\n"
                           "[CodePage]\r\nUICodePage=950\r\nDBCodePage=950\r\nExtra=1\r\n\r\n"
                           "[Server Information]\r\nComputerName=srv1;srv2;\r\nServerPort=3000\r\n"
                           "SupportCallBack=\"Yes\"\r\n\r\n"
                           "[WorkDLLPath]\r\nA=D:\\pkg\r\nB=\\pkg\r\nA=second\r\nE=\r\n\r\n"
                           "[New Section]\r\nPort=211\r\n";
    std::ifstream in(folder_.Path() / "ERP/TesseraC.ini", std::ios::binary);
    std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, expected);
    TIniFile again("C:\\ERP\\TesseraC.ini");
    EXPECT_EQ(again.ReadString("CodePage", "UICodePage", ""), "950");
    EXPECT_EQ(again.ReadInteger("new section", "port", 0), 211);
}

TEST_F(IniFileTest, WritingToAnUnreachablePlaceRaises) {
    TIniFile ini("Q:\\x.ini");
    EXPECT_THROW(ini.WriteString("S", "K", "V"), EInOutError);
}

TEST(IniFileTextTest, FirstOccurrenceWinsForSectionsAndKeys) {
    auto ini = TIniFile::FromText("[S]\nKey=first\nKEY=second\n[s]\nOther=hidden\nKey=third\n");
    EXPECT_EQ(ini.ReadString("S", "key", ""), "first");
    EXPECT_FALSE(ini.ValueExists("S", "Other")); // a later section of the same name is not read
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"S"}));
}

TEST(IniFileTextTest, TrimsAndUnquotesValues) {
    auto ini = TIniFile::FromText("  [ Sec ]  junk\n"
                                  "  a  =  spaced value  \n"
                                  "b=\"quoted \"\n"
                                  "c='single'\n"
                                  "d=\"mismatched'\n"
                                  "e=\"\n"
                                  "f=x;not a comment\n"
                                  "g=\n"
                                  "h=a=b\n");
    const std::pair<const char*, const char*> cases[] = {
        {"a", "spaced value"}, {"b", "quoted "},         {"c", "single"}, {"d", "\"mismatched'"},
        {"e", "\""},           {"f", "x;not a comment"}, {"g", ""},       {"h", "a=b"},
    };
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(ini.ReadString(" SEC", key, "default"), value) << key;
    }
    EXPECT_TRUE(ini.ValueExists("Sec", "g"));
}

TEST(IniFileTextTest, ReadsNumbersAndBooleansAsTheClassicReader) {
    auto ini = TIniFile::FromText("[N]\nDec=300\nNeg=-5\nHex=0x1F\nDollar=$10\nText=abc\n"
                                  "Mixed=12ab\nEmpty=\nBig=99999999999\nYes=1\nNo=0\nTrue=true\n");
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"Dec", 300}, {"Neg", -5},  {"Hex", 31}, {"Dollar", 16}, {"Text", 7},
        {"Mixed", 7}, {"Empty", 7}, {"Big", 7},  {"Missing", 7},
    };
    for (const auto& [key, value] : numbers) {
        EXPECT_EQ(ini.ReadInteger("N", key, 7), value) << key;
    }
    EXPECT_TRUE(ini.ReadBool("N", "Yes", false));
    EXPECT_FALSE(ini.ReadBool("N", "No", true));
    EXPECT_TRUE(ini.ReadBool("N", "True", true)); // not a number: the default
    EXPECT_FALSE(ini.ReadBool("N", "True", false));
    EXPECT_TRUE(ini.ReadBool("N", "Missing", true));
}

// Each broken line sits between two good keys of one section; both survive.
TEST(IniFileTextTest, SkipsEveryKindOfMalformedLine) {
    const char* broken[] = {
        "no equals sign",
        "=value without key",
        "   =   ",
        "[Unclosed section",
        "; comment=with equals",
        "   ;indented comment",
        "\x01\x02\xff",
        "",
        "   \t ",
    };
    for (const char* line : broken) {
        SCOPED_TRACE(line);
        std::string text = "[S]\r\nBefore=1\r\n";
        text += line;
        text += "\r\nAfter=2\r\n";
        auto ini = TIniFile::FromText(text);
        TStringList values;
        ini.ReadSectionValues("S", values);
        EXPECT_EQ(Lines(values), (std::vector<std::string>{"Before=1", "After=2"}));
    }
}

TEST(IniFileTextTest, IgnoresKeysBeforeTheFirstSection) {
    auto ini = TIniFile::FromText("Orphan=1\n[S]\nA=1\n[]\nB=2\n[T]\r\nC=3");
    EXPECT_FALSE(ini.ValueExists("", "Orphan"));
    EXPECT_EQ(ini.ReadString("", "B", ""), "2"); // an empty name is still a section
    EXPECT_EQ(ini.ReadString("T", "C", ""), "3");
    EXPECT_FALSE(ini.SectionExists("Orphan"));
}

} // namespace
} // namespace kvc
