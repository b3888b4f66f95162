// Asks the user, in an error dialog with the buttons Abort and Retry, whether
// a failed upgrade step should be tried again.
#pragma once

#include "services/logs/upgrade.h"

namespace kvc::services {

RetryAnswer AskAbortRetry(std::string_view message);

} // namespace kvc::services
