#include "controls/control_classes.h"
#include "controls/select_panel.h"
#include "runtime/datetime.h"
#include "runtime/strings.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/edit.h"
#include "toolkit/form_definitions.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/toolkit_fixture.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <set>

namespace kvc::controls {
namespace {

using ::testing::ElementsAre;

// A form that hosts one panel and another edit, and logs what reaches it.
class TfrmSelHost : public TForm {
    KVC_CLASS(TfrmSelHost, TForm)
public:
    std::vector<std::string> log;
    std::vector<LPARAM> lookups;
    bool acceptStyle = true;
    bool acceptDelete = true;

    TSelectPanel* spView = nullptr;
    TEdit* edOther = nullptr;

    void WndProc(TMessage& message) override {
        if (message.Msg == WM_F2LOOKUP) {
            lookups.push_back(message.LParam);
            log.push_back("lookup");
        }
        TForm::WndProc(message);
    }
    void StyleChanging(TObject*, TSelectStyle now, TSelectStyle& next, bool& accept) {
        log.push_back("changing " + std::to_string(now) + ">" + std::to_string(next));
        accept = acceptStyle;
    }
    void StyleChange(TObject*, TSelectStyle old, TSelectStyle next) {
        log.push_back("change " + std::to_string(old) + ">" + std::to_string(next));
    }
    void OpenWinClick(TSelectPanel*, TWinControl* target) {
        log.push_back(target == &spView->BeginEdit() ? "open begin" : "open other");
    }
    void DeleteClick(TObject*, bool& accept) {
        log.push_back("delete");
        accept = acceptDelete;
    }
    void ClearClick(TObject*) { log.push_back("clear"); }
    void TypeClick(TObject*) { log.push_back("type"); }
    struct Mouse {
        std::string what;
        TObject* sender;
        int x;
        int y;
    };
    std::vector<Mouse> mice;
    void PanelMouseDown(TObject* sender, TMouseButton, TShiftState, int x, int y) {
        mice.push_back({"down", sender, x, y});
    }
    void PanelMouseMove(TObject* sender, TShiftState, int x, int y) {
        mice.push_back({"move", sender, x, y});
    }
    void PanelMouseUp(TObject* sender, TMouseButton, TShiftState, int x, int y) {
        mice.push_back({"up", sender, x, y});
    }
    void PanelExit(TObject*) {
        log.push_back("exit " + spView->GetBeginText() + ".." + spView->GetFinalText());
    }
};

KVC_REGISTER_CLASS(TfrmSelHost) {
    KVC_FIELD(spView);
    KVC_METHOD(StyleChanging);
    KVC_METHOD(StyleChange);
    KVC_METHOD(OpenWinClick);
    KVC_METHOD(DeleteClick);
    KVC_METHOD(ClearClick);
    KVC_METHOD(TypeClick);
    KVC_METHOD(PanelExit);
    KVC_METHOD(PanelMouseDown);
    KVC_METHOD(PanelMouseMove);
    KVC_METHOD(PanelMouseUp);
}

int TextHeightIn(const TFont& font) {
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(font);
    return canvas.TextHeight("W");
}

int TextWidthIn(const TFont& font, const std::string& text) {
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(font);
    return canvas.TextWidth(text);
}

std::vector<std::string> RowOf(const TListItem& item) {
    std::vector<std::string> row{item.GetCaption()};
    for (int k = 0; k < item.SubItems()->Count(); ++k) {
        row.push_back((*item.SubItems())[k]);
    }
    return row;
}

std::vector<std::vector<std::string>> Rows(const TSelectPanel& panel) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < panel.Items().Count(); ++i) {
        rows.push_back(RowOf(*panel.Items()[i]));
    }
    return rows;
}

TStringList ListOf(std::initializer_list<const char*> texts) {
    TStringList list;
    for (const char* text : texts) {
        list.Add(text);
    }
    return list;
}

class SelectPanelTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmSelHost>();
        form->SetBounds(0, 0, 600, 400);
        panel = Create<TSelectPanel>(form);
        panel->SetParent(form);
        form->spView = panel;
        form->edOther = Create<TEdit>(form);
        form->edOther->SetParent(form);
        form->edOther->SetBounds(400, 10, 80, 21);
        form->Show();
    }

    TSelectPanel& P() { return *panel; }
    TfrmSelHost* form = nullptr;
    TSelectPanel* panel = nullptr;
};

