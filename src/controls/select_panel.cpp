#include "controls/select_panel.h"

#include "runtime/datetime.h"
#include "runtime/strings.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/graphics/canvas.h"

#include <algorithm>
#include <array>
#include <exception>

namespace kvc::controls {

KVC_REGISTER_CLASS(TSelectPanel) {
    c.Property("AutoChangeDateSite", &TSelectPanel::GetAutoChangeDateSite,
               &TSelectPanel::SetAutoChangeDateSite);
    c.Property("BeginWords", &TSelectPanel::GetBeginWords, &TSelectPanel::SetBeginWords);
    c.Property("ColumnsAutoSize", &TSelectPanel::GetColumnsAutoSize,
               &TSelectPanel::SetColumnsAutoSize);
    c.Property("CanOpenWin", &TSelectPanel::GetCanOpenWin, &TSelectPanel::SetCanOpenWin);
    c.Property("CheckDuplicate", &TSelectPanel::GetCheckDuplicate,
               &TSelectPanel::SetCheckDuplicate);
    c.Property("ChildHints", &TSelectPanel::GetChildHints, &TSelectPanel::SetChildHints);
    c.Property("ColumnCaptions", &TSelectPanel::GetColumnCaptions,
               &TSelectPanel::SetColumnCaptions);
    c.Property("Columns", &TSelectPanel::GetColumns, &TSelectPanel::SetColumns);
    c.Property("DateType", &TSelectPanel::GetDateType, &TSelectPanel::SetDateType);
    c.Property("DateSign", &TSelectPanel::GetDateSign, &TSelectPanel::SetDateSign);
    c.Property("Discard", &TSelectPanel::GetDiscard, &TSelectPanel::SetDiscard);
    c.Property("EditMask", &TSelectPanel::GetEditMask, &TSelectPanel::SetEditMask);
    c.Property("FinalWords", &TSelectPanel::GetFinalWords, &TSelectPanel::SetFinalWords);
    c.Property("GlyphIndex", &TSelectPanel::GetGlyphIndex, &TSelectPanel::SetGlyphIndex);
    c.Property("HintWord", &TSelectPanel::GetHintWord, &TSelectPanel::SetHintWord);
    c.Property("HideSelection", &TSelectPanel::GetHideSelection, &TSelectPanel::SetHideSelection);
    c.Property("OtherHeight", &TSelectPanel::GetOtherHeight, &TSelectPanel::SetOtherHeight);
    c.Property("OtherWidth", &TSelectPanel::GetOtherWidth, &TSelectPanel::SetOtherWidth);
    c.Property("ShowColumnHeader", &TSelectPanel::GetShowColumnHeader,
               &TSelectPanel::SetShowColumnHeader);
    c.Property("SortListBox", &TSelectPanel::GetSortListBox, &TSelectPanel::SetSortListBox);
    c.Property("Style", &TSelectPanel::GetStyle, &TSelectPanel::SetStyle);
    c.Property("UseDiscard", &TSelectPanel::GetUseDiscard, &TSelectPanel::SetUseDiscard);
    c.Property("UserChoice", &TSelectPanel::GetUserChoice, &TSelectPanel::SetUserChoice);
    c.Property("UseVertical", &TSelectPanel::GetUseVertical, &TSelectPanel::SetUseVertical);
    c.Property("ValueType", &TSelectPanel::GetValueType, &TSelectPanel::SetValueType);
    c.Event("OnOpenWinClick", &TSelectPanel::OnOpenWinClick);
    c.Event("OnClearClick", &TSelectPanel::OnClearClick);
    c.Event("OnDeleteClick", &TSelectPanel::OnDeleteClick);
    c.Event("OnTypeClick", &TSelectPanel::OnTypeClick);
    c.Event("OnStyleChanging", &TSelectPanel::OnStyleChanging);
    c.Event("OnStyleChange", &TSelectPanel::OnStyleChange);
    c.Event("OnItemSelect", &TSelectPanel::OnItemSelect);
    c.Event("OnItemChange", &TSelectPanel::OnItemChange);
    c.Event("OnItemChanging", &TSelectPanel::OnItemChanging);
    c.Event("OnKeyDown", &TSelectPanel::OnKeyDown);
    c.Event("OnKeyUp", &TSelectPanel::OnKeyUp);
    c.Event("OnKeyPress", &TSelectPanel::OnKeyPress);
    c.Event("OnMouseMove", &TSelectPanel::OnMouseMove);
    KVC_METHOD(LookupClick);
    KVC_METHOD(DeleteClick);
    KVC_METHOD(ClearClick);
    KVC_METHOD(ListCompare);
    KVC_METHOD(PartKeyDown);
    KVC_METHOD(PartKeyUp);
    KVC_METHOD(PartKeyPress);
    KVC_METHOD(PartClick);
    KVC_METHOD(PartDblClick);
    KVC_METHOD(PartMouseDown);
    KVC_METHOD(PartMouseMove);
    KVC_METHOD(PartMouseUp);
    KVC_METHOD(ListSelectItem);
    KVC_METHOD(ListChange);
    KVC_METHOD(ListChanging);
}

namespace {

constexpr char kColumnSep = '\x01';
constexpr char kFieldSep = '\x03';
constexpr char kRowSep = '\x04';

std::vector<std::string> Split(std::string_view text, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = text.find(sep, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
}

TStringList Words(const char* word) {
    TStringList list;
    list.Add(word);
    list.Add(word);
    return list;
}

std::string_view StyleName(TSelectStyle style) {
    switch (style) {
    case sp_Range:
        return "sp_Range";
    case sp_Discrete:
        return "sp_Discrete";
    case sp_UserChoice:
        return "sp_UserChoice";
    }
    return "";
}

int CountOf(std::string_view text, std::string_view sep) {
    if (sep.empty()) {
        return 0;
    }
    int n = 0;
    for (std::size_t at = text.find(sep); at != std::string_view::npos;
         at = text.find(sep, at + sep.size())) {
        ++n;
    }
    return n;
}

// The integer before the point, and the digits after it as written (leading
// zeros kept, so 1.05 stays 1.05); an unreadable part is 0.
std::string NormalFloatText(const std::string& text) {
    std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    std::int64_t intPart = 0;
    if (!TryStrToInt64(Trim(whole), intPart)) {
        intPart = 0;
    }
    fraction = Trim(fraction);
    bool digits = !fraction.empty() && std::all_of(fraction.begin(), fraction.end(),
                                                   [](char ch) { return ch >= '0' && ch <= '9'; });
    return IntToStr(intPart) + "." + (digits ? fraction : "0");
}

template <class F> void ForEachInner(TWinControl& control, F&& f) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        f(*child);
        if (child->IsWindowed()) {
            ForEachInner(static_cast<TWinControl&>(*child), f);
        }
    }
}

} // namespace

