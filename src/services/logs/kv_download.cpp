#include "services/logs/kv_download.h"

#include "platform/codepage.h"
#include "platform/system_locale.h"
#include "runtime/exceptions.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kvc::services {

namespace {
constexpr std::string_view kLibraryName = "KVDownLoad.dll";

// Texts cross into the library as bytes of the system code page.
std::string ToBytes(std::string_view text) {
    return Utf8ToCodePage(text, SystemCodePage());
}

// The buffer's text up to its first NUL, never past its end.
std::string FromBuffer(const std::array<char, kvdownload_abi::kErrorBufferSize>& buffer) {
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return CodePageToUtf8(std::string_view(buffer.data(), std::size_t(end - buffer.begin())),
                          SystemCodePage());
}
} // namespace

TKVDownLoad::TKVDownLoad() : module_(Module::Load(kLibraryName, &loadError_)) {
    if (!module_) {
        return;
    }
    loadError_.clear();
    compare_ = module_.Function<kvdownload_abi::CompareFileToDown>("CompareFileToDown");
    download_ = module_.Function<kvdownload_abi::KVDownLoadFileEx>("KVDownLoadFileEx");
    unzip_ = module_.Function<kvdownload_abi::UnZipFilesOrDir>("UnZipFilesOrDir");
    compareEx_ = module_.Symbol("CompareFileToDownEx");
    needDownLoad_ = module_.Symbol("NeedDownLoad");
    unzipList_ = module_.Symbol("UnZipFilesList");
    unzipXml_ = module_.Symbol("UnZipFilesXML");
    getFileList_ = module_.Symbol("GetFileList");
}

void* TKVDownLoad::Export(std::string_view name) const {
    const std::pair<std::string_view, void*> exports[] = {
        {"CompareFileToDown", reinterpret_cast<void*>(compare_)},
        {"KVDownLoadFileEx", reinterpret_cast<void*>(download_)},
        {"UnZipFilesOrDir", reinterpret_cast<void*>(unzip_)},
        {"CompareFileToDownEx", compareEx_},
        {"NeedDownLoad", needDownLoad_},
        {"UnZipFilesList", unzipList_},
        {"UnZipFilesXML", unzipXml_},
        {"GetFileList", getFileList_},
    };
    for (const auto& [exportName, address] : exports) {
        if (exportName == name) {
            return address;
        }
    }
    return nullptr;
}

std::int32_t TKVDownLoad::Compare(std::string_view stamp, std::string_view localFile) const {
    if (compare_ == nullptr) {
        throw Exception("function KvDownLoad.CompareFileToDown not found!");
    }
    return compare_(ToBytes(stamp).c_str(), ToBytes(localFile).c_str());
}

std::int32_t TKVDownLoad::Download(std::string_view remoteName, std::string_view localZip,
                                   std::string& error) const {
    if (download_ == nullptr) {
        error = "function KvDownLoad.KVDownLoadFile not found!";
        return 0;
    }
    std::array<char, kvdownload_abi::kErrorBufferSize> buffer{};
    std::int32_t bytes = 0;
    std::int32_t code = 0;
    const std::int32_t result =
        download_(0, ToBytes(server_).c_str(), "KOVA", "60", ToBytes(remoteName).c_str(),
                  ToBytes(localZip).c_str(), &bytes, buffer.data(), &code, 0);
    error = FromBuffer(buffer);
    return result;
}

std::int32_t TKVDownLoad::Unzip(std::string_view zipFile, std::string_view targetFolder,
                                std::string& error) const {
    if (unzip_ == nullptr) {
        error = "function KvDownLoad.UnZipFilesOrDir not found!";
        return 0;
    }
    std::array<char, kvdownload_abi::kErrorBufferSize> buffer{};
    std::int32_t count = 0;
    const std::int32_t result =
        unzip_(ToBytes(zipFile).c_str(), ToBytes(targetFolder).c_str(), buffer.data(), &count);
    error = FromBuffer(buffer);
    return result;
}

} // namespace kvc::services
