#include "services/logs/client_folder.h"

#include "platform/module.h"
#include "platform/registry.h"
#include "platform/windows_path.h"
#include "services/config/config_common.h"

namespace kvc::services {

namespace {
// A string or a number as text; other kinds cannot name a folder.
std::string ReadFolderValue(const TRegistry& registry, std::string_view name) {
    const auto type = registry.GetDataType(name);
    if (registry.ValueExists(name) &&
        (type == TRegDataType::rdBinary || type == TRegDataType::rdUnknown)) {
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    }
    return ReadRegistryText(registry, name);
}
} // namespace

std::string ClientFolder() {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kTesseraRegistryKey)) {
        return {};
    }
    std::string folder = ReadFolderValue(registry, "ClientPath");
    if (folder.empty()) {
        folder = ReadFolderValue(registry, "ServerPath");
    }
    return folder;
}

std::string ExecutableFolder() {
    return ExtractFilePath(GetModuleFileName(nullptr));
}

} // namespace kvc::services
