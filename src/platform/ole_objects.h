// Creating automation objects by ProgID, including objects served by shared
// libraries, as COM activates in-process servers.
//
// The runtime's CreateRegisteredOleObject knows only the classes registered in this
// process. CreateOleObject asks those first (FindOleClass), then the
// registry: the key HKEY_CLASSES_ROOT\<ProgID> (or ...\Software\Classes\<ProgID>),
// value "Library", a Windows path or a bare library name found as LoadLibrary
// finds it (platform/module.h). The library exports
//
//   extern "C" kvc::Dispatch* KvcCreateObject(const char* progId);
//
// which answers a new object for the ProgID, or nullptr for a ProgID it does
// not serve. The caller owns the object and deletes it through its virtual
// destructor; the library is never unloaded (a library loaded this way stays
// loaded for the life of the process, as COM keeps its in-process servers),
// so the object's code outlives every object. The library must be built
// against the same runtime (the Dispatch interface crosses the boundary).
//
// Failures raise EOleError: "Invalid class string" for a ProgID that is
// neither registered in process nor in the registry with a "Library" value;
// the loader's text when the library cannot be loaded; "Class not registered"
// when the library has no KvcCreateObject export or makes no object.
#pragma once

#include "runtime/dispatch.h"

#include <memory>
#include <string_view>

namespace kvc {

class RegistryStore;

// The export a library serving automation classes provides.
using KvcCreateObjectFunction = Dispatch*(const char* progId);
inline constexpr std::string_view kCreateObjectExport = "KvcCreateObject";

// Through the system registry (OpenSystemRegistry), read at this call.
std::shared_ptr<Dispatch> CreateOleObject(std::string_view progId);
std::shared_ptr<Dispatch> CreateOleObject(std::string_view progId, const RegistryStore& registry);

} // namespace kvc
