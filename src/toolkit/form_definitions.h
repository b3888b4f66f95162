// The form definitions of the process, by form class name (letter case
// ignored). Build-time embedding (kvc_embed_forms) registers each file's text
// under the class its first line names; tests may register texts directly.
#pragma once

#include "toolkit/dfm_parser.h"

#include <memory>
#include <string>
#include <string_view>

namespace kvc {

struct TFormDefinition {
    std::string className;
    std::string fileName;
    std::string text;
};

// Replaces any definition of the same class.
void RegisterFormDefinition(std::string className, std::string fileName, std::string text);
void UnregisterFormDefinition(std::string_view className);
const TFormDefinition* FindFormDefinition(std::string_view className);
// The parsed tree of a class's definition (parsed once), or null.
std::shared_ptr<const DfmObject> ParsedFormDefinition(std::string_view className);

// Registers a definition at static initialisation; what kvc_embed_forms generates.
struct TFormDefinitionRegistrar {
    TFormDefinitionRegistrar(const char* className, const char* fileName, const char* text) {
        RegisterFormDefinition(className, fileName, text);
    }
};

} // namespace kvc
