// Where the Windows paths of the system live on this machine, as Wine does
// it: drive letters map to folders, "\\server\share" maps through a share
// table, and file names are looked up without regard to letter case.
//
// Configuration, read from the environment whenever a map is made from it:
//   KVC_DRIVES="C=/srv/erp/c;D=/data"   (Z: is always "/" and cannot be remapped)
//   KVC_SHARES="srv/share=/mnt/x;..."  (server and share compared ignoring case)
// Entries are separated by ";"; an entry that does not read is skipped.
#pragma once

#include "platform/windows_path.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

class DriveMap {
public:
    // Only Z: ("/").
    DriveMap();
    static DriveMap FromEnvironment();
    static DriveMap Parse(std::string_view drives, std::string_view shares);

    // letter is A..Z in either case; Z cannot be remapped (answers false), nor can a bad letter.
    bool MapDrive(char letter, std::filesystem::path folder);
    void MapShare(std::string_view server, std::string_view share, std::filesystem::path folder);
    std::optional<std::filesystem::path> DriveFolder(char letter) const;

    // The native path of a Windows path. Relative and rooted paths are taken
    // from the current folder. Each component is matched against the folder
    // listing without regard to letter case when the exact name does not
    // exist; from the first component that does not exist on, the rest is
    // kept as typed (a file about to be created). nullopt when the path is
    // unreachable: an unmapped drive, an unknown share. Never throws.
    std::optional<std::filesystem::path> ToNative(std::string_view windowsPath) const;
    // The same without looking at the disk: letter case kept as typed.
    std::optional<std::filesystem::path> ToNativeLexically(std::string_view windowsPath) const;

    // The Windows path of a native one (made absolute first): the drive whose
    // folder is the longest prefix wins (the lowest letter among equals),
    // else Z:. A trailing "/" gives a trailing "\".
    std::string ToWindows(const std::filesystem::path& native) const;

    // The process's current folder as a Windows path.
    std::string CurrentFolder() const;

private:
    struct Share {
        std::string server;
        std::string share;
        std::filesystem::path folder;
    };
    // The native folder of the path's root and the components below it.
    std::optional<std::filesystem::path> RootFolder(const WindowsPath& path) const;
    WindowsPath Absolute(std::string_view windowsPath) const;

    std::optional<std::filesystem::path> drives_[26];
    std::vector<Share> shares_;
};

// The native path of a file named by a Windows path, through the drive map
// of the environment; nullopt when unreachable.
std::optional<std::filesystem::path> ToNativePath(std::string_view windowsPath);
// The Windows path of a native file, through the drive map of the environment.
std::string ToWindowsPath(const std::filesystem::path& native);

// Follows components below root, each matched ignoring letter case when the
// exact name is absent; the first one that cannot be found and all after it
// are appended as given.
std::filesystem::path ResolveLetterCase(const std::filesystem::path& root,
                                        const std::vector<std::string>& components);

} // namespace kvc
