// TPanel: a container with bevels and a caption.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace);

class TPanel : public TWinControl {
    KVC_CLASS(TPanel, TWinControl)
public:
    TPanel();

    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    TPanelBevel GetBevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value) { bevelInner_ = value; }
    TPanelBevel GetBevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value) { bevelOuter_ = value; }
    int GetBevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value) { bevelWidth_ = value; }
    int GetBorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value) { borderWidth_ = value; }

    // The area inside the bevels and the border.
    TRect ClientRect() const override;

private:
    int BevelSpace() const;

    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};

} // namespace kvc
