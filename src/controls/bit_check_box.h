// TBitCheckBox: a check box drawn from three pictures, one for each state,
// each of one image or of two side by side (the second shown while the box
// is disabled). The forms use it for every check box; the selection panel's
// type box is one.
//
// A click moves to the next state (unchecked, grayed with AllowGrayed,
// checked, unchecked again), raises OnClick and takes the focus; the space
// key clicks; the caption's accelerator with Alt focuses the box and turns
// it to the next state without raising OnClick. Writing State raises nothing.
#pragma once

#include "toolkit/button_control.h"
#include "toolkit/check_box.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/win_control.h"

#include <array>
#include <memory>

namespace kvc::controls {

class TBitCheckBox : public TButtonControl {
    KVC_CLASS(TBitCheckBox, TButtonControl)
public:
    TBitCheckBox();
    ~TBitCheckBox() override;

    // taRightJustify: the picture at the left, the caption right of it;
    // taLeftJustify: the caption at the left, the picture at the right edge.
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool GetAllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TCheckBoxState GetState() const { return state_; }
    void SetState(TCheckBoxState state);
    bool GetChecked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    // The disabled caption is embossed only with the 3-D look.
    bool GetCtl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);

    // The picture of each state: writing one copies it, writing null puts the
    // default picture ("CHECKED", "UNCHECKED", "GRAYED") back. A picture whose
    // width is a whole multiple of its height sets the image count.
    TBitmap* GetCheckedGlyph() const { return Glyph(cbChecked); }
    void SetCheckedGlyph(TBitmap* picture) { SetGlyph(cbChecked, picture); }
    TBitmap* GetUncheckedGlyph() const { return Glyph(cbUnchecked); }
    void SetUncheckedGlyph(TBitmap* picture) { SetGlyph(cbUnchecked, picture); }
    TBitmap* GetGrayedGlyph() const { return Glyph(cbGrayed); }
    void SetGrayedGlyph(TBitmap* picture) { SetGlyph(cbGrayed, picture); }
    // Images in each picture, clamped to 1..2.
    int GetCheckedNumGlyphs() const { return NumGlyphs(cbChecked); }
    void SetCheckedNumGlyphs(int value) { SetNumGlyphs(cbChecked, value); }
    int GetUncheckedNumGlyphs() const { return NumGlyphs(cbUnchecked); }
    void SetUncheckedNumGlyphs(int value) { SetNumGlyphs(cbUnchecked, value); }
    int GetGrayedNumGlyphs() const { return NumGlyphs(cbGrayed); }
    void SetGrayedNumGlyphs(int value) { SetNumGlyphs(cbGrayed, value); }

    TBitmap* Glyph(TCheckBoxState state) const { return glyphs_[Slot(state)].get(); }
    void SetGlyph(TCheckBoxState state, TBitmap* picture);
    int NumGlyphs(TCheckBoxState state) const { return numGlyphs_[Slot(state)]; }
    void SetNumGlyphs(TCheckBoxState state, int value);

    // The state a click or the accelerator moves to.
    TCheckBoxState NextState() const;

    // The next state, OnClick, then the focus.
    void Click() override;
    void DoEnter() override;
    void DoExit() override;

protected:
    // Alt and the caption's accelerator focus the box and move it to its
    // next state, without OnClick.
    void AcceleratorClick() override { SetState(NextState()); }
    void EnabledChanged() override;

private:
    static std::size_t Slot(TCheckBoxState state) { return std::size_t(state); }

    TAlignment alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
    bool ctl3D_ = true;
    std::array<std::unique_ptr<TBitmap>, 3> glyphs_;
    std::array<int, 3> numGlyphs_{1, 1, 1};
};

// The module's default picture of a state, a 19 x 14 16-colour bitmap.
void LoadDefaultCheckGlyph(TBitmap& picture, TCheckBoxState state);

// Where the painter puts the caption: text width and height are measured in
// the box's font; an "&" of the caption takes no room.
TRect BitCheckBoxCaptionRect(const TBitCheckBox& box, int textWidth, int ampersandWidth,
                             int textHeight);

} // namespace kvc::controls
