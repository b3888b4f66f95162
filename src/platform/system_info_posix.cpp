#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/system_info.h"
#include "platform/windows_path.h"
#include "runtime/strings.h"

#include <chrono>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace kvc {

std::string GetUserName() {
    std::string user = GetEnvironmentVariableOr("USER", "");
    if (!user.empty()) {
        return user;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_name == nullptr) {
        return {};
    }
    return found->pw_name;
}

std::string GetComputerName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    std::string host(name);
    host = UpperCase(host.substr(0, host.find('.')));
    if (host.size() > 15) {
        host.resize(15);
    }
    return host;
}

std::string GetTempPath() {
    return IncludeTrailingBackslash(ToWindowsPath(GetEnvironmentVariableOr("TMPDIR", "/tmp")));
}

std::uint32_t GetTickCount() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<std::uint32_t>(millis);
}

} // namespace kvc
