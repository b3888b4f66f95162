// TDrawGrid and TStringGrid: cells in rows and columns, the first rows and
// columns fixed, one current cell that the keys and clicks move (asking
// OnSelectCell first), and an in-place editor over the current cell when
// the grid allows editing. Every change of the editor's text goes to the
// cell at once (OnSetEditText); the editor takes its text from the cell
// (OnGetEditText) when it is shown.
#pragma once

#include "toolkit/edit.h"
#include "toolkit/memo.h" // TScrollStyle

#include <vector>

namespace kvc {

class TCustomGrid;

KVC_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
         goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
         goRowSelect, goAlwaysShowEditor, goThumbTracking);
using TGridOptions = TSet<TGridOption>;
KVC_ENUM(TGridDrawStateElement, gdSelected, gdFocused, gdFixed);
using TGridDrawState = TSet<TGridDrawStateElement>;

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

KVC_EVENT_TYPE(TSelectCellEvent, TObject*, int, int, bool&);
KVC_EVENT_TYPE(TGetEditEvent, TObject*, int, int, std::string&);
KVC_EVENT_TYPE(TSetEditEvent, TObject*, int, int, const std::string&);
KVC_EVENT_TYPE(TDrawCellEvent, TObject*, int, int, TRect, TGridDrawState);

// The editor over the current cell; its keys that leave the cell go to the grid.
class TInplaceEdit : public TEdit {
    KVC_CLASS(TInplaceEdit, TEdit)
public:
    TCustomGrid* Grid() const;
    bool WantsKey(Word key, TShiftState shift) const override;

protected:
    void Change() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;

private:
    friend class TCustomGrid;
    friend class TStringGrid;
    bool AtLeftSide() const;
    bool AtRightSide() const;
    bool updating_ = false;
};

class TCustomGrid : public TWinControl {
    KVC_CLASS(TCustomGrid, TWinControl)
public:
    TCustomGrid();

    int GetColCount() const { return colCount_; }
    void SetColCount(int value) { ChangeSize(value, rowCount_); }
    int GetRowCount() const { return rowCount_; }
    void SetRowCount(int value) { ChangeSize(colCount_, value); }
    int GetFixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int GetFixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);
    int GetDefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int GetDefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    TGridOptions GetOptions() const { return options_; }
    void SetOptions(TGridOptions value);
    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value) { scrollBars_ = value; }
    int GetGridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value) { gridLineWidth_ = value; }
    TColor GetFixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value) { fixedColor_ = value; }
    bool GetDefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }

    // The current cell. Setting it asks OnSelectCell; a refused cell stays unset.
    int GetCol() const { return col_; }
    void SetCol(int value) { FocusCell(value, row_); }
    int GetRow() const { return row_; }
    void SetRow(int value) { FocusCell(col_, value); }
    bool FocusCell(int col, int row);
    int TopRow() const { return topRow_; }
    // The first scrolling row shown, within the scrolling rows.
    void SetTopRow(int value);
    int LeftCol() const { return leftCol_; }
    // The selected cells: the current cell, or its whole row with goRowSelect.
    TGridRect Selection() const;
    // The cell's rectangle in the client area; empty when scrolled out of view.
    TRect CellRect(int col, int row) const;

    bool GetEditorMode() const { return editor_ != nullptr && editor_->GetVisible(); }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return editor_; }
    void ShowEditor();
    // Writes the editor's text to its cell and hides it.
    void HideEditor();

    // The user's click on a cell: the grid takes the focus and the cell
    // becomes current; a click on the current cell of an editable grid
    // shows the editor.
    void ClickCell(int col, int row);
    // The data-entry move of forms whose Enter walks a grid: the next
    // column, or the first column of the next row after the last one,
    // adding a row at the end when appendRow is set.
    void MoveToNextCell(bool appendRow);

    bool WantsKey(Word key, TShiftState shift) const override;
    void DoEnter() override;

    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TDrawCellEvent OnDrawCell;
    TNotifyEvent OnTopLeftChanged;

    // Its position counts the scrolling rows above TopRow.
    TViewScrollBar* VertScrollBar() override { return &vertScroll_; }

protected:
    void Scrolled() override;
    friend class TInplaceEdit;
    virtual bool SelectCell(int col, int row);
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string& value);
    // Called after the size changed, with the old counts.
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;
    void Loaded() override;

private:
    void ChangeSize(int colCount, int rowCount);
    TViewScrollBar vertScroll_;
    void MoveCurrent(int col, int row);
    void ScrollIntoView();
    int VisibleRowsFrom(int top) const;
    void TabMove(bool forward);
    bool CanEditShow() const;
    void UpdateEditor();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle scrollBars_ = ssBoth;
    int gridLineWidth_ = 1;
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    int col_ = 1;
    int row_ = 1;
    int topRow_ = 1;
    int leftCol_ = 1;
    TInplaceEdit* editor_ = nullptr;
};

class TDrawGrid : public TCustomGrid {
    KVC_CLASS(TDrawGrid, TCustomGrid)
};

class TStringGrid : public TDrawGrid {
    KVC_CLASS(TStringGrid, TDrawGrid)
public:
    // Cells outside the grid read as empty and raise EInvalidOperation when written.
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& value);
    TObject* Objects(int col, int row) const;
    void SetObjects(int col, int row, TObject* object);

protected:
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;

private:
    struct Cell {
        std::string text;
        TObject* object = nullptr;
    };
    Cell* At(int col, int row);
    const Cell* At(int col, int row) const;

    std::vector<std::vector<Cell>> rows_ = std::vector<std::vector<Cell>>(5, std::vector<Cell>(5));
};

// The grid a control belongs to: the grid itself or the grid of its
// in-place editor; null for other controls.
TCustomGrid* GridOfControl(TControl* control);

} // namespace kvc
