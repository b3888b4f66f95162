// The sub-commands of kvc-tool. Each file adds one sub-command to the app and
// stores its exit code in `result` when it runs.
#pragma once

#include <CLI/CLI.hpp>

namespace kvc::tool {

void AddCodePageCommand(CLI::App& app, int& result);
void AddConfigCommand(CLI::App& app, int& result);
void AddConvertCommand(CLI::App& app, int& result);
void AddJsonCommand(CLI::App& app, int& result);
void AddRpcCommand(CLI::App& app, int& result);
void AddJobsCommand(CLI::App& app, int& result);
void AddRenderCommand(CLI::App& app, int& result);
void AddShowCommand(CLI::App& app, int& result);

} // namespace kvc::tool
