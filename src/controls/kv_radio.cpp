#include "controls/kv_radio.h"

#include "toolkit/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/paint/classic_painter.h"
#include "toolkit/paint/painter_helpers.h"

#include <algorithm>

namespace kvc::controls {

KVC_REGISTER_CLASS(TKvRadioButton) {
    c.Property("Alignment", &TKvRadioButton::GetAlignment, &TKvRadioButton::SetAlignment);
    c.Property("Anchors", &TKvRadioButton::GetAnchors, &TKvRadioButton::SetAnchors);
    c.Property("Caption", &TKvRadioButton::GetCaption, &TKvRadioButton::SetCaption);
    c.Property("Checked", &TKvRadioButton::GetChecked, &TKvRadioButton::SetChecked);
    c.Property("Color", &TKvRadioButton::GetColor, &TKvRadioButton::SetColor);
    c.Property("Enabled", &TKvRadioButton::GetEnabled, &TKvRadioButton::SetEnabled);
    c.Property("Font", &TKvRadioButton::GetFont, &TKvRadioButton::SetFont);
    c.Property("ParentColor", &TKvRadioButton::GetParentColor, &TKvRadioButton::SetParentColor);
    c.Property("ParentFont", &TKvRadioButton::GetParentFont, &TKvRadioButton::SetParentFont);
    c.Property("ParentShowHint", &TKvRadioButton::GetParentShowHint,
               &TKvRadioButton::SetParentShowHint);
    c.Property("ShowHint", &TKvRadioButton::GetShowHint, &TKvRadioButton::SetShowHint);
    c.Property("TabOrder", &TKvRadioButton::GetTabOrder, &TKvRadioButton::SetTabOrder);
    c.Property("TabStop", &TKvRadioButton::GetTabStop, &TKvRadioButton::SetTabStop);
    c.Property("Visible", &TKvRadioButton::GetVisible, &TKvRadioButton::SetVisible);
    c.Event("OnClick", &TKvRadioButton::OnClick);
    c.Event("OnDblClick", &TKvRadioButton::OnDblClick);
    c.Event("OnEnter", &TKvRadioButton::OnEnter);
    c.Event("OnExit", &TKvRadioButton::OnExit);
    c.Event("OnKeyDown", &TKvRadioButton::OnKeyDown);
    c.Event("OnKeyPress", &TKvRadioButton::OnKeyPress);
    c.Event("OnKeyUp", &TKvRadioButton::OnKeyUp);
    c.Event("OnMouseDown", &TKvRadioButton::OnMouseDown);
    c.Event("OnMouseUp", &TKvRadioButton::OnMouseUp);
}

TKvRadioButton::TKvRadioButton() {
    SetBounds(0, 0, 113, 17);
}

int RadioCaptionOffset(int points) {
    struct Step {
        int upTo;
        int offset;
    };
    static constexpr Step kSteps[] = {{8, 17},  {15, 19}, {17, 20}, {23, 21}, {29, 23},
                                      {35, 25}, {41, 27}, {43, 29}, {60, 31}, {80, 39}};
    if (points < 1) {
        return 44;
    }
    for (const Step& step : kSteps) {
        if (points <= step.upTo) {
            return step.offset;
        }
    }
    return 44;
}

void TKvRadioButton::SetChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    SetTabStop(checked);
    Invalidate();
    if (!checked) {
        return;
    }
    TurnSiblingsOff();
    if (!clicksDisabled_ && !IsLoading()) {
        CheckedClick();
    }
}

void TKvRadioButton::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TKvRadioButton::TurnSiblingsOff() {
    if (Parent() == nullptr) {
        return;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* sibling = As<TKvRadioButton>(Parent()->Controls(i));
        if (sibling != nullptr && sibling != this) {
            sibling->SetChecked(false);
        }
    }
}

void TKvRadioButton::CheckedClick() {
    inherited::Click();
}

