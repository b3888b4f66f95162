// Where the download library fetches files from, and the fetching itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kvc::erp {

// The registry value naming the folder the files come from.
inline constexpr std::string_view kDownloadKey = "Software\\KOVA\\Torvenmark";
inline constexpr std::string_view kDownloadRootValue = "DownloadRoot";

// The native file a remote name means below root (a Windows folder): the
// name's drive or share part is dropped, "." and empty components skipped,
// letter case ignored. Raises DownloadError for an empty name, a name with
// ".." and an unreachable root.
std::filesystem::path RemoteFile(std::string_view root, std::string_view remoteName);

// Copies the remote file below server (or, when server is empty, below the
// registry's DownloadRoot) to localFile, a Windows path; the old local file
// is replaced only once the copy is complete. Answers the bytes copied;
// raises DownloadError.
std::uintmax_t FetchFile(std::string_view server, std::string_view remoteName,
                         std::string_view localFile);

} // namespace kvc::erp
