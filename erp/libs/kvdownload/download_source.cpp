#include "erp/libs/kvdownload/download_source.h"

#include "erp/libs/kvdownload/download_error.h"
#include "erp/libs/kvdownload/kvdownload.h"
#include "erp/libs/kvdownload/replacement_file.h"
#include "platform/drive_map.h"
#include "platform/registry.h"
#include "platform/windows_path.h"

#include <fstream>
#include <vector>

namespace kvc::erp {

namespace fs = std::filesystem;

namespace {

std::string DownloadRoot() {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kDownloadKey)) {
        return {};
    }
    const auto value = registry.ReadValue(kDownloadRootValue);
    if (!value ||
        (value->type != TRegDataType::rdString && value->type != TRegDataType::rdExpandString)) {
        return {};
    }
    return value->text;
}

// The components of a remote name below its drive or share part.
std::vector<std::string> NameComponents(std::string_view remoteName) {
    std::string_view rest = remoteName.substr(ExtractFileDrive(remoteName).size());
    std::vector<std::string> components;
    while (!rest.empty()) {
        const auto cut = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            throw DownloadError(KVDOWNLOAD_BAD_NAME, "Remote name leaves the download folder: " +
                                                         std::string(remoteName));
        }
        components.emplace_back(part);
    }
    if (components.empty()) {
        throw DownloadError(KVDOWNLOAD_BAD_NAME, "No remote file name given");
    }
    return components;
}

} // namespace

fs::path RemoteFile(std::string_view root, std::string_view remoteName) {
    const std::vector<std::string> components = NameComponents(remoteName);
    const auto folder = DriveMap::FromEnvironment().ToNative(root);
    if (!folder) {
        throw DownloadError(KVDOWNLOAD_NO_SOURCE,
                            "Download folder cannot be reached: " + std::string(root));
    }
    return ResolveLetterCase(*folder, components);
}

std::uintmax_t FetchFile(std::string_view server, std::string_view remoteName,
                         std::string_view localFile) {
    const std::string root = server.empty() ? DownloadRoot() : std::string(server);
    if (root.empty()) {
        throw DownloadError(KVDOWNLOAD_NO_SOURCE,
                            "No download folder: HKEY_LOCAL_MACHINE\\Software\\KOVA\\Torvenmark "
                            "has no DownloadRoot");
    }
    const fs::path source = RemoteFile(root, remoteName);
    std::ifstream in(source, std::ios::binary);
    std::error_code ec;
    if (!in || !fs::is_regular_file(source, ec)) {
        throw DownloadError(KVDOWNLOAD_NOT_FOUND, "File not found: " + std::string(remoteName));
    }
    const auto target = DriveMap::FromEnvironment().ToNative(localFile);
    if (!target) {
        throw DownloadError(KVDOWNLOAD_WRITE_FAILED,
                            "Local file cannot be reached: " + std::string(localFile));
    }
    ReplacementFile replacement(*target);
    const std::uintmax_t bytes = replacement.CopyFrom(in);
    if (in.bad()) {
        throw DownloadError(KVDOWNLOAD_NOT_FOUND, "Cannot read " + std::string(remoteName));
    }
    replacement.Commit();
    return bytes;
}

} // namespace kvc::erp
