// TSelectPanel: the condition control for a value given as a range (begin
// and final edit, each with a lookup button), as a list of rows (a
// multi-column list with lookup, delete and clear buttons), or, in the
// user-choice style, as either at the user's choice (a check box switches).
//
// The inner parts belong to the panel and follow its font. Leaving the panel
// puts a range in order by ValueType; the whole content can be written as
// one text (ValueText) and read back from it.
#pragma once

#include "controls/bit_check_box.h"
#include "controls/glyph_buttons.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/mask_edit.h"
#include "toolkit/panel.h"

#include <memory>
#include <string>
#include <vector>

namespace kvc::controls {

class TSelectPanel;

KVC_ENUM(TSelectStyle, sp_Range, sp_Discrete, sp_UserChoice);
KVC_ENUM(TValueType, vt_String, vt_Number, vt_Date, vt_Time, vt_Float, vt_OtherMask);
KVC_ENUM(TDateType, dt_NoneCare, dt_YYYYMMDD, dt_MMDDYYYY, dt_DDMMYYYY, dt_YYMMDD, dt_YYYMMDD);
KVC_ENUM(TCheckDuplicate, cd_None, cd_CheckCase, cd_CaseInsensitive);

} // namespace kvc::controls

namespace kvc {
KVC_EVENT_TYPE(TOpenWinClickEvent, controls::TSelectPanel*, TWinControl*);
KVC_EVENT_TYPE(TStyleChangingEvent, TObject*, controls::TSelectStyle, controls::TSelectStyle&,
               bool&);
KVC_EVENT_TYPE(TStyleChangeEvent, TObject*, controls::TSelectStyle, controls::TSelectStyle);
KVC_EVENT_TYPE(TListViewSelectItemEvent, TObject*, TListItem*, int, bool);
} // namespace kvc

namespace kvc::controls {

using TDeleteClickEvent = TCloseQueryEvent;
using TListViewDataChangeEvent = TLVChangeEvent;
using TListViewDataChangingEvent = TLVChangingEvent;

// The panel's type check box.
class TSelCheckBox : public TBitCheckBox {
    KVC_CLASS(TSelCheckBox, TBitCheckBox)
public:
    // The user's click toggles the box and then the panel's user choice.
    void Click() override;
};

class TSelMaskEdit : public TMaskEdit {
    KVC_CLASS(TSelMaskEdit, TMaskEdit)
public:
    // While set, text changes raise no OnChange.
    bool GetNoChange() const { return noChange_; }
    void SetNoChange(bool value) { noChange_ = value; }

protected:
    void Change() override;

private:
    bool noChange_ = false;
};

class TSelListView : public TListView {
    KVC_CLASS(TSelListView, TListView)
public:
    bool GetColumnsAutoSize() const { return columnsAutoSize_; }
    void SetColumnsAutoSize(bool value) { columnsAutoSize_ = value; }
    TCheckDuplicate GetCheckDuplicate() const { return checkDuplicate_; }
    void SetCheckDuplicate(TCheckDuplicate value);

    // Appends one row (caption, then sub-items), adding "DataN" columns as
    // needed, pads every row to the same sub-item count, removes duplicate
    // neighbours and sizes the columns. False for an empty row or a failure;
    // never raises. Appending n rows costs time linear in n: what the
    // padding and the widths need of the earlier rows is kept between calls
    // and rebuilt whenever the rows were changed other than through AddRow.
    bool AddRow(const std::vector<std::string>& values);
    // Removes every row whose caption equals its upper neighbour's.
    void RemoveDuplicates();
    // Widths from the character counts of the captions and texts.
    void SizeColumns();

    // The width of "W" in the list's font.
    int WideLetterWidth();
    // The rows were reordered or changed other than through AddRow.
    void RowsRearranged() { stats_.rows = -1; }

private:
    struct RowStats {
        int rows = -1;             // the row count they describe; -1: none
        int maxSubItems = 0;       // the largest sub-item count of any row
        bool dupFree = false;      // no neighbours are duplicates
        std::vector<int> maxChars; // per column: longest text in characters
    };
    bool SameCaption(const TListItem& a, const TListItem& b) const;
    void RebuildStats();
    void NoteRow(const TListItem& item);
    void PadRows(int from);
    // Duplicate removal around the row at index, in the order the whole
    // pass from the last row back would take it.
    void RemoveDuplicatesAround(int index);
    void ApplyWidths();

    bool columnsAutoSize_ = true;
    TCheckDuplicate checkDuplicate_ = cd_None;
    RowStats stats_;
    std::string wFontKey_;
    int wWidth_ = 0;
};

class TSelectPanel : public TGroupBox {
    KVC_CLASS(TSelectPanel, TGroupBox)
public:
    TSelectPanel();

