#include "platform/registry.h"

#include "runtime/string_list.h"
#include "runtime/strings.h"

#include <array>
#include <utility>

namespace kvc {

namespace {

struct RootName {
    RootKey root;
    std::string_view name;
    std::string_view shortName;
};

constexpr std::array<RootName, 5> kRoots{{
    {RootKey::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {RootKey::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {RootKey::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {RootKey::Users, "HKEY_USERS", "HKU"},
    {RootKey::CurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
}};

void FillList(TStringList& list, const std::vector<std::string>& names) {
    list.Clear();
    for (const auto& name : names) {
        list.Add(name);
    }
}

[[noreturn]] void RaiseInvalidType(std::string_view name) {
    throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
}

} // namespace

std::optional<RootKey> RootKeyFromName(std::string_view name) {
    for (const auto& r : kRoots) {
        if (SameText(name, r.name) || SameText(name, r.shortName)) {
            return r.root;
        }
    }
    return std::nullopt;
}

std::string_view RootKeyName(RootKey root) {
    for (const auto& r : kRoots) {
        if (r.root == root) {
            return r.name;
        }
    }
    return {};
}

TRegistry::TRegistry() : TRegistry(OpenSystemRegistry()) {}

TRegistry::TRegistry(std::shared_ptr<const RegistryStore> store) : store_(std::move(store)) {}

void TRegistry::SetRootKey(RootKey root) {
    CloseKey();
    root_ = root;
}

std::string TRegistry::Resolve(std::string_view key) const {
    if (!key.empty() && key.front() == '\\') {
        return std::string(key.substr(1));
    }
    if (!open_ || currentPath_.empty()) {
        return std::string(key);
    }
    return key.empty() ? currentPath_ : currentPath_ + "\\" + std::string(key);
}

bool TRegistry::OpenKeyReadOnly(std::string_view key) {
    std::string path = Resolve(key);
    if (!store_->KeyExists(root_, path)) {
        return false;
    }
    currentPath_ = std::move(path);
    open_ = true;
    return true;
}

void TRegistry::CloseKey() {
    currentPath_.clear();
    open_ = false;
}

bool TRegistry::KeyExists(std::string_view key) const {
    return store_->KeyExists(root_, Resolve(key));
}

std::optional<RegistryValue> TRegistry::ReadValue(std::string_view name) const {
    if (!open_) {
        return std::nullopt;
    }
    return store_->Value(root_, currentPath_, name);
}

bool TRegistry::ValueExists(std::string_view name) const {
    return ReadValue(name).has_value();
}

std::string TRegistry::ReadString(std::string_view name) const {
    auto value = ReadValue(name);
    if (!value) {
        return {};
    }
    if (value->type != TRegDataType::rdString && value->type != TRegDataType::rdExpandString) {
        RaiseInvalidType(name);
    }
    return value->text;
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
    auto value = ReadValue(name);
    if (!value) {
        throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    }
    if (value->type != TRegDataType::rdInteger) {
        RaiseInvalidType(name);
    }
    return static_cast<std::int32_t>(value->integer);
}

TRegDataType TRegistry::GetDataType(std::string_view name) const {
    auto value = ReadValue(name);
    return value ? value->type : TRegDataType::rdUnknown;
}

void TRegistry::GetValueNames(TStringList& list) const {
    FillList(list, open_ ? store_->ValueNames(root_, currentPath_) : std::vector<std::string>{});
}

void TRegistry::GetKeyNames(TStringList& list) const {
    FillList(list, open_ ? store_->KeyNames(root_, currentPath_) : std::vector<std::string>{});
}

bool TRegistry::HasSubKeys() const {
    return open_ && !store_->KeyNames(root_, currentPath_).empty();
}

} // namespace kvc
