// Published properties read and written by name. Names may be dotted paths
// through object-valued properties ("Font.Name"); letter case is ignored.
// A missing object, an empty name or a missing property is never an error:
// readers answer empty values and writers do nothing. A write of the wrong
// kind (a text to an integer property, ...) is refused without changing the
// property, and the writers answer whether they wrote.
#pragma once

#include "runtime/variant.h"
#include "toolkit/object.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kvc {

// The property a path names, with the object that holds it; null when any
// part is missing.
struct TPropertyRef {
    TObject* object = nullptr;
    const TPropInfo* prop = nullptr;
    explicit operator bool() const { return prop != nullptr; }
};
TPropertyRef FindPropertyPath(TObject* object, std::string_view path);

bool HasPublishedProperty(const TObject* component, std::string_view name);
// Text and character properties.
std::string GetStrPropertyByName(const TObject* component, std::string_view name);
bool SetStrPropertyByName(TObject* component, std::string_view name, const std::string& value);
// Integers, characters, enumerations, sets, Booleans and colours.
std::int64_t GetOrdPropertyByName(const TObject* control, std::string_view name);
bool SetOrdPropertyByName(TObject* component, std::string_view name, std::int64_t value);
// The handler; both halves null when missing.
TMethod GetEventByName(const TObject* object, std::string_view name);
// A handler of another parameter list is refused.
bool SetEventByName(TObject* object, std::string_view name, const TMethod& handler);

// Sets the last property of the path. An integer property whose type has
// names for its values (colours, character sets) takes a value given as a
// name ("clWindow"); an enumeration or set property given a value that is no
// integer takes its trimmed text as element name(s); other values are
// converted to the property's kind. Failure raises EPropertyError (or the
// conversion's error) and leaves the property unchanged.
void SetPropertyPath(TObject* object, std::string_view path, const Variant& value);
bool TrySetPropertyPath(TObject* object, std::string_view path, const Variant& value);
// The object held by a property of class type; null when the property is
// missing or of another kind.
TObject* GetObjectProperty(const TObject* object, std::string_view name);

KVC_DECLARE_EXCEPTION(EPropertyError, Exception);

} // namespace kvc
