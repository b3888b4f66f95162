// Painters of fields and views in the classic look: combo box, memo, spin
// edit, list view, tree view and grids.
#include "toolkit/combo_box.h"
#include "toolkit/grids.h"
#include "toolkit/list_box.h"
#include "toolkit/list_view.h"
#include "toolkit/memo.h"
#include "toolkit/paint/classic_painter.h"
#include "toolkit/paint/painter_helpers.h"
#include "toolkit/spin_edit.h"
#include "toolkit/tree_view.h"

#include <algorithm>

namespace kvc::painting {

namespace {

constexpr unsigned kCellText = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

// The white field inside a sunken edge; grey when disabled.
TRect Field(TControl& control, TCanvas& canvas) {
    TRect inner = classic::SunkenEdge(canvas, Bounds(control));
    Fill(canvas, inner, control.IsEnabledInParents() ? control.GetColor() : clBtnFace);
    return inner;
}

// Text of a row or cell, in the highlight colours when selected.
void ItemText(TCanvas& canvas, const std::string& text, const TRect& rect, bool selected,
              bool enabled, unsigned align = DT_LEFT) {
    if (selected) {
        Fill(canvas, rect, clHighlight);
    }
    TColor color = canvas.Font.GetColor();
    if (selected) {
        canvas.Font.SetColor(clHighlightText);
    } else if (!enabled) {
        canvas.Font.SetColor(clGrayText);
    }
    canvas.Brush.Style = bsClear;
    TRect r = InflateRect(rect, -2, 0);
    canvas.DrawText(text, r, kCellText | align);
    canvas.Font.SetColor(color);
}

int RowHeight(TCanvas& canvas) {
    return canvas.TextHeight("Wg") + 4;
}

// The classic scroll track: the face dithered with the highlight colour.
void ScrollTrack(TCanvas& canvas, const TRect& rect) {
    Fill(canvas, rect, clBtnFace);
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left + ((rect.Left + y) & 1); x < rect.Right; x += 2) {
            canvas.SetPixel(x, y, clBtnHighlight);
        }
    }
}

// Lays the view's vertical bar out for content of count lines of which
// page fit: at the right of area when they do not all fit and the view
// allows a bar. Draws it and answers the area left for the content.
TRect VerticalBar(TWinControl& view, TCanvas& canvas, TRect area, int count, int page,
                  bool allowed = true) {
    TViewScrollBar& bar = *view.VertScrollBar();
    bar.SetRange(count, page);
    if (!allowed || !bar.Needed() || area.Width() <= kScrollBarSize) {
        bar.SetRect({});
        return area;
    }
    bar.SetRect({area.Right - kScrollBarSize, area.Top, area.Right, area.Bottom});
    bool enabled = view.IsEnabledInParents();
    classic::ArrowButton(canvas, bar.UpArrow(), classic::TArrow::up, false, enabled);
    classic::ArrowButton(canvas, bar.DownArrow(), classic::TArrow::down, false, enabled);
    ScrollTrack(canvas, bar.Track());
    if (TRect thumb = bar.Thumb(); !IsRectEmpty(thumb)) {
        classic::ButtonFace(canvas, thumb, {});
    }
    area.Right = bar.Rect().Left;
    return area;
}

// A row's height with its small images: the text's, or the image's and a pixel.
int RowHeight(TCanvas& canvas, const TCustomImageList* images) {
    int text = RowHeight(canvas);
    return images != nullptr ? std::max(text, images->GetHeight() + 1) : text;
}

// Draws the image centred in the height of row from x; answers the x after it.
int RowImage(TCanvas& canvas, const TCustomImageList* images, int index, int x, const TRect& row,
             bool enabled) {
    if (images == nullptr) {
        return x;
    }
    if (index >= 0 && index < images->Count()) {
        images->Draw(canvas, x, row.Top + (row.Height() - images->GetHeight()) / 2, index, enabled);
    }
    return x + images->GetWidth() + 2;
}

