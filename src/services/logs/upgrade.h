// The upgrade of local program files from the server: before a program's
// server library runs in this process, it is compared with the server's copy
// through the download library, and fetched and unzipped when the server's
// copy is newer. Upgrades run only when the machine allows them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kvc::services {

// HKEY_LOCAL_MACHINE, value "GoAhead".
inline constexpr std::string_view kUpgradeRegistryKey = "Software\\KOVA\\Torvenmark";
// The source name of the upgrade's alerts (always below the executable's folder).
inline constexpr std::string_view kUpgradeAlertSource = "KVDownLoadNewFileU";

// True only when "GoAhead" reads "1" once trimmed. When the key cannot be
// opened the alert "Read Upgrader Registry Error: No UPGRADER_REGISTRY_PATH"
// is written and the answer is false.
bool UpgradeAllowed();

// What the user answers when a download or an unzip failed.
enum class RetryAnswer { Abort, Retry };
// Shows the failure text as an error with the buttons Abort and Retry.
using RetryPrompt = std::function<RetryAnswer(std::string_view message)>;

// Fetches localFile's newer copy from serverFolder when the download library
// says the stamp is newer than the local file. True when the file is current
// afterwards (or upgrades are not allowed); false with error set (and written
// as an alert) otherwise. With ask, a failed download or unzip is put to
// prompt, which may retry it; without one, to the user in an error dialog
// with the buttons Abort and Retry (AskAbortRetry).
bool UpdateFile(std::string_view stamp, std::string_view serverFolder, std::string_view localFile,
                bool ask, std::string& error, const RetryPrompt& prompt = {});

// The modification stamp and the server path of one file in a file-list text,
// in either form: "<Modify>...</Modify>" and "<Path>...</Path>", or
// "Modify = '...'" and "Path = '...'". A part that is missing is empty.
struct FileListEntry {
    std::string stamp;
    std::string path;
};
FileListEntry ParseFileList(std::string_view list);

// UpdateFile with the stamp and the folder of the server path of the file-list text.
bool UpdateFromList(std::string_view list, std::string_view localFile, std::string& error, bool ask,
                    const RetryPrompt& prompt = {});

} // namespace kvc::services
