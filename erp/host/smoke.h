// `kvc-host smoke`: loads a plug-in by path and runs the whole controller
// contract once, printing one JSON object per line for each step and each
// notification, so that a host integrator sees the contract at work.
#pragma once

#include <iosfwd>
#include <string>

namespace kvc::host {

struct SmokeOptions {
    std::string pluginPath;
    // The launch array as JSON; empty for ["796","TqTest60","TqTest60",0,null].
    std::string launchJson;
};

// Exit codes: 0 every step ran; 1 a step raised (its line says which);
// 2 the plug-in or its export is missing, or the launch JSON is not valid.
int RunSmoke(const SmokeOptions& options, std::ostream& out, std::ostream& err);

} // namespace kvc::host