void TKvRadioButton::Click() {
    SetChecked(true);
}

void TKvRadioButton::EnabledChanged() {
    inherited::EnabledChanged();
    Invalidate();
}

namespace {

// The classic radio button, then the caption area painted again by the
// control: from the offset for its font size, in its own font.
void PaintKvRadioButton(TControl& control, TCanvas& canvas) {
    using painting::Fill;
    auto& radio = static_cast<TKvRadioButton&>(control);
    TRect r = painting::Bounds(radio);
    bool enabled = radio.IsEnabledInParents();
    bool glyphLeft = radio.GetAlignment() == taRightJustify;
    Fill(canvas, r, radio.GetColor());
    constexpr int kDot = 12;
    classic::RadioButton(canvas, {glyphLeft ? 0 : r.Right - kDot, (r.Height() - kDot) / 2},
                         radio.GetChecked(), enabled);

    int offset = RadioCaptionOffset(radio.GetFont()->GetSize());
    // With the glyph at the right the caption area is mirrored.
    TRect area = glyphLeft ? TRect{offset - 4, r.Top - 4, r.Right + 4, r.Bottom + 4}
                           : TRect{r.Left - 4, r.Top - 4, r.Right - offset + 4, r.Bottom + 4};
    Fill(canvas, area, radio.GetColor());
    TRect text = glyphLeft ? TRect{offset, r.Top, r.Right, r.Bottom}
                           : TRect{r.Left, r.Top, r.Right - offset, r.Bottom};
    classic::Text(canvas, radio.GetCaption(), text, DT_SINGLELINE | DT_VCENTER, enabled);
    if (painting::HasFocus(radio)) {
        TRect extent = text;
        canvas.DrawText(radio.GetCaption(), extent, DT_SINGLELINE | DT_CALCRECT);
        int top = text.Top + (text.Height() - extent.Height()) / 2;
        classic::FocusRect(canvas,
                           IntersectRect({text.Left - 1, top - 1, text.Left + extent.Width() + 1,
                                          top + extent.Height() + 1},
                                         r));
    }
}

[[maybe_unused]] const bool kPainterRegistered =
    (RegisterPainter(TKvRadioButton::StaticClassInfo(), &PaintKvRadioButton), true);

} // namespace

KVC_REGISTER_CLASS(TKvGroupButton) {}

TKvRadioGroup* TKvGroupButton::Group() const {
    return As<TKvRadioGroup>(Parent());
}

void TKvGroupButton::CheckedClick() {
    if (TKvRadioGroup* group = Group()) {
        group->ButtonChosen(*this);
    }
}

void TKvGroupButton::KeyDown(Word& key, TShiftState shift) {
    if (TKvRadioGroup* group = Group()) {
        group->ButtonKeyDown(key, shift);
    }
    TKvRadioButton::KeyDown(key, shift);
}

void TKvGroupButton::KeyPress(char32_t& ch) {
    if (TKvRadioGroup* group = Group()) {
        group->ButtonKeyPress(ch);
    }
    if (ch != 0) {
        TKvRadioButton::KeyPress(ch);
    }
}

KVC_REGISTER_CLASS(TKvRadioGroup) {
    c.Property("Columns", &TKvRadioGroup::GetColumns, &TKvRadioGroup::SetColumns);
    c.Property("ItemIndex", &TKvRadioGroup::GetItemIndex, &TKvRadioGroup::SetItemIndex);
    c.Property("Items", &TKvRadioGroup::GetItems, &TKvRadioGroup::SetItems);
    c.Event("OnClick", &TKvRadioGroup::OnClick);
}

TKvRadioGroup::TKvRadioGroup() : items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 185, 105);
}

TKvRadioGroup::~TKvRadioGroup() = default;

void TKvRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == columns_) {
        return;
    }
    columns_ = value;
    ArrangeButtons();
}

