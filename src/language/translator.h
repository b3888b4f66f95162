// TTranslator: the conversion library Kvlanguage.dll seen as two functions
// from a text to the converted text.
//
// Texts are UTF-8 on both sides; the translator encodes them to the code page
// the library reads (GBK for "GBtoBIG5", Big5 for "BIG5toGB"), calls it, and
// decodes its answer from the other code page.
#pragma once

#include "platform/codepage.h"
#include "platform/module.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kvc::language {

// Serves one thread at a time.
class TTranslator {
public:
    static constexpr std::string_view kLibraryName = "Kvlanguage.dll";

    // Loads the library by the system's library search. Raises kvc::Exception
    // "Load Library Kvlanguage.dll Error!" when it does not load, and
    // "Get Library Procedure Address Error!" when an entry point is missing.
    TTranslator();

    // Traditional Chinese -> Simplified Chinese ("BIG5toGB").
    std::string Big5ToGB(std::string_view text) const;
    // Simplified Chinese -> Traditional Chinese ("GBtoBIG5").
    std::string GBToBig5(std::string_view text) const;

private:
    using Entry = std::int32_t(const char*, std::int32_t, char*, std::int32_t);

    std::string Call(Entry* entry, std::string_view text, CodePageConverter& from,
                     CodePageConverter& to) const;

    Module library_;
    // Opened once: a form converts hundreds of short texts. The translator
    // serves one (the user-interface) thread.
    mutable CodePageConverter gbk_{936};
    mutable CodePageConverter big5_{950};
    Entry* big5ToGb_ = nullptr;
    Entry* gbToBig5_ = nullptr;
};

} // namespace kvc::language