    // Published properties.
    bool GetAutoChangeDateSite() const { return autoChangeDateSite_; }
    void SetAutoChangeDateSite(bool value) { autoChangeDateSite_ = value; }
    TStringList* GetBeginWords() const { return beginWords_.get(); }
    void SetBeginWords(const TStringList& words);
    bool GetColumnsAutoSize() const { return list_->GetColumnsAutoSize(); }
    void SetColumnsAutoSize(bool value) { list_->SetColumnsAutoSize(value); }
    bool GetCanOpenWin() const { return canOpenWin_; }
    void SetCanOpenWin(bool value);
    TCheckDuplicate GetCheckDuplicate() const { return list_->GetCheckDuplicate(); }
    void SetCheckDuplicate(TCheckDuplicate value);
    TStringList* GetChildHints() const { return childHints_.get(); }
    void SetChildHints(const TStringList& hints);
    TStringList* GetColumnCaptions() const;
    void SetColumnCaptions(const TStringList& captions);
    TListColumns* GetColumns() const { return list_->GetColumns(); }
    void SetColumns(TListColumns* columns) { list_->SetColumns(columns); }
    TDateType GetDateType() const { return dateType_; }
    void SetDateType(TDateType value) { dateType_ = value; }
    const std::string& GetDateSign() const { return dateSign_; }
    void SetDateSign(const std::string& value) { dateSign_ = value; }
    const std::string& GetDiscard() const { return discard_; }
    void SetDiscard(const std::string& value) { discard_ = value; }
    const std::string& GetEditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask);
    TStringList* GetFinalWords() const { return finalWords_.get(); }
    void SetFinalWords(const TStringList& words);
    int GetGlyphIndex() const { return glyphIndex_; }
    void SetGlyphIndex(int index);
    const std::string& GetHintWord() const { return hintWord_; }
    void SetHintWord(const std::string& word);
    bool GetHideSelection() const { return list_->GetHideSelection(); }
    void SetHideSelection(bool value) { list_->SetHideSelection(value); }
    int GetOtherHeight() const { return otherHeight_; }
    void SetOtherHeight(int value) { otherHeight_ = value; }
    int GetOtherWidth() const { return otherWidth_; }
    void SetOtherWidth(int value) { otherWidth_ = value; }
    bool GetShowColumnHeader() const { return list_->GetShowColumnHeaders(); }
    void SetShowColumnHeader(bool value) { list_->SetShowColumnHeaders(value); }
    bool GetSortListBox() const { return sortListBox_; }
    void SetSortListBox(bool value);
    TSelectStyle GetStyle() const { return style_; }
    void SetStyle(TSelectStyle style);
    bool GetUseDiscard() const { return useDiscard_; }
    void SetUseDiscard(bool value) { useDiscard_ = value; }
    bool GetUserChoice() const { return userChoice_; }
    void SetUserChoice(bool value);
    bool GetUseVertical() const { return useVertical_; }
    void SetUseVertical(bool value);
    TValueType GetValueType() const { return valueType_; }
    void SetValueType(TValueType value) { valueType_ = value; }

    // The inner parts.
    TSelCheckBox& TypeCheckBox() const { return *typeBox_; }
    TPanel& RangePage() const { return *rangePage_; }
    TLabel& BeginLabel() const { return *beginLabel_; }
    TSelMaskEdit& BeginEdit() const { return *beginEdit_; }
    TF2Button& BeginButton() const { return *beginButton_; }
    TLabel& FinalLabel() const { return *finalLabel_; }
    TSelMaskEdit& FinalEdit() const { return *finalEdit_; }
    TF2Button& FinalButton() const { return *finalButton_; }
    TPanel& ListPage() const { return *listPage_; }
    TF2Button& ListButton() const { return *listButton_; }
    TGSpeedButton& DeleteButton() const { return *deleteButton_; }
    TGSpeedButton& ClearButton() const { return *clearButton_; }
    TSelListView& List() const { return *list_; }
    TListItems& Items() const { return list_->Items(); }

    std::string GetBeginText() const { return beginEdit_->GetText(); }
    void SetBeginText(const std::string& text) { beginEdit_->SetText(text); }
    std::string GetFinalText() const { return finalEdit_->GetText(); }
    void SetFinalText(const std::string& text) { finalEdit_->SetText(text); }

    // sp_Range, or sp_UserChoice with the range chosen.
    bool IsRangeActive() const;
    bool AddRow(const std::vector<std::string>& values) { return list_->AddRow(values); }
    void ClearList() { list_->Items().Clear(); }

    // The content as one text: the style's name, then the range texts or
    // the rows, separated by the characters 3 (fields), 1 (columns) and 4
    // (rows). Reading a text back answers false when its list part fails.
    std::string GetValueText() const;
    bool SetValueText(const std::string& text);
    // Clears the list and fills it from a list text through AddRow.
    bool SetListText(const std::string& text);
    std::string GetListText() const;

