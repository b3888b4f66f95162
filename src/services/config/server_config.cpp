#include "services/config/server_config.h"

#include "platform/ini_file.h"
#include "runtime/strings.h"
#include "runtime/variant_array.h"
#include "services/config/config_common.h"
#include "services/utilities/sql_password.h"

namespace kvc::services {

namespace {
constexpr std::string_view kProfileFile = "TesseraS.ini";
constexpr std::string_view kDbe = "DBE Setting";
constexpr std::string_view kPasswordControl = "DBPasswordCtrl";

// The address of a system-control server; blanks fall back to the main server.
std::string ControlAddress(const TIniFile& ini, std::string_view key,
                           const std::string& mainServer) {
    std::string value = ini.ReadString(kDbe, key, "");
    return Trim(value).empty() ? mainServer : value;
}
} // namespace

TTesseraIniS::TTesseraIniS() {
    loaded_ = Load();
}

void TTesseraIniS::GetWorkDLLPath(TStringList& list) const {
    list.Clear();
    for (int i = 0; i < WorkDLLPath.Count(); ++i) {
        list.Add(WorkDLLPath[i]);
    }
}

bool TTesseraIniS::Load() {
    ErrorCode.clear();
    ServerPath.clear();
    ProfilePath.clear();
    ProfileType = "0";
    ProfileUser = "Default";
    UICodePage = "936";
    DBCodePage = "936";
    SystemCodePage = SystemCodePageText();
    UICodePage = SystemCodePage;
    SupportCallBack = false;
    IniFileName.clear();
    DatabaseSettings = Variant();
    MainDBKind = 0;
    WorkDLLPath.Clear();
    ConvertMode = DeriveConvertMode(UICodePage, SystemCodePage);
    DataConvertMode = DeriveDataConvertMode(UICodePage, DBCodePage);

    const ProfileChoice choice = ChooseProfileFile("ServerPath", kProfileFile);
    if (choice.outcome == ProfileChoice::Outcome::NoKey) {
        ErrorCode = kRegistryKeyMissingCode;
        return false;
    }
    ProfileType = choice.profileType;
    if (choice.outcome == ProfileChoice::Outcome::NoFolder) {
        return false;
    }
    ServerPath = choice.folder;
    ProfilePath = choice.profilePath;
    ProfileUser = choice.profileUser;
    IniFileName = choice.iniFileName;

    const TIniFile ini(IniFileName);
    VarArray db(VarArrayBound{0, 3}, VarArrayBound{0, 7});
    Version = ini.ReadString("ProductVersion", "Version", "");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SystemCodePage);
    DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");

    db.At(0, 0) = ini.ReadString(kDbe, "MainAlias", "Arbor");
    db.At(0, 1) = ini.ReadString(kDbe, "MainUserName", "sa");
    db.At(0, 2) = DecodeSQLSa(ini.ReadString(kDbe, "XXXXXX", ""));
    db.At(0, 3) = ini.ReadString(kDbe, "MainDBType", "MSSQL");
    db.At(0, 4) = ini.ReadString(kDbe, "MainDBName", "");
    const std::string mainServer = ini.ReadString(kDbe, "MainServerName", "");
    db.At(0, 5) = mainServer;
    SystemControlAddress = ControlAddress(ini, "SystemControlAddress", mainServer);
    OtherSystemControlAddress = ControlAddress(ini, "OtherSystemControlAddress", mainServer);
    db.At(0, 6) = ini.ReadInteger(kDbe, "MainConnectionTimeOut", 300);
    db.At(0, 7) = ini.ReadInteger(kDbe, "MainCommandTimeOut", 3000);

    db.At(1, 0) = ini.ReadString(kDbe, "TempAlias", "ArborTemp");
    db.At(1, 1) = ini.ReadString(kDbe, "TempUserName", "sa");
    db.At(1, 2) = DecodeSQLSa(ini.ReadString(kDbe, "TempPassword", ""));
    db.At(1, 3) = ini.ReadString(kDbe, "TempDBType", "PARADOX");
    db.At(1, 4) = ini.ReadString(kDbe, "TempDBName", "");
    db.At(1, 5) = ini.ReadString(kDbe, "TempDriverName", "PostgreSQL");
    db.At(1, 6) = ini.ReadInteger(kDbe, "TempConnectionTimeOut", 300);
    db.At(1, 7) = ini.ReadInteger(kDbe, "TempCommandTimeOut", 3000);

    db.At(2, 0) = Trim(ini.ReadString(kPasswordControl, "ComputerName", ""));
    db.At(2, 1) = ini.ReadInteger(kPasswordControl, "ServerPort", 211);
    db.At(2, 2) = ini.ReadInteger(kPasswordControl, "ClientSocketPort", 1024);
    db.At(2, 3) = ini.ReadString(kDbe, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN");

    db.At(3, 0) = ini.ReadString(kDbe, "EctAlias", "EDIDATA");
    db.At(3, 1) = ini.ReadString(kDbe, "EctUserName", "sa");
    db.At(3, 2) = ini.ReadString(kDbe, "EctPassword", "");

    SupportCallBack = IsTrueText(ini.ReadString(kPasswordControl, "SupportCallBack", "0"));
    ini.ReadSectionValues("WorkDLLPath", WorkDLLPath);

    const std::string dbType = db.At(0, 3).AsString();
    MainDBKind = SameText(dbType, "ORACLE") ? 1 : SameText(dbType, "DB2") ? 2 : 0;
    DatabaseSettings = Variant(std::move(db));

    ConvertMode = DeriveConvertMode(UICodePage, SystemCodePage);
    DataConvertMode = DeriveDataConvertMode(UICodePage, DBCodePage);
    ResolvePackageFolders(WorkDLLPath, ServerPath, ServerPath + "S_PKG\\");
    return true;
}

} // namespace kvc::services
