#include "runtime/clock.h"

#include <chrono>
#include <ctime>

namespace kvc {
namespace {

class SystemClock final : public Clock {
public:
    TDateTime Now() const override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t seconds = system_clock::to_time_t(now);
        const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
        std::tm local{};
        localtime_r(&seconds, &local);
        // Days from 1899-12-30 to 1970-01-01 is 25569; work in local civil time.
        const auto civil =
            sys_days{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
        const double days = double(civil.time_since_epoch().count()) + 25569.0;
        const double time =
            (local.tm_hour * 3600000.0 + local.tm_min * 60000.0 + local.tm_sec * 1000.0 + millis) /
            86400000.0;
        return days + time;
    }
};

std::shared_ptr<const Clock>& InstalledClock() {
    static std::shared_ptr<const Clock> clock;
    return clock;
}

} // namespace

const Clock& ProcessClock() {
    static const SystemClock system;
    const auto& installed = InstalledClock();
    return installed ? *installed : system;
}

std::shared_ptr<const Clock> SetProcessClock(std::shared_ptr<const Clock> clock) {
    auto previous = std::move(InstalledClock());
    InstalledClock() = std::move(clock);
    return previous;
}

ScopedFixedClock::ScopedFixedClock(TDateTime moment)
    : clock_(std::make_shared<FixedClock>(moment)), previous_(SetProcessClock(clock_)) {}

ScopedFixedClock::~ScopedFixedClock() {
    SetProcessClock(std::move(previous_));
}

} // namespace kvc
