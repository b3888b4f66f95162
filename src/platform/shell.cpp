#include "platform/shell.h"

#include "runtime/strings.h"

namespace kvc {

int Shell::Execute(const ShellRequest& request) {
    std::shared_ptr<ShellLauncher> launcher;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        launcher = launcher_;
    }
    if (request.file.empty()) {
        return SE_ERR_FNF;
    }
    bool known = request.verb.empty() || SameText(request.verb, "open") ||
                 SameText(request.verb, "properties");
    if (!known) {
        return SE_ERR_NOASSOC;
    }
    if (launcher && !launcher->Launch(request)) {
        return SE_ERR_NOASSOC;
    }
    return kShellExecuteOk;
}

std::vector<ShellRequest> Shell::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void Shell::Clear() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

void Shell::SetLauncher(std::shared_ptr<ShellLauncher> launcher) {
    std::lock_guard lock(mutex_);
    launcher_ = std::move(launcher);
}

std::shared_ptr<ShellLauncher> Shell::Launcher() const {
    std::lock_guard lock(mutex_);
    return launcher_;
}

Shell& ProcessShell() {
    static Shell shell;
    return shell;
}

int ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                 std::string_view directory, int showCommand) {
    return ProcessShell().Execute({std::string(verb), std::string(file), std::string(parameters),
                                   std::string(directory), showCommand, 0});
}

bool ShellExecuteEx(const ShellRequest& request) {
    return ProcessShell().Execute(request) > 32;
}

} // namespace kvc
