#include "controls/kv_edits.h"
#include "controls/select_panel.h"
#include "framework/kv_form.h"
#include "platform/environment.h"
#include "services/config/test_installation.h"
#include "toolkit/application.h"
#include "toolkit/bit_btn.h"
#include "toolkit/button.h"
#include "toolkit/class_builder.h"
#include "toolkit/edit.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/label.h"
#include "toolkit/paint/glyph_picture.h"
#include "toolkit/speed_button.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kvc::framework {
namespace {

namespace fs = std::filesystem;

// Two levels of the class chain below the toolkit's form.
class TfrmKvTest : public TKVForm {
    KVC_CLASS(TfrmKvTest, TKVForm)
};
KVC_REGISTER_CLASS(TfrmKvTest) {}

class TfrmKvBroken : public TKVForm {
    KVC_CLASS(TfrmKvBroken, TKVForm)
};
KVC_REGISTER_CLASS(TfrmKvBroken) {}

constexpr std::uint32_t kMagenta = 0xFF00FF; // $00BBGGRR
constexpr std::uint32_t kDark = 0x000000;
constexpr std::uint32_t kLight = 0xC8C8C8;

std::uint32_t Rgb(TColor color) {
    return std::uint32_t(ColorToRGB(color)) & 0xFFFFFFu;
}

// A glyph drawn from rows of 'T' (transparent magenta), 'D' (dark) and 'L'
// (light); the bottom-left pixel must be 'T'.
std::unique_ptr<TBitmap> GlyphOf(const std::vector<std::string>& rows) {
    auto glyph = std::make_unique<TBitmap>(int(rows[0].size()), int(rows.size()));
    TBitmap& b = *glyph;
    for (int y = 0; y < b.GetHeight(); ++y) {
        for (int x = 0; x < b.GetWidth(); ++x) {
            const char c = rows[std::size_t(y)][std::size_t(x)];
            b.SetPixel(x, y, c == 'T' ? kMagenta : c == 'D' ? kDark : kLight);
        }
    }
    return glyph;
}

std::vector<std::uint8_t> GlyphBytes(const std::vector<std::string>& rows) {
    return GlyphOf(rows)->SaveToPngBytes();
}

// The installation: client path C:\ERP\ with the fixture language folders.
class KvFormTest : public ::testing::Test {
protected:
    void UseInterface(const std::string& system, const std::string& ui, bool languageFiles) {
        // The machine before puts its environment back first.
        machine_.reset();
        machine_ = std::make_unique<testing::TestInstallation>(system);
        machine_->SetTessera({{"ClientPath", "C:\\ERP\\"}});
        machine_->WriteOnC("ERP\\TesseraC.ini",
                           "[CodePage]\nUICodePage=" + ui + "\nDBCodePage=936\n");
        if (languageFiles) {
            const fs::path target = machine_->OnC("ERP\\MultiLanguage");
            fs::create_directories(target);
            fs::copy(fs::path(std::getenv("KVC_FIXTURES")) / "kv_form", target,
                     fs::copy_options::recursive);
        }
    }

    template <class T = TfrmKvTest> TOwned<T> MakeForm() {
        TOwned<T> form = MakeUnique<T>();
        btnOK_ = Create<TButton>(form.get());
        btnOK_->SetName("btnOK");
        btnOK_->SetCaption("确定");
        lblNote_ = Create<TLabel>(form.get());
        lblNote_->SetName("lblNote");
        lblNote_->SetCaption("说明");
        return form;
    }

