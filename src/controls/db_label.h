// TDBLabel: a label that belongs to a control. It places itself beside the
// control (AutoAlign) and, for a data-aware control, takes the display label
// of the control's field as its caption (AutoCaption). Two labels of one
// parent never belong to the same control.
#pragma once

#include "toolkit/label.h"

#include <cstdint>

namespace kvc::controls {

KVC_ENUM(TDBLabelPos, psTop, psLeft, psRight, psBottom);

class TDBLabel : public TLabel {
    KVC_CLASS(TDBLabel, TLabel)
public:
    TDBLabel();

    // A control another TDBLabel owned by this label's parent already
    // belongs to is refused with an error message, and nothing changes.
    void SetFocusControl(TWinControl* control);
    bool GetAutoAlign() const { return autoAlign_; }
    void SetAutoAlign(bool value);
    bool GetAutoCaption() const { return autoCaption_; }
    void SetAutoCaption(bool value);
    TDBLabelPos GetPos() const { return pos_; }
    void SetPos(TDBLabelPos value);
    std::uint8_t GetGap() const { return gap_; }
    void SetGap(std::uint8_t value);

    // The caption from the control's field, then the place beside it.
    void Refresh();

private:
    bool BelongsToAnother(const TWinControl* control) const;
    void FetchCaption();
    void Align();

    bool autoAlign_ = true;
    bool autoCaption_ = true;
    TDBLabelPos pos_ = psLeft;
    std::uint8_t gap_ = 4;
};

} // namespace kvc::controls
