// TListView: rows (items) with a caption, sub-items, an image and a
// selection, shown as icons, small icons, a list or a report with Columns.
//
// Selection changes, by the user or by code, ask OnChanging (which may
// refuse) and then raise OnChange and OnSelectItem for each item whose state
// changes; without MultiSelect choosing an item deselects the others first.
// Captions set by code raise nothing. An in-place edit of a caption asks
// OnEditing, and its end (Enter, or the focus leaving) raises OnEdited with
// the new text, which the handler may change, and then sets the caption;
// Esc abandons it. With SortType stText or stBoth the items stay ordered by
// caption, or by OnCompare when it is set.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/collection.h"
#include "toolkit/win_control.h"

#include <memory>
#include <vector>

namespace kvc {

class TListView;
class TListItem;

KVC_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport);
KVC_ENUM(TSortType, stNone, stData, stText, stBoth);
KVC_ENUM(TItemChange, ctText, ctImage, ctState);

KVC_EVENT_TYPE(TLVChangeEvent, TObject*, TListItem*, TItemChange);
KVC_EVENT_TYPE(TLVChangingEvent, TObject*, TListItem*, TItemChange, bool&);
KVC_EVENT_TYPE(TLVSelectItemEvent, TObject*, TListItem*, bool);
KVC_EVENT_TYPE(TLVEditingEvent, TObject*, TListItem*, bool&);
KVC_EVENT_TYPE(TLVEditedEvent, TObject*, TListItem*, std::string&);
KVC_EVENT_TYPE(TLVCompareEvent, TObject*, TListItem*, TListItem*, int, int&);

class TListColumn : public TCollectionItem {
    KVC_CLASS(TListColumn, TCollectionItem)
public:
    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    int GetWidth() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    void Assign(const TPersistent& source) override;

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
};

class TListColumns : public TCollection {
    KVC_CLASS(TListColumns, TCollection)
public:
    TListColumns() : TCollection(TListColumn::StaticClassInfo()) {}
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* operator[](int index) const { return Item<TListColumn>(index); }
};

class TListItem : public TPersistent {
    KVC_CLASS(TListItem, TPersistent)
public:
    explicit TListItem(TListView* owner = nullptr) : owner_(owner) {}

    TListView* ListView() const { return owner_; }
    int Index() const;
    const std::string& GetCaption() const { return caption_; }
    // Raises nothing; a list sorted by text re-sorts.
    void SetCaption(const std::string& caption);
    TStringList* SubItems() const { return subItems_.get(); }
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    void* GetData() const { return data_; }
    // A list sorted by data re-sorts.
    void SetData(void* data);
    bool GetSelected() const { return selected_; }
    void SetSelected(bool value);
    bool GetFocused() const;
    void SetFocused(bool value);
    // Starts the in-place edit of the caption; false when refused.
    bool EditCaption();

private:
    friend class TListView;
    TListView* owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_ = std::make_unique<TStringList>();
    int imageIndex_ = -1;
    void* data_ = nullptr;
    bool selected_ = false;
};

class TListItems {
public:
    explicit TListItems(TListView& owner) : owner_(owner) {}
    int Count() const { return int(items_.size()); }
    TListItem* operator[](int index) const;
    TListItem* Item(int index) const { return (*this)[index]; }
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    void BeginUpdate() { ++updating_; }
    void EndUpdate() { --updating_; }

private:
    friend class TListView;
    TListView& owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
    int updating_ = 0;
};

class TListView : public TWinControl {
    KVC_CLASS(TListView, TWinControl)
public:
    TListView();
    ~TListView() override;

    TListItems& Items() { return items_; }
    const TListItems& Items() const { return items_; }
    TListColumns* GetColumns() const { return columns_.get(); }
    void SetColumns(TListColumns* columns);
    TViewStyle GetViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value) { viewStyle_ = value; }
    bool GetMultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    bool GetRowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value) { rowSelect_ = value; }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }
    bool GetColumnClick() const { return columnClick_; }
    void SetColumnClick(bool value) { columnClick_ = value; }
    bool GetGridLines() const { return gridLines_; }
    void SetGridLines(bool value) { gridLines_ = value; }
    bool GetShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value) { showColumnHeaders_ = value; }
    TSortType GetSortType() const { return sortType_; }
    void SetSortType(TSortType value);
    // Image lists are components of their own; the list only refers to them.
    TComponent* GetLargeImages() const { return largeImages_; }
    void SetLargeImages(TComponent* images);
    TComponent* GetSmallImages() const { return smallImages_; }
    void SetSmallImages(TComponent* images);

    // The first selected item, or null; setting it selects only that one.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int SelCount() const;
    TListItem* ItemFocused() const { return focusedItem_; }
    void SetItemFocused(TListItem* item) { focusedItem_ = item; }
    // Sorts by OnCompare when set, else by caption (letter case ignored).
    void AlphaSort();

    // The user's click on an item: Ctrl toggles it with MultiSelect, Shift
    // extends from the focused item, otherwise it becomes the only selection.
    void ClickItem(TListItem* item, TShiftState shift = {});

    // In-place editing of a caption.
    bool IsEditing() const { return editItem_ != nullptr; }
    TListItem* EditingItem() const { return editItem_; }
    const std::string& EditorText() const { return editText_; }
    void SetEditorText(const std::string& text) { editText_ = text; }
    // accept: OnEdited and the new caption; otherwise the edit is abandoned.
    void EndEdit(bool accept);

    bool WantsKey(Word key, TShiftState shift) const override;
    void DoExit() override;

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVSelectItemEvent OnSelectItem;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVCompareEvent OnCompare;

    // In the report style its position is the index of the top row.
    TViewScrollBar* VertScrollBar() override { return &vertScroll_; }
    // The first row shown in the report style; null without items.
    TListItem* GetTopItem() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;

private:
    friend class TListItem;
    friend class TListItems;
    // Asks OnChanging and changes one item's selection; false when refused.
    bool ChangeSelected(TListItem* item, bool selected);
    // Deselects every item but keep; false when a change was refused.
    bool DeselectOthers(TListItem* keep);
    bool BeginEdit(TListItem* item);
    void ItemRemoved(TListItem* item);
    void SortIfNeeded(bool textChanged);
    void MoveFocus(int delta);

    TListItems items_;
    std::unique_ptr<TListColumns> columns_;
    TViewScrollBar vertScroll_;
    TViewStyle viewStyle_ = vsIcon;
    bool multiSelect_ = false;
    bool rowSelect_ = false;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool columnClick_ = true;
    bool gridLines_ = false;
    bool showColumnHeaders_ = true;
    TSortType sortType_ = stNone;
    TComponent* largeImages_ = nullptr;
    TComponent* smallImages_ = nullptr;
    TListItem* focusedItem_ = nullptr;
    TListItem* editItem_ = nullptr;
    std::string editText_;
    // The editor's text is selected until the first character replaces it.
    bool editSelected_ = false;
};

} // namespace kvc