TSelectPanel::TSelectPanel()
    : beginWords_(std::make_unique<TStringList>(Words("起"))),
      childHints_(std::make_unique<TStringList>()),
      columnCaptions_(std::make_unique<TStringList>()),
      finalWords_(std::make_unique<TStringList>(Words("止"))) {
    for (const char* hint : {"用户自定输入方式", "区间选择-起始信息", "区间选择-起始信息开窗",
                             "区间选择-截止信息", "区间选择-截止信息开窗", "多选-己选择的信息",
                             "多选-信息开窗", "多选-删除一笔信息", "多选-删除己选信息"}) {
        childHints_->Add(hint);
    }
    CreateParts();
    ApplyHints();
    SetBounds(GetLeft(), GetTop(), 353, 45);
    ApplyVisibility(style_);
    Layout();
}

void TSelectPanel::CreateParts() {
    typeBox_ = Create<TSelCheckBox>(this);
    typeBox_->SetParent(this);
    typeBox_->SetBounds(16, 17, typeBox_->GetWidth(), typeBox_->GetHeight());
    typeBox_->SetCaption(hintWord_);
    typeBox_->SetChecked(Designing());

    auto page = [this] {
        TPanel* p = Create<TPanel>(this);
        p->SetParent(this);
        p->SetBevelInner(bvNone);
        p->SetBevelOuter(bvNone);
        p->SetCaption(" ");
        return p;
    };
    auto lookupButton = [this](TWinControl* parent, bool autoAlign) {
        TF2Button* b = Create<TF2Button>(this);
        b->SetParent(parent);
        b->SetFlat(true);
        b->SetGlyphIndex(glyphIndex_);
        b->SetNumGlyphs(1);
        b->SetBounds(b->GetLeft(), b->GetTop(), 23, 23);
        b->SetAutoAlign(autoAlign);
        b->OnClick = TNotifyEvent::Bind<&TSelectPanel::LookupClick>(this);
        return b;
    };
    auto edit = [this](int height) {
        TSelMaskEdit* e = Create<TSelMaskEdit>(this);
        e->SetParent(rangePage_);
        e->SetBounds(e->GetLeft(), e->GetTop(), e->GetWidth(), height);
        return e;
    };
    auto label = [this](const std::string& caption) {
        TLabel* l = Create<TLabel>(this);
        l->SetParent(rangePage_);
        l->SetAutoSize(true);
        SizeLabel(*l, caption);
        return l;
    };

    rangePage_ = page();
    beginLabel_ = label(WordAt(*beginWords_, 1));
    beginEdit_ = edit(24);
    beginButton_ = lookupButton(rangePage_, true);
    finalLabel_ = label(WordAt(*finalWords_, 1));
    finalEdit_ = edit(beginEdit_->GetHeight());
    finalButton_ = lookupButton(rangePage_, true);
    listPage_ = page();
    listButton_ = lookupButton(listPage_, false);

    auto glyphButton = [this](int glyph, TNumGlyphs glyphs) {
        TGSpeedButton* b = Create<TGSpeedButton>(this);
        b->SetParent(listPage_);
        b->SetFlat(true);
        b->SetGlyphIndex(glyph);
        b->SetNumGlyphs(glyphs);
        b->SetBounds(b->GetLeft(), b->GetTop(), 23, 23);
        return b;
    };
    deleteButton_ = glyphButton(47, 1);
    deleteButton_->OnClick = TNotifyEvent::Bind<&TSelectPanel::DeleteClick>(this);
    clearButton_ = glyphButton(4, 2);
    clearButton_->OnClick = TNotifyEvent::Bind<&TSelectPanel::ClearClick>(this);

    list_ = Create<TSelListView>(this);
    list_->SetParent(listPage_);
    list_->SetViewStyle(vsReport);
    list_->SetMultiSelect(true);
    list_->SetRowSelect(true);
    list_->SetReadOnly(true);
    list_->SetShowColumnHeaders(false);
    list_->SetSortType(stNone);
    list_->SetHideSelection(false);
    list_->SetCursor(crHandPoint);
    list_->SetHeight(listPage_->GetHeight());
    list_->OnCompare = TLVCompareEvent::Bind<&TSelectPanel::ListCompare>(this);
    list_->OnSelectItem = TLVSelectItemEvent::Bind<&TSelectPanel::ListSelectItem>(this);
    list_->OnChange = TLVChangeEvent::Bind<&TSelectPanel::ListChange>(this);
    list_->OnChanging = TLVChangingEvent::Bind<&TSelectPanel::ListChanging>(this);

    for (TWinControl* part :
         std::initializer_list<TWinControl*>{typeBox_, beginEdit_, finalEdit_, list_}) {
        part->OnKeyDown = TKeyEvent::Bind<&TSelectPanel::PartKeyDown>(this);
        part->OnKeyUp = TKeyEvent::Bind<&TSelectPanel::PartKeyUp>(this);
        part->OnKeyPress = TKeyPressEvent::Bind<&TSelectPanel::PartKeyPress>(this);
    }
    for (TControl* part : std::initializer_list<TControl*>{
             rangePage_, listPage_, beginLabel_, finalLabel_, beginEdit_, finalEdit_, list_}) {
        part->OnClick = TNotifyEvent::Bind<&TSelectPanel::PartClick>(this);
        part->OnDblClick = TNotifyEvent::Bind<&TSelectPanel::PartDblClick>(this);
    }
    typeBox_->OnDblClick = TNotifyEvent::Bind<&TSelectPanel::PartDblClick>(this);
    for (TControl* part : std::initializer_list<TControl*>{
             typeBox_, rangePage_, beginLabel_, beginEdit_, beginButton_, finalLabel_, finalEdit_,
             finalButton_, listPage_, listButton_, deleteButton_, clearButton_, list_}) {
        part->OnMouseDown = TMouseEvent::Bind<&TSelectPanel::PartMouseDown>(this);
        part->OnMouseMove = TMouseMoveEvent::Bind<&TSelectPanel::PartMouseMove>(this);
        part->OnMouseUp = TMouseEvent::Bind<&TSelectPanel::PartMouseUp>(this);
    }
}

