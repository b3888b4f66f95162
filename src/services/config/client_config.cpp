#include "services/config/client_config.h"

#include "platform/ini_file.h"
#include "runtime/strings.h"
#include "runtime/variant_array.h"
#include "services/config/config_common.h"
#include "services/utilities/texts.h"

namespace kvc::services {

namespace {
constexpr std::string_view kProfileFile = "TesseraC.ini";
constexpr std::string_view kServerSection = "Server Information";
constexpr std::string_view kMessageSection = "TaskMessageCenter Setting";
constexpr std::string_view kDefaultServer = "127.0.0.1";
constexpr int kDefaultPort = 211;
} // namespace

std::vector<std::string> SplitServerNames(std::string computerNames) {
    if (!computerNames.empty() && computerNames.back() == ';') {
        computerNames.pop_back();
    }
    std::vector<std::string> names;
    while (!computerNames.empty()) {
        names.push_back(CutToken(computerNames, ";"));
    }
    return names;
}

TTesseraIniC::TTesseraIniC() {
    loaded_ = Load();
}

bool TTesseraIniC::Load() {
    ErrorCode.clear();
    ClientPath.clear();
    ProfilePath.clear();
    ProfileType = "0";
    ProfileUser = "Default";
    UICodePage = "936";
    DBCodePage = "936";
    SystemCodePage = SystemCodePageText();
    UICodePage = SystemCodePage;
    SupportCallBack = false;
    IniFileName.clear();
    Servers = Variant();
    WorkDLLPath.Clear();
    ConvertMode = DeriveConvertMode(UICodePage, SystemCodePage);
    DataConvertMode = DeriveDataConvertMode(UICodePage, DBCodePage);

    const ProfileChoice choice = ChooseProfileFile("ClientPath", kProfileFile);
    if (choice.outcome == ProfileChoice::Outcome::NoKey) {
        ErrorCode = kRegistryKeyMissingCode;
        return false;
    }
    ProfileType = choice.profileType;
    if (choice.outcome == ProfileChoice::Outcome::NoFolder) {
        return false;
    }
    ClientPath = choice.folder;
    ProfilePath = choice.profilePath;
    ProfileUser = choice.profileUser;
    IniFileName = choice.iniFileName;

    const TIniFile ini(IniFileName);
    LangType = ini.ReadString("Client Components", "LangType", "ENG");
    Version = ini.ReadString("ProductVersion", "Version", "");
    CreateGifBeforeSendEF = ini.ReadString("UserDefine", "CreateGifBeforeSendEF", "Y");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SystemCodePage);
    DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");
    SupportCallBack = IsTrueText(ini.ReadString(kServerSection, "SupportCallBack", "0"));
    const std::string computerNames =
        Trim(ini.ReadString(kServerSection, "ComputerName", kDefaultServer));
    const int port = ini.ReadInteger(kServerSection, "ServerPort", kDefaultPort);
    ini.ReadSectionValues("WorkDLLPath", WorkDLLPath);
    AutoCheckNewMsg = ini.ReadString(kMessageSection, "AutoCheckNewMsg", "1");
    CheckInterval = ini.ReadString(kMessageSection, "CheckInterval", "1");
    PopupMsg = ini.ReadString(kMessageSection, "PopupMsg", "1");
    LoginCheck = ini.ReadString(kMessageSection, "LoginCheck", "0");

    ConvertMode = DeriveConvertMode(UICodePage, SystemCodePage);
    DataConvertMode = DeriveDataConvertMode(UICodePage, DBCodePage);

    if (!BuildServerList(computerNames, port)) {
        ErrorCode = kNoServerCode;
        return false;
    }
    ResolvePackageFolders(WorkDLLPath, ClientPath, ClientPath + "C_PKG\\");
    return true;
}

bool TTesseraIniC::BuildServerList(std::string computerNames, int port) {
    const std::vector<std::string> names = SplitServerNames(std::move(computerNames));
    if (names.empty()) {
        return false;
    }
    VarArray servers(VarArrayBound{0, 1}, VarArrayBound{0, int(names.size()) - 1});
    for (int i = 0; i < int(names.size()); ++i) {
        servers.At(0, i) = names[std::size_t(i)];
        servers.At(1, i) = port;
    }
    Servers = Variant(std::move(servers));
    return true;
}

} // namespace kvc::services
