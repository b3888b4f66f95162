#include "toolkit/type_info.h"

#include "runtime/strings.h"

namespace kvc {

TEnumInfo::TEnumInfo(std::string_view typeName, std::string_view names) : typeName_(typeName) {
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t comma = names.find(',', start);
        if (comma == std::string_view::npos) {
            comma = names.size();
        }
        names_.push_back(Trim(names.substr(start, comma - start)));
        start = comma + 1;
    }
}

std::optional<int> TEnumInfo::ValueOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (SameText(names_[i], name)) {
            return int(i);
        }
    }
    return std::nullopt;
}

std::string_view TEnumInfo::NameOf(int value) const {
    if (value < 0 || value >= Count()) {
        return {};
    }
    return names_[std::size_t(value)];
}

TIdentMap::TIdentMap(std::string_view typeName,
                     std::initializer_list<std::pair<std::string_view, std::int64_t>> entries)
    : typeName_(typeName) {
    for (const auto& [name, value] : entries) {
        entries_.emplace_back(std::string(name), value);
    }
}

std::optional<std::int64_t> TIdentMap::ValueOf(std::string_view name) const {
    for (const auto& [n, v] : entries_) {
        if (SameText(n, name)) {
            return v;
        }
    }
    return std::nullopt;
}

std::string_view TIdentMap::NameOf(std::int64_t value) const {
    for (const auto& [n, v] : entries_) {
        if (v == value) {
            return n;
        }
    }
    return {};
}

} // namespace kvc