// Text measurement in the panel's font.

int TSelectPanel::TextHeightOf(const std::string& text) const {
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(*GetFont());
    return canvas.TextHeight(text);
}

int TSelectPanel::TextWidthOf(const std::string& text) const {
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(*GetFont());
    return canvas.TextWidth(text);
}

const std::string& TSelectPanel::WordAt(const TStringList& words, int index) {
    // A list with one entry serves both layouts; an empty one gives no caption.
    static const std::string empty;
    if (index < words.Count()) {
        return words[index];
    }
    return words.Count() > 0 ? words[0] : empty;
}

void TSelectPanel::SizeLabel(TLabel& label, const std::string& caption) {
    label.SetCaption(caption);
    label.SetBounds(label.GetLeft(), label.GetTop(), TextWidthOf(caption), TextHeightOf(caption));
}

void TSelectPanel::ApplyHints() {
    const std::array<TControl*, 9> parts{typeBox_,    beginEdit_,    beginButton_,
                                         finalEdit_,  finalButton_,  list_,
                                         listButton_, deleteButton_, clearButton_};
    for (int i = 0; i < int(parts.size()) && i < childHints_->Count(); ++i) {
        parts[std::size_t(i)]->SetHint((*childHints_)[i]);
    }
}

// Layout.

void TSelectPanel::Layout() {
    if (list_ == nullptr || laying_) {
        return;
    }
    laying_ = true;
    try {
        SizeTypeBox();
        LayoutStyle(style_);
    } catch (...) {
        laying_ = false;
        throw;
    }
    laying_ = false;
}

