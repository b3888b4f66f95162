#include "platform/system_info.h"

namespace kvc {

OSVersionInfo GetVersionEx() {
    return OSVersionInfo{};
}

std::string WindowsVersionText() {
    OSVersionInfo v = GetVersionEx();
    return "Windows NT " + std::to_string(v.majorVersion) + "." + std::to_string(v.minorVersion);
}

} // namespace kvc
