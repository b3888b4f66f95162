// A registry read from a registry-export file, the text regedit writes:
//
//   Windows Registry Editor Version 5.00          (or REGEDIT4)
//   ; a comment
//   [HKEY_LOCAL_MACHINE\Software\KVC\Tessera]    (roots also as HKLM, HKCU, HKCR, HKU, HKCC)
//   "ClientPath"="C:\\ERP"                        (\\ and \" escapes)
//   @="the default value"
//   "Port"=dword:000000d3
//   "Blob"=hex:01,02,ff,\                         (a trailing "\" continues the line)
//     03
//   "Path"=hex(2):25,00,54,00,00,00               (REG_EXPAND_SZ, UTF-16LE in version 5.00)
//
// The file is UTF-8 (a BOM is skipped); a file that begins with the UTF-16LE
// BOM, as regedit itself writes them, is read as well. A file whose first
// line is not one of the two headers is not a registry export and gives an
// empty registry. A line that does not read is skipped and never ends the
// reading; a value line under a key line that did not read is skipped too.
// "[-key]" and "name"=- (deletions) are skipped. A key that appears twice
// gathers the values of both places; a value written twice keeps the later
// one, as importing the file would. Parent keys exist implicitly.
//
// hex(n) data: kinds 1 and 2 are decoded as strings (UTF-16LE in version 5.00
// files, single bytes in REGEDIT4 files, up to the first NUL); kind 4 with
// four bytes is a REG_DWORD; "hex:" (kind 3) is rdBinary; other kinds keep
// their bytes as rdUnknown.
//
// HKEY_CLASSES_ROOT is the merged view Windows shows: a key not written under
// HKEY_CLASSES_ROOT is looked up under HKEY_CURRENT_USER\Software\Classes,
// then HKEY_LOCAL_MACHINE\Software\Classes (the first place that has it wins).
#pragma once

#include "platform/registry.h"

#include <filesystem>
#include <map>

namespace kvc {

class RegistryFile final : public RegistryStore {
public:
    RegistryFile() = default;
    static RegistryFile Parse(std::string_view content);
    // A missing or unreadable file gives an empty registry.
    static RegistryFile Load(const std::filesystem::path& file);

    bool KeyExists(RootKey root, std::string_view path) const override;
    std::optional<RegistryValue> Value(RootKey root, std::string_view path,
                                       std::string_view name) const override;
    std::vector<std::string> ValueNames(RootKey root, std::string_view path) const override;
    std::vector<std::string> KeyNames(RootKey root, std::string_view path) const override;

    bool Empty() const { return keys_.empty(); }

private:
    struct Key {
        std::vector<std::string> valueNames;         // as written, first-seen order
        std::map<std::string, RegistryValue> values; // by upper-cased name
        std::vector<std::string> childNames;         // as written, first-seen order
    };
    class Parser;

    // The key for the root and the components, created with its parents.
    Key& Ensure(RootKey root, const std::vector<std::string>& components);
    const Key* Find(RootKey root, std::string_view path) const;
    const Key* FindExact(RootKey root, std::string_view path) const;

    std::map<std::string, Key> keys_; // by "<root handle>\<UPPER PATH>"
};

} // namespace kvc
