#include "platform/file_system.h"

#include "platform/drive_map.h"
#include "runtime/exceptions.h"
#include "runtime/strings.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kvc {

namespace fs = std::filesystem;

namespace {

fs::file_type TypeOf(std::string_view path) {
    auto native = ToNativePath(path);
    if (!native) {
        return fs::file_type::not_found;
    }
    std::error_code ec;
    auto type = fs::status(*native, ec).type();
    return ec ? fs::file_type::not_found : type;
}

[[noreturn]] void RaiseFileError(const char* what, std::string_view path, int error) {
    throw EInOutError(std::string(what) + " \"" + std::string(path) + "\". " +
                      std::strerror(error));
}

// The native path of a file to read or write; raises when the path is unreachable.
fs::path NativeOrRaise(const char* what, std::string_view path) {
    auto native = ToNativePath(path);
    if (!native) {
        RaiseFileError(what, path, ENOENT);
    }
    return *native;
}

void WriteBytes(std::string_view path, std::string_view bytes, std::ios::openmode mode) {
    fs::path native = NativeOrRaise("Cannot create file", path);
    std::ofstream out(native, std::ios::binary | mode);
    if (!out) {
        RaiseFileError("Cannot create file", path, errno != 0 ? errno : EACCES);
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        RaiseFileError("Cannot write file", path, errno != 0 ? errno : EIO);
    }
}

TDateTime ModifiedTime(const fs::path& native) {
    std::error_code ec;
    auto stamp = fs::last_write_time(native, ec);
    if (ec) {
        return 0;
    }
    auto since = std::chrono::file_clock::to_sys(stamp).time_since_epoch();
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    auto seconds = millis / 1000 - (millis % 1000 < 0 ? 1 : 0);
    return UnixTimeToDateTime(seconds, static_cast<int>(millis - seconds * 1000));
}

} // namespace

bool FileExists(std::string_view path) {
    auto type = TypeOf(path);
    return type != fs::file_type::not_found && type != fs::file_type::directory;
}

bool DirectoryExists(std::string_view path) {
    return TypeOf(path) == fs::file_type::directory;
}

bool ForceDirectories(std::string_view path) {
    auto native = ToNativePath(path);
    if (!native || path.empty()) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(*native, ec);
    return fs::is_directory(*native, ec);
}

bool DeleteFile(std::string_view path) {
    if (!FileExists(path)) {
        return false;
    }
    std::error_code ec;
    return fs::remove(*ToNativePath(path), ec) && !ec;
}

bool RenameFile(std::string_view oldName, std::string_view newName) {
    auto from = ToNativePath(oldName);
    auto to = ToNativePath(newName);
    std::error_code ec;
    if (!from || !to || !fs::exists(*from, ec) || fs::exists(*to, ec)) {
        return false;
    }
    fs::rename(*from, *to, ec);
    return !ec;
}

std::optional<TDateTime> FileAge(std::string_view path) {
    if (!FileExists(path)) {
        return std::nullopt;
    }
    return ModifiedTime(*ToNativePath(path));
}

std::string ReadFileBytes(std::string_view path) {
    fs::path native = NativeOrRaise("Cannot open file", path);
    std::error_code ec;
    if (fs::is_directory(native, ec)) {
        RaiseFileError("Cannot open file", path, EISDIR);
    }
    std::ifstream in(native, std::ios::binary);
    if (!in) {
        RaiseFileError("Cannot open file", path, errno != 0 ? errno : ENOENT);
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        RaiseFileError("Cannot read file", path, errno != 0 ? errno : EIO);
    }
    return bytes;
}

void WriteFileBytes(std::string_view path, std::string_view bytes) {
    WriteBytes(path, bytes, std::ios::trunc);
}

void AppendFileBytes(std::string_view path, std::string_view bytes) {
    WriteBytes(path, bytes, std::ios::app);
}

void AppendLine(std::string_view path, std::string_view line) {
    std::string text(line);
    text += "\r\n";
    AppendFileBytes(path, text);
}

std::vector<FolderEntry> ListFolder(std::string_view folder, std::string_view mask) {
    std::vector<FolderEntry> entries;
    auto native = ToNativePath(folder);
    if (!native) {
        return entries;
    }
    std::error_code ec;
    fs::directory_iterator it(*native, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        FolderEntry entry;
        entry.name = it->path().filename().string();
        if (!MatchesFileMask(entry.name, mask)) {
            continue;
        }
        std::error_code entryError;
        entry.directory = it->is_directory(entryError);
        entry.size = entry.directory ? 0 : it->file_size(entryError);
        entry.modified = ModifiedTime(it->path());
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        int order = AnsiCompareText(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

std::string GetCurrentDir() {
    return DriveMap::FromEnvironment().CurrentFolder();
}

std::string ExpandFileName(std::string_view path) {
    return ExpandWindowsPath(path, DriveMap::FromEnvironment().CurrentFolder());
}

} // namespace kvc
