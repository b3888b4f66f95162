#include "services/utilities/variant_helpers.h"

namespace kvc::services {

std::string JoinCounted(std::string_view head, const Variant& array) {
    const Variant& counted = array; // const access never copies the shared elements
    std::string text(head);
    text += kCountedListSeparator;
    text += VarToStr(counted[0]);
    text += kCountedListSeparator;
    const int count = counted[0].AsInteger();
    for (int i = 1; i <= count; ++i) {
        text += VarToStr(counted[i]);
        text += kCountedListSeparator;
    }
    return text;
}

} // namespace kvc::services
