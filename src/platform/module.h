// Loading modules (shared libraries) by Windows-style names, as LoadLibrary does.
//
// Which file a name means:
// - a name with a folder part ("C:\ERP\x.dll", "\\srv\share\x.dll", "lib\x.dll")
//   is that file, through the drive map (letter case ignored);
// - a bare name ("WVTR57S.DLL") is searched for in the folder of the calling
//   module (the executable or shared library this code is linked into), then
//   in each folder of KVC_LIBRARY_PATH, in order; the first folder that holds
//   a file of that name, letter case ignored, wins;
// - a name without an extension gets ".dll" (a trailing "." means "no
//   extension, add none"), as on Windows.
//
// KVC_LIBRARY_PATH lists folders separated by ";"; each is a Windows path
// ("C:\ERP\C_PKG") or a native folder ("/opt/erp/lib"); native folders may
// also be separated by ":", as in LD_LIBRARY_PATH.
//
// Libraries are opened with RTLD_NOW | RTLD_LOCAL: every symbol is bound at
// load time, and nothing a library exports leaks into the next one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kvc {

struct OpaqueModule;
using HMODULE = OpaqueModule*;

// The file a module name means by the rules above; nullopt when none is found.
std::optional<std::filesystem::path> FindModuleFile(std::string_view name);

// An open module, closed (FreeLibrary) when the object goes.
class Module {
public:
    Module() = default;
    // An empty module when the file is not found or does not load; the reason
    // goes to *error ("The specified module could not be found: x.dll", or the
    // loader's text).
    static Module Load(std::string_view name, std::string* error = nullptr);
    // Takes over a handle from LoadLibrary.
    explicit Module(HMODULE handle) : handle_(handle) {}
    ~Module();
    Module(Module&& other) noexcept : handle_(other.Release()) {}
    Module& operator=(Module&& other) noexcept;
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    explicit operator bool() const { return IsLoaded(); }
    HMODULE Handle() const { return handle_; }
    // Gives up ownership: the module stays loaded.
    HMODULE Release();
    void Reset();

    // The exported symbol; nullptr when absent or when no module is loaded.
    void* Symbol(std::string_view name) const;
    template <typename F> F* Function(std::string_view name) const {
        return reinterpret_cast<F*>(Symbol(name));
    }
    // The module's file as a Windows path; "" when no module is loaded.
    std::string FileName() const;

private:
    HMODULE handle_ = nullptr;
};

// The classic functions. LoadLibrary answers nullptr on failure.
HMODULE LoadLibrary(std::string_view name);
void* GetProcAddress(HMODULE module, std::string_view name);
bool FreeLibrary(HMODULE module);
// The file of a loaded module as a Windows path; nullptr means the executable.
std::string GetModuleFileName(HMODULE module);
// The file of the module (executable or library) that contains address, as a
// Windows path; "" when the address is in no module.
std::string ModuleFileNameOf(const void* address);

} // namespace kvc
