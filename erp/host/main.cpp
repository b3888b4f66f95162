// kvc-host: the reference ERP host. It loads a report plug-in by path and
// drives it through the controller contract.
#include "erp/host/smoke.h"

#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"kvc-host: the reference host of report plug-ins"};
    app.require_subcommand(1);
    int result = 0;

    kvc::host::SmokeOptions smoke;
    CLI::App* smokeCommand =
        app.add_subcommand("smoke", "run the controller contract once and print each step");
    smokeCommand->add_option("--plugin", smoke.pluginPath, "the plug-in file")->required();
    smokeCommand->add_option("--launch", smoke.launchJson,
                             "the launch array as JSON (default "
                             "[\"796\",\"TqTest60\",\"TqTest60\",0,null])");
    smokeCommand->callback([&] { result = kvc::host::RunSmoke(smoke, std::cout, std::cerr); });

    CLI11_PARSE(app, argc, argv);
    return result;
}
