// Code-page conversion of texts and of whole variant trees, as requests to
// servers and byte-string libraries need them. Texts inside the system are
// UTF-8 ("wide"); texts of a code page are byte strings ("ansi").
#pragma once

#include "runtime/variant.h"

#include <string>
#include <string_view>

namespace kvc::services {

// UTF-8 -> bytes of the code page; the system code page when that code page
// cannot be converted here. Characters the code page lacks become "?".
std::string WideToAnsi(std::string_view wide, int codePage);
// Bytes of the code page -> UTF-8; the system code page when that one cannot be used.
std::string AnsiToWide(std::string_view ansi, int codePage);

// The same tree with its texts as byte strings of the code page: in a
// one-dimensional array nested arrays are converted too; in a two-dimensional
// array only its own texts. A failure is written to the alert log ("libstrs")
// and the tree comes back unconverted.
Variant VariantToAnsi(const Variant& tree, int codePage);
// The same tree with its texts read as bytes of the code page into UTF-8. A
// text that is already UTF-8 is first turned into bytes of the system code
// page, as the classic default conversion did.
Variant VariantToWide(const Variant& tree, int codePage);

} // namespace kvc::services