TEST_F(SelectPanelTest, ANewPanelIsAHorizontalRangeWithItsDefaults) {
    EXPECT_EQ(P().GetStyle(), sp_Range);
    EXPECT_FALSE(P().GetUseVertical());
    EXPECT_EQ(P().GetWidth(), 353);
    EXPECT_EQ(P().GetHeight(), 45);
    EXPECT_EQ(P().BeginLabel().GetCaption(), "起");
    EXPECT_EQ(P().FinalLabel().GetCaption(), "止");
    for (TF2Button* b : {&P().BeginButton(), &P().FinalButton(), &P().ListButton()}) {
        EXPECT_EQ(b->GetGlyphIndex(), 8);
        EXPECT_TRUE(b->GetFlat());
        EXPECT_EQ(b->GetF2Control(), nullptr);
    }
    EXPECT_FALSE(P().ListButton().GetAutoAlign());
    EXPECT_EQ(P().DeleteButton().GetGlyphIndex(), 47);
    EXPECT_EQ(P().ClearButton().GetGlyphIndex(), 4);
    EXPECT_EQ(P().ClearButton().GetNumGlyphs(), 2);
    EXPECT_EQ(P().Items().Count(), 0);
    EXPECT_EQ(P().GetColumns()->Count(), 0);
    EXPECT_EQ(P().GetHintWord(), "区间选择");
    EXPECT_EQ(P().TypeCheckBox().GetCaption(), "区间选择");
    EXPECT_FALSE(P().TypeCheckBox().GetChecked()) << "created at run time";
    EXPECT_FALSE(P().TypeCheckBox().GetVisible());
    EXPECT_TRUE(P().RangePage().GetVisible());
    EXPECT_FALSE(P().ListPage().GetVisible());
    EXPECT_TRUE(P().IsRangeActive());
    EXPECT_EQ(P().GetOtherWidth(), 200);
    EXPECT_EQ(P().GetOtherHeight(), 105);
    EXPECT_EQ(P().GetDateSign(), "/");
    EXPECT_TRUE(P().GetAutoChangeDateSite());
    EXPECT_TRUE(P().GetColumnsAutoSize());
    EXPECT_FALSE(P().GetHideSelection());
    EXPECT_FALSE(P().GetShowColumnHeader());
    EXPECT_EQ(P().GetCheckDuplicate(), cd_None);
    EXPECT_EQ(P().List().GetViewStyle(), vsReport);
    EXPECT_TRUE(P().List().GetMultiSelect());
    EXPECT_TRUE(P().List().GetReadOnly());
    EXPECT_EQ(P().List().GetCursor(), crHandPoint);
}

TEST_F(SelectPanelTest, HintsGoToThePartsInTheirFixedOrder) {
    EXPECT_EQ(P().TypeCheckBox().GetHint(), "用户自定输入方式");
    EXPECT_EQ(P().BeginButton().GetHint(), "区间选择-起始信息开窗");
    EXPECT_EQ(P().List().GetHint(), "多选-己选择的信息");
    EXPECT_EQ(P().ClearButton().GetHint(), "多选-删除己选信息");
    P().SetChildHints(ListOf({"a", "b", "c"}));
    EXPECT_EQ(P().TypeCheckBox().GetHint(), "a");
    EXPECT_EQ(P().BeginEdit().GetHint(), "b");
    EXPECT_EQ(P().BeginButton().GetHint(), "c");
    EXPECT_EQ(P().FinalEdit().GetHint(), "区间选择-截止信息") << "beyond the list: kept";
}

TEST_F(SelectPanelTest, TheHorizontalRangeFollowsThePanelArithmetic) {
    int th = TextHeightIn(*P().GetFont());
    const TPanel& page = P().RangePage();
    EXPECT_EQ(page.BoundsRect(), (TRect{2, th + 3, 2 + 353 - 5, 45 - 1 - 2}));
    EXPECT_EQ(P().ListPage().BoundsRect(), page.BoundsRect());

    const TLabel& bl = P().BeginLabel();
    const TSelMaskEdit& be = P().BeginEdit();
    const TLabel& fl = P().FinalLabel();
    const TSelMaskEdit& fe = P().FinalEdit();
    int top = (page.GetHeight() - 24) / 2;
    EXPECT_EQ(be.GetHeight(), 24);
    EXPECT_EQ(bl.GetLeft(), 2);
    for (const TControl* part : std::initializer_list<const TControl*>{
             &bl, &be, &P().BeginButton(), &fl, &fe, &P().FinalButton()}) {
        EXPECT_EQ(part->GetTop(), top);
    }
    EXPECT_EQ(be.GetLeft(), bl.GetLeft() + bl.GetWidth() + 1);
    int labelRight = bl.GetLeft() + bl.GetWidth();
    EXPECT_EQ(be.GetWidth(),
              ((page.GetWidth() - labelRight - 2 - 23 - 2 - fl.GetWidth() - 2 - 23 - 2) / 2) - 1);
    EXPECT_EQ(P().BeginButton().GetLeft(), be.GetLeft() + be.GetWidth() + 2);
    EXPECT_EQ(fl.GetLeft(), P().BeginButton().GetLeft() + 23 + 2);
    EXPECT_EQ(fe.GetLeft(), fl.GetLeft() + fl.GetWidth() + 2);
    EXPECT_EQ(fe.GetWidth(), be.GetWidth());
    EXPECT_EQ(P().FinalButton().GetLeft(), fe.GetLeft() + fe.GetWidth() + 2);
    EXPECT_EQ(bl.GetWidth(), TextWidthIn(*P().GetFont(), "起"));
}

TEST_F(SelectPanelTest, WithoutLookupTheButtonsHideAndTheEditsWiden) {
    int withButtons = P().BeginEdit().GetWidth();
    P().SetCanOpenWin(false);
    EXPECT_FALSE(P().BeginButton().GetVisible());
    EXPECT_FALSE(P().ListButton().GetVisible());
    EXPECT_GT(P().BeginEdit().GetWidth(), withButtons);
    EXPECT_EQ(P().FinalLabel().GetLeft(),
              P().BeginEdit().GetLeft() + P().BeginEdit().GetWidth() + 4);
}

