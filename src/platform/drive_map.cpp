#include "platform/drive_map.h"

#include "platform/environment.h"
#include "runtime/strings.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace kvc {

namespace fs = std::filesystem;

namespace {

// Calls f(entry) for each ";"-separated, trimmed, non-empty entry.
template <typename F> void ForEachEntry(std::string_view list, F f) {
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = std::min(list.find(';', start), list.size());
        std::string entry = Trim(list.substr(start, end - start));
        if (!entry.empty()) {
            f(entry);
        }
        start = end + 1;
    }
}

// "/a/b/" -> "/a/b"; the root stays "/".
fs::path NormalFolder(fs::path folder) {
    folder = folder.lexically_normal();
    if (folder.has_relative_path() && !folder.has_filename()) {
        folder = folder.parent_path();
    }
    return folder;
}

// Number of components of folder when it is a leading part of path, else -1.
int PrefixLength(const fs::path& folder, const fs::path& path) {
    auto f = folder.begin();
    auto p = path.begin();
    int count = 0;
    for (; f != folder.end(); ++f, ++p, ++count) {
        if (p == path.end() || *f != *p) {
            return -1;
        }
    }
    return count;
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// The entry of folder whose name equals name ignoring case; the first in
// sorted order when there are several, so the answer never depends on the
// order of the listing.
std::optional<std::string> FindIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    std::optional<std::string> found;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (AnsiSameText(candidate, name) && (!found || candidate < *found)) {
            found = std::move(candidate);
        }
    }
    return found;
}

} // namespace

DriveMap::DriveMap() {
    drives_['Z' - 'A'] = fs::path("/");
}

DriveMap DriveMap::FromEnvironment() {
    return Parse(GetEnvironmentVariableOr("KVC_DRIVES", ""),
                 GetEnvironmentVariableOr("KVC_SHARES", ""));
}

DriveMap DriveMap::Parse(std::string_view drives, std::string_view shares) {
    DriveMap map;
    ForEachEntry(drives, [&map](const std::string& entry) {
        // "C=/folder", also "C:=/folder".
        std::size_t eq = entry.find('=');
        if (eq == std::string::npos) {
            return;
        }
        std::string letter = Trim(std::string_view(entry).substr(0, eq));
        std::string folder = Trim(std::string_view(entry).substr(eq + 1));
        if (letter.size() == 2 && letter[1] == ':') {
            letter.pop_back();
        }
        if (letter.size() == 1 && !folder.empty()) {
            map.MapDrive(letter[0], folder);
        }
    });
    ForEachEntry(shares, [&map](const std::string& entry) {
        // "server/share=/folder"; "\\server\share=/folder" reads the same.
        std::size_t eq = entry.find('=');
        if (eq == std::string::npos) {
            return;
        }
        std::string key = Trim(std::string_view(entry).substr(0, eq));
        std::string folder = Trim(std::string_view(entry).substr(eq + 1));
        std::size_t begin = key.find_first_not_of("\\/");
        if (begin == std::string::npos || folder.empty()) {
            return;
        }
        key = key.substr(begin);
        std::size_t sep = key.find_first_of("\\/");
        if (sep == std::string::npos || sep == 0 || sep + 1 >= key.size()) {
            return;
        }
        map.MapShare(key.substr(0, sep), key.substr(sep + 1), folder);
    });
    return map;
}

bool DriveMap::MapDrive(char letter, fs::path folder) {
    int index = std::toupper(static_cast<unsigned char>(letter)) - 'A';
    if (index < 0 || index >= 26 || index == 'Z' - 'A') {
        return false;
    }
    drives_[index] = NormalFolder(std::move(folder));
    return true;
}

void DriveMap::MapShare(std::string_view server, std::string_view share, fs::path folder) {
    shares_.push_back({std::string(server), std::string(share), NormalFolder(std::move(folder))});
}

std::optional<fs::path> DriveMap::DriveFolder(char letter) const {
    int index = std::toupper(static_cast<unsigned char>(letter)) - 'A';
    if (index < 0 || index >= 26) {
        return std::nullopt;
    }
    return drives_[index];
}

WindowsPath DriveMap::Absolute(std::string_view windowsPath) const {
    WindowsPath path = WindowsPath::Parse(windowsPath);
    if (path.kind == WindowsPath::Kind::Rooted || path.kind == WindowsPath::Kind::Relative) {
        path = WindowsPath::Parse(ExpandWindowsPath(windowsPath, CurrentFolder()));
    }
    return path;
}

std::optional<fs::path> DriveMap::RootFolder(const WindowsPath& path) const {
    if (path.kind == WindowsPath::Kind::Drive) {
        return DriveFolder(path.drive);
    }
    if (path.kind == WindowsPath::Kind::Unc) {
        for (const Share& s : shares_) {
            if (AnsiSameText(s.server, path.server) && AnsiSameText(s.share, path.share)) {
                return s.folder;
            }
        }
    }
    return std::nullopt;
}

std::optional<fs::path> DriveMap::ToNative(std::string_view windowsPath) const {
    WindowsPath path = Absolute(windowsPath);
    auto root = RootFolder(path);
    if (!root) {
        return std::nullopt;
    }
    return ResolveLetterCase(*root, path.components);
}

std::optional<fs::path> DriveMap::ToNativeLexically(std::string_view windowsPath) const {
    WindowsPath path = Absolute(windowsPath);
    auto root = RootFolder(path);
    if (!root) {
        return std::nullopt;
    }
    fs::path result = *root;
    for (const auto& c : path.components) {
        result /= c;
    }
    return result;
}

std::string DriveMap::ToWindows(const fs::path& native) const {
    std::error_code ec;
    fs::path absolute = native.is_absolute() ? native : fs::absolute(native, ec);
    if (ec) {
        absolute = fs::path("/") / native;
    }
    absolute = absolute.lexically_normal();
    bool trailing = absolute.has_relative_path() && !absolute.has_filename();

    int bestLength = -1;
    int bestDrive = 'Z' - 'A';
    for (int i = 0; i < 26; ++i) {
        if (!drives_[i]) {
            continue;
        }
        int length = PrefixLength(*drives_[i], absolute);
        if (length > bestLength) {
            bestLength = length;
            bestDrive = i;
        }
    }
    std::string result(1, char('A' + bestDrive));
    result += ":";
    auto it = absolute.begin();
    std::advance(it, std::max(bestLength, 0));
    for (; it != absolute.end(); ++it) {
        std::string part = it->string();
        if (!part.empty() && part != "/") {
            result += "\\" + part;
        }
    }
    if (trailing || result.size() == 2) {
        result += "\\";
    }
    return result;
}

std::string DriveMap::CurrentFolder() const {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    return ToWindows(ec ? fs::path("/") : cwd);
}

std::optional<fs::path> ToNativePath(std::string_view windowsPath) {
    return DriveMap::FromEnvironment().ToNative(windowsPath);
}

std::string ToWindowsPath(const fs::path& native) {
    return DriveMap::FromEnvironment().ToWindows(native);
}

fs::path ResolveLetterCase(const fs::path& root, const std::vector<std::string>& components) {
    fs::path current = root;
    bool resolving = true;
    for (const auto& component : components) {
        if (resolving && !Exists(current / component)) {
            if (auto match = FindIgnoringCase(current, component)) {
                current /= *match;
                continue;
            }
            resolving = false;
        }
        current /= component;
    }
    return current;
}

} // namespace kvc
