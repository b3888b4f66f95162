#include "platform/environment.h"
#include "platform/registry_file.h"

namespace kvc {

std::shared_ptr<const RegistryStore> OpenSystemRegistry() {
    std::string file = GetEnvironmentVariableOr("KVC_REGISTRY", "/etc/kvc/registry.reg");
    return std::make_shared<RegistryFile>(RegistryFile::Load(file));
}

} // namespace kvc
