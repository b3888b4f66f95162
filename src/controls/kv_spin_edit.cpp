#include "controls/kv_spin_edit.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

namespace kvc::controls {

KVC_REGISTER_CLASS(TKvSpinEdit) {}

namespace {

bool HasInnerSign(const std::u32string& chars) {
    return chars.size() > 1 && chars.find_first_of(U"+-", 1) != std::u32string::npos;
}

} // namespace

void TKvSpinEdit::Change() {
    std::u32string chars = ToChars(GetText());
    if (HasInnerSign(chars)) {
        chars.pop_back();
        SetText(FromChars(chars));
        return;
    }
    if (!Trim(GetText()).empty()) {
        TSpinEdit::Change();
    }
}

} // namespace kvc::controls
