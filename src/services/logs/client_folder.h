// The folders the logs are written under.
#pragma once

#include <string>

namespace kvc::services {

// The installation folder from the installation key: "ClientPath", or
// "ServerPath" when that is empty; "" when neither is set or the key is
// missing. Raises ERegistryException when a value is of another kind than
// text or number.
std::string ClientFolder();

// The folder of the running executable, ending in "\".
std::string ExecutableFolder();

} // namespace kvc::services
