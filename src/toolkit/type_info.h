// Names of enumeration values and of named integers, as the reflection and
// the form definitions read and write them.
//
// An enumeration declared with KVC_ENUM knows its value names:
//   KVC_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
// An integer type with names for some of its values (colours, character sets)
// declares `const TIdentMap& IdentMapOf(TColor)`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvc {

class TEnumInfo {
public:
    // names: the enumerators as written in the declaration, separated by ",".
    TEnumInfo(std::string_view typeName, std::string_view names);

    std::string_view TypeName() const { return typeName_; }
    int Count() const { return int(names_.size()); }
    // The value of a name (letter case ignored), none when the name is unknown.
    std::optional<int> ValueOf(std::string_view name) const;
    // The name of a value; empty when the value is out of range.
    std::string_view NameOf(int value) const;

private:
    std::string typeName_;
    std::vector<std::string> names_;
};

class TIdentMap {
public:
    TIdentMap(std::string_view typeName,
              std::initializer_list<std::pair<std::string_view, std::int64_t>> entries);

    std::string_view TypeName() const { return typeName_; }
    std::optional<std::int64_t> ValueOf(std::string_view name) const;
    // The first name of a value; empty when the value has none.
    std::string_view NameOf(std::int64_t value) const;

private:
    std::string typeName_;
    std::vector<std::pair<std::string, std::int64_t>> entries_;
};

template <class E>
concept NamedEnum = requires(E e) {
    { EnumInfoOf(e) } -> std::same_as<const TEnumInfo&>;
};

template <class T>
concept NamedInteger = requires(T t) {
    { IdentMapOf(t) } -> std::same_as<const TIdentMap&>;
};

} // namespace kvc

#define KVC_ENUM(Name, ...)                                                                        \
    enum Name : int { __VA_ARGS__ };                                                               \
    inline const ::kvc::TEnumInfo& EnumInfoOf(Name) {                                              \
        static const ::kvc::TEnumInfo info(#Name, #__VA_ARGS__);                                   \
        return info;                                                                               \
    }
