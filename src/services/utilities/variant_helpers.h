// Small helpers on variants that the forms share.
#pragma once

#include "runtime/variant.h"

#include <string>
#include <string_view>

namespace kvc::services {

inline Variant IIF(bool condition, const Variant& whenTrue, const Variant& whenFalse) {
    return condition ? whenTrue : whenFalse;
}

// True for Empty and Null only (not for 0, "" or an empty array).
inline bool IsEmptyOrNull(const Variant& value) {
    return value.IsEmpty() || value.IsNull();
}

// The code-3 character that separates the parts of a counted list.
inline constexpr char kCountedListSeparator = '\x03';

// head, #3, the text of element 0 (the count), #3, then elements 1..count each
// followed by #3. A count beyond the array's last element raises EVariantError,
// as reading that element would.
std::string JoinCounted(std::string_view head, const Variant& array);

} // namespace kvc::services
