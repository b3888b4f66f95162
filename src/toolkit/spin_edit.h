// TSpinEdit: an edit for a whole number with up and down buttons. Value reads
// the text (a text that is no number reads as MinValue) and keeps it within
// MinValue..MaxValue, unless both are equal (then there is no limit). Up and
// Down add and subtract Increment; only digits and signs can be typed.
// Leaving the edit puts a number outside the limits back inside them.
#pragma once

#include "toolkit/edit.h"

namespace kvc {

class TSpinEdit : public TCustomEdit {
    KVC_CLASS(TSpinEdit, TCustomEdit)
public:
    TSpinEdit();

    int GetValue() const;
    void SetValue(int value);
    int GetMinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int GetMaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    int GetIncrement() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    bool GetEditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }

    // The value within the limits.
    int CheckValue(int value) const;
    // The clicks on the up and down buttons.
    void UpClick();
    void DownClick();

    bool WantsKey(Word key, TShiftState shift) const override;
    void DoExit() override;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;

private:
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    bool editorEnabled_ = true;
};

} // namespace kvc
