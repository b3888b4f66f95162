#include "language/translator.h"
#include "platform/environment.h"
#include "platform/temp_folder.h"
#include "runtime/exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kvc::language {
namespace {

TEST(TranslatorTest, ConvertsUtf8TextsThroughTheLibrary) {
    ScopedEnvironmentVariable path("KVC_LIBRARY_PATH", KVC_KVLANGUAGE_FOLDER);
    const TTranslator translator;
    EXPECT_EQ(translator.GBToBig5("简体中文"), "簡體中文");
    EXPECT_EQ(translator.Big5ToGB("簡體中文"), "简体中文");
    EXPECT_EQ(translator.GBToBig5(""), "");
    // Longer than its source in neither code page, but a long text still fits.
    const std::string longText(5000, 'a');
    EXPECT_EQ(translator.GBToBig5(longText + "发票"), longText + "發票");
}

TEST(TranslatorTest, MissingLibraryFailsWithItsName) {
    testing::TempFolder empty;
    ScopedEnvironmentVariable path("KVC_LIBRARY_PATH", empty.Path().string());
    try {
        TTranslator translator;
        FAIL() << "loaded a library that is not there";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Load Library Kvlanguage.dll Error!");
    }
}

TEST(TranslatorTest, LibraryWithoutTheEntryPointsFails) {
    // Some other library under the expected name.
    testing::TempFolder folder;
    std::filesystem::copy_file(KVC_NO_ENTRY_LIBRARY, folder.Path() / "Kvlanguage.dll");
    ScopedEnvironmentVariable path("KVC_LIBRARY_PATH", folder.Path().string());
    try {
        TTranslator translator;
        FAIL() << "accepted a library without the entry points";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Get Library Procedure Address Error!");
    }
}

} // namespace
} // namespace kvc::language
