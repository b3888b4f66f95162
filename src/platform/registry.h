// The registry, read only, in the manner of the classic TRegistry. Values come
// from a RegistryStore: on this platform the registry-export file named by
// KVC_REGISTRY (platform/registry_file.h); a Windows build answers from the
// real registry behind the same interface.
//
//   TRegistry reg;                                   // reads the registry file once
//   reg.SetRootKey(HKEY_LOCAL_MACHINE);
//   if (reg.OpenKeyReadOnly("Software\\KVC\\Tessera")) {
//       std::string folder = reg.ReadString("ClientPath"); // "" when missing
//       reg.CloseKey();
//   }
//
// Key and value names compare without regard to letter case.
#pragma once

#include "runtime/exceptions.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

class TStringList;

// A value that is missing or of another kind than the one read
// ("Invalid data type for 'Port'", "Failed to get data for 'Port'").
KVC_DECLARE_EXCEPTION(ERegistryException, Exception);

// The predefined root keys, with their Windows handle values.
enum class RootKey : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
    CurrentConfig = 0x80000005u,
};
inline constexpr RootKey HKEY_CLASSES_ROOT = RootKey::ClassesRoot;
inline constexpr RootKey HKEY_CURRENT_USER = RootKey::CurrentUser;
inline constexpr RootKey HKEY_LOCAL_MACHINE = RootKey::LocalMachine;
inline constexpr RootKey HKEY_USERS = RootKey::Users;
inline constexpr RootKey HKEY_CURRENT_CONFIG = RootKey::CurrentConfig;

// "HKEY_LOCAL_MACHINE" or "HKLM" (any letter case) -> the root; nullopt for another text.
std::optional<RootKey> RootKeyFromName(std::string_view name);
std::string_view RootKeyName(RootKey root);

// The classic kinds: REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY; every other
// kind (REG_MULTI_SZ, REG_QWORD, REG_NONE, ...) is rdUnknown.
enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct RegistryValue {
    TRegDataType type = TRegDataType::rdUnknown;
    std::string text;          // rdString, rdExpandString: UTF-8, not expanded
    std::uint32_t integer = 0; // rdInteger
    std::string bytes;         // rdBinary, rdUnknown: the raw data
    bool operator==(const RegistryValue&) const = default;
};

// Where the values come from. Paths are below the root, components separated
// by "\" ("Software\KVC\Tessera"; "" is the root itself).
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    virtual bool KeyExists(RootKey root, std::string_view path) const = 0;
    virtual std::optional<RegistryValue> Value(RootKey root, std::string_view path,
                                               std::string_view name) const = 0;
    // Names as written, in the order first seen.
    virtual std::vector<std::string> ValueNames(RootKey root, std::string_view path) const = 0;
    virtual std::vector<std::string> KeyNames(RootKey root, std::string_view path) const = 0;
};

// The system's registry as it is now (on this platform: the file KVC_REGISTRY names, a native path,
// default /etc/kvc/registry.reg, read at this call; a missing file is an empty registry).
std::shared_ptr<const RegistryStore> OpenSystemRegistry();

class TRegistry {
public:
    // The system registry; the root is HKEY_CURRENT_USER, as classically.
    TRegistry();
    explicit TRegistry(std::shared_ptr<const RegistryStore> store);

    RootKey GetRootKey() const { return root_; }
    // Closes the open key.
    void SetRootKey(RootKey root);
    // The open key's path below the root; empty when no key is open.
    const std::string& CurrentPath() const { return currentPath_; }
    bool HasCurrentKey() const { return open_; }

    // A key beginning with "\" is taken from the root, any other from the
    // open key (from the root when none is open). False when the key does
    // not exist; the key that was open then stays open.
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();
    // Relative keys as for OpenKeyReadOnly.
    bool KeyExists(std::string_view key) const;

    bool ValueExists(std::string_view name) const;
    // Missing values read "" ; a value that is not a string raises ERegistryException.
    std::string ReadString(std::string_view name) const;
    // A missing value or one that is not a REG_DWORD raises ERegistryException.
    std::int32_t ReadInteger(std::string_view name) const;
    bool ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }
    // rdUnknown for a missing value.
    TRegDataType GetDataType(std::string_view name) const;
    // The value of any kind; nullopt when missing.
    std::optional<RegistryValue> ReadValue(std::string_view name) const;

    // The names of the open key's values / subkeys, replacing the list's contents.
    void GetValueNames(TStringList& list) const;
    void GetKeyNames(TStringList& list) const;
    bool HasSubKeys() const;

private:
    std::string Resolve(std::string_view key) const;

    std::shared_ptr<const RegistryStore> store_;
    RootKey root_ = RootKey::CurrentUser;
    std::string currentPath_;
    bool open_ = false;
};

} // namespace kvc