void TSelectPanel::SizeTypeBox() {
    const std::string& caption = typeBox_->GetCaption();
    typeBox_->SetBounds(typeBox_->GetLeft(), typeBox_->GetTop(), TextWidthOf(caption) + 24,
                        TextHeightOf(caption) + 2);
}

void TSelectPanel::LayoutStyle(TSelectStyle style) {
    int top = TextHeightOf(GetCaption()) + 3;
    int left = 2;
    int width = GetWidth() - left - 1 - 2;
    int height = GetHeight() - top - 1 - 2;
    switch (style) {
    case sp_Range:
        typeBox_->SetVisible(false);
        rangePage_->SetBounds(left, top, width, height);
        listPage_->SetBounds(left, top, width, height);
        if (useVertical_) {
            LayoutVertical();
        } else {
            LayoutHorizontal();
        }
        break;
    case sp_Discrete:
        typeBox_->SetVisible(false);
        listPage_->SetBounds(left, top, width, height);
        rangePage_->SetBounds(left, top, width, height);
        LayoutList();
        break;
    case sp_UserChoice:
        PlaceUserChoicePages();
        LayoutVertical();
        LayoutList();
        break;
    }
}

void TSelectPanel::PlaceUserChoicePages() {
    typeBox_->SetVisible(true);
    typeBox_->SetBounds(16, TextHeightOf(GetCaption()) + 1, typeBox_->GetWidth(),
                        typeBox_->GetHeight());
    int top = typeBox_->GetTop() + TextHeightOf(typeBox_->GetCaption()) + 2;
    int left = 2;
    int width = GetWidth() - left - 2;
    int height = GetHeight() - top - 2;
    TPanel* front = userChoice_ ? rangePage_ : listPage_;
    TPanel* back = userChoice_ ? listPage_ : rangePage_;
    front->SetBounds(left, top, width, height);
    back->SetBounds(left, top, width, height);
}

void TSelectPanel::LayoutHorizontal() {
    int w = rangePage_->GetWidth();
    int h = rangePage_->GetHeight();
    int top = (h - beginEdit_->GetHeight()) / 2;
    int finalLabelWidth = finalLabel_->GetWidth();

    SizeLabel(*beginLabel_, WordAt(*beginWords_, 0));
    beginLabel_->SetBounds(2, top, beginLabel_->GetWidth(), beginLabel_->GetHeight());
    int labelRight = beginLabel_->GetLeft() + beginLabel_->GetWidth();
    int editWidth = 0;
    if (canOpenWin_) {
        editWidth = ((w - labelRight - 2 - beginButton_->GetWidth() - 2 - finalLabelWidth - 2 -
                      finalButton_->GetWidth() - 2) /
                     2) -
                    1;
    } else {
        editWidth = ((w - labelRight - 2 - finalLabelWidth - 2) / 2) - 1;
    }
    beginEdit_->SetBounds(labelRight + 1, top, editWidth, beginEdit_->GetHeight());
    int beginEditRight = beginEdit_->GetLeft() + editWidth;
    int finalLabelLeft = beginEditRight + 4;
    if (canOpenWin_) {
        beginButton_->SetBounds(beginEditRight + 2, top, beginButton_->GetWidth(),
                                beginButton_->GetHeight());
        finalLabelLeft = beginButton_->GetLeft() + beginButton_->GetWidth() + 2;
    }
    SizeLabel(*finalLabel_, WordAt(*finalWords_, 0));
    finalLabel_->SetBounds(finalLabelLeft, top, finalLabel_->GetWidth(), finalLabel_->GetHeight());
    int finalEditLeft = finalLabel_->GetLeft() + finalLabel_->GetWidth() + 2;
    finalEdit_->SetBounds(finalEditLeft, top, editWidth, finalEdit_->GetHeight());
    if (canOpenWin_) {
        finalButton_->SetBounds(finalEditLeft + editWidth + 2, top, finalButton_->GetWidth(),
                                finalButton_->GetHeight());
    }
}

void TSelectPanel::LayoutVertical() {
    int w = rangePage_->GetWidth();
    int h = rangePage_->GetHeight();
    int g = (h - beginEdit_->GetHeight() - finalEdit_->GetHeight()) / 3;

    SizeLabel(*beginLabel_, WordAt(*beginWords_, 1));
    beginLabel_->SetBounds(2, g, beginLabel_->GetWidth(), beginLabel_->GetHeight());
    int labelRight = beginLabel_->GetLeft() + beginLabel_->GetWidth();
    int editWidth =
        canOpenWin_ ? w - labelRight - beginButton_->GetWidth() - 4 : w - labelRight - 2;
    beginEdit_->SetBounds(labelRight + 2, g, editWidth, beginEdit_->GetHeight());
    if (canOpenWin_) {
        beginButton_->SetBounds(beginEdit_->GetLeft() + editWidth + 1, g, beginButton_->GetWidth(),
                                beginButton_->GetHeight());
    }
    SizeLabel(*finalLabel_, WordAt(*finalWords_, 1));
    int finalTop = g + beginLabel_->GetTop() + beginEdit_->GetHeight();
    finalLabel_->SetBounds(beginLabel_->GetLeft(), finalTop, finalLabel_->GetWidth(),
                           finalLabel_->GetHeight());
    finalEdit_->SetBounds(beginEdit_->GetLeft(), finalTop, editWidth, finalEdit_->GetHeight());
    if (canOpenWin_) {
        finalButton_->SetBounds(beginButton_->GetLeft(), finalTop, finalButton_->GetWidth(),
                                finalButton_->GetHeight());
    }
}

