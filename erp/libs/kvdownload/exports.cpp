// The exports of KVDownLoad.dll: byte strings of the system code page in,
// a Boolean and a bounded error text out. Nothing raised inside crosses the
// library's edge.
#include "erp/libs/kvdownload/download_error.h"
#include "erp/libs/kvdownload/download_source.h"
#include "erp/libs/kvdownload/file_stamp.h"
#include "erp/libs/kvdownload/kvdownload.h"
#include "erp/libs/kvdownload/safe_unzip.h"
#include "platform/codepage.h"
#include "platform/system_locale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>

#define KVDOWNLOAD_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using kvc::erp::DownloadError;

std::string Text(const char* bytes) {
    return bytes == nullptr ? std::string() : kvc::CodePageToUtf8(bytes, kvc::SystemCodePage());
}

// Writes message into the caller's buffer in the system code page, cut at a
// character boundary so that it fits with its NUL.
void PutError(char* buffer, std::string message) {
    if (buffer == nullptr) {
        return;
    }
    std::string bytes = kvc::Utf8ToCodePage(message, kvc::SystemCodePage());
    while (bytes.size() >= KVDOWNLOAD_ERROR_BUFFER_SIZE && !message.empty()) {
        // Drop the last character: its continuation bytes, then its first byte.
        while (!message.empty() && (static_cast<unsigned char>(message.back()) & 0xC0) == 0x80) {
            message.pop_back();
        }
        if (!message.empty()) {
            message.pop_back();
        }
        bytes = kvc::Utf8ToCodePage(message, kvc::SystemCodePage());
    }
    const std::size_t size = std::min(bytes.size(), std::size_t(KVDOWNLOAD_ERROR_BUFFER_SIZE - 1));
    std::memcpy(buffer, bytes.data(), size);
    buffer[size] = '\0';
}

template <typename T> void Put(T* out, T value) {
    if (out != nullptr) {
        *out = value;
    }
}

} // namespace

KVDOWNLOAD_EXPORT int32_t CompareFileToDown(const char* stamp, const char* localFile) {
    try {
        return kvc::erp::ServerCopyIsNewer(Text(stamp), Text(localFile)) ? 1 : 0;
    } catch (const std::exception&) {
        return 0; // a stamp or file that cannot be compared is not known to be older
    }
}

KVDOWNLOAD_EXPORT int32_t KVDownLoadFileEx(int32_t /*handle*/, const char* server,
                                           const char* /*user*/, const char* /*timeout*/,
                                           const char* remoteName, const char* localFile,
                                           int32_t* bytes, char* errorBuffer, int32_t* errorCode,
                                           int32_t /*reserved*/) {
    Put(bytes, int32_t(0));
    PutError(errorBuffer, "");
    try {
        const std::uintmax_t copied =
            kvc::erp::FetchFile(Text(server), Text(remoteName), Text(localFile));
        Put(bytes, copied > INT32_MAX ? int32_t(INT32_MAX) : int32_t(copied));
        Put(errorCode, int32_t(KVDOWNLOAD_OK));
        return 1;
    } catch (const DownloadError& error) {
        Put(errorCode, error.Code());
        PutError(errorBuffer, error.what());
    } catch (const std::exception& error) {
        Put(errorCode, int32_t(KVDOWNLOAD_WRITE_FAILED));
        PutError(errorBuffer, error.what());
    }
    return 0;
}

KVDOWNLOAD_EXPORT int32_t UnZipFilesOrDir(const char* zipFile, const char* targetFolder,
                                          char* errorBuffer, int32_t* fileCount) {
    Put(fileCount, int32_t(0));
    PutError(errorBuffer, "");
    try {
        Put(fileCount, int32_t(kvc::erp::UnzipInto(Text(zipFile), Text(targetFolder))));
        return 1;
    } catch (const std::exception& error) {
        PutError(errorBuffer, error.what());
    }
    return 0;
}

KVDOWNLOAD_EXPORT int32_t CompareFileToDownEx(void) {
    return 0;
}
KVDOWNLOAD_EXPORT int32_t NeedDownLoad(void) {
    return 0;
}
KVDOWNLOAD_EXPORT int32_t UnZipFilesList(void) {
    return 0;
}
KVDOWNLOAD_EXPORT int32_t UnZipFilesXML(void) {
    return 0;
}
KVDOWNLOAD_EXPORT int32_t GetFileList(void) {
    return 0;
}
