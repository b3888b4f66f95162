// kvc-tool codepage: the system code page and where it came from.
#include "platform/system_locale.h"
#include "tools/kvc-tool/commands.h"

#include <iostream>

namespace kvc::tool {

void AddCodePageCommand(CLI::App& app, int& result) {
    app.add_subcommand("codepage", "print the system code page and how it was found")
        ->callback([&result] {
            const SystemCodePageInfo info = SystemCodePageDetails();
            std::cout << "system code page: " << info.codePage << "\n"
                      << "found from: " << info.source << "\n";
            result = 0;
        });
}

} // namespace kvc::tool
