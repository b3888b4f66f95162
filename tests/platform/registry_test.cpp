#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/registry_file.h"
#include "runtime/string_list.h"
#include "temp_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kvc {
namespace {

std::string Fixture(const char* name) {
    const char* root = std::getenv("KVC_FIXTURES");
    return std::string(root != nullptr ? root : "tests/fixtures") + "/platform/" + name;
}

std::vector<std::string> Names(const TStringList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) {
        names.push_back(list[i]);
    }
    return names;
}

constexpr std::string_view kTessera = "Software\\KVC\\Tessera";

class RegistryFixtureTest : public ::testing::Test {
protected:
    RegistryFixtureTest()
        : reg_(std::make_shared<RegistryFile>(RegistryFile::Load(Fixture("tessera.reg")))) {
        reg_.SetRootKey(HKEY_LOCAL_MACHINE);
    }
    TRegistry reg_;
};

TEST_F(RegistryFixtureTest, ReadsStringsIntegersAndTheDefaultValue) {
    ASSERT_TRUE(reg_.OpenKeyReadOnly(kTessera));
    EXPECT_EQ(reg_.ReadString("ClientPath"), "C:\\ERP");
    EXPECT_EQ(reg_.ReadString("ServerPath"), "\\\\erpsrv\\ERP\\");
    EXPECT_EQ(reg_.ReadString("Caption"), "工单 \"测试\"");
    EXPECT_EQ(reg_.ReadInteger("InstallCount"), 26);
    EXPECT_EQ(reg_.ReadString(""), "Tessera");
    EXPECT_EQ(reg_.ReadString("Missing"), "");
    EXPECT_FALSE(reg_.ValueExists("Missing"));
    EXPECT_EQ(reg_.GetDataType("InstallCount"), TRegDataType::rdInteger);
    EXPECT_EQ(reg_.GetDataType("Missing"), TRegDataType::rdUnknown);
}

TEST_F(RegistryFixtureTest, IgnoresLetterCaseOfKeysAndValues) {
    ASSERT_TRUE(reg_.OpenKeyReadOnly("SOFTWARE\\kvc\\TESSERA"));
    EXPECT_EQ(reg_.ReadString("clientpath"), "C:\\ERP");
    EXPECT_TRUE(reg_.ValueExists("PROFILETYPE"));
    EXPECT_TRUE(reg_.KeyExists("\\software\\kova\\torvenmark"));
}

TEST_F(RegistryFixtureTest, ListsValuesAndSubkeysInFileOrder) {
    ASSERT_TRUE(reg_.OpenKeyReadOnly(kTessera));
    TStringList list;
    reg_.GetValueNames(list);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ClientPath", "ServerPath", "ProfileType",
                                                     "Caption", "InstallCount", ""}));
    reg_.GetKeyNames(list);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Components"}));
    EXPECT_TRUE(reg_.HasSubKeys());
    ASSERT_TRUE(reg_.OpenKeyReadOnly("\\Software"));
    reg_.GetKeyNames(list);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"KVC", "KOVA"}));
}

TEST_F(RegistryFixtureTest, OpensKeysRelativeToTheOpenKey) {
    ASSERT_TRUE(reg_.OpenKeyReadOnly("Software\\KVC"));
    EXPECT_TRUE(reg_.KeyExists("Tessera"));
    ASSERT_TRUE(reg_.OpenKeyReadOnly("Tessera\\Components"));
    EXPECT_EQ(reg_.CurrentPath(), "Software\\KVC\\Tessera\\Components");
    EXPECT_EQ(reg_.ReadString("Wvtr57C"), "9.0.0.0");
    // A key that does not exist leaves the open key open.
    EXPECT_FALSE(reg_.OpenKeyReadOnly("Nothing"));
    EXPECT_EQ(reg_.ReadString("Wvtr57C"), "9.0.0.0");
    reg_.CloseKey();
    EXPECT_FALSE(reg_.HasCurrentKey());
    EXPECT_EQ(reg_.ReadString("Wvtr57C"), "");
    EXPECT_FALSE(reg_.KeyExists("Tessera")); // from the root again
    reg_.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_FALSE(reg_.OpenKeyReadOnly(kTessera));
}

TEST_F(RegistryFixtureTest, ReadsHexValuesOverContinuedLines) {
    ASSERT_TRUE(reg_.OpenKeyReadOnly("Software\\KOVA\\Torvenmark"));
    auto banner = reg_.ReadValue("Banner");
    ASSERT_TRUE(banner.has_value());
    EXPECT_EQ(banner->type, TRegDataType::rdBinary);
    EXPECT_EQ(banner->bytes, std::string("工单\0\xff", 8));
    // REG_EXPAND_SZ in UTF-16LE, kept unexpanded.
    EXPECT_EQ(reg_.GetDataType("Home"), TRegDataType::rdExpandString);
    EXPECT_EQ(reg_.ReadString("Home"), "%ERP%\\工单");
    EXPECT_EQ(reg_.ReadString("AutoUpgrade"), "Y");
}