    ScopedEnvironmentVariable libraryPath_{"KVC_LIBRARY_PATH", KVC_KVLANGUAGE_FOLDER};
    std::unique_ptr<testing::TestInstallation> machine_;
    TButton* btnOK_ = nullptr;
    TLabel* lblNote_ = nullptr;
};

TEST_F(KvFormTest, TheDefinitionGivesTheSettingsAndTheTwoComponents) {
    UseInterface("936", "936", false);
    TOwned<TfrmKvTest> form = MakeForm();
    EXPECT_EQ(form->GetWidth(), 400);
    EXPECT_EQ(form->GetHeight(), 191);
    EXPECT_TRUE(form->GetKeyPreview());
    EXPECT_EQ(form->GetPosition(), poScreenCenter);
    EXPECT_FALSE(form->GetScaled());
    EXPECT_TRUE(form->GetShowHint());
    EXPECT_EQ(form->GetFont()->GetName(), "宋体");
    EXPECT_EQ(form->GetFont()->GetHeight(), -13);
    ASSERT_NE(form->KvConverter, nullptr);
    ASSERT_NE(form->LangController, nullptr);
    EXPECT_EQ(form->KvConverter->GetDesignType(), language::dtClient);
    EXPECT_FALSE(form->LangController->GetActive());
    EXPECT_FALSE(form->Converted);
    EXPECT_EQ(form->TargetCodePage(), "936");
    EXPECT_EQ(form->ConvertMode(), 0);
}

TEST_F(KvFormTest, LanguageFilesOfTheChainApplyBaseFirst) {
    UseInterface("936", "936", true);
    TOwned<TfrmKvTest> form = MakeForm();
    form->Show();
    EXPECT_EQ(form->GetCaption(), "基本窗体");
    EXPECT_EQ(btnOK_->GetCaption(), "派生确定"); // the derived class's file wins
    EXPECT_EQ(lblNote_->GetCaption(), "基类说明");
}

TEST_F(KvFormTest, OwnLanguageAndOneClassLeaveTheBaseFileOut) {
    UseInterface("936", "936", true);
    TOwned<TfrmKvTest> form = MakeForm();
    form->ApplyOwnLanguage(form.get(), true);
    EXPECT_EQ(btnOK_->GetCaption(), "派生确定");
    EXPECT_EQ(lblNote_->GetCaption(), "说明");

    TOwned<TfrmKvTest> other = MakeForm();
    other->ApplyLanguage(other.get(), false);
    EXPECT_EQ(btnOK_->GetCaption(), "派生确定");
    EXPECT_EQ(lblNote_->GetCaption(), "说明");
}

TEST_F(KvFormTest, WithoutLanguageFilesTheDesignedTextsStay) {
    UseInterface("936", "936", false);
    TOwned<TfrmKvTest> form = MakeForm();
    form->Show();
    EXPECT_EQ(btnOK_->GetCaption(), "确定");
    EXPECT_EQ(lblNote_->GetCaption(), "说明");
}

TEST_F(KvFormTest, AFileThatIsNotWellFormedRaisesOutOfTheShow) {
    UseInterface("936", "936", true);
    TOwned<TfrmKvBroken> form = MakeForm<TfrmKvBroken>();
    EXPECT_THROW(form->FormShow(form.get()), language::LanguageControllerError);
}

TEST_F(KvFormTest, LangTextReadsTheClassFileOrTheDefault) {
    UseInterface("936", "936", true);
    TOwned<TfrmKvTest> form = MakeForm();
    struct Case {
        const char* className;
        const char* identifier;
        const char* expected;
    };
    const Case cases[] = {
        {"TfrmKvTest", "sDatePramError", "日期参数错误"},
        {"TKVForm", "sBaseOnly", "基类消息"},
        {"TfrmKvTest", "sBaseOnly", "默认"}, // each class's messages are its own
        {"TfrmKvTest", "sNoMsg", "默认"},
        {"TfrmNoFile", "sDatePramError", "默认"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.identifier);
        EXPECT_EQ(form->LangText(k.className, k.identifier, true, "默认"), k.expected);
    }
}

TEST_F(KvFormTest, LangTextConvertsTheDefaultForDisplayWhenAsked) {
    UseInterface("950", "950", false);
    TOwned<TfrmKvTest> form = MakeForm();
    EXPECT_EQ(form->LangText("TfrmKvTest", "sDatePramError", true, "简体"), "簡體");
    EXPECT_EQ(form->LangText("TfrmKvTest", "sDatePramError", false, "简体"), "简体");
}

TEST_F(KvFormTest, ConvertOnceConvertsTheFirstTimeOnly) {
    UseInterface("950", "950", false);
    TOwned<TfrmKvTest> form = MakeForm();
    form->SetCaption("报表");
    form->ConvertOnce();
    EXPECT_TRUE(form->Converted);
    EXPECT_EQ(form->GetCaption(), "報表");
    EXPECT_EQ(btnOK_->GetCaption(), "確定");
    btnOK_->SetCaption("简体");
    form->ConvertOnce();
    EXPECT_EQ(btnOK_->GetCaption(), "简体");
}

TEST_F(KvFormTest, ASelectionPanelIsConvertedUnder950) {
    UseInterface("950", "950", false);
    TOwned<TfrmKvTest> form = MakeForm();
    auto* panel = Create<controls::TSelectPanel>(form.get());
    panel->SetCaption("单据日期");
    TStringList hints;
    hints.SetText("开始日期\n结束日期\n");
    panel->SetChildHints(hints);
    TStringList begin;
    begin.SetText("从\n开始\n");
    panel->SetBeginWords(begin);
    TStringList final;
    final.SetText("至\n结束\n");
    panel->SetFinalWords(final);
    panel->SetHintWord("范围");
    panel->GetColumns()->Add()->SetCaption("单号");
    panel->AddRow({"发票"});
    form->ConvertOnce();

    EXPECT_EQ(panel->GetCaption(), "單據日期");
    EXPECT_EQ(panel->GetChildHints()->Text(), "開始日期\r\n結束日期\r\n");
    EXPECT_EQ(panel->GetBeginWords()->Text(), "從\r\n開始\r\n");
    EXPECT_EQ(panel->GetFinalWords()->Text(), "至\r\n結束\r\n");
    EXPECT_EQ(panel->BeginLabel().GetCaption(), "從"); // through the setter
    EXPECT_EQ(panel->GetHintWord(), "範圍");
    EXPECT_EQ(panel->TypeCheckBox().GetCaption(), "範圍");
    EXPECT_EQ((*panel->GetColumns())[0]->GetCaption(), "單號");
    EXPECT_EQ(panel->Items()[0]->GetCaption(), "發票");
}

TEST_F(KvFormTest, CreationClearsInputMethodsAndGivesEnglishFonts) {
    for (const char* ui : {"437", "936"}) {
        SCOPED_TRACE(ui);
        UseInterface("936", ui, false);
        TOwned<TfrmKvTest> form = MakeForm();
        auto* edit = Create<TEdit>(form.get());
        edit->SetImeName("中文 (简体) - 微软拼音");
        form->FormCreate(form.get());
        EXPECT_EQ(edit->GetImeName(), "");
        const bool english = std::string(ui) == "437";
        for (TControl* control : {static_cast<TControl*>(edit), static_cast<TControl*>(lblNote_)}) {
            EXPECT_EQ(control->GetFont()->GetName(), english ? "Tahoma" : "MS Sans Serif");
            EXPECT_EQ(int(control->GetFont()->GetCharset()), english ? 134 : 1);
        }
        EXPECT_EQ(form->GetFont()->GetName(), "宋体"); // the form's own font stays
    }
}

TEST(DisabledGlyph, MaskRulesAndTheEmbossedImage) {
    const std::vector<std::string> rows = {
        "TDLL", // D dark; L light inside
        "TLLL", // L next to the transparent colour: an edge
        "TTDL", // the bottom-left pixel gives the transparent colour
    };
    const std::unique_ptr<TBitmap> made = GlyphOf(rows);
    TBitmap& glyph = *made;
    MakeDisabledGlyph(glyph);
    ASSERT_EQ(glyph.GetWidth(), 8);
    ASSERT_EQ(glyph.GetHeight(), 3);
    EXPECT_EQ(glyph.GetPixelFormat(), pf24bit);
    // The mask is (1,0) dark, (1,1) edge and (2,2) dark. Highlight one pixel
    // right and down of it, then shadow on it: H at (2,1); (2,2) ends shadow.
    const std::vector<std::string> disabled = {
        "FSFF",
        "FSHF",
        "FFSF",
    };
    const std::unique_ptr<TBitmap> original = GlyphOf(rows);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            SCOPED_TRACE(::testing::Message() << "pixel " << x << "," << y);
            EXPECT_EQ(glyph.Pixel(x, y) & 0xFFFFFFu, original->Pixel(x, y) & 0xFFFFFFu);
            const char c = disabled[std::size_t(y)][std::size_t(x)];
            const std::uint32_t want = c == 'S'   ? Rgb(clBtnShadow)
                                       : c == 'H' ? Rgb(clBtnHighlight)
                                                  : Rgb(clBtnFace);
            EXPECT_EQ(glyph.Pixel(4 + x, y) & 0xFFFFFFu, want);
        }
    }
}