void TSelectPanel::LayoutList() {
    int w = listPage_->GetWidth();
    int h = listPage_->GetHeight();
    int listWidth = w - list_->GetLeft() - listButton_->GetWidth() - 3;
    list_->SetBounds(list_->GetLeft(), 0, listWidth, h);
    listButton_->SetBounds(listWidth + 2, list_->GetTop(), listButton_->GetWidth(),
                           listButton_->GetHeight());
    int below = listButton_->GetTop() + listButton_->GetHeight();
    deleteButton_->SetBounds(listButton_->GetLeft(), below, deleteButton_->GetWidth(),
                             deleteButton_->GetHeight());
    below = deleteButton_->GetTop() + deleteButton_->GetHeight();
    clearButton_->SetBounds(listButton_->GetLeft(), below, clearButton_->GetWidth(),
                            clearButton_->GetHeight());
}

void TSelectPanel::ApplyVisibility(TSelectStyle style) {
    if (Designing()) {
        return;
    }
    typeBox_->SetVisible(style == sp_UserChoice);
    bool range = style == sp_Range || (typeBox_->GetVisible() && typeBox_->GetChecked());
    rangePage_->SetVisible(range);
    listPage_->SetVisible(!range);
}

void TSelectPanel::WndProc(TMessage& message) {
    TGroupBox::WndProc(message);
    if (message.Msg == WM_SIZE) {
        Layout();
    }
}

void TSelectPanel::FontChanged() {
    TGroupBox::FontChanged();
    Layout();
}

// Style and the size swap.

bool TSelectPanel::ParentBeingRead() const {
    const TWinControl* parent = Parent();
    if (parent == nullptr) {
        return false;
    }
    TComponentState state = parent->ComponentState();
    return state == TComponentState{csLoading, csReading} ||
           state == TComponentState{csLoading, csReading, csDesigning, csAncestor};
}

void TSelectPanel::SwapSize() {
    if (ParentBeingRead()) {
        return;
    }
    int width = GetWidth();
    int height = GetHeight();
    SetBounds(GetLeft(), GetTop(), otherWidth_, otherHeight_);
    otherWidth_ = width;
    otherHeight_ = height;
}

void TSelectPanel::SetStyle(TSelectStyle style) {
    TSelectStyle newStyle = style;
    bool accept = true;
    if (!Designing()) {
        OnStyleChanging(this, style_, newStyle, accept);
    }
    if (!accept) {
        return;
    }
    if (!Designing()) {
        ApplyVisibility(newStyle);
        if (IsLoading()) {
            Perform(WM_SIZE, 0, MakeLParam(GetWidth(), GetHeight()));
        }
    }
    if (style_ != newStyle && (style_ == sp_Range || newStyle == sp_Range) && !useVertical_ &&
        !IsLoading()) {
        SwapSize();
    }
    LayoutStyle(newStyle);
    if (!Designing()) {
        OnStyleChange(this, style_, newStyle);
    }
    style_ = newStyle;
}

void TSelectPanel::SetUseVertical(bool value) {
    if (style_ != sp_Range || value == useVertical_) {
        return;
    }
    useVertical_ = value;
    if (!IsLoading()) {
        SwapSize();
    }
    Layout();
}

// User choice.

bool TSelectPanel::IsRangeActive() const {
    return style_ == sp_Range || (style_ == sp_UserChoice && typeBox_->GetChecked());
}

void TSelectPanel::TypeClicked() {
    if (style_ != sp_UserChoice) {
        return;
    }
    userChoice_ = typeBox_->GetChecked();
    PlaceUserChoicePages();
    ApplyVisibility(style_);
    if (!Designing()) {
        OnTypeClick(this);
    }
}

void TSelectPanel::SetUserChoice(bool value) {
    if (style_ != sp_UserChoice) {
        return;
    }
    typeBox_->SetChecked(value);
    TypeClicked();
}

// Properties that re-lay the panel out.

void TSelectPanel::SetHintWord(const std::string& word) {
    typeBox_->SetCaption(word);
    SizeTypeBox();
    hintWord_ = word;
}

void TSelectPanel::ApplyWords(TStringList& target, TLabel& label, const TStringList& source) {
    target.Clear();
    if (source.Count() == 0) {
        return;
    }
    target.Add(source[0]);
    if (source.Count() > 1) {
        target.Add(source[1]);
    }
    label.SetCaption(WordAt(target, style_ == sp_UserChoice ? 1 : 0));
    Perform(WM_SIZE, 0, MakeLParam(GetWidth(), GetHeight()));
}

