// The source of the current time. Everything that asks "what time is it"
// goes through the process clock, so tests can fix the time.
#pragma once

#include <memory>

namespace kvc {

using TDateTime = double; // days since 1899-12-30, the fraction is the time of day

class Clock {
public:
    virtual ~Clock() = default;
    // Local time.
    virtual TDateTime Now() const = 0;
};

// The clock Now/Date/Time read; the system clock unless replaced.
const Clock& ProcessClock();
// Replaces the process clock and answers the one it replaced (nullptr for the
// system clock); nullptr puts the system clock back.
std::shared_ptr<const Clock> SetProcessClock(std::shared_ptr<const Clock> clock);

// A clock that answers one moment until told otherwise.
class FixedClock final : public Clock {
public:
    explicit FixedClock(TDateTime moment) : moment_(moment) {}
    TDateTime Now() const override { return moment_; }
    void Set(TDateTime moment) { moment_ = moment; }

private:
    TDateTime moment_;
};

// Installs a fixed clock for the life of the object; tests use it.
class ScopedFixedClock {
public:
    explicit ScopedFixedClock(TDateTime moment);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock&) = delete;
    ScopedFixedClock& operator=(const ScopedFixedClock&) = delete;
    void Set(TDateTime moment) { clock_->Set(moment); }

private:
    std::shared_ptr<FixedClock> clock_;
    std::shared_ptr<const Clock> previous_;
};

} // namespace kvc
