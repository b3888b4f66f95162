// kvc-tool json: reads a Variant in its JSON form from standard input and
// prints it back canonical; exit 2 with the reason on bad input.
#include "runtime/exceptions.h"
#include "runtime/variant_json.h"
#include "tools/kvc-tool/commands.h"

#include <iostream>
#include <iterator>
#include <string>

namespace kvc::tool {

void AddJsonCommand(CLI::App& app, int& result) {
    app.add_subcommand("json", "read a Variant in its JSON form from standard input and print "
                               "it back canonical")
        ->callback([&result] {
            const std::string input{std::istreambuf_iterator<char>(std::cin),
                                    std::istreambuf_iterator<char>()};
            try {
                std::cout << ToJson(FromJson(input)) << "\n";
                result = 0;
            } catch (const Exception& error) {
                std::cerr << "kvc-tool json: " << error.Message() << "\n";
                result = 2;
            }
        });
}

} // namespace kvc::tool
