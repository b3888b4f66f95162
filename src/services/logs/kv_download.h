// The download library KVDownLoad.dll, loaded by name when a TKVDownLoad is
// made and freed when it goes. Its exports take zero-terminated byte strings
// in the system code page; error texts come back in caller-provided buffers
// of 256 bytes.
#pragma once

#include "platform/module.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kvc::services {

// The exports, as the library declares them.
namespace kvdownload_abi {
inline constexpr std::size_t kErrorBufferSize = 256;
using CompareFileToDown = std::int32_t(const char* stamp, const char* localFile);
using KVDownLoadFileEx = std::int32_t(std::int32_t handle, const char* server, const char* user,
                                      const char* timeout, const char* remoteName,
                                      const char* localFile, std::int32_t* bytes, char* errorBuffer,
                                      std::int32_t* errorCode, std::int32_t reserved);
using UnZipFilesOrDir = std::int32_t(const char* zipFile, const char* targetFolder,
                                     char* errorBuffer, std::int32_t* fileCount);
} // namespace kvdownload_abi

class TKVDownLoad {
public:
    // Loads the library by its name; a missing library or export leaves its address nil.
    TKVDownLoad();
    ~TKVDownLoad() = default;
    TKVDownLoad(const TKVDownLoad&) = delete;
    TKVDownLoad& operator=(const TKVDownLoad&) = delete;

    bool Loaded() const { return module_.IsLoaded(); }
    // Why the library did not load; "" when it did.
    const std::string& LoadError() const { return loadError_; }
    // The address of an export looked up at creation; nullptr when it is missing.
    void* Export(std::string_view name) const;

    // Non-zero when a newer file must be fetched; a nil export raises
    // Exception("function KvDownLoad.CompareFileToDown not found!").
    std::int32_t Compare(std::string_view stamp, std::string_view localFile) const;
    // Fetches remoteName into localZip; non-zero on success, else error holds the reason.
    std::int32_t Download(std::string_view remoteName, std::string_view localZip,
                          std::string& error) const;
    // Unzips zipFile into targetFolder; non-zero on success, else error holds the reason.
    std::int32_t Unzip(std::string_view zipFile, std::string_view targetFolder,
                       std::string& error) const;

private:
    std::string loadError_; // before module_: loading writes it
    Module module_;
    std::string server_; // passed to every download, always empty
    kvdownload_abi::CompareFileToDown* compare_ = nullptr;
    kvdownload_abi::KVDownLoadFileEx* download_ = nullptr;
    kvdownload_abi::UnZipFilesOrDir* unzip_ = nullptr;
    void* compareEx_ = nullptr;
    void* needDownLoad_ = nullptr;
    void* unzipList_ = nullptr;
    void* unzipXml_ = nullptr;
    void* getFileList_ = nullptr;
};

} // namespace kvc::services
