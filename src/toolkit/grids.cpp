#include "toolkit/grids.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"

#include <algorithm>

namespace kvc {

namespace {

[[noreturn]] void IndexOutOfRange(int col, int row) {
    throw EInvalidOperation("Grid index out of range (" + IntToStr(col) + ", " + IntToStr(row) +
                            ")");
}

} // namespace

KVC_REGISTER_CLASS(TInplaceEdit) {}

TCustomGrid* TInplaceEdit::Grid() const {
    return As<TCustomGrid>(Parent());
}

bool TInplaceEdit::WantsKey(Word key, TShiftState shift) const {
    // Tab leaves the grid as a whole (or moves in it with goTabs), never
    // back from the editor into its own grid.
    return key == VK_TAB || TEdit::WantsKey(key, shift);
}

void TInplaceEdit::Change() {
    TDestroyGuard guard(*this);
    TEdit::Change();
    TCustomGrid* grid = Grid();
    if (guard.Alive() && !updating_ && grid != nullptr) {
        grid->SetEditText(grid->col_, grid->row_, GetText());
    }
}

bool TInplaceEdit::AtLeftSide() const {
    return (SelStart() == 0 && SelLength() == 0) || SelLength() == Length();
}

bool TInplaceEdit::AtRightSide() const {
    return (SelStart() == Length() && SelLength() == 0) || SelLength() == Length();
}

void TInplaceEdit::KeyDown(Word& key, TShiftState shift) {
    TCustomGrid* grid = Grid();
    if (grid == nullptr) {
        TEdit::KeyDown(key, shift);
        return;
    }
    bool toGrid = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                  (key == VK_LEFT && AtLeftSide()) || (key == VK_RIGHT && AtRightSide());
    if (key == VK_TAB) {
        if (grid->options_.Contains(goTabs)) {
            toGrid = true;
        } else if (TCustomForm* form = GetParentForm()) {
            form->SelectNext(grid, !shift.Contains(ssShift), true);
            key = 0;
            return;
        }
    }
    if (!toGrid) {
        TEdit::KeyDown(key, shift);
        return;
    }
    TDestroyGuard guard(*grid);
    grid->OnKeyDown(grid, key, shift);
    if (guard.Alive() && key != 0) {
        grid->KeyDown(key, shift);
    }
}

void TInplaceEdit::KeyPress(char32_t& ch) {
    TCustomGrid* grid = Grid();
    if (grid != nullptr && ch == U'\r') {
        grid->KeyPress(ch);
        return;
    }
    TEdit::KeyPress(ch);
}

TCustomGrid::TCustomGrid() {
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    SetTabStop(true);
    colWidths_.assign(std::size_t(colCount_), defaultColWidth_);
    rowHeights_.assign(std::size_t(rowCount_), defaultRowHeight_);
}

KVC_REGISTER_CLASS(TCustomGrid) {}

void TCustomGrid::ChangeSize(int colCount, int rowCount) {
    colCount = std::max(colCount, 1);
    rowCount = std::max(rowCount, 1);
    int oldCols = colCount_;
    int oldRows = rowCount_;
    if (colCount == oldCols && rowCount == oldRows) {
        return;
    }
    colCount_ = colCount;
    rowCount_ = rowCount;
    fixedCols_ = std::min(fixedCols_, colCount - 1);
    fixedRows_ = std::min(fixedRows_, rowCount - 1);
    colWidths_.resize(std::size_t(colCount), defaultColWidth_);
    rowHeights_.resize(std::size_t(rowCount), defaultRowHeight_);
    SizeChanged(oldCols, oldRows);
    col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
    row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, rowCount_ - 1);
    leftCol_ = std::clamp(leftCol_, fixedCols_, colCount_ - 1);
    UpdateEditor();
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::SetFixedCols(int value) {
    if (value < 0 || value >= colCount_) {
        throw EInvalidOperation("Fixed column count must be less than column count");
    }
    fixedCols_ = value;
    col_ = std::max(col_, value);
    leftCol_ = std::max(leftCol_, value);
    UpdateEditor();
}

void TCustomGrid::SetFixedRows(int value) {
    if (value < 0 || value >= rowCount_) {
        throw EInvalidOperation("Fixed row count must be less than row count");
    }
    fixedRows_ = value;
    row_ = std::max(row_, value);
    topRow_ = std::max(topRow_, value);
    UpdateEditor();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    defaultColWidth_ = value;
    colWidths_.assign(std::size_t(colCount_), value);
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    defaultRowHeight_ = value;
    rowHeights_.assign(std::size_t(rowCount_), value);
}

int TCustomGrid::ColWidths(int col) const {
    return col >= 0 && col < colCount_ ? colWidths_[std::size_t(col)] : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= colCount_) {
        IndexOutOfRange(col, 0);
    }
    colWidths_[std::size_t(col)] = width;
}

