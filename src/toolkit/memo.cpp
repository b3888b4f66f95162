#include "toolkit/memo.h"

#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TMemo) {
    c.Property("Align", &TMemo::GetAlign, &TMemo::SetAlign);
    c.Property("Alignment", &TMemo::GetAlignment, &TMemo::SetAlignment);
    c.Property("Anchors", &TMemo::GetAnchors, &TMemo::SetAnchors);
    c.Property("Color", &TMemo::GetColor, &TMemo::SetColor);
    c.Property("Enabled", &TMemo::GetEnabled, &TMemo::SetEnabled);
    c.Property("Font", &TMemo::GetFont, &TMemo::SetFont);
    c.Property("Lines", &TMemo::GetLines, &TMemo::SetLines);
    c.Property("MaxLength", &TMemo::GetMaxLength, &TMemo::SetMaxLength);
    c.Property("ParentColor", &TMemo::GetParentColor, &TMemo::SetParentColor);
    c.Property("ParentFont", &TMemo::GetParentFont, &TMemo::SetParentFont);
    c.Property("ParentShowHint", &TMemo::GetParentShowHint, &TMemo::SetParentShowHint);
    c.Property("ReadOnly", &TMemo::GetReadOnly, &TMemo::SetReadOnly);
    c.Property("ScrollBars", &TMemo::GetScrollBars, &TMemo::SetScrollBars);
    c.Property("ShowHint", &TMemo::GetShowHint, &TMemo::SetShowHint);
    c.Property("TabOrder", &TMemo::GetTabOrder, &TMemo::SetTabOrder);
    c.Property("TabStop", &TMemo::GetTabStop, &TMemo::SetTabStop);
    c.Property("Visible", &TMemo::GetVisible, &TMemo::SetVisible);
    c.Property("WantReturns", &TMemo::GetWantReturns, &TMemo::SetWantReturns);
    c.Property("WantTabs", &TMemo::GetWantTabs, &TMemo::SetWantTabs);
    c.Property("WordWrap", &TMemo::GetWordWrap, &TMemo::SetWordWrap);
    c.Event("OnChange", &TMemo::OnChange);
    c.Event("OnClick", &TMemo::OnClick);
    c.Event("OnDblClick", &TMemo::OnDblClick);
    c.Event("OnEnter", &TMemo::OnEnter);
    c.Event("OnExit", &TMemo::OnExit);
    c.Event("OnKeyDown", &TMemo::OnKeyDown);
    c.Event("OnKeyPress", &TMemo::OnKeyPress);
    c.Event("OnKeyUp", &TMemo::OnKeyUp);
    c.Event("OnMouseDown", &TMemo::OnMouseDown);
    c.Event("OnMouseUp", &TMemo::OnMouseUp);
}

TMemo::TMemo() : lines_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    SetTabStop(true);
}

std::string TMemo::GetText() const {
    std::string text = lines_->Text();
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    }
    return text;
}

void TMemo::SetText(const std::string& text) {
    if (text == GetText()) {
        return;
    }
    lines_->SetText(text);
    caretLine_ = 0;
    caretColumn_ = 0;
    Changed();
}

void TMemo::SetLines(const TStringList& lines) {
    SetText(lines.Text());
}

void TMemo::Loaded() {
    TWinControl::Loaded();
    text_ = GetText();
}

void TMemo::Changed() {
    text_ = GetText();
    OnChange(this);
}

std::u32string TMemo::Line(int index) const {
    return index < lines_->Count() ? ToChars((*lines_)[index]) : std::u32string();
}

void TMemo::PutLine(int index, const std::u32string& chars) {
    while (lines_->Count() <= index) {
        lines_->Add("");
    }
    lines_->Put(index, FromChars(chars));
}

int TMemo::TextLength() const {
    return int(ToChars(GetText()).size());
}

void TMemo::SetCaretPos(int line, int column) {
    caretLine_ = std::clamp(line, 0, std::max(0, lines_->Count() - 1));
    caretColumn_ = std::clamp(column, 0, int(Line(caretLine_).size()));
}

bool TMemo::WantsKey(Word key, TShiftState shift) const {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_RETURN:
        return wantReturns_;
    case VK_TAB:
        return wantTabs_ && !shift.Contains(ssCtrl);
    default:
        return false;
    }
}

void TMemo::Insert(char32_t ch) {
    if (maxLength_ > 0 && TextLength() >= maxLength_) {
        return;
    }
    std::u32string line = Line(caretLine_);
    line.insert(std::size_t(caretColumn_), 1, ch);
    PutLine(caretLine_, line);
    ++caretColumn_;
    Changed();
}

void TMemo::BreakLine() {
    // A line break counts two characters, CR and LF.
    if (maxLength_ > 0 && TextLength() + 2 > maxLength_) {
        return;
    }
    std::u32string line = Line(caretLine_);
    PutLine(caretLine_, line.substr(0, std::size_t(caretColumn_)));
    lines_->Insert(caretLine_ + 1, FromChars(line.substr(std::size_t(caretColumn_))));
    ++caretLine_;
    caretColumn_ = 0;
    Changed();
}

void TMemo::DeleteBefore() {
    if (caretColumn_ > 0) {
        std::u32string line = Line(caretLine_);
        line.erase(std::size_t(caretColumn_ - 1), 1);
        PutLine(caretLine_, line);
        --caretColumn_;
        Changed();
    } else if (caretLine_ > 0) {
        std::u32string previous = Line(caretLine_ - 1);
        PutLine(caretLine_ - 1, previous + Line(caretLine_));
        lines_->Delete(caretLine_);
        --caretLine_;
        caretColumn_ = int(previous.size());
        Changed();
    }
}

void TMemo::DeleteAt() {
    std::u32string line = Line(caretLine_);
    if (caretColumn_ < int(line.size())) {
        line.erase(std::size_t(caretColumn_), 1);
        PutLine(caretLine_, line);
        Changed();
    } else if (caretLine_ + 1 < lines_->Count()) {
        PutLine(caretLine_, line + Line(caretLine_ + 1));
        lines_->Delete(caretLine_ + 1);
        Changed();
    }
}

void TMemo::KeyDown(Word& key, TShiftState) {
    int length = int(Line(caretLine_).size());
    switch (key) {
    case VK_LEFT:
        if (caretColumn_ > 0) {
            --caretColumn_;
        } else if (caretLine_ > 0) {
            --caretLine_;
            caretColumn_ = int(Line(caretLine_).size());
        }
        break;
    case VK_RIGHT:
        if (caretColumn_ < length) {
            ++caretColumn_;
        } else if (caretLine_ + 1 < lines_->Count()) {
            ++caretLine_;
            caretColumn_ = 0;
        }
        break;
    case VK_UP:
        SetCaretPos(caretLine_ - 1, caretColumn_);
        break;
    case VK_DOWN:
        SetCaretPos(caretLine_ + 1, caretColumn_);
        break;
    case VK_HOME:
        caretColumn_ = 0;
        break;
    case VK_END:
        caretColumn_ = length;
        break;
    case VK_DELETE:
        if (!readOnly_) {
            DeleteAt();
        }
        break;
    default:
        break;
    }
}

void TMemo::KeyPress(char32_t& ch) {
    if (readOnly_) {
        return;
    }
    if (ch == U'\r') {
        if (wantReturns_) {
            BreakLine();
        }
    } else if (ch == 8) {
        DeleteBefore();
    } else if (ch == U'\t') {
        if (wantTabs_) {
            Insert(ch);
        }
    } else if (ch >= 32) {
        Insert(ch);
    }
}

} // namespace kvc