TEST_F(RegistryFixtureTest, RaisesTheClassicErrorsForTheWrongKind) {
    ASSERT_TRUE(reg_.OpenKeyReadOnly(kTessera));
    try {
        reg_.ReadInteger("ClientPath");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Invalid data type for 'ClientPath'");
    }
    EXPECT_THROW(reg_.ReadString("InstallCount"), ERegistryException);
    try {
        reg_.ReadInteger("Missing");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to get data for 'Missing'");
    }
}

TEST(RegistryFileTest, ClassesRootFallsBackToTheSoftwareClassesKeys) {
    auto file =
        RegistryFile::Parse("REGEDIT4\n"
                            "[HKEY_CLASSES_ROOT\\A.Class]\n\"Library\"=\"a.dll\"\n"
                            "[HKCU\\Software\\Classes\\B.Class]\n\"Library\"=\"b-user.dll\"\n"
                            "[HKLM\\Software\\Classes\\B.Class]\n\"Library\"=\"b.dll\"\n"
                            "[HKLM\\Software\\Classes\\C.Class]\n\"Library\"=\"c.dll\"\n");
    auto library = [&file](const char* progId) {
        auto v = file.Value(HKEY_CLASSES_ROOT, progId, "library");
        return v ? v->text : "(none)";
    };
    EXPECT_EQ(library("a.class"), "a.dll");
    EXPECT_EQ(library("B.Class"), "b-user.dll");
    EXPECT_EQ(library("C.Class"), "c.dll");
    EXPECT_EQ(library("D.Class"), "(none)");
}

TEST(RegistryFileTest, ReadsRegedit4AndUtf16Files) {
    auto v4 = RegistryFile::Parse("REGEDIT4\r\n\r\n[HKLM\\X]\r\n\"S\"=hex(2):41,42,00\r\n");
    EXPECT_EQ(v4.Value(HKEY_LOCAL_MACHINE, "x", "s")->text, "AB");

    std::string utf8 = "Windows Registry Editor Version 5.00\r\n[HKLM\\X]\r\n\"名\"=\"备料\"\r\n";
    std::u16string utf16 =
        u"Windows Registry Editor Version 5.00\r\n[HKLM\\X]\r\n\"名\"=\"备料\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : utf16) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    EXPECT_EQ(RegistryFile::Parse(bytes).Value(HKEY_LOCAL_MACHINE, "X", "名")->text, "备料");
    EXPECT_EQ(RegistryFile::Parse("\xEF\xBB\xBF" + utf8).Value(HKEY_LOCAL_MACHINE, "X", "名")->text,
              "备料");
}

// Each case: a file whose body (after the header and a good key line) holds
// one broken line between two good values. The good values must survive.
TEST(RegistryFileTest, SkipsEveryKindOfMalformedLine) {
    const char* broken[] = {
        "\"Unclosed=\"x\"",         // name quote not closed
        "\"Name\"\"x\"",            // no "="
        "\"Name\"=\"unclosed",      // value quote not closed
        "\"Name\"=\"x\" trailing",  // text after the value
        "\"Name\"=dword:",          // no digits
        "\"Name\"=dword:123456789", // nine digits
        "\"Name\"=dword:12g4",      // not hex
        "\"Name\"=hex:1,2,xyz",     // bad byte
        "\"Name\"=hex:123",         // three digits
        "\"Name\"=hex(2:41,00",     // kind not closed
        "\"Name\"=hex(zz):41",      // kind not hex
        "\"Name\"=hexagon",         // no ":"
        "\"Name\"=-",               // a deletion
        "\"Name\"=",                // no data
        "\"Name\"=word:1",          // unknown kind
        "Name=\"x\"",               // name without quotes
        "@",                        // default value without "="
        "garbage \x01\xff",         // noise
        "=\"x\"",                   // no name at all
    };
    for (const char* line : broken) {
        SCOPED_TRACE(line);
        std::string text = "Windows Registry Editor Version 5.00\n[HKLM\\K]\n\"Before\"=\"1\"\n";
        text += line;
        text += "\n\"After\"=dword:00000002\n";
        auto file = RegistryFile::Parse(text);
        EXPECT_EQ(file.ValueNames(HKEY_LOCAL_MACHINE, "K"),
                  (std::vector<std::string>{"Before", "After"}));
        EXPECT_EQ(file.Value(HKEY_LOCAL_MACHINE, "K", "After")->integer, 2u);
    }
}

