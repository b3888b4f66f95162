#include "platform/file_system.h"
#include "runtime/datetime.h"

#include <ctime>

namespace kvc {

TDateTime UnixTimeToDateTime(std::int64_t seconds, int milliseconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr) {
        return 0;
    }
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date) ||
        !TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                       milliseconds, time)) {
        return 0;
    }
    return date + time;
}

} // namespace kvc
