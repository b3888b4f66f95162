#include "platform/environment.h"
#include "platform/ole_objects.h"
#include "platform/registry_file.h"
#include "runtime/class_registry.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

// The test library serves "Kvc.TestServer"; the registry names it by a bare
// name in a letter case of its own.
constexpr const char* kRegistry = "Windows Registry Editor Version 5.00\n"
                                  "[HKEY_CLASSES_ROOT\\Kvc.TestServer]\n"
                                  "\"Library\"=\"WVTR57TESTLIB.DLL\"\n"
                                  "[HKEY_CLASSES_ROOT\\Kvc.FailingServer]\n"
                                  "\"Library\"=\"Wvtr57TestLib.dll\"\n"
                                  "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Kvc.Unserved]\n"
                                  "\"Library\"=\"Wvtr57TestLib.dll\"\n"
                                  "[HKEY_CLASSES_ROOT\\Kvc.Missing]\n"
                                  "\"Library\"=\"NoSuchServer.dll\"\n"
                                  "[HKEY_CLASSES_ROOT\\Kvc.NoLibrary]\n"
                                  "\"Other\"=\"x\"\n"
                                  "[HKEY_CLASSES_ROOT\\Kvc.NumberLibrary]\n"
                                  "\"Library\"=dword:00000001\n";

std::string OleErrorOf(std::string_view progId, const RegistryStore& registry) {
    try {
        CreateOleObject(progId, registry);
    } catch (const EOleError& e) {
        return e.Message();
    }
    return "(no error)";
}

class OleObjectsTest : public ::testing::Test {
protected:
    RegistryFile registry_ = RegistryFile::Parse(kRegistry);
};

TEST_F(OleObjectsTest, CreatesObjectsServedByALibrary) {
    auto object = CreateOleObject("kvc.testserver", registry_);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), "Kvc.TestServer");
    EXPECT_EQ(object->Call("Answer").AsInteger(), 1);
    EXPECT_EQ(object->Call("Twice", {Variant(21)}).AsInteger(), 42);
    // A second object from the library that is already loaded.
    auto another = CreateOleObject("Kvc.TestServer", registry_);
    EXPECT_NE(another, object);
}

TEST_F(OleObjectsTest, PrefersClassesRegisteredInProcess) {
    class Local final : public DispatchObject {
    public:
        Local() : DispatchObject("Local") {}
    };
    OleClassRegistration registration("Kvc.TestServer", [] { return std::make_shared<Local>(); });
    EXPECT_EQ(CreateOleObject("Kvc.TestServer", registry_)->ClassName(), "Local");
    EXPECT_EQ(CreateOleObject("KVC.TESTSERVER")->ClassName(), "Local");
}

TEST_F(OleObjectsTest, RaisesOleErrorsForWhatCannotBeCreated) {
    EXPECT_EQ(OleErrorOf("Kvc.Unknown", registry_), "Invalid class string");
    EXPECT_EQ(OleErrorOf("Kvc.NoLibrary", registry_), "Invalid class string");
    EXPECT_EQ(OleErrorOf("Kvc.NumberLibrary", registry_), "Invalid class string");
    EXPECT_EQ(OleErrorOf("", registry_), "Invalid class string");
    EXPECT_EQ(OleErrorOf("Kvc.Missing", registry_),
              "The specified module could not be found: NoSuchServer.dll");
    EXPECT_EQ(OleErrorOf("Kvc.Unserved", registry_), "Class not registered");
    EXPECT_EQ(OleErrorOf("Kvc.FailingServer", registry_), "the server is not configured");
}

TEST_F(OleObjectsTest, ReadsTheSystemRegistryAtEachCall) {
    testing::TempFolder folder;
    auto file = folder.Write("system.reg", kRegistry);
    ScopedEnvironmentVariable registry("KVC_REGISTRY", file.string());
    EXPECT_EQ(CreateOleObject("Kvc.TestServer")->Call("Answer").AsInteger(), 1);
    folder.Write("system.reg", "REGEDIT4\n");
    EXPECT_THROW(CreateOleObject("Kvc.TestServer"), EOleError);
}

} // namespace
} // namespace kvc
