#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/module.h"
#include "platform/windows_path.h"

#include <dlfcn.h>
#include <link.h>
#include <system_error>
#include <vector>

namespace kvc {

namespace fs = std::filesystem;

namespace {

// Lives in the module this code is linked into (the platform library is
// static), so its address names the calling module. Internal linkage keeps
// another module's copy from standing in for it.
const char kModuleAnchor = 0;

void* Native(HMODULE module) {
    return static_cast<void*>(module);
}

fs::path MainProgram() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

// The native file of the module that contains address; empty when none does.
fs::path NativeFileOf(const void* address) {
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
        map == nullptr) {
        return {};
    }
    if (map->l_name == nullptr || map->l_name[0] == '\0') {
        return MainProgram();
    }
    std::error_code ec;
    fs::path file = fs::absolute(map->l_name, ec);
    return ec ? fs::path(map->l_name) : file;
}

bool IsRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

std::string WithDefaultExtension(std::string_view name) {
    if (!name.empty() && name.back() == '.') {
        return std::string(name.substr(0, name.size() - 1));
    }
    return ExtractFileExt(name).empty() ? std::string(name) + ".dll" : std::string(name);
}

std::vector<fs::path> LibraryPathFolders() {
    std::vector<fs::path> folders;
    std::string list = GetEnvironmentVariableOr("KVC_LIBRARY_PATH", "");
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = std::min(list.find(';', start), list.size());
        std::string entry = list.substr(start, end - start);
        start = end + 1;
        if (entry.empty()) {
            continue;
        }
        if (entry.front() != '/') {
            if (auto native = ToNativePath(entry)) {
                folders.push_back(*native);
            }
            continue;
        }
        std::size_t from = 0;
        while (from <= entry.size()) {
            std::size_t to = std::min(entry.find(':', from), entry.size());
            if (to > from) {
                folders.emplace_back(entry.substr(from, to - from));
            }
            from = to + 1;
        }
    }
    return folders;
}

} // namespace

std::optional<fs::path> FindModuleFile(std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    std::string fileName = WithDefaultExtension(name);
    if (fileName.find_first_of("\\/:") != std::string::npos) {
        auto native = ToNativePath(fileName);
        if (native && IsRegularFile(*native)) {
            return native;
        }
        return std::nullopt;
    }
    std::vector<fs::path> folders{NativeFileOf(&kModuleAnchor).parent_path()};
    for (auto& folder : LibraryPathFolders()) {
        folders.push_back(std::move(folder));
    }
    for (const auto& folder : folders) {
        if (folder.empty()) {
            continue;
        }
        fs::path candidate = ResolveLetterCase(folder, {fileName});
        if (IsRegularFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

Module Module::Load(std::string_view name, std::string* error) {
    auto file = FindModuleFile(name);
    if (!file) {
        if (error != nullptr) {
            *error = "The specified module could not be found: " + std::string(name);
        }
        return {};
    }
    void* handle = dlopen(file->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* text = dlerror();
            *error = text != nullptr ? text : "The module could not be loaded: " + file->string();
        }
        return {};
    }
    return Module(static_cast<HMODULE>(handle));
}

Module::~Module() {
    Reset();
}

Module& Module::operator=(Module&& other) noexcept {
    if (this != &other) {
        Reset();
        handle_ = other.Release();
    }
    return *this;
}

HMODULE Module::Release() {
    HMODULE handle = handle_;
    handle_ = nullptr;
    return handle;
}

void Module::Reset() {
    if (handle_ != nullptr) {
        dlclose(Native(handle_));
        handle_ = nullptr;
    }
}

void* Module::Symbol(std::string_view name) const {
    return handle_ == nullptr ? nullptr : dlsym(Native(handle_), std::string(name).c_str());
}

std::string Module::FileName() const {
    return handle_ == nullptr ? "" : GetModuleFileName(handle_);
}

HMODULE LoadLibrary(std::string_view name) {
    return Module::Load(name).Release();
}

void* GetProcAddress(HMODULE module, std::string_view name) {
    return module == nullptr ? nullptr : dlsym(Native(module), std::string(name).c_str());
}

bool FreeLibrary(HMODULE module) {
    return module != nullptr && dlclose(Native(module)) == 0;
}

std::string GetModuleFileName(HMODULE module) {
    if (module == nullptr) {
        return ToWindowsPath(MainProgram());
    }
    link_map* map = nullptr;
    if (dlinfo(Native(module), RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
        return {};
    }
    if (map->l_name == nullptr || map->l_name[0] == '\0') {
        return ToWindowsPath(MainProgram());
    }
    std::error_code ec;
    fs::path file = fs::absolute(map->l_name, ec);
    return ToWindowsPath(ec ? fs::path(map->l_name) : file);
}

std::string ModuleFileNameOf(const void* address) {
    fs::path file = NativeFileOf(address);
    return file.empty() ? std::string() : ToWindowsPath(file);
}

} // namespace kvc
