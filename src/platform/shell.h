// ShellExecute: opening a document, a folder or an address the way the
// desktop would. Every request is recorded by the process's Shell, so tests,
// scripts and the host can see what was asked; a request is handed to the
// desktop only when a launcher is installed.
//
// No launcher is installed by default, so tests and headless runs only record.
// A program that shows real windows (the interactive host) installs one:
//     ProcessShell().SetLauncher(CreateDesktopLauncher());
// The desktop launcher runs xdg-open for "open" when xdg-open is on PATH and
// KVC_SHELL_LAUNCH is not "0" (both checked at each request); "properties"
// has no desktop equivalent and is recorded only.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

// The classic result codes: above 32 is success.
inline constexpr int SE_ERR_FNF = 2;
inline constexpr int SE_ERR_NOASSOC = 31;
inline constexpr int kShellExecuteOk = 33;

inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr unsigned SEE_MASK_INVOKEIDLIST = 0x0000000Cu;

struct ShellRequest {
    std::string verb; // "open", "properties"; "" means "open"
    std::string file; // a Windows path or an address ("http://...")
    std::string parameters;
    std::string directory;
    int showCommand = SW_SHOWNORMAL;
    unsigned mask = 0; // ShellExecuteEx's fMask
    bool operator==(const ShellRequest&) const = default;
};

// Carries a request out; answers false when it could not.
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    virtual bool Launch(const ShellRequest& request) = 0;
};

class Shell {
public:
    // Records the request; then, for "open" or "properties" with a launcher
    // installed, launches it. Answers kShellExecuteOk, SE_ERR_FNF for an empty
    // file, SE_ERR_NOASSOC for another verb or a failed launch.
    int Execute(const ShellRequest& request);

    std::vector<ShellRequest> Requests() const;
    void Clear();

    // nullptr: record only.
    void SetLauncher(std::shared_ptr<ShellLauncher> launcher);
    std::shared_ptr<ShellLauncher> Launcher() const;

private:
    mutable std::mutex mutex_;
    std::vector<ShellRequest> requests_;
    std::shared_ptr<ShellLauncher> launcher_;
};

// The shell of the process (one per process, as the desktop is).
Shell& ProcessShell();

// Through ProcessShell().
int ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters = {},
                 std::string_view directory = {}, int showCommand = SW_SHOWNORMAL);
bool ShellExecuteEx(const ShellRequest& request);

// The launcher that hands requests to the desktop (xdg-open).
std::shared_ptr<ShellLauncher> CreateDesktopLauncher();

} // namespace kvc
