#include "platform/ole_objects.h"

#include "platform/module.h"
#include "platform/registry.h"
#include "runtime/class_registry.h"
#include "runtime/exceptions.h"

#include <string>

namespace kvc {

namespace {

// The "Library" value of the ProgID's class key; "" when there is none.
std::string ServerLibrary(std::string_view progId, const RegistryStore& registry) {
    if (progId.empty() || progId.find('\\') != std::string_view::npos) {
        return {};
    }
    auto value = registry.Value(RootKey::ClassesRoot, progId, "Library");
    if (!value ||
        (value->type != TRegDataType::rdString && value->type != TRegDataType::rdExpandString)) {
        return {};
    }
    return value->text;
}

} // namespace

std::shared_ptr<Dispatch> CreateOleObject(std::string_view progId) {
    if (FindOleClass(progId)) {
        return CreateRegisteredOleObject(progId); // no need to read the registry file
    }
    return CreateOleObject(progId, *OpenSystemRegistry());
}

std::shared_ptr<Dispatch> CreateOleObject(std::string_view progId, const RegistryStore& registry) {
    if (FindOleClass(progId)) {
        return CreateRegisteredOleObject(progId);
    }
    std::string library = ServerLibrary(progId, registry);
    if (library.empty()) {
        throw EOleError("Invalid class string");
    }
    std::string error;
    Module module = Module::Load(library, &error);
    if (!module) {
        throw EOleError(error);
    }
    auto create = module.Function<KvcCreateObjectFunction>(kCreateObjectExport);
    // The server stays loaded for the life of the process, whatever happens next.
    module.Release();
    if (create == nullptr) {
        throw EOleError("Class not registered");
    }
    std::unique_ptr<Dispatch> object;
    try {
        object.reset(create(std::string(progId).c_str()));
    } catch (const EOleError&) {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        throw EOleError(e.what()); // a server's failure reaches callers as EOleError
    }
    if (!object) {
        throw EOleError("Class not registered");
    }
    return object;
}

} // namespace kvc