TEST_F(SelectPanelTest, AddRowCreatesDataColumnsAndPadsRows) {
    EXPECT_FALSE(P().AddRow({})) << "an empty row";
    ASSERT_TRUE(P().AddRow({"A001", "Bolt", "pcs"}));
    ASSERT_EQ(P().GetColumns()->Count(), 3);
    EXPECT_THAT(*P().GetColumnCaptions(), ::testing::Eq(ListOf({"Data1", "Data2", "Data3"})));
    ASSERT_TRUE(P().AddRow({"B"}));
    EXPECT_THAT(Rows(P()),
                ElementsAre(ElementsAre("A001", "Bolt", "pcs"), ElementsAre("B", "", "")));
    ASSERT_TRUE(P().AddRow({"C", "1", "2", "3"}));
    EXPECT_EQ(P().GetColumns()->Count(), 4);
    EXPECT_THAT(Rows(P()),
                ElementsAre(ElementsAre("A001", "Bolt", "pcs", ""), ElementsAre("B", "", "", ""),
                            ElementsAre("C", "1", "2", "3")))
        << "earlier rows are padded when a longer row comes";
}

TEST_F(SelectPanelTest, ColumnWidthsAreCharacterCountsTimesAWideLetter) {
    P().AddRow({"AB", "螺丝钉", "x"});
    P().AddRow({"ABCDEF"});
    int w = P().List().WideLetterWidth();
    EXPECT_EQ(w, TextWidthIn(*P().List().GetFont(), "W"));
    const TListColumns& columns = *P().GetColumns();
    EXPECT_EQ(columns[0]->GetWidth(), 6 * w);
    EXPECT_EQ(columns[1]->GetWidth(), 6 * w) << "a Chinese character counts two, as in GBK";
    EXPECT_EQ(columns[2]->GetWidth(), 5 * w) << "the caption Data3 is longer than x";

    P().SetColumnsAutoSize(false);
    P().AddRow({"ABCDEFGHIJ"});
    EXPECT_EQ(columns[0]->GetWidth(), 6 * w) << "widths stay without ColumnsAutoSize";
}

TEST_F(SelectPanelTest, WidthsFollowRowsRemovedBetweenAppends) {
    P().AddRow({"LONGCAPTION"});
    P().AddRow({"B"});
    P().Items().Delete(0);
    P().AddRow({"C"});
    int w = P().List().WideLetterWidth();
    EXPECT_EQ((*P().GetColumns())[0]->GetWidth(), 5 * w) << "Data1 is the longest text left";
}

struct DuplicateCase {
    TCheckDuplicate mode;
    std::vector<std::string> captions;
    std::vector<std::string> expected;
};

class Duplicates : public SelectPanelTest, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(Duplicates, NeighboursWithTheSameCaptionAreRemoved) {
    P().SetStyle(sp_Discrete);
    P().SetCheckDuplicate(GetParam().mode);
    EXPECT_TRUE(P().GetSortListBox());
    for (const std::string& caption : GetParam().captions) {
        ASSERT_TRUE(P().AddRow({caption, "x"}));
    }
    std::vector<std::string> captions;
    for (int i = 0; i < P().Items().Count(); ++i) {
        captions.push_back(P().Items()[i]->GetCaption());
    }
    EXPECT_EQ(captions, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Duplicates,
    ::testing::Values(DuplicateCase{cd_CaseInsensitive, {"abc", "ABC"}, {"abc"}},
                      DuplicateCase{cd_CheckCase, {"abc", "ABC"}, {"abc", "ABC"}},
                      DuplicateCase{cd_CheckCase, {"b", "a", "b", "c", "a"}, {"a", "b", "c"}},
                      DuplicateCase{
                          cd_CaseInsensitive, {"B", "a", "b", "A", "c"}, {"a", "B", "c"}}));

TEST_F(SelectPanelTest, BulkAppendsMatchTheWholePassAfterEveryRow) {
    // What each append must leave: the rows sorted (caption, then the first
    // sub-item, letter case ignored), then every row equal to its upper
    // neighbour removed, from the last row back.
    P().SetStyle(sp_Discrete);
    P().SetCheckDuplicate(cd_CaseInsensitive);
    using Row = std::vector<std::string>;
    std::vector<Row> expected;
    auto less = [](const Row& a, const Row& b) {
        int r = AnsiCompareText(a[0], b[0]);
        return r != 0 ? r < 0 : AnsiCompareText(a[1], b[1]) < 0;
    };
    unsigned seed = 7;
    for (int i = 0; i < 120; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string caption(1, char(((seed >> 16) % 2 ? 'a' : 'A') + (seed >> 8) % 6));
        Row row{caption, std::to_string((seed >> 4) % 50)};
        ASSERT_TRUE(P().AddRow(row));
        expected.push_back(row);
        std::stable_sort(expected.begin(), expected.end(), less);
        for (std::size_t k = expected.size() - 1; k >= 1; --k) {
            if (AnsiUpperCase(expected[k][0]) == AnsiUpperCase(expected[k - 1][0])) {
                expected.erase(expected.begin() + std::ptrdiff_t(k));
            }
        }
        ASSERT_EQ(Rows(P()), expected) << "after row " << i;
    }
}

TEST_F(SelectPanelTest, SwitchingDuplicateCheckOnCleansAListAtOnce) {
    P().SetStyle(sp_Discrete);
    P().SetSortListBox(true);
    P().AddRow({"a"});
    P().AddRow({"a"});
    ASSERT_EQ(P().Items().Count(), 2);
    P().SetCheckDuplicate(cd_CheckCase);
    EXPECT_EQ(P().Items().Count(), 1);
}

struct ExitCase {
    const char* name;
    TValueType type;
    TDateType dateType;
    const char* begin;
    const char* final;
    bool useDiscard;
    const char* discard;
    const char* wantBegin;
    const char* wantFinal;
};

class ExitSwaps : public SelectPanelTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitSwaps, LeavingThePanelPutsTheRangeInOrder) {
    const ExitCase& c = GetParam();
    P().SetValueType(c.type);
    P().SetDateType(c.dateType);
    P().SetUseDiscard(c.useDiscard);
    P().SetDiscard(c.discard);
    P().OnExit = TNotifyEvent::Bind<&TfrmSelHost::PanelExit>(form);
    robot.Focus(P().BeginEdit());
    P().SetBeginText(c.begin);
    P().SetFinalText(c.final);
    robot.Focus(*form->edOther);
    EXPECT_EQ(P().GetBeginText(), c.wantBegin);
    EXPECT_EQ(P().GetFinalText(), c.wantFinal);
    EXPECT_THAT(form->log, ElementsAre(std::string("exit ") + c.wantBegin + ".." + c.wantFinal))
        << "OnExit comes after the normalisation";
}

