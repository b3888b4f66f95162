#include "platform/registry_file.h"

#include "runtime/strings.h"
#include "runtime/utf8.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace kvc {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

// Only the file's bytes are UTF-16LE when it starts with FF FE; surrogate pairs
// are joined, a lone surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&bytes](std::size_t i) {
        return char16_t(static_cast<unsigned char>(bytes[i]) |
                        (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacementCharacter;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string DecodeFile(std::string_view content) {
    if (content.starts_with("\xFF\xFE")) {
        return Utf16LeToUtf8(content.substr(2));
    }
    if (content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
    }
    return std::string(content);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
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
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') {
        s.remove_suffix(1);
    }
    return s;
}

bool IsHexDigits(std::string_view s, std::size_t maxDigits) {
    return !s.empty() && s.size() <= maxDigits && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
}

std::uint32_t HexValue(std::string_view s) {
    std::uint32_t value = 0;
    for (char c : s) {
        int digit = std::isdigit(static_cast<unsigned char>(c))
                        ? c - '0'
                        : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

// A quoted text at s[pos] == '"' with the \\ and \" escapes; pos ends after
// the closing quote. False when the quote is not closed.
bool ReadQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    for (++pos; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"')) {
            c = s[++pos];
        }
        out += c;
    }
    return false;
}

// "01,02, ff" -> bytes; a trailing "," is allowed. False on any other token.
bool ReadHexBytes(std::string_view text, std::string& out) {
    text = TrimView(text);
    if (text.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find(',', start), text.size());
        std::string_view token = TrimView(text.substr(start, end - start));
        bool last = end == text.size();
        if (token.empty() && last && start > 0) {
            return true;
        }
        if (!IsHexDigits(token, 2)) {
            return false;
        }
        out += static_cast<char>(HexValue(token));
        start = end + 1;
    }
    return true;
}

std::string UntilNul(std::string text) {
    std::size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        text.resize(nul);
    }
    return text;
}

std::string KeyId(RootKey root, const std::vector<std::string>& components) {
    std::string id = std::to_string(static_cast<std::uint32_t>(root));
    for (const auto& c : components) {
        id += '\\';
        id += AnsiUpperCase(c);
    }
    return id;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            components.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return components;
}

} // namespace

class RegistryFile::Parser {
public:
    Parser(RegistryFile& registry, std::string_view text)
        : registry_(registry), lines_(SplitLines(text)) {}

    void Run() {
        if (!ReadHeader()) {
            return;
        }
        for (; index_ < lines_.size(); ++index_) {
            std::string_view line = TrimView(lines_[index_]);
            if (line.empty() || line.front() == ';') {
                continue;
            }
            if (line.front() == '[') {
                ReadKeyLine(line);
            } else if (line.front() == '"' || line.front() == '@') {
                ReadValueLine(line);
            }
        }
    }

private:
    bool ReadHeader() {
        for (; index_ < lines_.size(); ++index_) {
            std::string_view line = TrimView(lines_[index_]);
            if (line.empty()) {
                continue;
            }
            unicode_ = line == kHeader5;
            ++index_;
            return unicode_ || line == kHeader4;
        }
        return false;
    }

    void ReadKeyLine(std::string_view line) {
        current_ = nullptr;
        if (line.size() < 2 || line.back() != ']' || line[1] == '-') {
            return;
        }
        std::string_view inner = line.substr(1, line.size() - 2);
        std::size_t sep = std::min(inner.find('\\'), inner.size());
        auto root = RootKeyFromName(inner.substr(0, sep));
        if (!root) {
            return;
        }
        std::vector<std::string> components;
        if (sep < inner.size()) {
            std::string_view rest = inner.substr(sep + 1);
            components = SplitKeyPath(rest);
            // An empty component ("A\\B", a trailing "\") does not name a key.
            if (rest.empty() || rest.back() == '\\' ||
                rest.find("\\\\") != std::string_view::npos) {
                return;
            }
        }
        current_ = &registry_.Ensure(*root, components);
    }

    void ReadValueLine(std::string_view line) {
        if (current_ == nullptr) {
            return;
        }
        std::string name;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (!ReadQuoted(line, pos, name)) {
            return;
        }
        std::string_view rest = TrimView(line.substr(pos));
        if (rest.empty() || rest.front() != '=') {
            return;
        }
        std::string_view data = TrimView(rest.substr(1));
        if (auto value = ReadData(data)) {
            Store(std::move(name), std::move(*value));
        }
    }

    std::optional<RegistryValue> ReadData(std::string_view data) {
        RegistryValue value;
        if (!data.empty() && data.front() == '"') {
            std::size_t pos = 0;
            if (!ReadQuoted(data, pos, value.text) || pos != data.size()) {
                return std::nullopt;
            }
            value.type = TRegDataType::rdString;
            return value;
        }
        if (StartsWithIgnoringCase(data, "dword:")) {
            std::string_view digits = TrimView(data.substr(6));
            if (!IsHexDigits(digits, 8)) {
                return std::nullopt;
            }
            value.type = TRegDataType::rdInteger;
            value.integer = HexValue(digits);
            return value;
        }
        if (StartsWithIgnoringCase(data, "hex")) {
            return ReadHexData(data.substr(3));
        }
        return std::nullopt; // a deletion ("-") or not a value
    }