int TCustomGrid::RowHeights(int row) const {
    return row >= 0 && row < rowCount_ ? rowHeights_[std::size_t(row)] : defaultRowHeight_;
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= rowCount_) {
        IndexOutOfRange(0, row);
    }
    rowHeights_[std::size_t(row)] = height;
}

void TCustomGrid::SetOptions(TGridOptions value) {
    options_ = value;
    if (!value.Contains(goEditing)) {
        HideEditor();
    } else if (value.Contains(goAlwaysShowEditor) && Focused()) {
        ShowEditor();
    }
}

TGridRect TCustomGrid::Selection() const {
    if (options_.Contains(goRowSelect)) {
        return {fixedCols_, row_, colCount_ - 1, row_};
    }
    return {col_, row_, col_, row_};
}

TRect TCustomGrid::CellRect(int col, int row) const {
    auto start = [this](int index, int fixed, int first, const std::vector<int>& sizes) {
        if (index >= fixed && index < first) {
            return -1;
        }
        int pos = 0;
        for (int i = 0; i < index; ++i) {
            if (i < fixed || i >= first) {
                pos += sizes[std::size_t(i)] + gridLineWidth_;
            }
        }
        return pos;
    };
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
        return {};
    }
    int x = start(col, fixedCols_, leftCol_, colWidths_);
    int y = start(row, fixedRows_, topRow_, rowHeights_);
    if (x < 0 || y < 0) {
        return {};
    }
    return {x, y, x + colWidths_[std::size_t(col)], y + rowHeights_[std::size_t(row)]};
}

bool TCustomGrid::SelectCell(int col, int row) {
    bool allow = true;
    OnSelectCell(this, col, row, allow);
    return allow;
}

std::string TCustomGrid::GetEditText(int col, int row) {
    std::string value;
    OnGetEditText(this, col, row, value);
    return value;
}

void TCustomGrid::SetEditText(int col, int row, const std::string& value) {
    OnSetEditText(this, col, row, value);
}

bool TCustomGrid::FocusCell(int col, int row) {
    if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount_) {
        IndexOutOfRange(col, row);
    }
    if (col == col_ && row == row_) {
        return true;
    }
    TDestroyGuard guard(*this);
    if (!SelectCell(col, row) || !guard.Alive()) {
        return false;
    }
    MoveCurrent(col, row);
    return true;
}

void TCustomGrid::MoveCurrent(int col, int row) {
    col_ = col;
    row_ = row;
    ScrollIntoView();
    if (options_.Contains(goAlwaysShowEditor) && GetEditorMode()) {
        UpdateEditor();
    } else {
        HideEditor();
    }
}

int TCustomGrid::VisibleRowsFrom(int top) const {
    int space = GetClientHeight();
    for (int i = 0; i < fixedRows_; ++i) {
        space -= rowHeights_[std::size_t(i)] + gridLineWidth_;
    }
    int count = 0;
    for (int i = top; i < rowCount_; ++i) {
        space -= rowHeights_[std::size_t(i)] + gridLineWidth_;
        if (space < 0) {
            break;
        }
        ++count;
    }
    return std::max(count, 1);
}

