#include "erp/libs/kvdownload/file_stamp.h"

#include "platform/file_system.h"
#include "runtime/datetime.h"

#include <cmath>
#include <string>

namespace kvc::erp {

namespace {
// Zip archives keep modification times to 2 seconds.
constexpr double kToleranceSeconds = 2.0;

int Number(const std::string& digits, std::size_t from, std::size_t count) {
    return std::stoi(digits.substr(from, count));
}
} // namespace

std::optional<TDateTime> ParseStamp(std::string_view stamp) {
    std::string digits;
    for (char c : stamp) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    if (digits.size() != 14) {
        return std::nullopt;
    }
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(Number(digits, 0, 4), Number(digits, 4, 2), Number(digits, 6, 2), date) ||
        !TryEncodeTime(Number(digits, 8, 2), Number(digits, 10, 2), Number(digits, 12, 2), 0,
                       time)) {
        return std::nullopt;
    }
    return CombineDateTime(date, time);
}

bool ServerCopyIsNewer(std::string_view stamp, std::string_view localFile) {
    const auto age = FileAge(localFile);
    if (!age) {
        return true;
    }
    const auto server = ParseStamp(stamp);
    if (!server) {
        return false;
    }
    const double seconds = std::round((*server - *age) * 86400.0 * 1000.0) / 1000.0;
    return seconds >= kToleranceSeconds;
}

} // namespace kvc::erp