    // A header click: sorts by that column, toggling the direction when it
    // already is the sort column.
    void ColumnClick(int column);
    // The date a text stands for under DateType and DateSign; 0 when it
    // cannot be read.
    double ReadDate(const std::string& text) const;

    void SetEnabled(bool enabled) override;
    // Focuses the panel, and the list when the range is not active.
    void SetFocus();
    void DoExit() override;
    void WndProc(TMessage& message) override;

    // Published methods: the inner parts' handlers.
    void LookupClick(TObject* sender);
    void DeleteClick(TObject* sender);
    void ClearClick(TObject* sender);
    void ListCompare(TObject* sender, TListItem* a, TListItem* b, int data, int& result);
    void PartKeyDown(TObject* sender, Word& key, TShiftState shift);
    void PartKeyUp(TObject* sender, Word& key, TShiftState shift);
    void PartKeyPress(TObject* sender, char32_t& ch);
    void PartClick(TObject* sender);
    void PartDblClick(TObject* sender);
    void PartMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void PartMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void PartMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ListSelectItem(TObject* sender, TListItem* item, bool selected);
    void ListChange(TObject* sender, TListItem* item, TItemChange change);
    void ListChanging(TObject* sender, TListItem* item, TItemChange change, bool& allow);

    TOpenWinClickEvent OnOpenWinClick;
    TNotifyEvent OnClearClick;
    TDeleteClickEvent OnDeleteClick;
    TNotifyEvent OnTypeClick;
    TStyleChangingEvent OnStyleChanging;
    TStyleChangeEvent OnStyleChange;
    TListViewSelectItemEvent OnItemSelect;
    TListViewDataChangeEvent OnItemChange;
    TListViewDataChangingEvent OnItemChanging;

    // The type check box's user click.
    void TypeClicked();

protected:
    void FontChanged() override;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    int TextHeightOf(const std::string& text) const;
    int TextWidthOf(const std::string& text) const;
    static const std::string& WordAt(const TStringList& words, int index);

    void CreateParts();
    void ApplyHints();
    // Layout steps 1 to 4, and its parts.
    void Layout();
    void SizeTypeBox();
    void LayoutStyle(TSelectStyle style);
    void LayoutHorizontal();
    void LayoutVertical();
    void LayoutList();
    void SizeLabel(TLabel& label, const std::string& caption);
    // The user-choice rectangles, with the chosen page in front.
    void PlaceUserChoicePages();
    void ApplyVisibility(TSelectStyle style);
    void SwapSize();
    bool ParentBeingRead() const;
    void ApplyWords(TStringList& target, TLabel& label, const TStringList& source);

    bool ShouldSwap(const std::string& begin, const std::string& end) const;
    bool DiscardHolds(const std::string& begin, const std::string& end) const;
    int CompareItems(const TListItem& a, const TListItem& b) const;

    TSelCheckBox* typeBox_ = nullptr;
    TPanel* rangePage_ = nullptr;
    TLabel* beginLabel_ = nullptr;
    TSelMaskEdit* beginEdit_ = nullptr;
    TF2Button* beginButton_ = nullptr;
    TLabel* finalLabel_ = nullptr;
    TSelMaskEdit* finalEdit_ = nullptr;
    TF2Button* finalButton_ = nullptr;
    TPanel* listPage_ = nullptr;
    TF2Button* listButton_ = nullptr;
    TGSpeedButton* deleteButton_ = nullptr;
    TGSpeedButton* clearButton_ = nullptr;
    TSelListView* list_ = nullptr;

    bool autoChangeDateSite_ = true;
    std::unique_ptr<TStringList> beginWords_;
    bool canOpenWin_ = true;
    std::unique_ptr<TStringList> childHints_;
    mutable std::unique_ptr<TStringList> columnCaptions_;
    TDateType dateType_ = dt_NoneCare;
    std::string dateSign_ = "/";
    std::string discard_;
    std::string editMask_;
    std::unique_ptr<TStringList> finalWords_;
    int glyphIndex_ = 8;
    std::string hintWord_ = "区间选择";
    int otherHeight_ = 105;
    int otherWidth_ = 200;
    bool sortListBox_ = false;
    TSelectStyle style_ = sp_Range;
    bool useDiscard_ = false;
    bool userChoice_ = true;
    bool useVertical_ = false;
    TValueType valueType_ = vt_String;

    int sortColumn_ = 0;
    bool sortAscending_ = true;
    std::string blankMaskText_;
    bool lastEnabled_ = true;
    bool laying_ = false;
};

} // namespace kvc::controls
