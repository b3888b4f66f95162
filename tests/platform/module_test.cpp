#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/module.h"
#include "platform/windows_path.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

namespace fs = std::filesystem;

using AnswerFunction = int();
using AddressFunction = const void*();

// The folder of the test program, which holds Wvtr57TestLib.dll.
fs::path ProgramFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

class ModuleTest : public ::testing::Test {
protected:
    ScopedEnvironmentVariable libraryPath_{"KVC_LIBRARY_PATH", std::nullopt};
    ScopedEnvironmentVariable drives_{"KVC_DRIVES", std::nullopt};
};

TEST_F(ModuleTest, FindsABareNameBesideTheCallingModuleIgnoringCase) {
    for (const char* name : {"WVTR57TESTLIB.DLL", "wvtr57testlib.dll", "Wvtr57TestLib"}) {
        SCOPED_TRACE(name);
        std::string error;
        Module module = Module::Load(name, &error);
        ASSERT_TRUE(module.IsLoaded()) << error;
        auto answer = module.Function<AnswerFunction>("KvcTestModuleAnswer");
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 1);
        EXPECT_EQ(module.FileName(), ToWindowsPath(ProgramFolder() / "Wvtr57TestLib.dll"));
    }
}

TEST_F(ModuleTest, SearchesTheLibraryPathInOrder) {
    std::string error;
    EXPECT_FALSE(Module::Load("KVCPATHLIB.DLL", &error));
    EXPECT_EQ(error, "The specified module could not be found: KVCPATHLIB.DLL");

    testing::TempFolder empty;
    const fs::path libpath = KVC_TEST_LIBPATH_FOLDER;
    const std::string forms[] = {
        empty.Path().string() + ";" + libpath.string(),             // native folders, ";"
        empty.Path().string() + ":" + libpath.string(),             // native folders, ":"
        ToWindowsPath(empty.Path()) + ";" + ToWindowsPath(libpath), // Windows folders
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form);
        ScopedEnvironmentVariable path("KVC_LIBRARY_PATH", form);
        Module module = Module::Load("kvcpathlib");
        ASSERT_TRUE(module);
        EXPECT_EQ(module.Function<AnswerFunction>("KvcTestModuleAnswer")(), 2);
    }
    // The calling module's folder comes before the library path.
    fs::path copy = empty.Path() / "wvtr57testlib.dll";
    fs::copy_file(libpath / "KvcPathLib.dll", copy);
    ScopedEnvironmentVariable path("KVC_LIBRARY_PATH", empty.Path().string());
    EXPECT_EQ(Module::Load("Wvtr57TestLib.dll").Function<AnswerFunction>("KvcTestModuleAnswer")(),
              1);
}

TEST_F(ModuleTest, LoadsAPathThroughTheDriveMap) {
    ScopedEnvironmentVariable drives("KVC_DRIVES", "C=" + std::string(KVC_TEST_LIBPATH_FOLDER));
    Module module = Module::Load("c:\\kvcpathlib.DLL");
    ASSERT_TRUE(module);
    EXPECT_EQ(module.FileName(), "C:\\KvcPathLib.dll");
    EXPECT_FALSE(Module::Load("C:\\missing\\kvcpathlib.dll"));
    EXPECT_FALSE(Module::Load("Q:\\kvcpathlib.dll"));
    // A trailing "." means the name has no extension and gets none.
    EXPECT_FALSE(Module::Load("C:\\kvcpathlib."));
}

TEST_F(ModuleTest, ReportsAFileThatIsNoLibrary) {
    testing::TempFolder folder;
    folder.Write("Broken.dll", "not an ELF file");
    ScopedEnvironmentVariable path("KVC_LIBRARY_PATH", folder.Path().string());
    std::string error;
    EXPECT_FALSE(Module::Load("broken.dll", &error));
    EXPECT_NE(error.find("Broken.dll"), std::string::npos) << error;
    EXPECT_FALSE(Module::Load(""));
}

TEST_F(ModuleTest, OffersTheClassicFunctions) {
    HMODULE handle = LoadLibrary("wvtr57testlib.dll");
    ASSERT_NE(handle, nullptr);
    auto answer = reinterpret_cast<AnswerFunction*>(GetProcAddress(handle, "KvcTestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 1);
    EXPECT_EQ(GetProcAddress(handle, "kvctestmoduleanswer"), nullptr); // exports keep their case
    EXPECT_EQ(GetProcAddress(nullptr, "KvcTestModuleAnswer"), nullptr);

    auto address =
        reinterpret_cast<AddressFunction*>(GetProcAddress(handle, "KvcTestModuleAddress"));
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(ModuleFileNameOf(address()), GetModuleFileName(handle));
    EXPECT_EQ(ExtractFileName(GetModuleFileName(handle)), "Wvtr57TestLib.dll");
    EXPECT_TRUE(FreeLibrary(handle));
    EXPECT_FALSE(FreeLibrary(nullptr));
    EXPECT_EQ(LoadLibrary("nothing-of-that-name.dll"), nullptr);
}

TEST_F(ModuleTest, NamesTheModuleOfTheProgramItself) {
    static const int anchor = 0;
    std::string program = ToWindowsPath(fs::read_symlink("/proc/self/exe"));
    EXPECT_EQ(ModuleFileNameOf(&anchor), program);
    EXPECT_EQ(GetModuleFileName(nullptr), program);
    EXPECT_EQ(ModuleFileNameOf(nullptr), "");
}

TEST_F(ModuleTest, ModulesMoveAndRelease) {
    Module a = Module::Load("Wvtr57TestLib.dll");
    ASSERT_TRUE(a);
    Module b(std::move(a));
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_TRUE(b.IsLoaded());
    EXPECT_EQ(a.Symbol("KvcTestModuleAnswer"), nullptr);
    HMODULE raw = b.Release();
    EXPECT_FALSE(b);
    Module c(raw);
    EXPECT_NE(c.Symbol("KvcTestModuleAnswer"), nullptr);
    c.Reset();
    EXPECT_EQ(c.FileName(), "");
}

} // namespace
} // namespace kvc
