#include "erp/libs/kvlanguage/kvlanguage.h"
#include "platform/codepage.h"
#include "platform/environment.h"
#include "platform/module.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace kvc {
namespace {

using ConvertFunction = decltype(::GBtoBIG5);

class KvLanguageTest : public ::testing::Test {
protected:
    KvLanguageTest() {
        std::string error;
        module_ = Module::Load("Kvlanguage.dll", &error);
        EXPECT_TRUE(module_.IsLoaded()) << error;
        toBig5_ = module_.Function<ConvertFunction>("GBtoBIG5");
        toGb_ = module_.Function<ConvertFunction>("BIG5toGB");
    }

    // Calls an export as the converter does: ask for the size, then convert.
    static std::string Call(ConvertFunction* function, const std::string& bytes) {
        const std::int32_t size =
            function(bytes.data(), static_cast<std::int32_t>(bytes.size()), nullptr, 0);
        EXPECT_GE(size, 0);
        std::string out(static_cast<std::size_t>(size) + 1, '#');
        EXPECT_EQ(function(bytes.data(), static_cast<std::int32_t>(bytes.size()), out.data(),
                           static_cast<std::int32_t>(out.size())),
                  size);
        EXPECT_EQ(out.back(), '\0');
        out.pop_back();
        return out;
    }

    std::string ToTraditional(const std::string& utf8) const {
        return CodePageToUtf8(Call(toBig5_, Utf8ToCodePage(utf8, 936)), 950);
    }
    std::string ToSimplified(const std::string& utf8) const {
        return CodePageToUtf8(Call(toGb_, Utf8ToCodePage(utf8, 950)), 936);
    }

    ScopedEnvironmentVariable libraryPath_{"KVC_LIBRARY_PATH", KVC_KVLANGUAGE_FOLDER};
    Module module_;
    ConvertFunction* toBig5_ = nullptr;
    ConvertFunction* toGb_ = nullptr;
};

TEST_F(KvLanguageTest, ExportsBothDirections) {
    ASSERT_NE(toBig5_, nullptr);
    ASSERT_NE(toGb_, nullptr);
}

struct ScriptCase {
    const char* simplified;
    const char* traditional;
};

TEST_F(KvLanguageTest, ConvertsBothWaysWordByWord) {
    ASSERT_NE(toBig5_, nullptr);
    const ScriptCase cases[] = {
        {"简体中文", "簡體中文"},
        {"查询条件", "查詢條件"},
        {"报表打印", "報表打印"},
        // One simplified character, two traditional ones: the word decides.
        {"头发", "頭髮"},
        {"发票", "發票"},
        {"ABC 123", "ABC 123"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToTraditional(c.simplified), c.traditional) << c.simplified;
        EXPECT_EQ(ToSimplified(c.traditional), c.simplified) << c.traditional;
    }
}

TEST_F(KvLanguageTest, ZeroTerminatedSourceWhenSizeIsNegative) {
    ASSERT_NE(toBig5_, nullptr);
    const std::string gbk = Utf8ToCodePage("工单", 936);
    std::array<char, 16> out{};
    const std::int32_t size = toBig5_(gbk.c_str(), -1, out.data(), out.size());
    ASSERT_EQ(size, 4);
    EXPECT_EQ(CodePageToUtf8(std::string(out.data(), 4), 950), "工單");
}

TEST_F(KvLanguageTest, ShortBufferIsLeftUntouchedAndTheSizeAnswered) {
    ASSERT_NE(toBig5_, nullptr);
    const std::string gbk = Utf8ToCodePage("简体中文", 936);
    // Exactly the text's length leaves no room for the zero.
    std::array<char, 8> out;
    out.fill('#');
    EXPECT_EQ(toBig5_(gbk.data(), gbk.size(), out.data(), out.size()), 8);
    EXPECT_EQ(std::string(out.data(), out.size()), "########");
}

TEST_F(KvLanguageTest, NullPointersWithSizesAreRefused) {
    ASSERT_NE(toBig5_, nullptr);
    std::array<char, 4> out{};
    EXPECT_EQ(toBig5_(nullptr, 3, out.data(), out.size()), KVLANGUAGE_BAD_ARGUMENT);
    EXPECT_EQ(toGb_("a", 1, nullptr, 4), KVLANGUAGE_BAD_ARGUMENT);
    EXPECT_EQ(toGb_(nullptr, 0, out.data(), out.size()), 0);
    EXPECT_EQ(out[0], '\0');
}

TEST_F(KvLanguageTest, BytesThatDoNotReadBecomeQuestionMarks) {
    ASSERT_NE(toGb_, nullptr);
    // Plain text, then a Big5 lead byte cut off by the end of the text.
    EXPECT_EQ(Call(toGb_, std::string("x\xA4", 2)), "x?");
}

} // namespace
} // namespace kvc