// A key line that does not read must not let its values fall into the key before it.
TEST(RegistryFileTest, SkipsTheValuesOfABrokenKeyLine) {
    const char* broken[] = {
        "[HKEY_NOWHERE\\K2]", "[HKLM\\K2", "[HKLM\\\\K2]", "[HKLM\\K2\\]", "[-HKLM\\K]", "[]",
    };
    for (const char* line : broken) {
        SCOPED_TRACE(line);
        std::string text = "REGEDIT4\n[HKLM\\K]\n\"Good\"=\"1\"\n";
        text += line;
        text += "\n\"Stray\"=\"2\"\n[HKLM\\K3]\n\"Later\"=\"3\"\n";
        auto file = RegistryFile::Parse(text);
        EXPECT_EQ(file.ValueNames(HKEY_LOCAL_MACHINE, "K"), (std::vector<std::string>{"Good"}));
        EXPECT_EQ(file.Value(HKEY_LOCAL_MACHINE, "K3", "Later")->text, "3");
    }
}

TEST(RegistryFileTest, ReadsValueFormsAndKeepsTheLaterOfTwoWrites) {
    auto file = RegistryFile::Parse("REGEDIT4\n"
                                    "  [HKLM\\K]  \n"
                                    "\"Path\" = \"C:\\\\a\\\\\" \n"
                                    "\"Odd\"=\"a\\qb\"\n"
                                    "\"D\"=DWORD:FFFFFFFF\n"
                                    "\"Four\"=hex(4):01,02,00,00\n"
                                    "\"Multi\"=hex(7):41,00,00,00\n"
                                    "\"Empty\"=hex:\n"
                                    "\"path\"=\"second\"\n"
                                    "[hklm\\k]\n"
                                    "\"More\"=\"m\"\n");
    auto value = [&file](const char* name) { return *file.Value(HKEY_LOCAL_MACHINE, "K", name); };
    EXPECT_EQ(value("Path").text, "second");
    EXPECT_EQ(value("Odd").text, "a\\qb"); // an unknown escape keeps its backslash
    EXPECT_EQ(value("D").integer, 0xFFFFFFFFu);
    EXPECT_EQ(value("Four").type, TRegDataType::rdInteger);
    EXPECT_EQ(value("Four").integer, 0x201u);
    EXPECT_EQ(value("Multi").type, TRegDataType::rdUnknown);
    EXPECT_EQ(value("Multi").bytes, std::string("A\0\0\0", 4));
    EXPECT_EQ(value("Empty").type, TRegDataType::rdBinary);
    EXPECT_EQ(value("Empty").bytes, "");
    EXPECT_EQ(value("More").text, "m");
    EXPECT_EQ(file.ValueNames(HKEY_LOCAL_MACHINE, "K"),
              (std::vector<std::string>{"Path", "Odd", "D", "Four", "Multi", "Empty", "More"}));
    TRegistry reg(std::make_shared<RegistryFile>(file));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly("K"));
    EXPECT_EQ(reg.ReadInteger("D"), -1);
}

TEST(RegistryFileTest, AFileWithoutTheHeaderIsEmpty) {
    const char* texts[] = {
        "",
        "\n\n",
        "[HKLM\\K]\n\"A\"=\"1\"\n",
        "REGEDIT5\n[HKLM\\K]\n\"A\"=\"1\"\n",
        "Windows Registry Editor Version 4.00\n[HKLM\\K]\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        auto file = RegistryFile::Parse(text);
        EXPECT_TRUE(file.Empty());
        EXPECT_FALSE(file.KeyExists(HKEY_LOCAL_MACHINE, "K"));
    }
}

TEST(RegistryTest, ReadsTheFileOfTheEnvironmentEachTimeItIsOpened) {
    testing::TempFolder folder;
    auto file = folder.Write("r.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\n"
                                      "\"ClientPath\"=\"C:\\\\ERP\"\n");
    ScopedEnvironmentVariable env("KVC_REGISTRY", file.string());
    TRegistry reg;
    EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kTessera));
    EXPECT_EQ(reg.ReadString("ClientPath"), "C:\\ERP");

    folder.Write("r.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\n"
                          "\"ClientPath\"=\"D:\\\\ERP\"\n");
    EXPECT_EQ(reg.ReadString("ClientPath"), "C:\\ERP"); // one reading per object
    TRegistry again;
    again.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(again.OpenKeyReadOnly(kTessera));
    EXPECT_EQ(again.ReadString("ClientPath"), "D:\\ERP");

    ScopedEnvironmentVariable missing("KVC_REGISTRY", (folder.Path() / "none.reg").string());
    TRegistry empty;
    empty.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(empty.OpenKeyReadOnly(kTessera));
    EXPECT_EQ(empty.ReadString("ClientPath"), "");
}

TEST(RegistryTest, NamesTheRootKeys) {
    EXPECT_EQ(RootKeyFromName("hklm"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyFromName("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyFromName("HKCU"), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyFromName("HKU"), HKEY_USERS);
    EXPECT_EQ(RootKeyFromName("HKCC"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootKeyFromName("HKEY_LOCAL"), std::nullopt);
    EXPECT_EQ(RootKeyName(HKEY_LOCAL_MACHINE), "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(static_cast<std::uint32_t>(HKEY_LOCAL_MACHINE), 0x80000002u);
}

} // namespace
} // namespace kvc
