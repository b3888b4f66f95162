// Unzipping archives into a folder without ever writing outside it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvc::erp {

// The folder components of an entry name ("/" and "\" both separate; "."
// and empty components skipped); raises DownloadError for a name that is
// absolute, has a drive or share, or holds "..".
std::vector<std::string> EntryComponents(std::string_view entryName);

// Unzips zipFile into targetFolder (both Windows paths). Every entry name is
// checked before anything is written; files are written beside their targets
// and renamed over them only after every entry has been read. Answers the
// number of files written; raises DownloadError.
int UnzipInto(std::string_view zipFile, std::string_view targetFolder);

} // namespace kvc::erp
