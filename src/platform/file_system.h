// File operations on Windows paths. Each path goes through the drive map of
// the environment (platform/drive_map.h) when the file is touched, so names
// are matched without regard to letter case. Lookups answer false, nullopt or
// an empty list for a path that cannot be reached; reading and writing whole
// files raise EInOutError with the classic "Cannot open file" texts.
#pragma once

#include "runtime/clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

// A file (not a folder).
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool ForceDirectories(std::string_view path);
// Files only; false when there was nothing to delete or it could not be deleted.
bool DeleteFile(std::string_view path);
// Refuses to replace an existing file, as the classic RenameFile does.
bool RenameFile(std::string_view oldName, std::string_view newName);
// The last modification, local time; nullopt when the file does not exist.
std::optional<TDateTime> FileAge(std::string_view path);

// The whole file as bytes.
std::string ReadFileBytes(std::string_view path);
// Creates or replaces the file.
void WriteFileBytes(std::string_view path, std::string_view bytes);
// Appends text to the file, creating it when missing.
void AppendFileBytes(std::string_view path, std::string_view bytes);
// Appends the line and CR LF, the line end of the system's text files.
void AppendLine(std::string_view path, std::string_view line);

struct FolderEntry {
    std::string name; // as on disk
    bool directory = false;
    std::uint64_t size = 0;
    TDateTime modified = 0;
};
// The files and folders of folder whose names match mask (Windows wildcards,
// letter case ignored), sorted by name ignoring case; "." and ".." are left
// out. Empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(std::string_view folder, std::string_view mask = "*");

// The current folder as a Windows path, without a trailing "\" except at a root.
std::string GetCurrentDir();
// The absolute form of a Windows path, from the current folder; "." and ".." resolved.
std::string ExpandFileName(std::string_view path);

// Local time of a moment given as seconds since 1970-01-01 UTC plus milliseconds.
TDateTime UnixTimeToDateTime(std::int64_t seconds, int milliseconds = 0);

} // namespace kvc
