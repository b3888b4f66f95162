// A machine for one test: drive C: is a fresh temporary folder, the registry
// is a file in it, the system code page and the user are fixed. Everything is
// put back when the object goes.
#pragma once

#include "platform/environment.h"
#include "platform/temp_folder.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvc::testing {

// One registry key and its values for a registry-export file.
struct RegistryKey {
    std::string path; // below HKEY_LOCAL_MACHINE
    std::vector<std::pair<std::string, std::string>> strings;
    std::vector<std::pair<std::string, std::uint32_t>> dwords;
};

class TestInstallation {
public:
    explicit TestInstallation(std::string codePage = "936", std::string user = "user1")
        : acp_("KVC_ACP", std::move(codePage)), user_("USER", std::move(user)) {
        std::filesystem::create_directories(DriveC());
        drives_.emplace("KVC_DRIVES", "C=" + DriveC().string());
        registry_.emplace("KVC_REGISTRY", RegistryFile().string());
    }

    const std::filesystem::path& Root() const { return folder_.Path(); }
    std::filesystem::path DriveC() const { return folder_.Path() / "c"; }
    std::filesystem::path RegistryFile() const { return folder_.Path() / "registry.reg"; }

    // Writes the registry file with these keys (replacing what was there).
    void SetRegistry(const std::vector<RegistryKey>& keys) const {
        std::string text = "Windows Registry Editor Version 5.00\r\n";
        for (const RegistryKey& key : keys) {
            text += "\r\n[HKEY_LOCAL_MACHINE\\" + key.path + "]\r\n";
            for (const auto& [name, value] : key.strings) {
                text += "\"" + name + "\"=\"" + Escape(value) + "\"\r\n";
            }
            for (const auto& [name, value] : key.dwords) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "%08x", value);
                text += "\"" + name + "\"=dword:" + hex + "\r\n";
            }
        }
        folder_.Write("registry.reg", text);
    }

    // The installation key with these string values.
    void SetTessera(std::vector<std::pair<std::string, std::string>> values) const {
        SetRegistry({{"Software\\KVC\\Tessera", std::move(values), {}}});
    }

    // Writes a file named by a path on drive C: ("ERP\TesseraC.ini").
    std::filesystem::path WriteOnC(std::string_view relativeWindowsPath,
                                   std::string_view content) const {
        return folder_.Write(std::filesystem::path("c") / Native(relativeWindowsPath), content);
    }

    std::filesystem::path OnC(std::string_view relativeWindowsPath) const {
        return DriveC() / Native(relativeWindowsPath);
    }

private:
    static std::string Escape(std::string_view value) {
        std::string out;
        for (char c : value) {
            if (c == '\\' || c == '"') {
                out += '\\';
            }
            out += c;
        }
        return out;
    }
    static std::string Native(std::string_view windowsPath) {
        std::string path(windowsPath);
        for (char& c : path) {
            if (c == '\\') {
                c = '/';
            }
        }
        return path;
    }

    TempFolder folder_;
    ScopedEnvironmentVariable acp_;
    ScopedEnvironmentVariable user_;
    ScopedEnvironmentVariable shares_{"KVC_SHARES", std::nullopt};
    std::optional<ScopedEnvironmentVariable> drives_;
    std::optional<ScopedEnvironmentVariable> registry_;
};

} // namespace kvc::testing
