#include "toolkit/backend/backend_select.h"

#include "runtime/exceptions.h"
#include "toolkit/backend/sdl_backend.h"

#include <cstdlib>
#include <string>

namespace kvc {

std::unique_ptr<TWindowBackend> MakeBackend(std::string_view name) {
    if (name.empty() || name == "headless") {
        return nullptr;
    }
    if (name == "sdl") {
        return std::make_unique<TSdlBackend>();
    }
    throw EInvalidOperation("Unknown backend '" + std::string(name) +
                            "' in KVC_BACKEND (headless or sdl)");
}

std::unique_ptr<TWindowBackend> MakeBackendFromEnvironment() {
    const char* name = std::getenv("KVC_BACKEND");
    return MakeBackend(name != nullptr ? name : "");
}

} // namespace kvc
