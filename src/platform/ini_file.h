// Profile (ini) files with the Windows semantics the classic TIniFile relies on:
//
//   [Section]          a section; the name is trimmed and compared ignoring case
//   Key = value        key and value trimmed; the key compared ignoring case
//   ; comment          skipped, as are blank lines
//
// The first section of a name is the one read (a later section of the same
// name is not seen, as on Windows), and within it the first line of a key
// wins. A value written in matching quotes ("x" or 'x') reads without them.
// Lines that do not read (no "=", an empty key, a "[" without "]", keys
// before the first section) are skipped; a skipped "[" line does not open a
// section, so the keys after it stay in the section before it.
//
// The file is UTF-8 (a BOM is skipped) and is read once, when the object is
// made; a missing or unreadable file reads as empty, so every key gives its
// default. The file name is a Windows path (through the drive map).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

class TStringList;

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    // An ini text that is not read from a file (WriteString then writes to fileName).
    static TIniFile FromText(std::string_view text, std::string fileName = {});

    const std::string& FileName() const { return fileName_; }

    // The value, "" when present but empty; fallback when the key is missing.
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view fallback) const;
    // fallback when the key is missing or its value is not a whole number
    // (decimal, "$" or "0x" hexadecimal).
    std::int32_t ReadInteger(std::string_view section, std::string_view ident,
                             std::int32_t fallback) const;
    // A number: 0 is false, any other true; fallback as for ReadInteger.
    bool ReadBool(std::string_view section, std::string_view ident, bool fallback) const;

    // The section's key names in file order, a repeated key as often as it is written.
    void ReadSection(std::string_view section, TStringList& keys) const;
    // One "key=value" line per key line, in file order, each with the key's
    // value as ReadString gives it (so a repeated key shows its first value).
    void ReadSectionValues(std::string_view section, TStringList& lines) const;
    // The names of the sections, each once, in file order.
    void ReadSections(TStringList& sections) const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;

    // Sets the value and writes the file at once, keeping its other lines:
    // an existing key's line is replaced, a new key goes after the section's
    // last key, a new section at the end. Raises EInOutError when the file
    // cannot be written.
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view ident, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view ident, bool value);

private:
    struct Entry {
        std::string key;
        std::string value;
        std::size_t line;
    };
    struct Section {
        std::string name;
        std::size_t line;
        std::vector<Entry> entries;
    };

    TIniFile() = default;
    void Index();
    const Section* FindSection(std::string_view name) const;
    const Entry* FindEntry(std::string_view section, std::string_view ident) const;
    void Save() const;

    std::string fileName_;
    std::vector<std::string> lines_;
    std::vector<Section> sections_;
    bool bom_ = false;
    bool crlf_ = true;
};

} // namespace kvc