void ListReport(TListView& list, TCanvas& canvas, TRect area) {
    bool enabled = list.IsEnabledInParents();
    const auto* images = As<TCustomImageList>(list.GetSmallImages());
    int rowHeight = RowHeight(canvas, images);
    TListColumns* columns = list.GetColumns();
    int header = list.GetShowColumnHeaders() ? rowHeight + 2 : 0;
    area = VerticalBar(list, canvas, area, list.Items().Count(),
                       std::max(area.Height() - header, 0) / rowHeight);
    canvas.IntersectClipRect(area);
    int y = area.Top;
    if (list.GetShowColumnHeaders()) {
        int x = area.Left;
        for (int c = 0; c < columns->Count(); ++c) {
            TListColumn* column = (*columns)[c];
            TRect cell{x, y, x + column->GetWidth(), y + rowHeight + 2};
            TRect inner = classic::HeaderCell(canvas, cell);
            classic::Text(canvas, column->GetCaption(), InflateRect(inner, -3, 0),
                          kCellText | AlignmentFlags(column->GetAlignment()), enabled);
            x = cell.Right;
        }
        if (x < area.Right) {
            classic::HeaderCell(canvas, {x, y, area.Right + 2, y + rowHeight + 2});
        }
        y += rowHeight + 2;
    }
    bool showSelection = HasFocus(list) || !list.GetHideSelection();
    int top = list.VertScrollBar()->Position();
    for (int i = top; i < list.Items().Count() && y < area.Bottom; ++i, y += rowHeight) {
        TListItem* item = list.Items()[i];
        bool selected = item->GetSelected() && showSelection;
        int x = area.Left;
        for (int c = 0; c < std::max(columns->Count(), 1); ++c) {
            int width = columns->Count() > 0 ? (*columns)[c]->GetWidth() : area.Width();
            // The first column starts with the item's small image.
            int textLeft = x;
            if (c == 0) {
                TRect row{x, y, x + width, y + rowHeight};
                textLeft = RowImage(canvas, images, item->GetImageIndex(), x + 2, row, enabled);
                textLeft = images != nullptr ? textLeft : x;
            }
            std::string text = c == 0                              ? item->GetCaption()
                               : c - 1 < item->SubItems()->Count() ? (*item->SubItems())[c - 1]
                                                                   : std::string();
            // Without row select only the caption shows the selection.
            bool highlight = selected && (c == 0 || list.GetRowSelect());
            TRect cell{textLeft, y, x + width, y + rowHeight};
            if (c == 0 && !list.GetRowSelect() && highlight) {
                cell.Right = std::min(cell.Right, textLeft + canvas.TextWidth(text) + 4);
            }
            unsigned align =
                columns->Count() > 0 ? AlignmentFlags((*columns)[c]->GetAlignment()) : DT_LEFT;
            ItemText(canvas, text, cell, highlight, enabled, align);
            if (list.GetGridLines()) {
                Fill(canvas, {x + width - 1, y, x + width, y + rowHeight}, clBtnFace);
            }
            x += width;
        }
        if (list.GetGridLines()) {
            Fill(canvas, {area.Left, y + rowHeight - 1, area.Right, y + rowHeight}, clBtnFace);
        }
        if (item->GetFocused() && HasFocus(list)) {
            classic::FocusRect(
                canvas,
                {area.Left, y,
                 list.GetRowSelect() ? x : area.Left + canvas.TextWidth(item->GetCaption()) + 4,
                 y + rowHeight});
        }
    }
}

