#include "platform/environment.h"
#include "platform/system_locale.h"

#include <gtest/gtest.h>
#include <optional>

namespace kvc {
namespace {

using Env = std::optional<std::string>;

struct LocaleCase {
    Env acp, lcAll, lcCtype, lang;
    int codePage;
    const char* source;
    std::uint32_t localeId;
};

TEST(SystemLocaleTest, FindsTheSystemCodePageFromTheEnvironment) {
    const Env none;
    const LocaleCase cases[] = {
        {none, none, none, none, 1252, "default", 0x0409},
        {none, none, none, "zh_CN.UTF-8", 936, "LANG=zh_CN.UTF-8", 0x0804},
        {none, none, none, "zh_SG.UTF-8", 936, "LANG=zh_SG.UTF-8", 0x1004},
        {none, none, none, "zh_TW.UTF-8", 950, "LANG=zh_TW.UTF-8", 0x0404},
        {none, none, none, "zh_HK.UTF-8", 950, "LANG=zh_HK.UTF-8", 0x0C04},
        {none, none, none, "zh_MO", 950, "LANG=zh_MO", 0x1404},
        {none, none, none, "zh_TW.Big5", 950, "LANG=zh_TW.Big5", 0x0404},
        {none, none, none, "en_US.GBK", 936, "LANG=en_US.GBK", 0x0804},
        {none, none, none, "zh_CN.gb2312", 936, "LANG=zh_CN.gb2312", 0x0804},
        {none, none, none, "zh.GB18030", 936, "LANG=zh.GB18030", 0x0804},
        {none, none, none, "zh_HK.BIG5-HKSCS", 950, "LANG=zh_HK.BIG5-HKSCS", 0x0C04},
        {none, none, none, "zh", 1252, "LANG=zh", 0x0409},
        {none, none, none, "en_US.UTF-8", 1252, "LANG=en_US.UTF-8", 0x0409},
        {none, none, none, "C", 1252, "LANG=C", 0x0409},
        {none, none, none, "ZH_cn.utf8@euro", 936, "LANG=ZH_cn.utf8@euro", 0x0804},
        {none, none, none, "", 1252, "default", 0x0409},
        // LC_ALL before LC_CTYPE before LANG; an empty one does not count.
        {none, "zh_TW.UTF-8", "zh_CN.UTF-8", "en_US", 950, "LC_ALL=zh_TW.UTF-8", 0x0404},
        {none, "", "zh_CN.UTF-8", "zh_TW", 936, "LC_CTYPE=zh_CN.UTF-8", 0x0804},
        {none, none, "C.UTF-8", "zh_TW", 1252, "LC_CTYPE=C.UTF-8", 0x0409},
        // KVC_ACP wins when it is a number; the locale id still follows the locale.
        {"950", none, none, "zh_CN.UTF-8", 950, "KVC_ACP=950", 0x0804},
        {" 936 ", none, none, "en_US", 936, "KVC_ACP=936", 0x0409},
        {"abc", none, none, "zh_TW", 950, "LANG=zh_TW", 0x0404},
        {"-936", none, none, "zh_TW", 950, "LANG=zh_TW", 0x0404},
        {"0", none, none, none, 1252, "default", 0x0409},
        {"", none, none, none, 1252, "default", 0x0409},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        ScopedEnvironmentVariable acp("KVC_ACP", c.acp);
        ScopedEnvironmentVariable all("LC_ALL", c.lcAll);
        ScopedEnvironmentVariable ctype("LC_CTYPE", c.lcCtype);
        ScopedEnvironmentVariable lang("LANG", c.lang);
        SystemCodePageInfo info = SystemCodePageDetails();
        EXPECT_EQ(info.codePage, c.codePage);
        EXPECT_EQ(info.source, c.source);
        EXPECT_EQ(SystemCodePage(), c.codePage);
        EXPECT_EQ(ThreadLocale(), c.localeId);
    }
}

} // namespace
} // namespace kvc