void TSelectPanel::SetBeginWords(const TStringList& words) {
    ApplyWords(*beginWords_, *beginLabel_, words);
}

void TSelectPanel::SetFinalWords(const TStringList& words) {
    ApplyWords(*finalWords_, *finalLabel_, words);
}

void TSelectPanel::SetCanOpenWin(bool value) {
    if (value == canOpenWin_) {
        return;
    }
    canOpenWin_ = value;
    for (TF2Button* b : {beginButton_, finalButton_, listButton_}) {
        b->SetVisible(value);
    }
    Perform(WM_SIZE, 0, MakeLParam(GetWidth(), GetHeight()));
}

void TSelectPanel::SetChildHints(const TStringList& hints) {
    *childHints_ = hints;
    ApplyHints();
}

void TSelectPanel::SetEditMask(const std::string& mask) {
    editMask_ = mask;
    std::string kept = beginEdit_->GetText();
    beginEdit_->SetNoChange(true);
    try {
        beginEdit_->SetText("");
        beginEdit_->SetEditMask(mask);
        finalEdit_->SetEditMask(mask);
        blankMaskText_ = beginEdit_->GetText();
        beginEdit_->SetText(kept);
    } catch (...) {
        beginEdit_->SetNoChange(false);
        throw;
    }
    beginEdit_->SetNoChange(false);
}

void TSelectPanel::SetGlyphIndex(int index) {
    if (index == glyphIndex_) {
        return;
    }
    try {
        beginButton_->SetGlyphIndex(index);
        finalButton_->SetGlyphIndex(beginButton_->GetGlyphIndex());
        listButton_->SetGlyphIndex(beginButton_->GetGlyphIndex());
        glyphIndex_ = index;
    } catch (const std::exception&) {
        // The library's own message has been shown; the buttons show no picture.
        for (TF2Button* b : {beginButton_, finalButton_, listButton_}) {
            b->SetGlyphIndex(0);
        }
    }
}

// The list.

TStringList* TSelectPanel::GetColumnCaptions() const {
    columnCaptions_->Clear();
    const TListColumns& columns = *list_->GetColumns();
    for (int i = 0; i < columns.Count(); ++i) {
        columnCaptions_->Add(columns[i]->GetCaption());
    }
    return columnCaptions_.get();
}

void TSelectPanel::SetColumnCaptions(const TStringList& captions) {
    TListColumns& columns = *list_->GetColumns();
    columns.Clear();
    for (int i = 0; i < captions.Count(); ++i) {
        columns.Add()->SetCaption(captions[i]);
    }
    list_->SizeColumns();
}

void TSelectPanel::SetSortListBox(bool value) {
    sortListBox_ = value;
    list_->SetSortType(value ? stText : stNone);
    list_->RowsRearranged();
}

void TSelectPanel::SetCheckDuplicate(TCheckDuplicate value) {
    if (value != cd_None) {
        SetSortListBox(true);
    }
    list_->SetCheckDuplicate(value);
    if (!IsRangeActive()) {
        list_->RemoveDuplicates();
    }
}

int TSelectPanel::CompareItems(const TListItem& a, const TListItem& b) const {
    auto text = [](const TListItem& item, int column) -> std::string_view {
        if (column == 0) {
            return item.GetCaption();
        }
        const TStringList& sub = *item.SubItems();
        return column - 1 < sub.Count() ? std::string_view(sub[column - 1]) : std::string_view();
    };
    std::array<int, 3> keys{0, 1, -1};
    if (sortColumn_ == 1) {
        keys = {1, 0, -1};
    } else if (sortColumn_ >= 2) {
        keys = {sortColumn_, 0, 1};
    }
    for (int key : keys) {
        if (key < 0) {
            break;
        }
        int result = AnsiCompareText(text(a, key), text(b, key));
        if (result != 0) {
            return sortAscending_ ? result : -result;
        }
    }
    return 0;
}

void TSelectPanel::ListCompare(TObject*, TListItem* a, TListItem* b, int, int& result) {
    result = CompareItems(*a, *b);
}

void TSelectPanel::ColumnClick(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortColumn_ = column;
        sortAscending_ = true;
    }
    list_->AlphaSort();
    list_->RowsRearranged();
}

void TSelectPanel::DeleteClick(TObject*) {
    bool accept = true;
    if (!Designing()) {
        OnDeleteClick(deleteButton_, accept);
    }
    if (!accept) {
        return;
    }
    TListItems& items = list_->Items();
    for (int i = items.Count() - 1; i >= 0; --i) {
        if (items[i]->GetSelected()) {
            items.Delete(i);
        }
    }
}