void TCustomGrid::ScrollIntoView() {
    int oldTop = topRow_;
    int oldLeft = leftCol_;
    if (row_ < topRow_) {
        topRow_ = row_;
    }
    while (row_ >= topRow_ + VisibleRowsFrom(topRow_)) {
        ++topRow_;
    }
    if (col_ < leftCol_) {
        leftCol_ = col_;
    }
    while (col_ > leftCol_ && CellRect(col_, row_).Right > GetClientWidth()) {
        ++leftCol_;
    }
    if (topRow_ != oldTop || leftCol_ != oldLeft) {
        OnTopLeftChanged(this);
    }
}

void TCustomGrid::SetTopRow(int value) {
    value = std::clamp(value, fixedRows_, rowCount_ - 1);
    if (value != topRow_) {
        topRow_ = value;
        vertScroll_.SetPosition(topRow_ - fixedRows_);
        OnTopLeftChanged(this);
        Invalidate();
    }
}

void TCustomGrid::Scrolled() {
    SetTopRow(fixedRows_ + vertScroll_.Position());
}

bool TCustomGrid::CanEditShow() const {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && !IsDestroying() &&
           colCount_ > fixedCols_ && rowCount_ > fixedRows_;
}

void TCustomGrid::ShowEditor() {
    if (!CanEditShow()) {
        return;
    }
    if (editor_ == nullptr) {
        editor_ = Create<TInplaceEdit>(this);
        editor_->SetVisible(false);
        editor_->SetTabStop(false);
        editor_->SetParent(this);
    }
    UpdateEditor();
    editor_->SetVisible(true);
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->GetActiveControl() == this && editor_->CanFocus()) {
        editor_->SetFocus();
    }
    editor_->SelectAll();
}

void TCustomGrid::UpdateEditor() {
    if (editor_ == nullptr || IsLoading()) {
        return;
    }
    editor_->updating_ = true;
    editor_->SetText(GetEditText(col_, row_));
    editor_->updating_ = false;
    TRect r = CellRect(col_, row_);
    editor_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    editor_->SelectAll();
}

void TCustomGrid::HideEditor() {
    if (!GetEditorMode()) {
        return;
    }
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->GetActiveControl() == editor_ && CanFocus()) {
        SetFocus();
    }
    editor_->SetVisible(false);
}

void TCustomGrid::SetEditorMode(bool value) {
    if (value) {
        ShowEditor();
    } else {
        HideEditor();
    }
}

void TCustomGrid::ClickCell(int col, int row) {
    if (CanFocus() && !Focused() && !(editor_ != nullptr && editor_->Focused())) {
        SetFocus();
    }
    bool wasCurrent = col == col_ && row == row_;
    if (FocusCell(col, row) && wasCurrent && options_.Contains(goEditing)) {
        ShowEditor();
    }
}

void TCustomGrid::MoveToNextCell(bool appendRow) {
    if (col_ < colCount_ - 1) {
        FocusCell(col_ + 1, row_);
        return;
    }
    if (row_ == rowCount_ - 1) {
        if (!appendRow) {
            return;
        }
        SetRowCount(rowCount_ + 1);
    }
    FocusCell(fixedCols_, row_ + 1);
}