// Icon and list styles: the captions in columns of equal width, top to
// bottom then left to right, each after its small image or under its large
// one (without an image list, a small box stands for each).
void ListSimple(TListView& list, TCanvas& canvas, TRect area) {
    bool icons = list.GetViewStyle() == vsIcon;
    const auto* images =
        As<TCustomImageList>(icons ? list.GetLargeImages() : list.GetSmallImages());
    int rowHeight = RowHeight(canvas, icons ? nullptr : images);
    int cellWidth = icons ? 76 : 120;
    int cellHeight = icons ? 44 + rowHeight : rowHeight;
    int perColumn = std::max(1, area.Height() / cellHeight);
    bool showSelection = HasFocus(list) || !list.GetHideSelection();
    for (int i = 0; i < list.Items().Count(); ++i) {
        TListItem* item = list.Items()[i];
        int x = area.Left +
                (icons ? i % std::max(1, area.Width() / cellWidth) : i / perColumn) * cellWidth;
        int y = area.Top +
                (icons ? i / std::max(1, area.Width() / cellWidth) : i % perColumn) * cellHeight;
        TRect text{x + (icons ? 0 : 18), y + cellHeight - rowHeight, x + cellWidth - 2,
                   y + cellHeight};
        TRect image = icons ? TRect{x + cellWidth / 2 - 16, y + 4, x + cellWidth / 2 + 16, y + 36}
                            : TRect{x + 2, y + 2, x + 16, y + rowHeight - 2};
        if (images == nullptr) {
            classic::Bevel(canvas, image, true, 1);
        } else if (int index = item->GetImageIndex(); index >= 0 && index < images->Count()) {
            images->Draw(canvas, image.Left + (image.Width() - images->GetWidth()) / 2,
                         image.Top + (image.Height() - images->GetHeight()) / 2, index,
                         list.IsEnabledInParents());
        }
        ItemText(canvas, item->GetCaption(), text, item->GetSelected() && showSelection,
                 list.IsEnabledInParents(), icons ? DT_CENTER : DT_LEFT);
    }
}

// Readies the canvas for one item as owner-draw handlers expect it: the
// control's font, and the brush in the control's colour, or for a selected
// item in the highlight colour with the font in the highlight-text colour.
void PrepareItem(TCanvas& canvas, const TControl& control, TOwnerDrawState state) {
    canvas.Font.Assign(*control.GetFont());
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Color = control.GetFont()->GetColor();
    if (state.Contains(odSelected)) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.SetColor(clHighlightText);
    } else {
        canvas.Brush.Color = control.GetColor();
        if (state.Contains(odDisabled)) {
            canvas.Font.SetColor(clGrayText);
        }
    }
}

// The item as a list draws it without a handler: its area in the brush,
// its text from two pixels in.
void DefaultItem(TCanvas& canvas, const std::string& text, const TRect& rect) {
    canvas.FillRect(rect);
    TRect r{rect.Left + 2, rect.Top, rect.Right, rect.Bottom};
    canvas.Brush.Style = bsClear;
    canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// Runs the list's OnDrawItem with its Canvas set for the call.
template <class TList>
void OwnerDrawItem(TList& list, TCanvas& canvas, int index, const TRect& rect,
                   TOwnerDrawState state) {
    struct TCanvasScope {
        TList& list;
        ~TCanvasScope() { list.SetCanvas(nullptr); }
    } scope{list};
    list.SetCanvas(&canvas);
    list.OnDrawItem(&list, index, rect, state);
}

TOwnerDrawState ItemState(const TWinControl& control, bool selected) {
    TOwnerDrawState state;
    if (selected) {
        state.Include(odSelected);
        if (HasFocus(control)) {
            state.Include(odFocused);
        }
    }
    if (!control.IsEnabledInParents()) {
        state.Include(odDisabled);
    }
    return state;
}

} // namespace

void PaintListBox(TControl& control, TCanvas& canvas) {
    auto& box = static_cast<TListBox&>(control);
    TRect inner = Field(box, canvas);
    canvas.IntersectClipRect(inner);
    if (box.GetStyle() == lbOwnerDrawVariable) {
        struct TCanvasScope {
            TListBox& box;
            ~TCanvasScope() { box.SetCanvas(nullptr); }
        } scope{box};
        box.SetCanvas(&canvas);
        box.MeasureItems();
    }
    int count = box.GetItems()->Count();
    int page = 0;
    for (int i = box.GetTopIndex(), space = inner.Height(); i < count; ++i, ++page) {
        space -= box.ItemHeightOf(i);
        if (space < 0) {
            break;
        }
    }
    inner = VerticalBar(box, canvas, inner, count, page);
    canvas.IntersectClipRect(inner);
    int y = inner.Top;
    for (int i = box.GetTopIndex(); i < count && y < inner.Bottom; ++i) {
        TRect rect{inner.Left, y, inner.Right, y + box.ItemHeightOf(i)};
        TOwnerDrawState state = ItemState(box, i == box.GetItemIndex());
        PrepareItem(canvas, box, state);
        if (box.OwnerDraws()) {
            OwnerDrawItem(box, canvas, i, rect, state);
        } else {
            DefaultItem(canvas, (*box.GetItems())[i], rect);
        }
        if (state.Contains(odFocused)) {
            classic::FocusRect(canvas, rect);
        }
        y = rect.Bottom;
    }
    canvas.Font.Assign(*box.GetFont());
}

