#include "language/code_converter.h"
#include "platform/environment.h"
#include "runtime/variant_array.h"
#include "services/config/test_installation.h"
#include "toolkit/font.h"

#include <gtest/gtest.h>

namespace kvc::language {
namespace {

// A machine with the given system code page and a client configuration with
// the given interface and database code pages.
struct Machine {
    Machine(const std::string& system, const std::string& ui, const std::string& db)
        : installation(system) {
        installation.SetTessera({{"ClientPath", "C:\\ERP\\"}});
        installation.WriteOnC("ERP\\TesseraC.ini",
                              "[CodePage]\nUICodePage=" + ui + "\nDBCodePage=" + db + "\n");
    }
    ScopedEnvironmentVariable libraryPath{"KVC_LIBRARY_PATH", KVC_KVLANGUAGE_FOLDER};
    testing::TestInstallation installation;
};

struct ModeCase {
    const char* ui;
    const char* system;
    const char* db;
    int convertMode;
    int dataConvertMode;
};

TEST(CodeConverterTest, ModesFollowTheConfiguration) {
    const ModeCase cases[] = {
        {"950", "936", "936", 2, 2},  {"950", "950", "950", 2, 0}, {"950", "1252", "437", 2, 0},
        {"936", "950", "950", 4, 1},  {"936", "950", "936", 4, 0}, {"936", "936", "950", 0, 1},
        {"936", "1252", "936", 0, 0}, {"437", "950", "936", 0, 0}, {"437", "936", "950", 0, 0},
    };
    for (const auto& c : cases) {
        const Machine machine(c.system, c.ui, c.db);
        TOwned<TCodeConverter> converter = MakeUnique<TCodeConverter>();
        const std::string where = std::string(c.ui) + "/" + c.system + "/" + c.db;
        EXPECT_EQ(converter->ConvertMode(), c.convertMode) << where;
        EXPECT_EQ(converter->DataConvertMode(), c.dataConvertMode) << where;
        EXPECT_EQ(converter->TargetCodePage(), c.ui) << where;
        // Only a converting mode loads the library.
        EXPECT_EQ(converter->Translator() != nullptr, c.convertMode != 0) << where;
    }
}

TEST(CodeConverterTest, NoTranslatorConvertsNothing) {
    // Database Big5 under a GB interface on a GB system: mode 1 without a library.
    const Machine machine("936", "936", "950");
    TOwned<TCodeConverter> converter = MakeUnique<TCodeConverter>();
    EXPECT_EQ(converter->FromServer(Variant("簡體")).AsString(), "簡體");
    EXPECT_EQ(converter->ToServer(Variant("简体")).AsString(), "简体");
}

TEST(CodeConverterTest, MissingLibraryFailsTheConverter) {
    const Machine machine("936", "950", "936");
    ScopedEnvironmentVariable nowhere("KVC_LIBRARY_PATH", "/nonexistent");
    try {
        TOwned<TCodeConverter> converter = MakeUnique<TCodeConverter>();
        FAIL() << "made a converter without its library";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Load Library Kvlanguage.dll Error!");
    }
}

class TraditionalInterfaceTest : public ::testing::Test {
protected:
    Machine machine_{"936", "950", "936"};
    TOwned<TCodeConverter> converter_ = MakeUnique<TCodeConverter>();
};

TEST_F(TraditionalInterfaceTest, ConvertValueWalksNestedArrays) {
    const Variant value = VarArrayOf({Variant("简体"), Variant(42), Variant(2.5),
                                      VarArrayOf({Variant("发票"), Variant(true)}), Variant()});
    const Variant converted = converter_->ConvertValue(2, value);
    const VarArray& items = converted.Array();
    EXPECT_EQ(items.At(0).AsString(), "簡體");
    EXPECT_EQ(items.At(1).AsInteger(), 42);
    EXPECT_EQ(items.At(2).Kind(), VariantKind::Double);
    EXPECT_EQ(items.At(3).Array().At(0).AsString(), "發票");
    EXPECT_EQ(items.At(3).Array().At(1).Kind(), VariantKind::Boolean);
    EXPECT_TRUE(items.At(4).IsEmpty());
    // The original keeps its texts: arrays are values.
    EXPECT_EQ(value.Array().At(0).AsString(), "简体");
}

TEST_F(TraditionalInterfaceTest, ConvertValueOnTablesAndOtherDirections) {
    Variant table = VarArrayCreate({0, 1, 1, 2});
    table.MutableArray().At(0, 1) = Variant("条件");
    table.MutableArray().At(1, 2) = Variant(7);
    const Variant converted = converter_->ConvertValue(2, table);
    EXPECT_EQ(converted.Array().At(0, 1).AsString(), "條件");
    EXPECT_EQ(converted.Array().At(1, 2).AsInteger(), 7);
    EXPECT_EQ(converter_->ConvertValue(1, Variant("條件")).AsString(), "条件");
    for (int direction : {0, 3, 4, -1}) {
        EXPECT_EQ(converter_->ConvertValue(direction, Variant("条件")).AsString(), "条件");
    }
    EXPECT_TRUE(converter_->ConvertValue(2, Variant::Null()).IsNull());
}

TEST_F(TraditionalInterfaceTest, DisplayAndServerDirections) {
    EXPECT_EQ(converter_->ToDisplay(Variant("报表")).AsString(), "報表");
    EXPECT_EQ(converter_->FromServer(Variant("报表")).AsString(), "報表");
    EXPECT_EQ(converter_->ToServer(Variant("報表")).AsString(), "报表");
    EXPECT_EQ(converter_->ToSource(Variant("報表")).AsString(), "报表");
    EXPECT_EQ(converter_->GBToBig5(""), "");
}

TEST(CodeConverterTest, ServerTextsUnchangedWithoutADataMode) {
    const Machine machine("950", "950", "950");
    TOwned<TCodeConverter> converter = MakeUnique<TCodeConverter>();
    ASSERT_EQ(converter->DataConvertMode(), 0);
    EXPECT_EQ(converter->ToServer(Variant("報表")).AsString(), "報表");
}

TEST(CodeConverterTest, SubstituteFontByMode) {
    const std::pair<int, TFontCharset> cases[] = {
        {0, GB2312_CHARSET},      {1, GB2312_CHARSET},      {4, GB2312_CHARSET},
        {2, CHINESEBIG5_CHARSET}, {3, CHINESEBIG5_CHARSET},
    };
    for (const auto& [mode, charset] : cases) {
        TFont font;
        TCodeConverter::SubstituteFont(mode, font);
        EXPECT_EQ(font.GetName(), "SimSun") << mode;
        EXPECT_EQ(font.GetCharset(), charset) << mode;
    }
    TFont font;
    font.SetName("Arial");
    TCodeConverter::SubstituteFont(5, font);
    EXPECT_EQ(font.GetName(), "Arial");
}

} // namespace
} // namespace kvc::language
