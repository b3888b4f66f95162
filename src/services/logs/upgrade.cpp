#include "services/logs/upgrade.h"

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/windows_path.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "services/config/config_common.h"
#include "services/logs/alert_file.h"
#include "services/logs/client_folder.h"
#include "services/logs/kv_download.h"
#include "services/logs/retry_dialog.h"
#include "services/utilities/texts.h"

#include <exception>

namespace kvc::services {

namespace {

bool WriteUpgradeAlert(std::string_view text) {
    return WriteAlertIn(ExecutableFolder(), kUpgradeAlertSource, text, "D");
}

// The text between open and close; "" when either is missing.
std::string Between(std::string_view text, std::string_view open, std::string_view close) {
    const auto start = text.find(open);
    if (start == std::string_view::npos) {
        return {};
    }
    const auto from = start + open.size();
    const auto end = text.find(close, from);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(from, end - from));
}

// Tagged form first; the quoted form only when the opening tag is absent.
std::string FileListPart(std::string_view list, std::string_view tag) {
    const std::string open = "<" + std::string(tag) + ">";
    if (list.find(open) != std::string_view::npos) {
        return Between(list, open, "</" + std::string(tag) + ">");
    }
    return Between(list, std::string(tag) + " = '", "'");
}

// Runs step until it succeeds; a failure ends with its text unless the
// prompt (asked only with ask) answers Retry.
bool UntilDone(const std::function<bool(std::string&)>& step, std::string_view failure,
               std::string_view fileName, bool ask, const RetryPrompt& prompt, std::string& error) {
    for (;;) {
        std::string reason;
        if (step(reason)) {
            return true;
        }
        error = Format(failure, {fileName, reason});
        if (!ask) {
            return false;
        }
        const RetryAnswer answer = prompt ? prompt(error) : AskAbortRetry(error);
        if (answer != RetryAnswer::Retry) {
            return false;
        }
    }
}

} // namespace

bool UpgradeAllowed() {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kUpgradeRegistryKey)) {
        WriteUpgradeAlert("Read Upgrader Registry Error: No UPGRADER_REGISTRY_PATH");
        return false;
    }
    return Trim(ReadRegistryText(registry, "GoAhead")) == "1";
}

bool UpdateFile(std::string_view stamp, std::string_view serverFolder, std::string_view localFile,
                bool ask, std::string& error, const RetryPrompt& prompt) {
    if (!UpgradeAllowed()) {
        return true;
    }
    const auto fail = [&error](std::string text) {
        error = std::move(text);
        WriteUpgradeAlert(error);
        return false;
    };
    try {
        const TKVDownLoad library;
        if (library.Compare(stamp, localFile) == 0) {
            return true;
        }
        if (localFile.find("\\\\") != std::string_view::npos) {
            return fail(Format("Net File can't update![%s]", {localFile}));
        }
        const std::string fileName = ExtractFileName(localFile);
        const std::string remote =
            AnsiLowerCase(IncludeTrailingBackslash(serverFolder) + fileName) + ".zip";
        const std::string localZip = IncludeTrailingBackslash(TempFolder()) + fileName + ".zip";
        std::string failure;
        const bool fetched = UntilDone(
            [&](std::string& reason) { return library.Download(remote, localZip, reason) != 0; },
            "DownLoad new file[%s] failed. %s", localFile, ask, prompt, failure);
        if (!fetched) {
            return fail(failure);
        }
        const bool unzipped = UntilDone(
            [&](std::string& reason) {
                return library.Unzip(localZip, ExtractFilePath(localFile), reason) != 0;
            },
            "Unzip new file[%s] failed. %s", localFile, ask, prompt, failure);
        // The archive has served its purpose either way; leaving it would
        // only fill the temporary folder.
        DeleteFile(localZip);
        if (!unzipped) {
            return fail(failure);
        }
        return true;
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}

FileListEntry ParseFileList(std::string_view list) {
    return {FileListPart(list, "Modify"), FileListPart(list, "Path")};
}

bool UpdateFromList(std::string_view list, std::string_view localFile, std::string& error, bool ask,
                    const RetryPrompt& prompt) {
    const FileListEntry entry = ParseFileList(list);
    return UpdateFile(entry.stamp, ExtractFilePath(entry.path), localFile, ask, error, prompt);
}

} // namespace kvc::services