void PaintComboBox(TControl& control, TCanvas& canvas) {
    auto& combo = static_cast<TComboBox&>(control);
    TRect inner = Field(combo, canvas);
    bool enabled = combo.IsEnabledInParents();
    int buttonWidth = std::min(16, inner.Width());
    TRect button{inner.Right - buttonWidth, inner.Top, inner.Right, inner.Bottom};
    if (combo.GetStyle() != csSimple) {
        classic::ArrowButton(canvas, button, classic::TArrow::down, combo.GetDroppedDown(),
                             enabled);
        inner.Right = button.Left;
    }
    canvas.IntersectClipRect(inner);
    if (combo.OwnerDraws()) {
        // The edit part: the chosen item, drawn by the handler.
        TRect rect = InflateRect(inner, -1, -1);
        TOwnerDrawState state = ItemState(combo, HasFocus(combo));
        state.Include(odComboBoxEdit);
        PrepareItem(canvas, combo, state);
        if (combo.GetItemIndex() >= 0) {
            OwnerDrawItem(combo, canvas, combo.GetItemIndex(), rect, state);
        } else {
            canvas.FillRect(rect);
        }
        if (state.Contains(odFocused)) {
            classic::FocusRect(canvas, rect);
        }
        canvas.Font.Assign(*combo.GetFont());
        return;
    }
    // A drop-down list shows its choice selected while it has the focus.
    bool selected = HasFocus(combo) && combo.GetStyle() == csDropDownList;
    // A drop-down list has no edit part: it shows the chosen item.
    std::string text = combo.GetText();
    if (!combo.HasEditPart() && combo.GetItemIndex() >= 0) {
        text = (*combo.GetItems())[combo.GetItemIndex()];
    }
    ItemText(canvas, text, InflateRect(inner, -1, -1), selected, enabled);
    if (selected) {
        classic::FocusRect(canvas, InflateRect(inner, -1, -1));
    }
}

void PaintMemo(TControl& control, TCanvas& canvas) {
    auto& memo = static_cast<TMemo&>(control);
    TRect inner = Field(memo, canvas);
    canvas.IntersectClipRect(inner);
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | AlignmentFlags(memo.GetAlignment());
    flags |= memo.GetWordWrap() ? DT_WORDBREAK : 0u;
    int lineHeight = std::max(canvas.TextHeight("Wg"), 1);
    // The lines as laid out in a width; wrapped lines count as they show.
    auto lineCount = [&](const TRect& area) {
        TRect measure = InflateRect(area, -2, -1);
        canvas.DrawText(memo.GetText(), measure, flags | DT_CALCRECT);
        return (measure.Height() + lineHeight - 1) / lineHeight;
    };
    TScrollStyle bars = memo.GetScrollBars();
    bool allowed = bars == ssVertical || bars == ssBoth;
    int page = std::max(inner.Height() - 2, 0) / lineHeight;
    int count = lineCount(inner);
    if (allowed && memo.GetWordWrap() && count > page) {
        count = lineCount({inner.Left, inner.Top, inner.Right - kScrollBarSize, inner.Bottom});
    }
    inner = VerticalBar(memo, canvas, inner, count, page, allowed);
    canvas.IntersectClipRect(inner);
    TRect text = InflateRect(inner, -2, -1);
    text.Top -= memo.VertScrollBar()->Position() * lineHeight;
    if (!memo.IsEnabledInParents()) {
        canvas.Font.SetColor(clGrayText);
    }
    canvas.Brush.Style = bsClear;
    canvas.DrawText(memo.GetText(), text, flags);
}

void PaintSpinEdit(TControl& control, TCanvas& canvas) {
    PaintEdit(control, canvas);
    TRect inner = InflateRect(Bounds(control), -2, -2);
    int width = std::min(15, inner.Width());
    int middle = inner.Top + inner.Height() / 2;
    bool enabled = control.IsEnabledInParents();
    canvas.ResetClip();
    canvas.IntersectClipRect(inner);
    classic::ArrowButton(canvas, {inner.Right - width, inner.Top, inner.Right, middle},
                         classic::TArrow::up, false, enabled);
    classic::ArrowButton(canvas, {inner.Right - width, middle, inner.Right, inner.Bottom},
                         classic::TArrow::down, false, enabled);
}

