// The panel's list and its parts: the type check box and the edits.
#include "controls/select_panel.h"
#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/graphics/canvas.h"

#include <algorithm>
#include <exception>

namespace kvc::controls {

KVC_REGISTER_CLASS(TSelCheckBox) {}

void TSelCheckBox::Click() {
    TDestroyGuard guard(*this);
    TBitCheckBox::Click();
    if (!guard.Alive()) {
        return;
    }
    if (auto* panel = As<TSelectPanel>(Parent())) {
        panel->TypeClicked();
    }
}

KVC_REGISTER_CLASS(TSelMaskEdit) {}

void TSelMaskEdit::Change() {
    if (!noChange_) {
        TMaskEdit::Change();
    }
}

KVC_REGISTER_CLASS(TSelListView) {
    c.Property("ColumnsAutoSize", &TSelListView::GetColumnsAutoSize,
               &TSelListView::SetColumnsAutoSize);
}

namespace {

// A text's length as the double-byte code pages of the forms count it: one
// for an ASCII character, two for any other (a Chinese character is two
// bytes in GBK and Big5). The widths are made for that count: one wide
// letter per byte leaves a Chinese character the room of two letters.
int TextLength(const std::string& text) {
    int length = 0;
    for (unsigned char byte : text) {
        if (byte < 0x80) {
            ++length;
        } else if ((byte & 0xC0) != 0x80) {
            length += 2; // the lead byte of a character beyond ASCII
        }
    }
    return length;
}

std::string FontKey(const TFont& font) {
    return font.GetName() + '\n' + std::to_string(font.GetHeight()) + '\n' +
           std::to_string(font.GetStyle().Bits());
}

// Column k's text of a row: the caption for 0, sub-item k - 1 otherwise.
const std::string* ColumnText(const TListItem& item, int k) {
    if (k == 0) {
        return &item.GetCaption();
    }
    return k - 1 < item.SubItems()->Count() ? &(*item.SubItems())[k - 1] : nullptr;
}

} // namespace

int TSelListView::WideLetterWidth() {
    // Measuring through the font engine costs far more than an append, so
    // the width is kept until the font changes.
    std::string key = FontKey(*GetFont());
    if (key != wFontKey_) {
        TBitmap bitmap(1, 1);
        TCanvas canvas(bitmap);
        canvas.Font.Assign(*GetFont());
        wWidth_ = canvas.TextWidth("W");
        wFontKey_ = std::move(key);
    }
    return wWidth_;
}

void TSelListView::SetCheckDuplicate(TCheckDuplicate value) {
    if (value != checkDuplicate_) {
        stats_.dupFree = false;
    }
    checkDuplicate_ = value;
}

bool TSelListView::SameCaption(const TListItem& a, const TListItem& b) const {
    if (checkDuplicate_ == cd_CaseInsensitive) {
        return AnsiUpperCase(a.GetCaption()) == AnsiUpperCase(b.GetCaption());
    }
    return a.GetCaption() == b.GetCaption();
}

void TSelListView::NoteRow(const TListItem& item) {
    int columns = std::max(GetColumns()->Count(), item.SubItems()->Count() + 1);
    if (int(stats_.maxChars.size()) < columns) {
        stats_.maxChars.resize(std::size_t(columns), 0);
    }
    for (int k = 0; k < columns; ++k) {
        if (const std::string* text = ColumnText(item, k)) {
            stats_.maxChars[std::size_t(k)] =
                std::max(stats_.maxChars[std::size_t(k)], TextLength(*text));
        }
    }
    stats_.maxSubItems = std::max(stats_.maxSubItems, item.SubItems()->Count());
}

void TSelListView::RebuildStats() {
    stats_ = RowStats{};
    stats_.rows = Items().Count();
    for (int i = 0; i < Items().Count(); ++i) {
        NoteRow(*Items()[i]);
    }
}

void TSelListView::PadRows(int from) {
    for (int i = from; i < Items().Count(); ++i) {
        TStringList& subItems = *Items()[i]->SubItems();
        while (subItems.Count() < stats_.maxSubItems) {
            subItems.Add("");
        }
    }
}

void TSelListView::RemoveDuplicates() {
    if (checkDuplicate_ == cd_None) {
        return;
    }
    for (int i = Items().Count() - 1; i >= 1; --i) {
        if (SameCaption(*Items()[i], *Items()[i - 1])) {
            Items().Delete(i);
        }
    }
    RebuildStats();
    stats_.dupFree = true;
}

void TSelListView::RemoveDuplicatesAround(int index) {
    // Only the new row can equal a neighbour, so the whole pass would delete
    // nothing but at index + 1 (comparing with the new row) or at index.
    bool removed = false;
    for (int i = std::min(index + 1, Items().Count() - 1); i >= std::max(index, 1); --i) {
        if (SameCaption(*Items()[i], *Items()[i - 1])) {
            Items().Delete(i);
            removed = true;
        }
    }
    if (removed) {
        RebuildStats();
        stats_.dupFree = true;
    }
}

void TSelListView::ApplyWidths() {
    int w = WideLetterWidth();
    TListColumns& columns = *GetColumns();
    for (int k = 0; k < columns.Count(); ++k) {
        int chars = TextLength(columns[k]->GetCaption());
        if (k < int(stats_.maxChars.size())) {
            chars = std::max(chars, stats_.maxChars[std::size_t(k)]);
        }
        columns[k]->SetWidth(w * chars);
    }
}

void TSelListView::SizeColumns() {
    if (stats_.rows != Items().Count()) {
        RebuildStats();
    }
    ApplyWidths();
}

bool TSelListView::AddRow(const std::vector<std::string>& values) {
    if (values.empty()) {
        return false;
    }
    try {
        if (stats_.rows != Items().Count()) {
            RebuildStats();
        }
        TListColumns& columns = *GetColumns();
        while (columns.Count() < int(values.size())) {
            columns.Add()->SetCaption("Data" + IntToStr(columns.Count()));
        }
        TListItem* item = Items().Add();
        for (std::size_t i = 1; i < values.size(); ++i) {
            item->SubItems()->Add(values[i]);
        }
        // Last, so that a sorted list places the row with its sub-items known.
        item->SetCaption(values[0]);
        int before = stats_.maxSubItems;
        NoteRow(*item);
        stats_.rows = Items().Count();
        if (stats_.maxSubItems > before) {
            PadRows(0);
        } else {
            TStringList& subItems = *item->SubItems();
            while (subItems.Count() < stats_.maxSubItems) {
                subItems.Add("");
            }
        }
        if (checkDuplicate_ != cd_None) {
            if (stats_.dupFree) {
                RemoveDuplicatesAround(Items().IndexOf(item));
            } else {
                RemoveDuplicates();
            }
        }
        if (columnsAutoSize_) {
            ApplyWidths();
        }
        return true;
    } catch (const std::exception&) {
        // A failed append answers false; the rows added so far stay.
        RowsRearranged();
        return false;
    }
}

} // namespace kvc::controls