TEST(DisabledGlyph, ALightPixelAtTheBorderIsNoEdgeByItself) {
    // Neighbours beyond the border are the pixel itself, never transparent.
    const std::unique_ptr<TBitmap> made = GlyphOf({"LL", "TL"});
    TBitmap& glyph = *made;
    MakeDisabledGlyph(glyph);
    // (0,0) touches (0,1) T and (1,1) touches (0,1) T: both edges; (1,0) not.
    EXPECT_EQ(glyph.Pixel(2, 0) & 0xFFFFFFu, Rgb(clBtnShadow));
    EXPECT_EQ(glyph.Pixel(3, 1) & 0xFFFFFFu, Rgb(clBtnShadow));
    EXPECT_EQ(glyph.Pixel(3, 0) & 0xFFFFFFu, Rgb(clBtnFace));
    EXPECT_EQ(glyph.Pixel(2, 1) & 0xFFFFFFu, Rgb(clBtnFace)); // transparent in the picture
}

TEST_F(KvFormTest, OneImageButtonsGetADisabledImage) {
    UseInterface("936", "936", false);
    TOwned<TfrmKvTest> form = MakeForm();
    const std::vector<std::uint8_t> one = GlyphBytes({"TD", "TT"});
    const std::vector<std::uint8_t> two = GlyphBytes({"TDTD", "TTTT"});
    auto* speed = Create<TSpeedButton>(form.get());
    speed->GetGlyph()->SetData(one);
    auto* already = Create<TSpeedButton>(form.get());
    already->GetGlyph()->SetData(two);
    already->SetNumGlyphs(2);
    auto* bit = Create<TBitBtn>(form.get());
    bit->GetGlyph()->SetData(one);
    auto* bare = Create<TSpeedButton>(form.get());
    auto* panel = Create<controls::TSelectPanel>(form.get());
    for (TSpeedButton* b : std::initializer_list<TSpeedButton*>{
             &panel->ListButton(), &panel->DeleteButton(), &panel->ClearButton(),
             &panel->BeginButton(), &panel->FinalButton()}) {
        b->GetGlyph()->SetData(one);
        b->SetNumGlyphs(1);
    }
    auto* lookupEdit = Create<controls::TKvBtnDBEdit>(form.get());
    lookupEdit->Button()->GetGlyph()->SetData(one);
    lookupEdit->Button()->SetNumGlyphs(1);
    form->FormCreate(form.get());

    auto widthOf = [](const TGlyphData& g) { return DecodeGlyph(g.GetData())->GetWidth(); };
    for (TSpeedButton* b : {speed, &static_cast<TSpeedButton&>(panel->ListButton()),
                            &static_cast<TSpeedButton&>(panel->DeleteButton()),
                            &static_cast<TSpeedButton&>(panel->ClearButton()),
                            static_cast<TSpeedButton*>(lookupEdit->Button())}) {
        SCOPED_TRACE(b->ClassName());
        EXPECT_EQ(b->GetNumGlyphs(), 2);
        EXPECT_EQ(widthOf(*b->GetGlyph()), 4);
    }
    EXPECT_EQ(bit->GetNumGlyphs(), 2);
    EXPECT_EQ(widthOf(*bit->GetGlyph()), 4);
    EXPECT_EQ(already->GetNumGlyphs(), 2);
    EXPECT_EQ(already->GetGlyph()->GetData(), two);
    EXPECT_EQ(bare->GetNumGlyphs(), 1);
    EXPECT_TRUE(bare->GetGlyph()->Empty());
    // The panel's begin and final lookup buttons are not the form's.
    EXPECT_EQ(panel->BeginButton().GetNumGlyphs(), 1);
    EXPECT_EQ(panel->FinalButton().GetGlyph()->GetData(), one);
}

} // namespace
} // namespace kvc::framework
