#include "toolkit/animate.h"

#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TAnimate) {
    c.Property("Active", &TAnimate::GetActive, &TAnimate::SetActive);
    c.Property("Align", &TAnimate::GetAlign, &TAnimate::SetAlign);
    c.Property("Anchors", &TAnimate::GetAnchors, &TAnimate::SetAnchors);
    c.Property("Center", &TAnimate::GetCenter, &TAnimate::SetCenter);
    c.Property("Color", &TAnimate::GetColor, &TAnimate::SetColor);
    c.Property("CommonAVI", &TAnimate::GetCommonAVI, &TAnimate::SetCommonAVI);
    c.Property("FileName", &TAnimate::GetFileName, &TAnimate::SetFileName);
    c.Property("ParentColor", &TAnimate::GetParentColor, &TAnimate::SetParentColor);
    c.Property("Repetitions", &TAnimate::GetRepetitions, &TAnimate::SetRepetitions);
    c.Property("StartFrame", &TAnimate::GetStartFrame, &TAnimate::SetStartFrame);
    c.Property("StopFrame", &TAnimate::GetStopFrame, &TAnimate::SetStopFrame);
    c.Property("Timers", &TAnimate::GetTimers, &TAnimate::SetTimers);
    c.Property("Transparent", &TAnimate::GetTransparent, &TAnimate::SetTransparent);
    c.Property("Visible", &TAnimate::GetVisible, &TAnimate::SetVisible);
    c.Event("OnClose", &TAnimate::OnClose);
    c.Event("OnOpen", &TAnimate::OnOpen);
    c.Event("OnStart", &TAnimate::OnStart);
    c.Event("OnStop", &TAnimate::OnStop);
}

TAnimate::TAnimate() {
    SetBounds(0, 0, 100, 80);
    SetParentColor(true);
}

int TAnimate::FrameCount() const {
    // The headless clips: the common ones are 8-frame 16 x 16 loops, and a
    // file is one such loop until files are read.
    return Open() ? 8 : 0;
}

void TAnimate::ClipChanged(bool wasOpen) {
    Stop();
    frame_ = 1;
    if (wasOpen) {
        OnClose(this);
    }
    if (Open()) {
        OnOpen(this);
    }
}

void TAnimate::SetCommonAVI(TCommonAVI value) {
    if (value == commonAVI_) {
        return;
    }
    bool wasOpen = Open();
    commonAVI_ = value;
    if (value != aviNone) {
        fileName_.clear();
    }
    ClipChanged(wasOpen);
}

void TAnimate::SetFileName(const std::string& value) {
    if (value == fileName_) {
        return;
    }
    bool wasOpen = Open();
    fileName_ = value;
    if (!value.empty()) {
        commonAVI_ = aviNone;
    }
    ClipChanged(wasOpen);
}

void TAnimate::SetActive(bool value) {
    if (IsLoading()) {
        pendingActive_ = value;
        return;
    }
    if (value == active_) {
        return;
    }
    if (value) {
        Play(startFrame_, stopFrame_, repetitions_);
    } else {
        Stop();
    }
}

void TAnimate::Loaded() {
    TWinControl::Loaded();
    if (pendingActive_) {
        pendingActive_ = false;
        SetActive(true);
    }
}

void TAnimate::Play(int fromFrame, int toFrame, int count) {
    if (!Open()) {
        throw EInvalidOperation("Cannot play '" + GetName() + "': no animation is open");
    }
    int last = toFrame > 0 ? toFrame : FrameCount();
    if (fromFrame < 1 || fromFrame > last || last > FrameCount()) {
        throw EInvalidOperation("Frame range " + std::to_string(fromFrame) + ".." +
                                std::to_string(last) + " outside the animation");
    }
    playFrom_ = fromFrame;
    playTo_ = last;
    playsLeft_ = count;
    frame_ = fromFrame;
    bool wasActive = active_;
    active_ = true;
    if (!wasActive) {
        OnStart(this);
    }
}

void TAnimate::Stop() {
    if (!active_) {
        return;
    }
    active_ = false;
    OnStop(this);
}

void TAnimate::Reset() {
    Stop();
    frame_ = 1;
}

void TAnimate::Seek(int frame) {
    Stop();
    frame_ = std::clamp(frame, 1, std::max(1, FrameCount()));
}

void TAnimate::Step() {
    if (!active_) {
        return;
    }
    if (frame_ < playTo_) {
        ++frame_;
        return;
    }
    if (playsLeft_ > 0 && --playsLeft_ == 0) {
        Stop();
        return;
    }
    frame_ = playFrom_;
}

} // namespace kvc
