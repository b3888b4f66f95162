#include "services/config/config_common.h"

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "platform/system_locale.h"
#include "platform/windows_path.h"
#include "runtime/string_list.h"
#include "runtime/strings.h"

namespace kvc::services {

std::string SystemCodePageText() {
    const std::string codePage = IntToStr(SystemCodePage());
    return codePage == "936" || codePage == "950" ? codePage : "437";
}

int DeriveConvertMode(std::string_view uiCodePage, std::string_view systemCodePage) {
    if (uiCodePage == "950") {
        return 2;
    }
    if (uiCodePage == "936" && systemCodePage == "950") {
        return 4;
    }
    return 0;
}

int DeriveDataConvertMode(std::string_view uiCodePage, std::string_view dbCodePage) {
    if (uiCodePage == "950" && dbCodePage == "936") {
        return 2;
    }
    if (uiCodePage == "936" && dbCodePage == "950") {
        return 1;
    }
    return 0;
}

bool IsTrueText(std::string_view value) {
    const std::string upper = UpperCase(value);
    return upper == "1" || upper == "Y" || upper == "YES" || upper == "TRUE";
}

std::string ResolveFolder(std::string_view folder, std::string_view base) {
    if (HasDrivePart(folder)) {
        return std::string(folder);
    }
    if (!folder.empty() && folder.front() == '\\') {
        folder.remove_prefix(1);
    }
    return std::string(base) + std::string(folder);
}

void ResolvePackageFolders(TStringList& lines, std::string_view base,
                           std::string_view defaultFolder) {
    if (lines.Count() == 0) {
        lines.Add(std::string(defaultFolder));
        return;
    }
    // Every value is looked up before any line changes, so that a later line
    // of a repeated name still finds the first line's value.
    std::vector<std::string> folders;
    folders.reserve(std::size_t(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string value = lines.Values(lines.Names(i));
        folders.push_back(ResolveFolder(IncludeTrailingBackslash(value), base));
    }
    for (int i = 0; i < lines.Count(); ++i) {
        lines.Put(i, std::move(folders[std::size_t(i)]));
    }
}

std::string ProfileUserName() {
    constexpr std::size_t kBufferSize = 32;
    std::string name = GetUserName();
    if (name.size() >= kBufferSize) {
        return {};
    }
    if (const auto nul = name.find('\0'); nul != std::string::npos) {
        name.resize(nul);
    }
    return name;
}

std::string ReadRegistryText(const TRegistry& registry, std::string_view name) {
    const auto value = registry.ReadValue(name);
    if (!value) {
        return {};
    }
    switch (value->type) {
    case TRegDataType::rdString:
    case TRegDataType::rdExpandString:
        return value->text;
    case TRegDataType::rdInteger:
        return IntToStr(value->integer);
    default:
        return {};
    }
}

ProfileChoice ChooseProfileFile(std::string_view folderValue, std::string_view fileName) {
    ProfileChoice choice;
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kTesseraRegistryKey)) {
        return choice;
    }
    const std::string folder = ReadRegistryText(registry, folderValue);
    choice.profileType = ReadRegistryText(registry, "ProfileType");
    registry.CloseKey();
    if (folder.empty()) {
        choice.outcome = ProfileChoice::Outcome::NoFolder;
        return choice;
    }
    choice.outcome = ProfileChoice::Outcome::Found;
    choice.folder = IncludeTrailingBackslash(folder);
    choice.profilePath = choice.folder;
    if (!choice.profileType.empty() && choice.profileType != "0") {
        choice.profileUser = ProfileUserName();
        choice.profilePath = choice.folder + "Profile\\" + choice.profileUser + "\\";
    }
    choice.iniFileName = choice.profilePath + std::string(fileName);
    if (!FileExists(choice.iniFileName)) {
        choice.profilePath = choice.folder;
        choice.iniFileName = choice.folder + std::string(fileName);
    }
    return choice;
}

} // namespace kvc::services
