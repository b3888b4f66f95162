#include "controls/kv_edits.h"

#include "toolkit/class_builder.h"
#include "toolkit/data_set.h"
#include "toolkit/fields.h"

namespace kvc::controls {

TPoint AttachedLabelOrigin(const TRect& edit, int labelWidth, int labelHeight,
                           TLabelPosition position, int spacing) {
    int besideTop = edit.Top + (edit.Height() - labelHeight) / 2;
    switch (position) {
    case lpAbove:
        return {edit.Left, edit.Top - labelHeight - spacing};
    case lpBelow:
        return {edit.Left, edit.Bottom + spacing};
    case lpRight:
        return {edit.Right + spacing, besideTop};
    case lpLeft:
        break;
    }
    return {edit.Left - labelWidth - spacing, besideTop};
}

namespace {

// The size an auto-sized label takes for its caption in its font.
void FitLabel(TLabel& label) {
    if (!label.GetAutoSize()) {
        return;
    }
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(*label.GetFont());
    TSize size = canvas.TextExtent(label.GetCaption());
    label.SetBounds(label.GetLeft(), label.GetTop(), size.cx, size.cy);
}

} // namespace

template <class Edit> TLabeledEdit<Edit>::TLabeledEdit() {
    TLabel* label = Create<TLabel>(this);
    label->SetName("EditLabel");
    label->SetCaption("");
    label->SetFocusControl(this);
    label_.Reset(label);
    PlaceLabel();
}

template <class Edit> const std::string& TLabeledEdit<Edit>::GetLabelCaption() const {
    static const std::string none;
    return label_ ? label_->GetCaption() : none;
}

template <class Edit> void TLabeledEdit<Edit>::SetLabelCaption(const std::string& caption) {
    if (!label_) {
        return;
    }
    label_->SetCaption(caption);
    FitLabel(*label_.Get());
    PlaceLabel();
}

template <class Edit> void TLabeledEdit<Edit>::SetLabelPosition(TLabelPosition value) {
    position_ = value;
    PlaceLabel();
}

template <class Edit> void TLabeledEdit<Edit>::SetLabelSpacing(int value) {
    if (value < 0) {
        return;
    }
    spacing_ = value;
    PlaceLabel();
}

template <class Edit> void TLabeledEdit<Edit>::SetBounds(int left, int top, int width, int height) {
    Edit::SetBounds(left, top, width, height);
    PlaceLabel();
}

template <class Edit> void TLabeledEdit<Edit>::SetParent(TWinControl* parent) {
    Edit::SetParent(parent);
    if (label_) {
        label_->SetParent(parent);
        PlaceLabel();
    }
}

template <class Edit> void TLabeledEdit<Edit>::VisibleChanged() {
    Edit::VisibleChanged();
    if (label_) {
        label_->SetVisible(this->GetVisible());
    }
}

template <class Edit> void TLabeledEdit<Edit>::EnabledChanged() {
    Edit::EnabledChanged();
    if (label_) {
        label_->SetEnabled(this->GetEnabled());
    }
}

template <class Edit> void TLabeledEdit<Edit>::PlaceLabel() {
    TLabel* label = label_.Get();
    if (label == nullptr) {
        return;
    }
    TPoint at = AttachedLabelOrigin(this->BoundsRect(), label->GetWidth(), label->GetHeight(),
                                    position_, spacing_);
    label->SetBounds(at.X, at.Y, label->GetWidth(), label->GetHeight());
}

template class TLabeledEdit<TEdit>;
template class TLabeledEdit<TDBEdit>;

KVC_REGISTER_CLASS(TKvEdit) {
    c.Property("Caption", &TKvEdit::GetLabelCaption, &TKvEdit::SetLabelCaption);
    c.Property("LabelPosition", &TKvEdit::GetLabelPosition, &TKvEdit::SetLabelPosition);
    c.Property("LabelSpacing", &TKvEdit::GetLabelSpacing, &TKvEdit::SetLabelSpacing);
}

KVC_REGISTER_CLASS(TKvDBEdit) {
    c.Property("Caption", &TKvDBEdit::GetLabelCaption, &TKvDBEdit::SetLabelCaption);
    c.Property("DataField", &TKvDBEdit::GetDataField, &TKvDBEdit::SetDataField);
    c.Property("LabelPosition", &TKvDBEdit::GetLabelPosition, &TKvDBEdit::SetLabelPosition);
    c.Property("LabelSpacing", &TKvDBEdit::GetLabelSpacing, &TKvDBEdit::SetLabelSpacing);
}

void TKvDBEdit::SetDataField(const std::string& name) {
    TDBEdit::SetDataField(name);
    if (!ComponentState().Contains(csDesigning) || GetDataSource() == nullptr ||
        GetDataSource()->GetDataSet() == nullptr) {
        return;
    }
    if (TField* field = GetDataSource()->GetDataSet()->FindField(name)) {
        SetLabelCaption(field->GetDisplayLabel());
    }
}

KVC_REGISTER_CLASS(TKvBtnDBEdit) {
    c.Property("ButtonHint", &TKvBtnDBEdit::GetButtonHint, &TKvBtnDBEdit::SetButtonHint);
    c.Property("ButtonSpacing", &TKvBtnDBEdit::GetButtonSpacing, &TKvBtnDBEdit::SetButtonSpacing);
    c.Property("GlyphIndex", &TKvBtnDBEdit::GetGlyphIndex, &TKvBtnDBEdit::SetGlyphIndex);
    c.Event("OnDialog", &TKvBtnDBEdit::OnDialog);
    KVC_METHOD(ButtonClick);
}

TKvBtnDBEdit::TKvBtnDBEdit() {
    TGSpeedButton* button = Create<TGSpeedButton>(this);
    button->SetName("F2Button");
    button->SetFlat(true);
    button->SetGlyphIndex(8);
    button->OnClick = TNotifyEvent::Bind<&TKvBtnDBEdit::ButtonClick>(this);
    button_.Reset(button);
    PlaceButton();
}

void TKvBtnDBEdit::SetButtonSpacing(int value) {
    buttonSpacing_ = value;
    PlaceButton();
}

int TKvBtnDBEdit::GetGlyphIndex() const {
    return button_ ? button_->GetGlyphIndex() : 0;
}

void TKvBtnDBEdit::SetGlyphIndex(int value) {
    if (button_) {
        button_->SetGlyphIndex(value);
    }
}

const std::string& TKvBtnDBEdit::GetButtonHint() const {
    static const std::string none;
    return button_ ? button_->GetHint() : none;
}

void TKvBtnDBEdit::SetButtonHint(const std::string& hint) {
    if (button_) {
        button_->SetHint(hint);
    }
}

void TKvBtnDBEdit::SetBounds(int left, int top, int width, int height) {
    TKvDBEdit::SetBounds(left, top, width, height);
    PlaceButton();
}

void TKvBtnDBEdit::SetParent(TWinControl* parent) {
    TKvDBEdit::SetParent(parent);
    if (button_) {
        button_->SetParent(parent);
    }
}

void TKvBtnDBEdit::VisibleChanged() {
    TKvDBEdit::VisibleChanged();
    if (button_) {
        button_->SetVisible(GetVisible());
    }
}

void TKvBtnDBEdit::EnabledChanged() {
    TKvDBEdit::EnabledChanged();
    if (button_) {
        button_->SetEnabled(GetEnabled());
    }
}

void TKvBtnDBEdit::PlaceButton() {
    if (button_) {
        button_->SetBounds(GetLeft() + GetWidth() + buttonSpacing_, GetTop(), GetHeight(),
                           GetHeight());
    }
}

void TKvBtnDBEdit::ButtonClick(TObject*) {
    if (OnDialog) {
        OnDialog(this);
        return;
    }
    TDestroyGuard guard(*this);
    if (CanFocus()) {
        SetFocus();
    }
    if (guard.Alive() && Focused()) {
        SendLookupRequest(*this);
    }
}

} // namespace kvc::controls
