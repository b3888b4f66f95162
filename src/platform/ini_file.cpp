#include "platform/ini_file.h"

#include "platform/file_system.h"
#include "runtime/exceptions.h"
#include "runtime/string_list.h"
#include "runtime/strings.h"

namespace kvc {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// A value in matching quotes loses them, as GetPrivateProfileString does.
std::string Unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::string content;
    if (!fileName_.empty() && FileExists(fileName_)) {
        try {
            content = ReadFileBytes(fileName_);
        } catch (const EInOutError&) {
            // An unreadable profile reads as empty, as GetPrivateProfileString
            // answers the defaults; the caller sees every default.
        }
    }
    *this = FromText(content, std::move(fileName_));
}

TIniFile TIniFile::FromText(std::string_view text, std::string fileName) {
    TIniFile ini;
    ini.fileName_ = std::move(fileName);
    if (text.starts_with(kBom)) {
        ini.bom_ = true;
        text.remove_prefix(kBom.size());
    }
    std::size_t firstNewline = text.find('\n');
    ini.crlf_ = firstNewline == std::string_view::npos ||
                (firstNewline > 0 && text[firstNewline - 1] == '\r');
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ini.lines_.emplace_back(line);
        start = end + 1;
    }
    ini.Index();
    return ini;
}

void TIniFile::Index() {
    sections_.clear();
    Section* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string line = Trim(lines_[i]);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            if (close != std::string::npos) {
                sections_.push_back({Trim(line.substr(1, close - 1)), i, {}});
                current = &sections_.back();
            }
            continue;
        }
        std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) {
            continue;
        }
        std::string key = Trim(line.substr(0, eq));
        if (!key.empty()) {
            current->entries.push_back({std::move(key), Unquote(Trim(line.substr(eq + 1))), i});
        }
    }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
    std::string wanted = Trim(name);
    for (const Section& s : sections_) {
        if (AnsiSameText(s.name, wanted)) {
            return &s;
        }
    }
    return nullptr;
}

const TIniFile::Entry* TIniFile::FindEntry(std::string_view section, std::string_view ident) const {
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    std::string wanted = Trim(ident);
    for (const Entry& e : s->entries) {
        if (AnsiSameText(e.key, wanted)) {
            return &e;
        }
    }
    return nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view fallback) const {
    const Entry* e = FindEntry(section, ident);
    return e != nullptr ? e->value : std::string(fallback);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view ident,
                                   std::int32_t fallback) const {
    const Entry* e = FindEntry(section, ident);
    return e != nullptr ? StrToIntDef(e->value, fallback) : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view ident, bool fallback) const {
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TIniFile::ReadSection(std::string_view section, TStringList& keys) const {
    keys.Clear();
    if (const Section* s = FindSection(section)) {
        for (const Entry& e : s->entries) {
            keys.Add(e.key);
        }
    }
}

void TIniFile::ReadSectionValues(std::string_view section, TStringList& lines) const {
    lines.Clear();
    if (const Section* s = FindSection(section)) {
        for (const Entry& e : s->entries) {
            lines.Add(e.key + "=" + ReadString(section, e.key, ""));
        }
    }
}

void TIniFile::ReadSections(TStringList& sections) const {
    sections.Clear();
    for (const Section& s : sections_) {
        if (FindSection(s.name) == &s) {
            sections.Add(s.name);
        }
    }
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view ident) const {
    return FindEntry(section, ident) != nullptr;
}

void TIniFile::WriteString(std::string_view section, std::string_view ident,
                           std::string_view value) {
    std::string key = Trim(ident);
    std::string line = key + "=" + std::string(value);
    if (const Entry* e = FindEntry(section, ident)) {
        lines_[e->line] = e->key + "=" + std::string(value);
    } else if (const Section* s = FindSection(section)) {
        std::size_t after = s->entries.empty() ? s->line : s->entries.back().line;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), line);
    } else {
        while (!lines_.empty() && Trim(lines_.back()).empty()) {
            lines_.pop_back();
        }
        if (!lines_.empty()) {
            lines_.emplace_back();
        }
        lines_.push_back("[" + Trim(section) + "]");
        lines_.push_back(line);
    }
    Index();
    Save();
}

void TIniFile::WriteInteger(std::string_view section, std::string_view ident, std::int32_t value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::Save() const {
    std::string text(bom_ ? kBom : "");
    const char* eol = crlf_ ? "\r\n" : "\n";
    for (const auto& line : lines_) {
        text += line;
        text += eol;
    }
    WriteFileBytes(fileName_, text);
}

} // namespace kvc
