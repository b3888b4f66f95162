// TGroupBox: a framed container with a caption in its top edge. Its client
// area starts below the caption, so aligned children never cover the frame.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

class TGroupBox : public TWinControl {
    KVC_CLASS(TGroupBox, TWinControl)
public:
    TGroupBox();

    // Inside the frame and below the caption line.
    TRect ClientRect() const override;

private:
    // The caption line's height for the control's font.
    int CaptionHeight() const;
};

} // namespace kvc
