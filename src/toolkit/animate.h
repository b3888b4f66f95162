// TAnimate: a small looping animation, one of the system's common ones or a
// file. Headless it keeps its frame position: Play starts at a frame and
// Step advances it, wrapping from the stop frame back to the start frame
// until the repetitions (0: forever) are used up.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TCommonAVI, aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles,
         aviCopyFile, aviRecycleFile, aviEmptyRecycle, aviDeleteFile);

class TAnimate : public TWinControl {
    KVC_CLASS(TAnimate, TWinControl)
public:
    TAnimate();

    bool GetActive() const { return active_; }
    // Plays from StartFrame to StopFrame Repetitions times, or stops; set
    // while loading, it takes effect once the definition is read.
    void SetActive(bool value);
    TCommonAVI GetCommonAVI() const { return commonAVI_; }
    void SetCommonAVI(TCommonAVI value);
    const std::string& GetFileName() const { return fileName_; }
    void SetFileName(const std::string& value);
    int GetStartFrame() const { return startFrame_; }
    void SetStartFrame(int value) { startFrame_ = value; }
    int GetStopFrame() const { return stopFrame_; }
    void SetStopFrame(int value) { stopFrame_ = value; }
    int GetRepetitions() const { return repetitions_; }
    void SetRepetitions(int value) { repetitions_ = value; }
    bool GetCenter() const { return center_; }
    void SetCenter(bool value) { center_ = value; }
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    bool GetTimers() const { return timers_; }
    void SetTimers(bool value) { timers_ = value; }

    // Whether an animation is open (a common one or a file name is set).
    bool Open() const { return commonAVI_ != aviNone || !fileName_.empty(); }
    int FrameCount() const;
    int FrameWidth() const { return Open() ? 16 : 0; }
    int FrameHeight() const { return Open() ? 16 : 0; }
    // 1-based frame numbers; 0 as the last frame means the last of the clip.
    void Play(int fromFrame, int toFrame, int count);
    void Stop();
    void Reset();
    void Seek(int frame);
    // Headless time: the next frame of a playing animation.
    void Step();
    int CurrentFrame() const { return frame_; }

    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;
    TNotifyEvent OnStart;
    TNotifyEvent OnStop;

protected:
    void Loaded() override;

private:
    int LastFrame() const { return stopFrame_ > 0 ? stopFrame_ : FrameCount(); }
    void ClipChanged(bool wasOpen);

    bool active_ = false;
    bool pendingActive_ = false;
    TCommonAVI commonAVI_ = aviNone;
    std::string fileName_;
    int startFrame_ = 1;
    int stopFrame_ = 0;
    int repetitions_ = 0;
    bool center_ = true;
    bool transparent_ = true;
    bool timers_ = false;
    int frame_ = 1;
    int playFrom_ = 1;
    int playTo_ = 0;
    int playsLeft_ = 0;
};

} // namespace kvc