bool TCustomGrid::WantsKey(Word key, TShiftState shift) const {
    if (key == VK_TAB) {
        return options_.Contains(goTabs) && !shift.Contains(ssCtrl);
    }
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TCustomGrid::DoEnter() {
    TDestroyGuard guard(*this);
    TWinControl::DoEnter();
    if (guard.Alive() && options_.Contains(goAlwaysShowEditor)) {
        ShowEditor();
    }
}

void TCustomGrid::TabMove(bool forward) {
    int col = col_;
    int row = row_;
    if (forward) {
        if (++col >= colCount_) {
            col = fixedCols_;
            row = row + 1 >= rowCount_ ? fixedRows_ : row + 1;
        }
    } else if (--col < fixedCols_) {
        col = colCount_ - 1;
        row = row - 1 < fixedRows_ ? rowCount_ - 1 : row - 1;
    }
    FocusCell(col, row);
}

void TCustomGrid::KeyDown(Word& key, TShiftState shift) {
    int col = col_;
    int row = row_;
    bool rowSelect = options_.Contains(goRowSelect);
    int page = VisibleRowsFrom(topRow_);
    switch (key) {
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_LEFT:
        col -= rowSelect ? 0 : 1;
        break;
    case VK_RIGHT:
        col += rowSelect ? 0 : 1;
        break;
    case VK_PRIOR:
        row -= page;
        break;
    case VK_NEXT:
        row += page;
        break;
    case VK_HOME:
        (shift.Contains(ssCtrl) ? row : col) = shift.Contains(ssCtrl) ? fixedRows_ : fixedCols_;
        break;
    case VK_END:
        (shift.Contains(ssCtrl) ? row : col) =
            shift.Contains(ssCtrl) ? rowCount_ - 1 : colCount_ - 1;
        break;
    case VK_TAB:
        if (options_.Contains(goTabs) && !shift.Contains(ssAlt)) {
            TabMove(!shift.Contains(ssShift));
        }
        return;
    case VK_F2:
        ShowEditor();
        return;
    default:
        return;
    }
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    FocusCell(col, row);
}

void TCustomGrid::KeyPress(char32_t& ch) {
    if (ch == U'\r') {
        if (!options_.Contains(goAlwaysShowEditor)) {
            SetEditorMode(!GetEditorMode());
            ch = 0;
        }
        return;
    }
    if (ch >= 32 && CanEditShow() && !GetEditorMode()) {
        ShowEditor();
        if (GetEditorMode() && editor_->Focused()) {
            char32_t typed = ch;
            ch = 0;
            editor_->HandleChar(typed);
        }
    }
}

void TCustomGrid::Loaded() {
    TWinControl::Loaded();
    col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
    row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
}

TCustomGrid* GridOfControl(TControl* control) {
    if (auto* grid = As<TCustomGrid>(control)) {
        return grid;
    }
    if (auto* editor = As<TInplaceEdit>(control)) {
        return editor->Grid();
    }
    return nullptr;
}

KVC_REGISTER_CLASS(TDrawGrid) {
    c.Property("Align", &TDrawGrid::GetAlign, &TDrawGrid::SetAlign);
    c.Property("Anchors", &TDrawGrid::GetAnchors, &TDrawGrid::SetAnchors);
    c.Property("Color", &TDrawGrid::GetColor, &TDrawGrid::SetColor);
    c.Property("ColCount", &TDrawGrid::GetColCount, &TDrawGrid::SetColCount);
    c.Property("DefaultColWidth", &TDrawGrid::GetDefaultColWidth, &TDrawGrid::SetDefaultColWidth);
    c.Property("DefaultDrawing", &TDrawGrid::GetDefaultDrawing, &TDrawGrid::SetDefaultDrawing);
    c.Property("DefaultRowHeight", &TDrawGrid::GetDefaultRowHeight,
               &TDrawGrid::SetDefaultRowHeight);
    c.Property("Enabled", &TDrawGrid::GetEnabled, &TDrawGrid::SetEnabled);
    c.Property("FixedColor", &TDrawGrid::GetFixedColor, &TDrawGrid::SetFixedColor);
    c.Property("FixedCols", &TDrawGrid::GetFixedCols, &TDrawGrid::SetFixedCols);
    c.Property("FixedRows", &TDrawGrid::GetFixedRows, &TDrawGrid::SetFixedRows);
    c.Property("Font", &TDrawGrid::GetFont, &TDrawGrid::SetFont);
    c.Property("GridLineWidth", &TDrawGrid::GetGridLineWidth, &TDrawGrid::SetGridLineWidth);
    c.Property("Options", &TDrawGrid::GetOptions, &TDrawGrid::SetOptions);
    c.Property("ParentColor", &TDrawGrid::GetParentColor, &TDrawGrid::SetParentColor);
    c.Property("ParentFont", &TDrawGrid::GetParentFont, &TDrawGrid::SetParentFont);
    c.Property("ParentShowHint", &TDrawGrid::GetParentShowHint, &TDrawGrid::SetParentShowHint);
    c.Property("RowCount", &TDrawGrid::GetRowCount, &TDrawGrid::SetRowCount);
    c.Property("ScrollBars", &TDrawGrid::GetScrollBars, &TDrawGrid::SetScrollBars);
    c.Property("ShowHint", &TDrawGrid::GetShowHint, &TDrawGrid::SetShowHint);
    c.Property("TabOrder", &TDrawGrid::GetTabOrder, &TDrawGrid::SetTabOrder);
    c.Property("TabStop", &TDrawGrid::GetTabStop, &TDrawGrid::SetTabStop);
    c.Property("Visible", &TDrawGrid::GetVisible, &TDrawGrid::SetVisible);
    c.Event("OnClick", &TDrawGrid::OnClick);
    c.Event("OnDblClick", &TDrawGrid::OnDblClick);
    c.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
    c.Event("OnEnter", &TDrawGrid::OnEnter);
    c.Event("OnExit", &TDrawGrid::OnExit);
    c.Event("OnGetEditText", &TDrawGrid::OnGetEditText);
    c.Event("OnKeyDown", &TDrawGrid::OnKeyDown);
    c.Event("OnKeyPress", &TDrawGrid::OnKeyPress);
    c.Event("OnKeyUp", &TDrawGrid::OnKeyUp);
    c.Event("OnMouseDown", &TDrawGrid::OnMouseDown);
    c.Event("OnMouseUp", &TDrawGrid::OnMouseUp);
    c.Event("OnSelectCell", &TDrawGrid::OnSelectCell);
    c.Event("OnSetEditText", &TDrawGrid::OnSetEditText);
    c.Event("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged);
}

KVC_REGISTER_CLASS(TStringGrid) {}

TStringGrid::Cell* TStringGrid::At(int col, int row) {
    if (col < 0 || row < 0 || col >= GetColCount() || row >= GetRowCount()) {
        return nullptr;
    }
    return &rows_[std::size_t(row)][std::size_t(col)];
}

const TStringGrid::Cell* TStringGrid::At(int col, int row) const {
    return const_cast<TStringGrid*>(this)->At(col, row);
}

std::string TStringGrid::Cells(int col, int row) const {
    const Cell* cell = At(col, row);
    return cell != nullptr ? cell->text : std::string();
}

void TStringGrid::SetCells(int col, int row, const std::string& value) {
    Cell* cell = At(col, row);
    if (cell == nullptr) {
        IndexOutOfRange(col, row);
    }
    cell->text = value;
    TInplaceEdit* editor = InplaceEditor();
    if (editor != nullptr && !editor->updating_ && GetEditorMode() && col == GetCol() &&
        row == GetRow() && editor->GetText() != value) {
        editor->updating_ = true;
        editor->SetText(value);
        editor->updating_ = false;
    }
}

TObject* TStringGrid::Objects(int col, int row) const {
    const Cell* cell = At(col, row);
    return cell != nullptr ? cell->object : nullptr;
}

void TStringGrid::SetObjects(int col, int row, TObject* object) {
    Cell* cell = At(col, row);
    if (cell == nullptr) {
        IndexOutOfRange(col, row);
    }
    cell->object = object;
}

std::string TStringGrid::GetEditText(int col, int row) {
    std::string value = Cells(col, row);
    OnGetEditText(this, col, row, value);
    return value;
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
    TInplaceEdit* editor = InplaceEditor();
    bool wasUpdating = editor != nullptr && editor->updating_;
    if (editor != nullptr) {
        editor->updating_ = true;
    }
    SetCells(col, row, value);
    if (editor != nullptr) {
        editor->updating_ = wasUpdating;
    }
    TCustomGrid::SetEditText(col, row, value);
}

void TStringGrid::SizeChanged(int, int) {
    rows_.resize(std::size_t(GetRowCount()));
    for (auto& row : rows_) {
        row.resize(std::size_t(GetColCount()));
    }
}

} // namespace kvc
