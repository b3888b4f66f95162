// kvc-tool: the command-line tool of the people who install and support the
// system. Each sub-command prints what the system sees, so that a support
// engineer can compare it with what the user reports.
#include "tools/kvc-tool/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"kvc-tool: what the Wvtr57C system sees on this machine"};
    app.require_subcommand(1);
    int result = 0;

    kvc::tool::AddCodePageCommand(app, result);
    kvc::tool::AddConfigCommand(app, result);
    kvc::tool::AddConvertCommand(app, result);
    kvc::tool::AddJsonCommand(app, result);
    kvc::tool::AddRpcCommand(app, result);
    kvc::tool::AddJobsCommand(app, result);
    kvc::tool::AddRenderCommand(app, result);
    kvc::tool::AddShowCommand(app, result);

    CLI11_PARSE(app, argc, argv);
    return result;
}
