// Modification stamps of the server's files against local files.
#pragma once

#include "runtime/clock.h"

#include <optional>
#include <string_view>

namespace kvc::erp {

// The local time of a stamp "YYYYMMDDhhnnss" (characters other than digits
// ignored); nullopt when it does not hold exactly 14 digits of a real moment.
std::optional<TDateTime> ParseStamp(std::string_view stamp);

// True when localFile (a Windows path) is missing, or stamp is at least 2
// seconds later than its modification time; false when the stamp does not read.
bool ServerCopyIsNewer(std::string_view stamp, std::string_view localFile);

} // namespace kvc::erp
