#include "controls/db_label.h"

#include "toolkit/class_builder.h"
#include "toolkit/data_set.h"
#include "toolkit/data_source.h"
#include "toolkit/dialogs.h"
#include "toolkit/fields.h"

#include <algorithm>

namespace kvc::controls {

KVC_REGISTER_CLASS(TDBLabel) {
    c.Property("AutoAlign", &TDBLabel::GetAutoAlign, &TDBLabel::SetAutoAlign);
    c.Property("AutoCaption", &TDBLabel::GetAutoCaption, &TDBLabel::SetAutoCaption);
    c.Property("FocusControl", &TDBLabel::GetFocusControl, &TDBLabel::SetFocusControl);
    c.Property("Gap", &TDBLabel::GetGap, &TDBLabel::SetGap);
    c.Property("Pos", &TDBLabel::GetPos, &TDBLabel::SetPos);
}

TDBLabel::TDBLabel() {
    SetCaption("挂靠标签");
}

bool TDBLabel::BelongsToAnother(const TWinControl* control) const {
    const TWinControl* parent = Parent();
    if (parent == nullptr) {
        return false;
    }
    for (int i = 0; i < parent->ComponentCount(); ++i) {
        auto* other = As<TDBLabel>(parent->Components(i));
        if (other != nullptr && other != this && other->GetFocusControl() == control) {
            return true;
        }
    }
    return false;
}

void TDBLabel::SetFocusControl(TWinControl* control) {
    if (control != nullptr && BelongsToAnother(control)) {
        MessageDlg("不能同时有两个 DBLabel 指到同一个 Control.", mtError, {mbOK});
        return;
    }
    TLabel::SetFocusControl(control);
    Refresh();
}

void TDBLabel::SetAutoAlign(bool value) {
    autoAlign_ = value;
    Refresh();
}

void TDBLabel::SetAutoCaption(bool value) {
    autoCaption_ = value;
    Refresh();
}

void TDBLabel::SetPos(TDBLabelPos value) {
    if (value == pos_) {
        return;
    }
    pos_ = value;
    Refresh();
}

void TDBLabel::SetGap(std::uint8_t value) {
    if (value == gap_) {
        return;
    }
    gap_ = value;
    Refresh();
}

void TDBLabel::Refresh() {
    FetchCaption();
    Align();
}

void TDBLabel::FetchCaption() {
    TWinControl* control = GetFocusControl();
    if (!autoCaption_ || control == nullptr) {
        return;
    }
    const TClassInfo& cls = control->ClassType();
    const TPropInfo* sourceProp = cls.FindProperty("DataSource");
    const TPropInfo* fieldProp = cls.FindProperty("DataField");
    if (sourceProp == nullptr || fieldProp == nullptr || !sourceProp->getObject ||
        !fieldProp->getStr) {
        return;
    }
    auto* source = As<TDataSource>(sourceProp->getObject(*control));
    if (source == nullptr || source->GetDataSet() == nullptr) {
        return;
    }
    // A field the data set does not have leaves the caption as it is.
    if (TField* field = source->GetDataSet()->FindField(fieldProp->getStr(*control))) {
        SetCaption(field->GetDisplayLabel());
    }
}

void TDBLabel::Align() {
    const TWinControl* c = GetFocusControl();
    if (!autoAlign_ || c == nullptr) {
        return;
    }
    int width = GetWidth();
    int height = GetHeight();
    int besideTop =
        height == c->GetHeight() ? c->GetTop() : c->GetTop() + c->GetHeight() / 2 - height / 2;
    int left = c->GetLeft();
    int top = c->GetTop();
    switch (pos_) {
    case psTop:
        top = c->GetTop() - height - gap_;
        break;
    case psBottom:
        top = c->GetTop() + c->GetHeight() + gap_;
        break;
    case psLeft:
        left = c->GetLeft() - width - gap_;
        top = besideTop;
        break;
    case psRight:
        left = c->GetLeft() + c->GetWidth() + gap_;
        top = besideTop;
        break;
    }
    SetBounds(std::max(left, 0), std::max(top, 0), width, height);
}

} // namespace kvc::controls