void TSelectPanel::ClearClick(TObject*) {
    list_->Items().Clear();
    if (list_->CanFocus()) {
        list_->SetFocus();
    }
    if (!Designing()) {
        OnClearClick(clearButton_);
    }
}

void TSelectPanel::LookupClick(TObject* sender) {
    if (Designing()) {
        return;
    }
    TWinControl* target = list_;
    if (sender == beginButton_) {
        target = beginEdit_;
    } else if (sender == finalButton_) {
        target = finalEdit_;
    }
    TDestroyGuard guard(*this);
    if (target->CanFocus()) {
        target->SetFocus();
    }
    if (auto* owner = As<TWinControl>(Owner())) {
        SendMessage(owner->Handle(), WM_F2LOOKUP, 0, reinterpret_cast<LPARAM>(target));
    }
    if (guard.Alive()) {
        OnOpenWinClick(this, target);
    }
}

// Events of the inner parts.

void TSelectPanel::PartKeyDown(TObject* sender, Word& key, TShiftState shift) {
    OnKeyDown(sender, key, shift);
}

void TSelectPanel::PartKeyUp(TObject* sender, Word& key, TShiftState shift) {
    OnKeyUp(sender, key, shift);
}

void TSelectPanel::PartKeyPress(TObject* sender, char32_t& ch) {
    OnKeyPress(sender, ch);
}

void TSelectPanel::PartClick(TObject* sender) {
    bool own = sender == beginEdit_ || sender == finalEdit_ || sender == list_;
    OnClick(own ? sender : this);
}

void TSelectPanel::PartDblClick(TObject* sender) {
    bool own = sender == beginEdit_ || sender == finalEdit_ || sender == list_;
    OnDblClick(own ? sender : this);
}

namespace {

// The sender and point with which an inner part's mouse event reaches the
// panel's handlers: the edits and the list speak for themselves; any other
// part speaks as the panel, its point moved into the panel's coordinates.
struct TMouseSource {
    TObject* sender;
    int x;
    int y;
};

TMouseSource MouseSource(TSelectPanel& panel, TObject* sender, int x, int y) {
    if (sender == &panel.BeginEdit() || sender == &panel.FinalEdit() || sender == &panel.List()) {
        return {sender, x, y};
    }
    for (auto* c = As<TControl>(sender); c != nullptr && c != &panel; c = c->Parent()) {
        x += c->GetLeft();
        y += c->GetTop();
    }
    return {&panel, x, y};
}

} // namespace

void TSelectPanel::PartMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                 int y) {
    // A left press on the list counts only once the list has the focus.
    if (sender == list_ && button == mbLeft && !list_->Focused()) {
        return;
    }
    TMouseSource source = MouseSource(*this, sender, x, y);
    OnMouseDown(source.sender, button, shift, source.x, source.y);
}

void TSelectPanel::PartMouseMove(TObject* sender, TShiftState shift, int x, int y) {
    TMouseSource source = MouseSource(*this, sender, x, y);
    OnMouseMove(source.sender, shift, source.x, source.y);
}

void TSelectPanel::PartMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x,
                               int y) {
    TMouseSource source = MouseSource(*this, sender, x, y);
    OnMouseUp(source.sender, button, shift, source.x, source.y);
}

void TSelectPanel::ListSelectItem(TObject* sender, TListItem* item, bool selected) {
    OnItemSelect(sender, item, item->Index(), selected);
}

void TSelectPanel::ListChange(TObject* sender, TListItem* item, TItemChange change) {
    OnItemChange(sender, item, change);
}

void TSelectPanel::ListChanging(TObject* sender, TListItem* item, TItemChange change, bool& allow) {
    OnItemChanging(sender, item, change, allow);
}

// Enabled and focus.

void TSelectPanel::SetEnabled(bool enabled) {
    TGroupBox::SetEnabled(enabled);
    lastEnabled_ = enabled;
    ForEachInner(*this, [enabled](TControl& part) { part.SetEnabled(enabled); });
}

void TSelectPanel::SetFocus() {
    TWinControl::SetFocus();
    if (!IsRangeActive() && list_->CanFocus()) {
        list_->SetFocus();
    }
}

// The exit normalisation.

bool TSelectPanel::DiscardHolds(const std::string& begin, const std::string& end) const {
    return useDiscard_ && (Trim(begin) == discard_ || Trim(end) == discard_);
}

