#include "platform/windows_path.h"

#include "runtime/strings.h"
#include "runtime/utf8.h"

#include <cctype>

namespace kvc {

namespace {

bool IsSlash(char c) {
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool StartsWithDrive(std::string_view s) {
    return s.size() >= 2 && IsDriveLetter(s[0]) && s[1] == ':';
}

bool StartsWithUnc(std::string_view s) {
    return s.size() >= 2 && IsSlash(s[0]) && IsSlash(s[1]);
}

// Index of the last "\" or ":" (the classic path delimiters), npos without one.
std::size_t LastPathDelimiter(std::string_view s) {
    return s.find_last_of("\\:");
}

// Index of the extension's "." in the file-name part, npos without one.
std::size_t ExtensionDot(std::string_view s) {
    std::size_t i = s.find_last_of(".\\:");
    if (i == std::string_view::npos || s[i] != '.') {
        return std::string_view::npos;
    }
    return i;
}

// Splits at "\" and "/" and applies "." and ".." to the components so far.
void AppendComponents(std::string_view text, std::vector<std::string>& components) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsSlash(text[end])) {
            ++end;
        }
        std::string_view part = text.substr(start, end - start);
        if (part == "..") {
            if (!components.empty()) {
                components.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            components.emplace_back(part);
        }
        start = end + 1;
    }
}

} // namespace

std::string ExtractFilePath(std::string_view fileName) {
    std::size_t i = LastPathDelimiter(fileName);
    return i == std::string_view::npos ? std::string() : std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
    std::size_t i = LastPathDelimiter(fileName);
    if (i == std::string_view::npos) {
        return {};
    }
    // Keep the "\" of a root ("C:\", "\"), drop the one that ends a folder.
    if (i > 0 && fileName[i] == '\\' && fileName[i - 1] != '\\' && fileName[i - 1] != ':') {
        return std::string(fileName.substr(0, i));
    }
    return std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view fileName) {
    std::size_t i = LastPathDelimiter(fileName);
    return std::string(i == std::string_view::npos ? fileName : fileName.substr(i + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
    std::size_t i = ExtensionDot(fileName);
    return i == std::string_view::npos ? std::string() : std::string(fileName.substr(i));
}

std::string ExtractFileDrive(std::string_view fileName) {
    if (StartsWithDrive(fileName)) {
        return std::string(fileName.substr(0, 2));
    }
    if (!StartsWithUnc(fileName)) {
        return {};
    }
    // "\\server\share": up to the slash that follows the share name.
    std::size_t slashes = 0;
    std::size_t i = 2;
    for (; i < fileName.size(); ++i) {
        if (IsSlash(fileName[i]) && ++slashes == 2) {
            break;
        }
    }
    return slashes >= 1 ? std::string(fileName.substr(0, i)) : std::string();
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
    std::size_t i = ExtensionDot(fileName);
    std::string result(i == std::string_view::npos ? fileName : fileName.substr(0, i));
    result += extension;
    return result;
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\') {
        result += '\\';
    }
    return result;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

bool HasDrivePart(std::string_view path) {
    return !ExtractFileDrive(path).empty();
}

WindowsPath WindowsPath::Parse(std::string_view text) {
    WindowsPath path;
    path.trailingBackslash = !text.empty() && IsSlash(text.back());
    std::string_view rest = text;
    if (StartsWithDrive(text)) {
        path.kind = Kind::Drive;
        path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        rest = text.substr(2);
    } else if (StartsWithUnc(text)) {
        path.kind = Kind::Unc;
        rest = text.substr(2);
        std::size_t end = rest.find_first_of("\\/");
        path.server = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        end = rest.find_first_of("\\/");
        path.share = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    } else if (!text.empty() && IsSlash(text[0])) {
        path.kind = Kind::Rooted;
    }
    AppendComponents(rest, path.components);
    return path;
}

std::string WindowsPath::ToString() const {
    std::string result;
    switch (kind) {
    case Kind::Drive:
        result = std::string(1, drive) + ":\\";
        break;
    case Kind::Unc:
        result = "\\\\" + server;
        if (!share.empty()) {
            result += "\\" + share + "\\";
        }
        break;
    case Kind::Rooted:
        result = "\\";
        break;
    case Kind::Relative:
        break;
    }
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) {
            result += '\\';
        }
        result += components[i];
    }
    if (trailingBackslash && !components.empty()) {
        result += '\\';
    }
    return result;
}

std::string ExpandWindowsPath(std::string_view path, std::string_view currentFolder) {
    WindowsPath parsed = WindowsPath::Parse(path);
    if (parsed.kind == WindowsPath::Kind::Drive || parsed.kind == WindowsPath::Kind::Unc) {
        return parsed.ToString();
    }
    WindowsPath base = WindowsPath::Parse(currentFolder);
    if (parsed.kind == WindowsPath::Kind::Rooted) {
        base.components.clear();
    }
    // The raw text again: its leading ".." climb out of the current folder.
    AppendComponents(path, base.components);
    base.trailingBackslash = parsed.trailingBackslash;
    return base.ToString();
}

bool MatchesFileMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*") {
        return true;
    }
    // Compare code points of the upper-cased texts; "*" backtracks to the last star.
    std::string n = AnsiUpperCase(name);
    std::string m = AnsiUpperCase(mask);
    std::size_t ni = 0, mi = 0;
    std::size_t starMask = std::string::npos, starName = 0;
    while (ni < n.size()) {
        if (mi < m.size() && m[mi] == '*') {
            starMask = ++mi;
            starName = ni;
            continue;
        }
        if (mi < m.size()) {
            std::size_t nNext = ni, mNext = mi;
            char32_t nc = NextCodePoint(n, nNext);
            char32_t mc = NextCodePoint(m, mNext);
            if (mc == U'?' || mc == nc) {
                ni = nNext;
                mi = mNext;
                continue;
            }
        }
        if (starMask == std::string::npos) {
            return false;
        }
        mi = starMask;
        NextCodePoint(n, starName);
        ni = starName;
    }
    while (mi < m.size() && m[mi] == '*') {
        ++mi;
    }
    return mi == m.size();
}

} // namespace kvc