void PaintListView(TControl& control, TCanvas& canvas) {
    auto& list = static_cast<TListView&>(control);
    TRect inner = Field(list, canvas);
    canvas.IntersectClipRect(inner);
    if (list.GetViewStyle() == vsReport) {
        ListReport(list, canvas, inner);
    } else {
        ListSimple(list, canvas, InflateRect(inner, -2, -2));
    }
}

void PaintTreeView(TControl& control, TCanvas& canvas) {
    auto& tree = static_cast<TTreeView&>(control);
    TRect inner = Field(tree, canvas);
    canvas.IntersectClipRect(inner);
    const TCustomImageList* images = tree.GetImages();
    int rowHeight = RowHeight(canvas, images);
    int indent = std::max(tree.GetIndent(), 8);
    bool enabled = tree.IsEnabledInParents();
    bool showSelection = HasFocus(tree) || !tree.GetHideSelection();
    // Nodes in display order; a level's lines start one indent in with ShowRoot.
    int base = tree.GetShowRoot() ? 1 : 0;
    int y = inner.Top + 1;
    auto dotted = [&](int x0, int y0, int x1, int y1) {
        for (int x = x0, yy = y0; x <= x1 && yy <= y1;
             x += x1 > x0 ? 1 : 0, yy += y1 > y0 ? 1 : 0) {
            if (((x + yy) & 1) == 0) {
                canvas.SetPixel(x, yy, clBtnShadow);
            }
            if (x == x1 && yy == y1) {
                break;
            }
        }
    };
    TTreeNodes* nodes = tree.GetItems();
    int shown = 0;
    for (int i = 0; i < nodes->Count(); ++i) {
        shown += nodes->Item(i)->IsVisible() ? 1 : 0;
    }
    inner = VerticalBar(tree, canvas, inner, shown, std::max(inner.Height() - 1, 0) / rowHeight);
    canvas.IntersectClipRect(inner);
    // Nodes above the scroll position are not shown.
    int skip = tree.VertScrollBar()->Position();
    for (int i = 0; i < nodes->Count() && y < inner.Bottom; ++i) {
        TTreeNode* node = nodes->Item(i);
        if (!node->IsVisible() || skip-- > 0) {
            continue;
        }
        int level = node->Level() + base;
        int mid = y + rowHeight / 2;
        int lineX = inner.Left + 2 + (level - 1) * indent + indent / 2;
        if (tree.GetShowLines() && level > 0) {
            dotted(lineX, mid, lineX + indent / 2, mid);
            int upTo = node->GetPrevSibling() != nullptr || node->Level() > 0 ? y : mid;
            dotted(lineX, upTo, lineX, node->GetNextSibling() != nullptr ? y + rowHeight : mid);
            // The lines of ancestors that have siblings still to come.
            int ancestorLevel = level - 1;
            for (TTreeNode* a = node->Parent(); a != nullptr; a = a->Parent(), --ancestorLevel) {
                if (a->GetNextSibling() != nullptr && ancestorLevel > 0) {
                    int ax = inner.Left + 2 + (ancestorLevel - 1) * indent + indent / 2;
                    dotted(ax, y, ax, y + rowHeight);
                }
            }
        }
        if (tree.GetShowButtons() && node->Count() > 0 && level > 0) {
            TRect box{lineX - 4, mid - 4, lineX + 5, mid + 5};
            Fill(canvas, box, clWindow);
            canvas.Brush.Color = clBtnShadow;
            canvas.FrameRect(box);
            Fill(canvas, {lineX - 2, mid, lineX + 3, mid + 1}, clWindowText);
            if (!node->GetExpanded()) {
                Fill(canvas, {lineX, mid - 2, lineX + 1, mid + 3}, clWindowText);
            }
        }
        // A selected node shows its selected image when it has one.
        bool selected = node->GetSelected() && showSelection;
        int image = node->GetSelected() && node->GetSelectedIndex() >= 0 ? node->GetSelectedIndex()
                                                                         : node->GetImageIndex();
        int textLeft = RowImage(canvas, images, image, inner.Left + 2 + level * indent + 2,
                                {0, y, 0, y + rowHeight}, enabled);
        TRect text{textLeft, y, textLeft + canvas.TextWidth(node->GetText()) + 4, y + rowHeight};
        ItemText(canvas, node->GetText(), text, selected, enabled);
        if (node->GetSelected() && HasFocus(tree)) {
            classic::FocusRect(canvas, text);
        }
        y += rowHeight;
    }
}