void TKvRadioGroup::SetItems(const TStringList& items) {
    *items_ = items;
    ItemsChanged();
}

void TKvRadioGroup::ItemsChanged() {
    if (!IsLoading()) {
        itemIndex_ = std::min(itemIndex_, items_->Count() - 1);
    }
    UpdateButtons();
}

void TKvRadioGroup::SetItemIndex(int value) {
    if (IsLoading()) {
        // The items may not have been read yet.
        itemIndex_ = value;
        return;
    }
    value = std::clamp(value, -1, items_->Count() - 1);
    if (value == itemIndex_) {
        return;
    }
    if (itemIndex_ >= 0 && itemIndex_ < ButtonCount()) {
        Buttons(itemIndex_)->SetChecked(false);
    }
    itemIndex_ = value;
    CheckItemButton();
}

void TKvRadioGroup::CheckItemButton() {
    if (itemIndex_ < 0 || itemIndex_ >= ButtonCount()) {
        return;
    }
    TKvGroupButton* button = Buttons(itemIndex_);
    button->SetClicksDisabled(true);
    button->SetChecked(true);
    button->SetClicksDisabled(false);
}

void TKvRadioGroup::UpdateButtons() {
    while (ButtonCount() > items_->Count()) {
        buttons_.back()->Free();
    }
    while (ButtonCount() < items_->Count()) {
        TKvGroupButton* button = Create<TKvGroupButton>(this);
        button->SetVisible(false);
        button->SetEnabled(GetEnabled());
        button->SetParent(this);
        buttons_.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        Buttons(i)->SetCaption((*items_)[i]);
    }
    CheckItemButton();
    ArrangeButtons();
}

void TKvRadioGroup::ArrangeButtons() {
    if (buttons_.empty() || IsLoading()) {
        return;
    }
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(*GetFont());
    int textHeight = canvas.TextHeight("0");
    int n = ButtonCount();
    int rows = (n + columns_ - 1) / columns_;
    int room = GetHeight() - textHeight - 5;
    int buttonWidth = (GetWidth() - 10) / columns_;
    int buttonHeight = room / rows;
    int topMargin = (room % rows) / 2 + textHeight + 1;
    for (int i = 0; i < n; ++i) {
        TKvGroupButton* button = Buttons(i);
        button->SetBounds((i / rows) * buttonWidth + 8, (i % rows) * buttonHeight + topMargin,
                          buttonWidth, buttonHeight);
        button->SetVisible(true);
    }
}

void TKvRadioGroup::SetBounds(int left, int top, int width, int height) {
    TGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TKvRadioGroup::Loaded() {
    TGroupBox::Loaded();
    itemIndex_ = std::clamp(itemIndex_, -1, items_->Count() - 1);
    CheckItemButton();
    ArrangeButtons();
}

void TKvRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TKvRadioGroup::EnabledChanged() {
    TGroupBox::EnabledChanged();
    for (TKvGroupButton* button : buttons_) {
        button->SetEnabled(GetEnabled());
    }
}

void TKvRadioGroup::Notification(TComponent* component, TOperation operation) {
    TGroupBox::Notification(component, operation);
    if (operation == opRemove) {
        std::erase(buttons_, component);
    }
}

void TKvRadioGroup::ButtonChosen(TKvGroupButton& button) {
    auto it = std::find(buttons_.begin(), buttons_.end(), &button);
    if (it == buttons_.end()) {
        return;
    }
    itemIndex_ = int(it - buttons_.begin());
    Click();
}

void TKvRadioGroup::ButtonKeyDown(Word& key, TShiftState shift) {
    OnKeyDown(this, key, shift);
    if (key != 0) {
        KeyDown(key, shift);
    }
}

void TKvRadioGroup::ButtonKeyPress(char32_t& ch) {
    OnKeyPress(this, ch);
    if (ch != 0) {
        KeyPress(ch);
    }
}

} // namespace kvc::controls