    // After "hex": ":bytes" or "(kind):bytes", continued over lines ending in "\".
    std::optional<RegistryValue> ReadHexData(std::string_view data) {
        std::uint32_t kind = 3;
        if (!data.empty() && data.front() == '(') {
            std::size_t close = data.find(')');
            if (close == std::string_view::npos || !IsHexDigits(data.substr(1, close - 1), 8)) {
                return std::nullopt;
            }
            kind = HexValue(data.substr(1, close - 1));
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data.front() != ':') {
            return std::nullopt;
        }
        std::string text(TrimView(data.substr(1)));
        while (!text.empty() && text.back() == '\\' && index_ + 1 < lines_.size()) {
            text.pop_back();
            text += TrimView(lines_[++index_]);
        }
        std::string bytes;
        if (!ReadHexBytes(text, bytes)) {
            return std::nullopt;
        }
        return ValueOfKind(kind, std::move(bytes));
    }

    RegistryValue ValueOfKind(std::uint32_t kind, std::string bytes) const {
        RegistryValue value;
        switch (kind) {
        case 1: // REG_SZ
        case 2: // REG_EXPAND_SZ
            value.type = kind == 1 ? TRegDataType::rdString : TRegDataType::rdExpandString;
            value.text = UntilNul(unicode_ ? Utf16LeToUtf8(bytes) : bytes);
            return value;
        case 3: // REG_BINARY
            value.type = TRegDataType::rdBinary;
            value.bytes = std::move(bytes);
            return value;
        case 4: // REG_DWORD, little-endian
            if (bytes.size() == 4) {
                value.type = TRegDataType::rdInteger;
                for (int i = 3; i >= 0; --i) {
                    value.integer = (value.integer << 8) | static_cast<unsigned char>(bytes[i]);
                }
                return value;
            }
            break;
        default:
            break;
        }
        value.type = TRegDataType::rdUnknown;
        value.bytes = std::move(bytes);
        return value;
    }

    void Store(std::string name, RegistryValue value) {
        std::string id = AnsiUpperCase(name);
        auto [it, inserted] = current_->values.insert_or_assign(id, std::move(value));
        if (inserted) {
            current_->valueNames.push_back(std::move(name));
        }
    }

    RegistryFile& registry_;
    std::vector<std::string_view> lines_;
    std::size_t index_ = 0;
    bool unicode_ = true;
    Key* current_ = nullptr;
};

RegistryFile RegistryFile::Parse(std::string_view content) {
    RegistryFile registry;
    std::string text = DecodeFile(content);
    Parser(registry, text).Run();
    return registry;
}

RegistryFile RegistryFile::Load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {};
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(content);
}

RegistryFile::Key& RegistryFile::Ensure(RootKey root, const std::vector<std::string>& components) {
    std::vector<std::string> prefix;
    Key* key = &keys_[KeyId(root, prefix)];
    for (const auto& component : components) {
        Key* parent = key;
        prefix.push_back(component);
        auto [it, inserted] = keys_.try_emplace(KeyId(root, prefix));
        if (inserted) {
            parent->childNames.push_back(component);
        }
        key = &it->second;
    }
    return *key;
}

const RegistryFile::Key* RegistryFile::FindExact(RootKey root, std::string_view path) const {
    auto it = keys_.find(KeyId(root, SplitKeyPath(path)));
    return it == keys_.end() ? nullptr : &it->second;
}

const RegistryFile::Key* RegistryFile::Find(RootKey root, std::string_view path) const {
    if (const Key* key = FindExact(root, path)) {
        return key;
    }
    if (root != RootKey::ClassesRoot) {
        return nullptr;
    }
    std::string classes = "Software\\Classes\\" + std::string(path);
    if (const Key* key = FindExact(RootKey::CurrentUser, classes)) {
        return key;
    }
    return FindExact(RootKey::LocalMachine, classes);
}

bool RegistryFile::KeyExists(RootKey root, std::string_view path) const {
    return Find(root, path) != nullptr;
}

std::optional<RegistryValue> RegistryFile::Value(RootKey root, std::string_view path,
                                                 std::string_view name) const {
    const Key* key = Find(root, path);
    if (key == nullptr) {
        return std::nullopt;
    }
    auto it = key->values.find(AnsiUpperCase(name));
    if (it == key->values.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::vector<std::string> RegistryFile::ValueNames(RootKey root, std::string_view path) const {
    const Key* key = Find(root, path);
    return key == nullptr ? std::vector<std::string>{} : key->valueNames;
}

std::vector<std::string> RegistryFile::KeyNames(RootKey root, std::string_view path) const {
    const Key* key = Find(root, path);
    return key == nullptr ? std::vector<std::string>{} : key->childNames;
}

} // namespace kvc