void PaintGrid(TControl& control, TCanvas& canvas) {
    auto& grid = static_cast<TCustomGrid&>(control);
    TRect inner = Field(grid, canvas);
    canvas.IntersectClipRect(inner);
    // The scrolling rows that fit from the top row on.
    int probeCol = grid.GetFixedCols() > 0 ? 0 : grid.LeftCol();
    int page = 0;
    for (int row = grid.TopRow(); row < grid.GetRowCount(); ++row, ++page) {
        TRect cell = grid.CellRect(probeCol, row);
        if (IsRectEmpty(cell) || inner.Top + cell.Bottom > inner.Bottom) {
            break;
        }
    }
    TScrollStyle bars = grid.GetScrollBars();
    TViewScrollBar& bar = *grid.VertScrollBar();
    bar.SetRange(grid.GetRowCount() - grid.GetFixedRows(), page);
    bar.SetPosition(grid.TopRow() - grid.GetFixedRows());
    inner =
        VerticalBar(grid, canvas, inner, bar.Count(), page, bars == ssVertical || bars == ssBoth);
    canvas.IntersectClipRect(inner);
    auto* strings = As<TStringGrid>(&grid);
    TGridOptions options = grid.GetOptions();
    TGridRect selection = grid.Selection();
    bool enabled = grid.IsEnabledInParents();
    int line = grid.GetGridLineWidth();
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int col = 0; col < grid.GetColCount(); ++col) {
            TRect cell = grid.CellRect(col, row);
            if (IsRectEmpty(cell)) {
                continue;
            }
            cell = OffsetRect(cell, inner.Left, inner.Top);
            std::string text = strings != nullptr ? strings->Cells(col, row) : std::string();
            bool fixed = col < grid.GetFixedCols() || row < grid.GetFixedRows();
            TRect withLines{cell.Left, cell.Top, cell.Right + line, cell.Bottom + line};
            if (fixed) {
                bool vert = options.Contains(goFixedVertLine);
                bool horz = options.Contains(goFixedHorzLine);
                TRect face{cell.Left, cell.Top, cell.Right + (vert ? line : 0),
                           cell.Bottom + (horz ? line : 0)};
                Fill(canvas, face, grid.GetFixedColor());
                if (vert || horz) {
                    face = classic::Bevel(canvas, face, true, 1);
                }
                classic::Text(canvas, text, InflateRect(cell, -2, 0), kCellText, enabled);
                continue;
            }
            bool inSelection = col >= selection.Left && col <= selection.Right &&
                               row >= selection.Top && row <= selection.Bottom;
            bool current = col == grid.GetCol() && row == grid.GetRow();
            // The current cell of a focused grid shows a focus rectangle
            // instead of the highlight, unless it is drawn in row select.
            bool highlight =
                inSelection && (options.Contains(goRowSelect) || !current || !HasFocus(grid) ||
                                options.Contains(goDrawFocusSelected));
            Fill(canvas, cell, grid.GetColor());
            if (options.Contains(goVertLine)) {
                Fill(canvas, {cell.Right, cell.Top, withLines.Right, withLines.Bottom}, clBtnFace);
            }
            if (options.Contains(goHorzLine)) {
                Fill(canvas, {cell.Left, cell.Bottom, withLines.Right, withLines.Bottom},
                     clBtnFace);
            }
            ItemText(canvas, text, cell, highlight && !(current && grid.GetEditorMode()), enabled);
            if (current && HasFocus(grid) && !options.Contains(goRowSelect)) {
                classic::FocusRect(canvas, cell);
            }
        }
    }
}

} // namespace kvc::painting
