// The stand-ins for GetACP and GetThreadLocale: the system code page and the
// user's locale, found from the environment each time they are asked.
//
// System code page: KVC_ACP when it holds a positive number (any other text
// is ignored), otherwise the locale named by LC_ALL, else LC_CTYPE, else LANG
// (the first that is set and not empty): a GBK, GB2312 or GB18030 charset, or
// language zh with territory CN or SG, gives 936; a BIG5 charset, or zh with
// TW, HK or MO, gives 950; anything else, and no locale at all, gives 1252.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvc {

struct SystemCodePageInfo {
    int codePage = 1252;
    // How it was found: "KVC_ACP=950", "LANG=zh_CN.UTF-8", or "default".
    std::string source;
};

SystemCodePageInfo SystemCodePageDetails();
// GetACP.
int SystemCodePage();

// The code page a POSIX locale name ("zh_TW.Big5@x") stands for, by the rules above.
int CodePageFromLocale(std::string_view locale);
// The Windows locale id of a POSIX locale name: 0x0804 zh-CN, 0x1004 zh-SG,
// 0x0404 zh-TW, 0x0C04 zh-HK, 0x1404 zh-MO; otherwise a GBK-family charset
// gives 0x0804 and a Big5 charset 0x0404 (so the id agrees with the code
// page); anything else 0x0409 (en-US).
std::uint32_t LocaleIdFromLocale(std::string_view locale);

// GetThreadLocale: the locale id of the environment's locale (as above).
std::uint32_t ThreadLocale();

} // namespace kvc
