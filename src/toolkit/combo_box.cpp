#include "toolkit/combo_box.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/edit.h"

#include <algorithm>
#include <utility>

namespace kvc {

KVC_REGISTER_CLASS(TComboBox) {
    c.Property("Anchors", &TComboBox::GetAnchors, &TComboBox::SetAnchors);
    c.Property("Color", &TComboBox::GetColor, &TComboBox::SetColor);
    c.Property("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount);
    c.Property("Enabled", &TComboBox::GetEnabled, &TComboBox::SetEnabled);
    c.Property("Font", &TComboBox::GetFont, &TComboBox::SetFont);
    c.Property("ItemHeight", &TComboBox::GetItemHeight, &TComboBox::SetItemHeight);
    c.Property("Items", &TComboBox::GetItems, &TComboBox::SetItems);
    c.Property("ItemIndex", &TComboBox::GetItemIndex, &TComboBox::SetItemIndex);
    c.Property("MaxLength", &TComboBox::GetMaxLength, &TComboBox::SetMaxLength);
    c.Property("ParentColor", &TComboBox::GetParentColor, &TComboBox::SetParentColor);
    c.Property("ParentFont", &TComboBox::GetParentFont, &TComboBox::SetParentFont);
    c.Property("ParentShowHint", &TComboBox::GetParentShowHint, &TComboBox::SetParentShowHint);
    c.Property("ShowHint", &TComboBox::GetShowHint, &TComboBox::SetShowHint);
    c.Property("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted);
    c.Property("Style", &TComboBox::GetStyle, &TComboBox::SetStyle);
    c.Property("TabOrder", &TComboBox::GetTabOrder, &TComboBox::SetTabOrder);
    c.Property("TabStop", &TComboBox::GetTabStop, &TComboBox::SetTabStop);
    c.Property("Text", &TComboBox::GetText, &TComboBox::SetText);
    c.Property("Visible", &TComboBox::GetVisible, &TComboBox::SetVisible);
    c.Event("OnChange", &TComboBox::OnChange);
    c.Event("OnClick", &TComboBox::OnClick);
    c.Event("OnDblClick", &TComboBox::OnDblClick);
    c.Event("OnDrawItem", &TComboBox::OnDrawItem);
    c.Event("OnDropDown", &TComboBox::OnDropDown);
    c.Event("OnEnter", &TComboBox::OnEnter);
    c.Event("OnExit", &TComboBox::OnExit);
    c.Event("OnKeyDown", &TComboBox::OnKeyDown);
    c.Event("OnKeyPress", &TComboBox::OnKeyPress);
    c.Event("OnKeyUp", &TComboBox::OnKeyUp);
    c.Event("OnMeasureItem", &TComboBox::OnMeasureItem);
}

TComboBox::TComboBox() : items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

int TComboBox::GetItemIndex() const {
    return itemIndex_ < items_->Count() ? itemIndex_ : -1;
}

void TComboBox::SetItemIndex(int index) {
    if (IsLoading()) {
        loadedItemIndex_ = index;
    }
    SelectIndex(index);
}

void TComboBox::SelectIndex(int index) {
    itemIndex_ = index >= 0 && index < items_->Count() ? index : -1;
    text_ = itemIndex_ >= 0 ? (*items_)[itemIndex_] : std::string();
}

void TComboBox::Loaded() {
    TWinControl::Loaded();
    if (loadedItemIndex_) {
        SelectIndex(*std::exchange(loadedItemIndex_, std::nullopt));
    }
}

void TComboBox::SetItems(const TStringList& items) {
    std::string text = text_;
    *items_ = items;
    if (HasEditPart()) {
        text_ = text;
        MatchText();
    } else {
        SelectIndex(items_->IndexOf(text));
    }
}

void TComboBox::SetText(const std::string& text) {
    if (HasEditPart()) {
        text_ = text;
        MatchText();
    } else {
        SelectIndex(items_->IndexOf(text));
    }
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    style_ = style;
    if (!HasEditPart()) {
        SelectIndex(GetItemIndex());
    }
}

void TComboBox::MatchText() {
    itemIndex_ = items_->IndexOf(text_);
}

void TComboBox::SetDroppedDown(bool value) {
    if (value == droppedDown_) {
        return;
    }
    droppedDown_ = value;
    if (value) {
        OnDropDown(this);
    }
}

void TComboBox::ChooseItem(int index) {
    if (index < 0 || index >= items_->Count()) {
        throw EInvalidOperation("List index out of bounds (" + IntToStr(index) + ")");
    }
    SelectIndex(index);
    textSelected_ = true;
    TDestroyGuard guard(*this);
    TWinControl::Click();
    if (guard.Alive()) {
        OnChange(this);
    }
}

bool TComboBox::WantsKey(Word key, TShiftState) const {
    return key == VK_UP || key == VK_DOWN || (HasEditPart() && (key == VK_LEFT || key == VK_RIGHT));
}

void TComboBox::DoEnter() {
    textSelected_ = true;
    TWinControl::DoEnter();
}

int TComboBox::FindByFirstChar(char32_t ch) const {
    int count = items_->Count();
    std::string wanted = AnsiUpperCase(FromChars(std::u32string(1, ch)));
    for (int step = 1; step <= count; ++step) {
        int i = (GetItemIndex() + step + count) % count;
        std::u32string item = ToChars((*items_)[i]);
        if (!item.empty() && AnsiUpperCase(FromChars(item.substr(0, 1))) == wanted) {
            return i;
        }
    }
    return -1;
}

void TComboBox::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_F4 || (key == VK_DOWN && shift.Contains(ssAlt))) {
        SetDroppedDown(!droppedDown_);
        return;
    }
    int count = items_->Count();
    if ((key == VK_UP || key == VK_DOWN) && count > 0) {
        int index = GetItemIndex();
        int next = key == VK_DOWN ? std::min(index + 1, count - 1) : std::max(index - 1, 0);
        if (next != index) {
            ChooseItem(next);
        }
    }
}

void TComboBox::TypeInEdit(char32_t ch) {
    std::u32string chars = textSelected_ ? std::u32string() : ToChars(text_);
    textSelected_ = false;
    if (ch == 8) {
        if (!chars.empty()) {
            chars.pop_back();
        }
    } else if (maxLength_ <= 0 || int(chars.size()) < maxLength_) {
        chars.push_back(ch);
    }
    std::string text = FromChars(chars);
    if (text != text_) {
        text_ = std::move(text);
        MatchText();
        OnChange(this);
    }
}

void TComboBox::KeyPress(char32_t& ch) {
    if (ch == 13 || ch == 27 || ch == 9) {
        return;
    }
    if (HasEditPart()) {
        if (ch == 8 || ch >= 32) {
            TypeInEdit(ch);
        }
        return;
    }
    if (ch >= 32) {
        if (int index = FindByFirstChar(ch); index >= 0) {
            ChooseItem(index);
        }
    }
}

} // namespace kvc
