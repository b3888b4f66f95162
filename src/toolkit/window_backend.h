// TWindowBackend: what the loops ask of a backend with real windows. The
// headless backend is no object at all: without one, a loop with nothing left
// to do ends, since nothing else can happen.
#pragma once

namespace kvc {

// How long a loop lets the backend wait before it looks again at what could
// end it (Terminate, a modal result set meanwhile).
inline constexpr int kBackendWaitMs = 100;

class TWindowBackend {
public:
    virtual ~TWindowBackend() = default;
    TWindowBackend() = default;
    TWindowBackend(const TWindowBackend&) = delete;
    TWindowBackend& operator=(const TWindowBackend&) = delete;

    // Brings the windows in line with the shown forms, repaints what changed,
    // waits for input (at most timeoutMs) and delivers what came. Answers
    // false when no window is open, so that no input can come.
    virtual bool WaitForInput(int timeoutMs) = 0;
};

} // namespace kvc