INSTANTIATE_TEST_SUITE_P(
    Types, ExitSwaps,
    ::testing::Values(
        ExitCase{"StringSwapped", vt_String, dt_NoneCare, "Z", "A", false, "", "A", "Z"},
        ExitCase{"StringTrimmed", vt_String, dt_NoneCare, " A ", "B ", false, "", "A", "B"},
        ExitCase{"StringDiscard", vt_String, dt_NoneCare, " Z ", "A", true, "Z", "Z", "A"},
        ExitCase{"StringEmptyFinal", vt_String, dt_NoneCare, "Z", "", false, "", "Z", ""},
        ExitCase{"StringByteWise", vt_String, dt_NoneCare, "a", "B", false, "", "B", "a"},
        ExitCase{"NumberSwapped", vt_Number, dt_NoneCare, "20", "3", false, "", "3", "20"},
        ExitCase{"NumberNotANumber", vt_Number, dt_NoneCare, "x", "5", false, "", "x", "5"},
        ExitCase{"DateYearMonth", vt_Date, dt_YYYYMMDD, "2024/05", "2024/04/30", false, "",
                 "2024/04/30", "2024/05"},
        ExitCase{"DateInOrder", vt_Date, dt_YYYYMMDD, "2024/04/30", "2024/05", false, "",
                 "2024/04/30", "2024/05"},
        ExitCase{"DateZero", vt_Date, dt_YYYYMMDD, "2024/05/01", "2024/13/01", false, "",
                 "2024/13/01", "2024/05/01"},
        ExitCase{"DateTaiwanYears", vt_Date, dt_YYYMMDD, "113/01/15", "112/12/31", false, "",
                 "112/12/31", "113/01/15"},
        ExitCase{"DateNoneCare", vt_Date, dt_NoneCare, "2024/5/1", "2024/10/1", false, "",
                 "2024/10/1", "2024/5/1"},
        ExitCase{"FloatSwapped", vt_Float, dt_NoneCare, "2.5", "1.05", false, "", "1.05", "2.5"},
        ExitCase{"FloatRebuilt", vt_Float, dt_NoneCare, "1", "x.5", false, "", "0.5", "1.0"},
        ExitCase{"OtherMaskNever", vt_OtherMask, dt_NoneCare, "Z", "A", false, "", "Z", "A"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DateCase {
    TDateType type;
    const char* text;
    int year, month, day; // year 0: the zero date
};

class DateReading : public SelectPanelTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateReading, TextsReadAsDates) {
    P().SetDateType(GetParam().type);
    double want = GetParam().year == 0
                      ? 0.0
                      : double(EncodeDate(GetParam().year, GetParam().month, GetParam().day));
    EXPECT_EQ(P().ReadDate(GetParam().text), want);
}

INSTANTIATE_TEST_SUITE_P(Forms, DateReading,
                         ::testing::Values(DateCase{dt_YYYYMMDD, "2024/05", 2024, 5, 1},
                                           DateCase{dt_YYYMMDD, "113/01/15", 2024, 1, 15},
                                           DateCase{dt_YYMMDD, "99/02/03", 2010, 2, 3},
                                           DateCase{dt_MMDDYYYY, "05/2024", 2024, 5, 1},
                                           DateCase{dt_MMDDYYYY, "12/31/2023", 2023, 12, 31},
                                           DateCase{dt_DDMMYYYY, "05/2024", 2024, 5, 1},
                                           DateCase{dt_DDMMYYYY, "31/12/2023", 2023, 12, 31},
                                           DateCase{dt_YYYYMMDD, "2024/13/01", 0, 0, 0},
                                           DateCase{dt_YYYYMMDD, "2024", 0, 0, 0},
                                           DateCase{dt_YYYYMMDD, "2024/a/01", 0, 0, 0},
                                           DateCase{dt_YYYYMMDD, "1/2/3/4", 0, 0, 0},
                                           DateCase{dt_YYYYMMDD, "   ", 0, 0, 0}));

TEST_F(SelectPanelTest, AStyleChangeSwapsTheSizeAndBack) {
    P().OnStyleChanging = TStyleChangingEvent::Bind<&TfrmSelHost::StyleChanging>(form);
    P().OnStyleChange = TStyleChangeEvent::Bind<&TfrmSelHost::StyleChange>(form);
    P().SetStyle(sp_Discrete);
    EXPECT_EQ(P().GetWidth(), 200);
    EXPECT_EQ(P().GetHeight(), 105);
    EXPECT_EQ(P().GetOtherWidth(), 353);
    EXPECT_EQ(P().GetOtherHeight(), 45);
    EXPECT_FALSE(P().RangePage().GetVisible());
    EXPECT_TRUE(P().ListPage().GetVisible());
    EXPECT_FALSE(P().IsRangeActive());
    EXPECT_THAT(form->log, ElementsAre("changing 0>1", "change 0>1"));
    const TSelListView& list = P().List();
    EXPECT_EQ(list.GetWidth(), P().ListPage().GetWidth() - list.GetLeft() - 23 - 3);
    EXPECT_EQ(P().ListButton().GetLeft(), list.GetWidth() + 2);
    EXPECT_EQ(P().DeleteButton().GetTop(), 23);
    EXPECT_EQ(P().ClearButton().GetTop(), 46);

    P().SetStyle(sp_Range);
    EXPECT_EQ(P().GetWidth(), 353);
    EXPECT_EQ(P().GetHeight(), 45);
    EXPECT_EQ(P().GetOtherWidth(), 200);
}

TEST_F(SelectPanelTest, AVetoedStyleChangeLeavesEverything) {
    form->acceptStyle = false;
    P().OnStyleChanging = TStyleChangingEvent::Bind<&TfrmSelHost::StyleChanging>(form);
    P().OnStyleChange = TStyleChangeEvent::Bind<&TfrmSelHost::StyleChange>(form);
    TRect before = P().BoundsRect();
    TRect edit = P().BeginEdit().BoundsRect();
    P().SetStyle(sp_Discrete);
    EXPECT_EQ(P().GetStyle(), sp_Range);
    EXPECT_EQ(P().BoundsRect(), before);
    EXPECT_EQ(P().BeginEdit().BoundsRect(), edit);
    EXPECT_TRUE(P().RangePage().GetVisible());
    EXPECT_THAT(form->log, ElementsAre("changing 0>1"));
}

TEST_F(SelectPanelTest, UseVerticalOnlyActsOnARange) {
    P().SetStyle(sp_Discrete);
    P().SetUseVertical(true);
    EXPECT_FALSE(P().GetUseVertical());
    P().SetStyle(sp_Range);
    P().SetUseVertical(true);
    EXPECT_TRUE(P().GetUseVertical());
    EXPECT_EQ(P().GetWidth(), 200) << "the vertical range takes the other size";
    P().SetStyle(sp_Discrete);
    EXPECT_EQ(P().GetWidth(), 200) << "no swap with a vertical range";
}

TEST_F(SelectPanelTest, UserChoiceLaysTheRangeOutVertically) {
    P().SetBeginWords(ListOf({"From", "Begin"}));
    P().SetFinalWords(ListOf({"To", "End"}));
    P().SetStyle(sp_UserChoice);
    P().SetBounds(0, 0, 353, 105);
    int th = TextHeightIn(*P().GetFont());
    const TSelCheckBox& box = P().TypeCheckBox();
    EXPECT_TRUE(box.GetVisible());
    EXPECT_EQ(box.GetLeft(), 16);
    EXPECT_EQ(box.GetTop(), th + 1);
    EXPECT_EQ(box.GetWidth(), TextWidthIn(*P().GetFont(), "区间选择") + 24);

    const TPanel& page = P().RangePage();
    EXPECT_EQ(page.BoundsRect(), (TRect{2, box.GetTop() + th + 2, 353 - 2, 105 - 2}));
    EXPECT_EQ(P().BeginLabel().GetCaption(), "Begin");
    EXPECT_EQ(P().FinalLabel().GetCaption(), "End");
    int g = (page.GetHeight() - 24 - 24) / 3;
    const TLabel& bl = P().BeginLabel();
    EXPECT_EQ(bl.GetTop(), g);
    EXPECT_EQ(P().BeginEdit().GetLeft(), bl.GetLeft() + bl.GetWidth() + 2);
    EXPECT_EQ(P().BeginEdit().GetWidth(),
              page.GetWidth() - (bl.GetLeft() + bl.GetWidth()) - 23 - 4);
    EXPECT_EQ(P().BeginButton().GetLeft(),
              P().BeginEdit().GetLeft() + P().BeginEdit().GetWidth() + 1);
    EXPECT_EQ(P().FinalLabel().GetTop(), g + g + 24);
    EXPECT_EQ(P().FinalEdit().GetTop(), g + g + 24);
    EXPECT_EQ(P().FinalButton().GetLeft(), P().BeginButton().GetLeft());
}

TEST_F(SelectPanelTest, TheTypeBoxSwitchesTheChoice) {
    P().SetStyle(sp_UserChoice);
    P().OnTypeClick = TNotifyEvent::Bind<&TfrmSelHost::TypeClick>(form);
    EXPECT_FALSE(P().IsRangeActive()) << "the box starts unchecked at run time";
    EXPECT_TRUE(P().ListPage().GetVisible());
    robot.Click(P().TypeCheckBox());
    EXPECT_TRUE(P().GetUserChoice());
    EXPECT_TRUE(P().IsRangeActive());
    EXPECT_TRUE(P().RangePage().GetVisible());
    EXPECT_FALSE(P().ListPage().GetVisible());
    P().SetUserChoice(false);
    EXPECT_FALSE(P().IsRangeActive());
    EXPECT_THAT(form->log, ElementsAre("type", "type"));
}

TEST_F(SelectPanelTest, ValueTextOfAListIsWrittenAndReadBack) {
    P().SetStyle(sp_Discrete);
    P().AddRow({"A", "1"});
    P().AddRow({"B", "2"});
    std::string text = P().GetValueText();
    EXPECT_EQ(text, std::string("sp_Discrete\x03"
                                "A\x01"
                                "1\x04"
                                "B\x01"
                                "2\x04"));

    auto* other = Create<TSelectPanel>(form);
    other->SetParent(form);
    other->SetStyle(sp_Discrete);
    ASSERT_TRUE(other->SetValueText(text));
    EXPECT_THAT(Rows(*other), ElementsAre(ElementsAre("A", "1"), ElementsAre("B", "2")));
    EXPECT_EQ(other->GetValueText(), text);
}

TEST_F(SelectPanelTest, ValueTextOfSingleColumnRows) {
    P().SetStyle(sp_Discrete);
    P().AddRow({"A"});
    P().AddRow({"B"});
    EXPECT_EQ(P().GetListText(), std::string("A\x04"
                                             "B\x04"));
    ASSERT_TRUE(P().SetListText(std::string("\x04"
                                            "C\x04\x04"
                                            "D")));
    EXPECT_THAT(Rows(P()), ElementsAre(ElementsAre("C"), ElementsAre("D")))
        << "empty pieces are skipped; the list was cleared first";
}

TEST_F(SelectPanelTest, ValueTextOfARangeAndOfBothUserChoices) {
    P().SetBeginText("A01");
    P().SetFinalText("Z99");
    EXPECT_EQ(P().GetValueText(), std::string("sp_Range\x03"
                                              "A01\x03"
                                              "Z99"));
    auto* other = Create<TSelectPanel>(form);
    other->SetParent(form);
    ASSERT_TRUE(other->SetValueText(P().GetValueText()));
    EXPECT_EQ(other->GetBeginText(), "A01");
    EXPECT_EQ(other->GetFinalText(), "Z99");

    P().SetStyle(sp_UserChoice);
    P().SetUserChoice(true);
    std::string range = P().GetValueText();
    EXPECT_EQ(range, std::string("sp_UserChoice\x03"
                                 "True\x03"
                                 "A01\x03"
                                 "Z99"));
    P().SetUserChoice(false);
    P().AddRow({"K", "v"});
    std::string list = P().GetValueText();
    EXPECT_EQ(list, std::string("sp_UserChoice\x03"
                                "False\x03"
                                "K\x01"
                                "v\x04"));

    other->SetStyle(sp_UserChoice);
    ASSERT_TRUE(other->SetValueText(list));
    EXPECT_FALSE(other->GetUserChoice());
    EXPECT_THAT(Rows(*other), ElementsAre(ElementsAre("K", "v")));
    ASSERT_TRUE(other->SetValueText(range));
    EXPECT_TRUE(other->GetUserChoice());
    EXPECT_TRUE(other->IsRangeActive());
    EXPECT_EQ(other->GetStyle(), sp_UserChoice) << "reading never changes the style";
}

TEST_F(SelectPanelTest, ALookupButtonAsksTheFormThenRaisesOpenWin) {
    P().OnOpenWinClick = TOpenWinClickEvent::Bind<&TfrmSelHost::OpenWinClick>(form);
    robot.Click(P().BeginButton());
    EXPECT_THAT(form->log, ElementsAre("lookup", "open begin"));
    ASSERT_EQ(form->lookups.size(), 1u);
    EXPECT_EQ(form->lookups[0], reinterpret_cast<LPARAM>(&P().BeginEdit()));
    EXPECT_TRUE(P().BeginEdit().Focused());
}

TEST_F(SelectPanelTest, DeleteAndClearButtons) {
    P().SetStyle(sp_Discrete);
    P().OnDeleteClick = TDeleteClickEvent::Bind<&TfrmSelHost::DeleteClick>(form);
    P().OnClearClick = TNotifyEvent::Bind<&TfrmSelHost::ClearClick>(form);
    for (const char* caption : {"a", "b", "c"}) {
        P().AddRow({caption});
    }
    P().Items()[0]->SetSelected(true);
    P().Items()[2]->SetSelected(true);
    form->acceptDelete = false;
    robot.Click(P().DeleteButton());
    EXPECT_EQ(P().Items().Count(), 3) << "refused";
    form->acceptDelete = true;
    robot.Click(P().DeleteButton());
    EXPECT_THAT(Rows(P()), ElementsAre(ElementsAre("b")));
    robot.Click(P().ClearButton());
    EXPECT_EQ(P().Items().Count(), 0);
    EXPECT_TRUE(P().List().Focused());
    EXPECT_THAT(form->log, ElementsAre("delete", "delete", "clear"));
}

TEST_F(SelectPanelTest, EnabledReachesEveryInnerPart) {
    P().SetEnabled(false);
    EXPECT_FALSE(P().BeginEdit().GetEnabled());
    EXPECT_FALSE(P().List().GetEnabled());
    EXPECT_FALSE(P().ClearButton().GetEnabled());
    P().SetEnabled(true);
    EXPECT_TRUE(P().FinalButton().GetEnabled());
}

TEST_F(SelectPanelTest, FocusGoesToTheListWhenTheRangeIsNotActive) {
    P().SetStyle(sp_Discrete);
    P().SetFocus();
    EXPECT_TRUE(P().List().Focused());
}

TEST_F(SelectPanelTest, HeaderClicksSortByColumnThenToggle) {
    P().SetStyle(sp_Discrete);
    P().AddRow({"b", "2"});
    P().AddRow({"a", "3"});
    P().AddRow({"c", "1"});
    P().ColumnClick(1);
    EXPECT_THAT(Rows(P()),
                ElementsAre(ElementsAre("c", "1"), ElementsAre("b", "2"), ElementsAre("a", "3")));
    P().ColumnClick(1);
    EXPECT_EQ(P().Items()[0]->GetCaption(), "a") << "descending";
    P().ColumnClick(0);
    EXPECT_EQ(P().Items()[0]->GetCaption(), "a");
    EXPECT_EQ(P().Items()[2]->GetCaption(), "c");
}

TEST_F(SelectPanelTest, AnEditMaskReachesBothEditsAndKeepsTheText) {
    P().SetBeginText("A");
    P().SetEditMask("9999/99/99;1;_");
    EXPECT_EQ(P().BeginEdit().GetEditMask(), "9999/99/99;1;_");
    EXPECT_EQ(P().FinalEdit().GetEditMask(), "9999/99/99;1;_");
    P().SetValueType(vt_String);
    P().SetBeginText("2024/01/01");
    P().SetFinalText("");
    P().DoExit();
    EXPECT_EQ(P().GetBeginText(), "2024/01/01") << "a blank final text is never swapped in";
}

TEST_F(SelectPanelTest, PublishedPropertiesAreStoredInTheirOrder) {
    RegisterControlClasses();
    std::vector<std::string> names;
    for (const TPropInfo* prop : TSelectPanel::StaticClassInfo().Properties()) {
        names.push_back(prop->name);
    }
    EXPECT_THAT(names, ::testing::IsSupersetOf(
                           {"AutoChangeDateSite", "BeginWords", "Style", "UserChoice"}));
    auto at = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(at("Style"), at("UserChoice")) << "a stored UserChoice finds its style in force";
    EXPECT_LT(at("UserChoice"), at("UseVertical"));
}

// Loading from a form definition.

constexpr const char* kPanelForm = R"(object frmSelLoad: TfrmSelLoad
  Left = 0
  Top = 0
  Width = 500
  Height = 300
  object spView: TSelectPanel
    Left = 8
    Top = 8
    Width = 353
    Height = 64
    Caption = '选择检视编号'
    OtherHeight = 45
    OtherWidth = 353
    Style = sp_UserChoice
    UserChoice = False
    CheckDuplicate = cd_CheckCase
    BeginWords.Strings = (
      'From'
      'Begin')
  end
end
)";

class TfrmSelLoad : public TForm {
    KVC_CLASS(TfrmSelLoad, TForm)
public:
    TSelectPanel* spView = nullptr;
};

KVC_REGISTER_CLASS(TfrmSelLoad) {
    KVC_FIELD(spView);
}

TEST(SelectPanelDefinition, APanelLoadsWithoutTheSizeSwap) {
    RegisterControlClasses();
    RegisterFormDefinition("TfrmSelLoad", "frmSelLoad.dfm", kPanelForm);
    TfrmSelLoad* form = Create<TfrmSelLoad>(&Application());
    ASSERT_NE(form->spView, nullptr);
    TSelectPanel& panel = *form->spView;
    EXPECT_EQ(panel.GetStyle(), sp_UserChoice);
    EXPECT_EQ(panel.GetWidth(), 353);
    EXPECT_EQ(panel.GetHeight(), 64) << "the stored size stays while the form is read";
    EXPECT_EQ(panel.GetOtherHeight(), 45);
    EXPECT_FALSE(panel.GetUserChoice());
    EXPECT_TRUE(panel.ListPage().GetVisible());
    EXPECT_EQ(panel.GetCheckDuplicate(), cd_CheckCase);
    EXPECT_EQ(panel.BeginLabel().GetCaption(), "Begin");
    form->Free();
    UnregisterFormDefinition("TfrmSelLoad");
}

struct MouseCase {
    const char* part;
    TSelectStyle style;
    bool ownSender; // the edits and the list are their own senders
};

class PartMice : public SelectPanelTest, public ::testing::WithParamInterface<MouseCase> {
protected:
    TControl& Part(std::string_view name) {
        TSelectPanel& p = P();
        const std::pair<std::string_view, TControl*> parts[] = {
            {"type box", &p.TypeCheckBox()},      {"range page", &p.RangePage()},
            {"begin label", &p.BeginLabel()},     {"begin edit", &p.BeginEdit()},
            {"begin button", &p.BeginButton()},   {"final edit", &p.FinalEdit()},
            {"list page", &p.ListPage()},         {"list", &p.List()},
            {"delete button", &p.DeleteButton()}, {"clear button", &p.ClearButton()}};
        for (auto [key, part] : parts) {
            if (key == name) {
                return *part;
            }
        }
        throw Exception("no part " + std::string(name));
    }
};

// Mouse events of the inner parts reach the panel's handlers; a part that
// does not speak for itself speaks as the panel, in the panel's coordinates.
TEST_P(PartMice, MouseEventsOfAPartReachThePanel) {
    const MouseCase c = GetParam();
    P().SetStyle(c.style);
    P().OnMouseDown = TMouseEvent::Bind<&TfrmSelHost::PanelMouseDown>(form);
    P().OnMouseMove = TMouseMoveEvent::Bind<&TfrmSelHost::PanelMouseMove>(form);
    P().OnMouseUp = TMouseEvent::Bind<&TfrmSelHost::PanelMouseUp>(form);
    TControl& part = Part(c.part);
    int dx = 0;
    int dy = 0;
    for (const TControl* at = &part; at != &P(); at = at->Parent()) {
        dx += at->GetLeft();
        dy += at->GetTop();
    }
    part.MouseDown(mbLeft, {}, 3, 4);
    part.OnMouseMove(&part, {}, 5, 6);
    part.MouseUp(mbLeft, {}, 7, 8);
    ASSERT_EQ(form->mice.size(), 3u);
    TObject* sender = c.ownSender ? static_cast<TObject*>(&part) : &P();
    int ox = c.ownSender ? 0 : dx;
    int oy = c.ownSender ? 0 : dy;
    const std::vector<std::tuple<std::string, int, int>> expected{
        {"down", 3 + ox, 4 + oy}, {"move", 5 + ox, 6 + oy}, {"up", 7 + ox, 8 + oy}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(form->mice[i].sender, sender) << i;
        EXPECT_EQ(std::tuple(form->mice[i].what, form->mice[i].x, form->mice[i].y), expected[i]);
    }
    if (!c.ownSender) {
        EXPECT_TRUE(dx > 0 || dy > 0) << "the case moves the point";
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, PartMice,
                         ::testing::Values(MouseCase{"type box", sp_UserChoice, false},
                                           MouseCase{"range page", sp_Range, false},
                                           MouseCase{"begin label", sp_Range, false},
                                           MouseCase{"begin edit", sp_Range, true},
                                           MouseCase{"begin button", sp_Range, false},
                                           MouseCase{"final edit", sp_Range, true},
                                           MouseCase{"list page", sp_Discrete, false},
                                           MouseCase{"list", sp_Discrete, true},
                                           MouseCase{"delete button", sp_Discrete, false},
                                           MouseCase{"clear button", sp_Discrete, false}));

TEST_F(SelectPanelTest, APressOnAListThatCannotTakeTheFocusIsNotPassedOn) {
    P().OnMouseDown = TMouseEvent::Bind<&TfrmSelHost::PanelMouseDown>(form);
    ASSERT_FALSE(P().ListPage().GetVisible()) << "a range panel hides its list";
    P().List().MouseDown(mbLeft, {}, 1, 1);
    EXPECT_TRUE(form->mice.empty());
    P().List().MouseDown(mbRight, {}, 1, 1);
    EXPECT_EQ(form->mice.size(), 1u) << "only the left button moves the focus";
}

// Lookup buttons beside an edit.

class F2ButtonTest : public SelectPanelTest {};

TEST_F(F2ButtonTest, AButtonAlignsAtTheRightOfItsControl) {
    auto* edit = Create<TEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(100, 40, 76, 21);
    auto* button = Create<TF2Button>(form);
    button->SetParent(form);
    button->SetF2Control(edit);
    EXPECT_EQ(button->BoundsRect(), (TRect{178, 40, 178 + 21, 40 + 21}));
    EXPECT_EQ(button->GetGlyphIndex(), 8);
    EXPECT_EQ(button->GetCaption(), "") << "the library's picture replaces the number";
    EXPECT_FALSE(button->GetGlyph()->Empty());

    auto* manual = Create<TF2Button>(form);
    manual->SetParent(form);
    manual->SetBounds(1, 2, 30, 30);
    manual->SetAutoAlign(false);
    auto* edit2 = Create<TEdit>(form);
    edit2->SetParent(form);
    manual->SetF2Control(edit2);
    EXPECT_EQ(manual->BoundsRect(), (TRect{1, 2, 31, 32}));
}

TEST_F(F2ButtonTest, ASecondButtonForOneEditIsRefused) {
    auto* edit = Create<TEdit>(form);
    edit->SetParent(form);
    auto* first = Create<TF2Button>(form);
    first->SetParent(form);
    first->SetF2Control(edit);
    auto* second = Create<TF2Button>(form);
    second->SetParent(form);
    second->SetF2Control(edit);
    EXPECT_EQ(second->GetF2Control(), nullptr);
    const auto& dialogs = Application().DialogResponder().Log();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].text, "不能同时有两个 F2Button 指到同一个 Edit.");
}

TEST_F(F2ButtonTest, AClickFocusesTheControlAndAsksForTheLookup) {
    auto* edit = Create<TEdit>(form);
    edit->SetParent(form);
    auto* button = Create<TF2Button>(form);
    button->SetParent(form);
    button->SetF2Control(edit);
    robot.Click(*button);
    ASSERT_EQ(form->lookups.size(), 1u);
    EXPECT_EQ(form->lookups[0], reinterpret_cast<LPARAM>(edit));
    edit->SetEnabled(false);
    robot.Click(*button);
    EXPECT_EQ(form->lookups.size(), 1u) << "a disabled control asks for nothing";
}

} // namespace
} // namespace kvc::controls