double TSelectPanel::ReadDate(const std::string& source) const {
    std::string text = Trim(source);
    if (text.empty() || text == Trim(blankMaskText_)) {
        return 0;
    }
    const std::string& sep = dateSign_;
    int count = CountOf(text, sep);
    if (count == 1) {
        switch (dateType_) {
        case dt_MMDDYYYY:
            text = text.substr(0, 2) + sep + "01" + (text.size() > 2 ? text.substr(2, 5) : "");
            break;
        case dt_DDMMYYYY:
            text = "01" + sep + text;
            break;
        default:
            text = text + sep + "01";
            break;
        }
    } else if (count != 2) {
        return 0;
    }
    std::array<int, 3> p{};
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        std::size_t at = i < 2 ? text.find(sep, start) : std::string::npos;
        std::string part =
            Trim(at == std::string::npos ? text.substr(start) : text.substr(start, at - start));
        if (!TryStrToInt(part, p[std::size_t(i)])) {
            return 0;
        }
        start = at == std::string::npos ? text.size() : at + sep.size();
    }
    int year = 0;
    int month = 0;
    int day = 0;
    switch (dateType_) {
    case dt_YYYYMMDD:
        year = p[0], month = p[1], day = p[2];
        break;
    case dt_MMDDYYYY:
        year = p[2], month = p[0], day = p[1];
        break;
    case dt_DDMMYYYY:
        year = p[2], month = p[1], day = p[0];
        break;
    case dt_YYMMDD:
    case dt_YYYMMDD:
        year = p[0] + 1911, month = p[1], day = p[2];
        break;
    case dt_NoneCare:
        return 0;
    }
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) {
        return 0;
    }
    return double(date);
}

bool TSelectPanel::ShouldSwap(const std::string& begin, const std::string& end) const {
    bool blank = begin == blankMaskText_ || end == blankMaskText_;
    switch (valueType_) {
    case vt_String:
    case vt_Time:
        return !blank && !DiscardHolds(begin, end) && begin > end;
    case vt_Number:
        return StrToIntDef(end, 0) < StrToIntDef(begin, 0);
    case vt_Date:
        if (!autoChangeDateSite_ || blank || DiscardHolds(begin, end)) {
            return false;
        }
        if (dateType_ == dt_NoneCare) {
            return begin > end;
        }
        return ReadDate(begin) > ReadDate(end);
    case vt_Float:
        return StrToFloatDef(end, 0) < StrToFloatDef(begin, 0);
    case vt_OtherMask:
        return false;
    }
    return false;
}

void TSelectPanel::DoExit() {
    std::string begin = beginEdit_->GetText();
    std::string end = finalEdit_->GetText();
    if (!beginEdit_->GetEditMask().starts_with("!")) {
        begin = Trim(begin);
        end = Trim(end);
        // A masked edit formats what it is given; compare what it then holds.
        beginEdit_->SetText(begin);
        finalEdit_->SetText(end);
        begin = beginEdit_->GetText();
        end = finalEdit_->GetText();
    }
    if (!begin.empty() && !end.empty()) {
        if (valueType_ == vt_Float) {
            begin = NormalFloatText(begin);
            end = NormalFloatText(end);
            beginEdit_->SetText(begin);
            finalEdit_->SetText(end);
            begin = beginEdit_->GetText();
            end = finalEdit_->GetText();
        }
        if (ShouldSwap(begin, end)) {
            beginEdit_->SetText(end);
            finalEdit_->SetText(begin);
        }
    }
    TGroupBox::DoExit();
}

// The panel value text.

std::string TSelectPanel::GetListText() const {
    std::string text;
    const TListItems& items = list_->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const TListItem& item = *items[i];
        text += item.GetCaption();
        for (int k = 0; k < item.SubItems()->Count(); ++k) {
            text += kColumnSep;
            text += (*item.SubItems())[k];
        }
        text += kRowSep;
    }
    return text;
}

bool TSelectPanel::SetListText(const std::string& text) {
    ClearList();
    for (const std::string& row : Split(text, kRowSep)) {
        if (row.empty()) {
            continue;
        }
        if (!list_->AddRow(Split(row, kColumnSep))) {
            return false;
        }
    }
    return true;
}

std::string TSelectPanel::GetValueText() const {
    std::string text(StyleName(style_));
    text += kFieldSep;
    switch (style_) {
    case sp_Range:
        return text + GetBeginText() + kFieldSep + GetFinalText();
    case sp_Discrete:
        return text + GetListText();
    case sp_UserChoice:
        if (userChoice_) {
            return text + "True" + kFieldSep + GetBeginText() + kFieldSep + GetFinalText();
        }
        return text + "False" + kFieldSep + GetListText();
    }
    return text;
}

bool TSelectPanel::SetValueText(const std::string& text) {
    std::vector<std::string> fields = Split(text, kFieldSep);
    auto field = [&fields](std::size_t n) -> const std::string& {
        static const std::string empty;
        return n - 1 < fields.size() ? fields[n - 1] : empty;
    };
    const std::string& word = field(1);
    if (word == "sp_Range") {
        SetBeginText(field(2));
        SetFinalText(field(3));
    } else if (word == "sp_Discrete") {
        return SetListText(field(2));
    } else if (word == "sp_UserChoice") {
        bool range = field(2) == "True";
        SetUserChoice(range);
        if (!range) {
            return SetListText(field(3));
        }
        SetBeginText(field(3));
        SetFinalText(field(4));
    }
    return true;
}

} // namespace kvc::controls
