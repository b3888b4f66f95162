// Windows-style path texts ("C:\ERP\Log\a.txt", "\\srv\share\x", "\Log") as
// the system keeps them in configuration, logs and module names. Pure text
// work: nothing here touches the file system. Texts are UTF-8; "\" and ":"
// never occur inside a multi-byte UTF-8 character, so byte scans are safe.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvc {

// Up to and including the last "\" or ":" ("C:\a\b.txt" -> "C:\a\"); "" without one.
std::string ExtractFilePath(std::string_view fileName);
// As ExtractFilePath without the trailing "\", except for a root ("C:\").
std::string ExtractFileDir(std::string_view fileName);
// After the last "\" or ":".
std::string ExtractFileName(std::string_view fileName);
// From the last "." of the file name on ("a.tar.gz" -> ".gz"); "" without one.
std::string ExtractFileExt(std::string_view fileName);
// "C:" or "\\server\share"; "" when the text has no drive part.
std::string ExtractFileDrive(std::string_view fileName);
// Replaces the extension (or appends extension when there is none); extension includes its ".".
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
// Appends "\" unless the text already ends in one; the empty text becomes "\".
std::string IncludeTrailingBackslash(std::string_view path);
// Removes one trailing "\".
std::string ExcludeTrailingBackslash(std::string_view path);
// True when the path has a drive part: a letter and a colon, or "\\server\share".
bool HasDrivePart(std::string_view path);

// A Windows path taken apart. "/" is read as "\"; "." components are dropped
// and ".." removes the component before it (never climbing above the root).
struct WindowsPath {
    enum class Kind {
        Drive,    // "C:\a\b" (and "C:a", read as "C:\a")
        Unc,      // "\\server\share\a"
        Rooted,   // "\a\b": the root of the current drive
        Relative, // "a\b": below the current folder
    };
    Kind kind = Kind::Relative;
    char drive = 0;     // upper-case letter, Kind::Drive only
    std::string server; // Kind::Unc only
    std::string share;  // Kind::Unc only; empty for "\\server" alone
    std::vector<std::string> components;
    bool trailingBackslash = false; // the text ended in "\" (a folder)

    static WindowsPath Parse(std::string_view text);
    // The canonical text: "C:\a\b", "\\srv\share\a", "\a", "a\b"; a root keeps its "\".
    std::string ToString() const;
};

// The absolute form of path: a relative or rooted path is completed from
// currentFolder (itself absolute, "C:\work"); "." and ".." are resolved.
std::string ExpandWindowsPath(std::string_view path, std::string_view currentFolder);

// Windows wildcard match of a file name: "*" any run, "?" one character;
// letter case ignored. "*.*" matches every name, as on Windows.
bool MatchesFileMask(std::string_view name, std::string_view mask);

} // namespace kvc
