#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/shell.h"
#include "runtime/strings.h"

#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace kvc {

namespace fs = std::filesystem;

namespace {

bool OnPath(std::string_view program) {
    std::string path = GetEnvironmentVariableOr("PATH", "/usr/bin:/bin");
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find(':', start), path.size());
        fs::path candidate = fs::path(path.substr(start, end - start)) / program;
        std::error_code ec;
        if (end > start && fs::is_regular_file(candidate, ec) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool IsAddress(std::string_view file) {
    return file.find("://") != std::string_view::npos || SameText(file.substr(0, 7), "mailto:");
}

// Runs xdg-open in the background through the shell, which returns at once,
// so the desktop program outlives the request and leaves no child behind.
bool SpawnXdgOpen(const std::string& target) {
    const char* argv[] = {"/bin/sh", "-c",           "xdg-open \"$1\" >/dev/null 2>&1 &",
                          "sh",      target.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) !=
        0) {
        return false;
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class DesktopLauncher final : public ShellLauncher {
public:
    bool Launch(const ShellRequest& request) override {
        if (!request.verb.empty() && !SameText(request.verb, "open")) {
            return true; // recorded; the desktop has no property sheets to show
        }
        if (GetEnvironmentVariableOr("KVC_SHELL_LAUNCH", "") == "0" || !OnPath("xdg-open")) {
            return true; // launching switched off or impossible: recorded only
        }
        if (IsAddress(request.file)) {
            return SpawnXdgOpen(request.file);
        }
        auto native = ToNativePath(request.file);
        return native && SpawnXdgOpen(native->string());
    }
};

} // namespace

std::shared_ptr<ShellLauncher> CreateDesktopLauncher() {
    return std::make_shared<DesktopLauncher>();
}

} // namespace kvc
