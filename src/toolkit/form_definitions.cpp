#include "toolkit/form_definitions.h"

#include "runtime/strings.h"

#include <map>

namespace kvc {

namespace {

struct Entry {
    TFormDefinition definition;
    std::shared_ptr<const DfmObject> parsed;
};

std::map<std::string, Entry>& Definitions() {
    static std::map<std::string, Entry> definitions;
    return definitions;
}

} // namespace

void RegisterFormDefinition(std::string className, std::string fileName, std::string text) {
    std::string key = LowerCase(className);
    Definitions()[key] =
        Entry{{std::move(className), std::move(fileName), std::move(text)}, nullptr};
}

void UnregisterFormDefinition(std::string_view className) {
    Definitions().erase(LowerCase(className));
}

const TFormDefinition* FindFormDefinition(std::string_view className) {
    auto& defs = Definitions();
    auto it = defs.find(LowerCase(className));
    return it == defs.end() ? nullptr : &it->second.definition;
}

std::shared_ptr<const DfmObject> ParsedFormDefinition(std::string_view className) {
    auto& defs = Definitions();
    auto it = defs.find(LowerCase(className));
    if (it == defs.end()) {
        return nullptr;
    }
    if (!it->second.parsed) {
        const TFormDefinition& d = it->second.definition;
        it->second.parsed = std::make_shared<const DfmObject>(ParseDfm(d.text, d.fileName));
    }
    return it->second.parsed;
}

} // namespace kvc
