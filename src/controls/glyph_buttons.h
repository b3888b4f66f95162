// TGSpeedButton: a speed button whose picture is chosen by number from the
// glyph library instead of being stored with the form. TF2Button: a glyph
// button bound to an input control; it sits at the control's right and its
// click asks the control's form for the F2 lookup of that control.
//
// A button whose picture the library does not hold shows its number as its
// caption instead.
#pragma once

#include "toolkit/speed_button.h"
#include "toolkit/win_control.h"

#include <cstdint>

namespace kvc::controls {

// The message a lookup button sends to a form: lParam is the control to look
// a value up for.
inline constexpr unsigned WM_F2LOOKUP = WM_USER + 10;

// Sends the lookup request for control to the window of its owner, when the
// owner is a windowed control.
void SendLookupRequest(TWinControl& control);

class TGSpeedButton : public TSpeedButton {
    KVC_CLASS(TGSpeedButton, TSpeedButton)
public:
    TGSpeedButton() = default;

    int GetGlyphIndex() const { return glyphIndex_; }
    // Loads the library's picture, its images counted by its shape; setting
    // the current number again does nothing. A picture that cannot be read
    // is reported to the user and the number stays.
    void SetGlyphIndex(int index);

private:
    int glyphIndex_ = 0;
};

class TF2Button : public TGSpeedButton {
    KVC_CLASS(TF2Button, TGSpeedButton)
public:
    TF2Button();

    bool GetAutoAlign() const { return autoAlign_; }
    void SetAutoAlign(bool value);
    TWinControl* GetF2Control() const { return f2Control_; }
    // A control another TF2Button of the same parent already serves is
    // refused with an error message, and nothing changes.
    void SetF2Control(TWinControl* control);
    std::uint8_t GetGap() const { return gap_; }
    void SetGap(std::uint8_t value);

    // Square, as high as the control, Gap pixels right of it.
    void Realign();
    // OnClick, then the lookup request for an enabled F2Control that has or
    // takes the focus.
    void Click() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Another TF2Button owned by this button's parent that serves control.
    bool ServedByAnother(const TWinControl* control) const;

    bool autoAlign_ = true;
    TWinControl* f2Control_ = nullptr;
    std::uint8_t gap_ = 2;
};

} // namespace kvc::controls
