// Edits with an attached label: TKvEdit (a plain edit), TKvDBEdit (a
// data-aware edit) and TKvBtnDBEdit (a data-aware edit with a lookup button
// at its right). The label, "EditLabel", and the button, "F2Button", belong
// to the edit and sit on the edit's parent; they follow its parent, Enabled
// and Visible, and move with it.
#pragma once

#include "controls/glyph_buttons.h"
#include "toolkit/db_controls.h"
#include "toolkit/edit.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/label.h"

namespace kvc::controls {

KVC_ENUM(TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight);

// The top-left corner of a label of the given size attached to an edit.
TPoint AttachedLabelOrigin(const TRect& edit, int labelWidth, int labelHeight,
                           TLabelPosition position, int spacing);

// What the three edits share; Edit is the toolkit edit they build on.
template <class Edit> class TLabeledEdit : public Edit {
public:
    TLabeledEdit();

    TLabel* EditLabel() const { return label_.Get(); }
    const std::string& GetLabelCaption() const;
    void SetLabelCaption(const std::string& caption);
    TLabelPosition GetLabelPosition() const { return position_; }
    void SetLabelPosition(TLabelPosition value);
    int GetLabelSpacing() const { return spacing_; }
    // A negative spacing is ignored.
    void SetLabelSpacing(int value);

    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    void PlaceLabel();

    TWeakRef<TLabel> label_;
    TLabelPosition position_ = lpLeft;
    int spacing_ = 4;
};

extern template class TLabeledEdit<TEdit>;
extern template class TLabeledEdit<TDBEdit>;

class TKvEdit : public TLabeledEdit<TEdit> {
    KVC_CLASS(TKvEdit, TLabeledEdit<TEdit>)
};

class TKvDBEdit : public TLabeledEdit<TDBEdit> {
    KVC_CLASS(TKvDBEdit, TLabeledEdit<TDBEdit>)
public:
    // While the form is being designed, the field's display label becomes
    // the caption.
    void SetDataField(const std::string& name);
};

class TKvBtnDBEdit : public TKvDBEdit {
    KVC_CLASS(TKvBtnDBEdit, TKvDBEdit)
public:
    TKvBtnDBEdit();

    TGSpeedButton* Button() const { return button_.Get(); }
    int GetButtonSpacing() const { return buttonSpacing_; }
    void SetButtonSpacing(int value);
    int GetGlyphIndex() const;
    void SetGlyphIndex(int value);
    const std::string& GetButtonHint() const;
    void SetButtonHint(const std::string& hint);

    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;

    // OnDialog when assigned; otherwise the edit takes the focus and, when
    // it has it, asks its form for the lookup of its value.
    void ButtonClick(TObject* sender);

    TNotifyEvent OnDialog;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    void PlaceButton();

    TWeakRef<TGSpeedButton> button_;
    int buttonSpacing_ = 2;
};

} // namespace kvc::controls
