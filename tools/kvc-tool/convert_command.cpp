// kvc-tool convert: a text converted through Kvlanguage.dll, as the forms show
// it under an interface code page: --to 950 gives Traditional Chinese, --to
// 936 Simplified Chinese.
#include "language/translator.h"
#include "runtime/exceptions.h"
#include "tools/kvc-tool/commands.h"

#include <iostream>
#include <memory>
#include <string>

namespace kvc::tool {

namespace {

struct ConvertOptions {
    int to = 0;
    std::string text;
};

int RunConvert(const ConvertOptions& options) {
    try {
        const language::TTranslator translator;
        std::cout << (options.to == 950 ? translator.GBToBig5(options.text)
                                        : translator.Big5ToGB(options.text))
                  << "\n";
        return 0;
    } catch (const Exception& error) {
        std::cerr << "kvc-tool convert: " << error.Message() << "\n";
        return 1;
    }
}

} // namespace

void AddConvertCommand(CLI::App& app, int& result) {
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* command =
        app.add_subcommand("convert", "convert a text between Simplified and Traditional Chinese");
    command->add_option("--to", options->to, "the interface code page: 950 or 936")
        ->required()
        ->check(CLI::IsMember({950, 936}));
    command->add_option("text", options->text, "the text (UTF-8)")->required();
    command->callback([options, &result] { result = RunConvert(*options); });
}

} // namespace kvc::tool
