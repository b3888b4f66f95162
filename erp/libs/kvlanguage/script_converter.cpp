#include "erp/libs/kvlanguage/script_converter.h"

#include <opencc/opencc.h>
#include <stdexcept>

namespace kvc::erp {

namespace {

const char* ConfigOf(ScriptDirection direction) {
    // The generic tables, not a region's: Big5 texts are Traditional Chinese
    // as such, and the phrases of one region would surprise the others.
    return direction == ScriptDirection::SimplifiedToTraditional ? "s2t.json" : "t2s.json";
}

} // namespace

struct ScriptConverter::Handle {
    opencc_t od = reinterpret_cast<opencc_t>(-1);
    ~Handle() {
        if (od != reinterpret_cast<opencc_t>(-1)) {
            opencc_close(od);
        }
    }
};

ScriptConverter::ScriptConverter(ScriptDirection direction) : handle_(std::make_unique<Handle>()) {
    handle_->od = opencc_open(ConfigOf(direction));
    if (handle_->od == reinterpret_cast<opencc_t>(-1)) {
        const char* reason = opencc_error();
        throw std::runtime_error(std::string("OpenCC: ") +
                                 (reason != nullptr ? reason : "cannot open"));
    }
}

ScriptConverter::~ScriptConverter() = default;

std::string ScriptConverter::Convert(std::string_view utf8) const {
    if (utf8.empty()) {
        return {};
    }
    char* converted = opencc_convert_utf8(handle_->od, utf8.data(), utf8.size());
    if (converted == nullptr) {
        const char* reason = opencc_error();
        throw std::runtime_error(std::string("OpenCC: ") +
                                 (reason != nullptr ? reason : "conversion failed"));
    }
    std::unique_ptr<char, void (*)(char*)> owner(converted, opencc_convert_utf8_free);
    return std::string(converted);
}

const ScriptConverter& ScriptConverter::For(ScriptDirection direction) {
    // Function-local statics: opened once, thread-safe, closed at unload.
    if (direction == ScriptDirection::SimplifiedToTraditional) {
        static const ScriptConverter toTraditional(direction);
        return toTraditional;
    }
    static const ScriptConverter toSimplified(direction);
    return toSimplified;
}

} // namespace kvc::erp
