// kvc-tool config client | server: the configuration exactly as the readers
// see it on this machine, one JSON object keyed by the readers' field names,
// plus "loaded" with the answer of their Load. Exit 0 whatever was read: an
// incomplete configuration is what the support engineer came to see.
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"
#include "services/config/client_config.h"
#include "services/config/server_config.h"
#include "tools/kvc-tool/commands.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace kvc::tool {

namespace {

using Json = nlohmann::ordered_json;

Json Lines(const TStringList& list) {
    Json lines = Json::array();
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list[i]);
    }
    return lines;
}

// [{"name", "port"}, ...] from the [0..1, 0..n-1] array; null when unassigned.
Json ServerList(const Variant& servers) {
    if (!servers.IsArray()) {
        return nullptr;
    }
    Json list = Json::array();
    for (int i = VarArrayLowBound(servers, 2); i <= VarArrayHighBound(servers, 2); ++i) {
        list.push_back({{"name", servers(0, i).AsString()}, {"port", servers(1, i).AsInteger()}});
    }
    return list;
}

Json ClientJson(const services::TTesseraIniC& ini) {
    return Json{
        {"ClientPath", ini.ClientPath},
        {"ProfilePath", ini.ProfilePath},
        {"ProfileType", ini.ProfileType},
        {"ProfileUser", ini.ProfileUser},
        {"UICodePage", ini.UICodePage},
        {"DBCodePage", ini.DBCodePage},
        {"SystemCodePage", ini.SystemCodePage},
        {"ConvertMode", ini.ConvertMode},
        {"DataConvertMode", ini.DataConvertMode},
        {"SupportCallBack", ini.SupportCallBack},
        {"IniFileName", ini.IniFileName},
        {"Servers", ServerList(ini.Servers)},
        {"ErrorCode", ini.ErrorCode},
        {"LangType", ini.LangType},
        {"WorkDLLPath", Lines(ini.WorkDLLPath)},
        {"Version", ini.Version},
        {"CreateGifBeforeSendEF", ini.CreateGifBeforeSendEF},
        {"AutoCheckNewMsg", ini.AutoCheckNewMsg},
        {"CheckInterval", ini.CheckInterval},
        {"PopupMsg", ini.PopupMsg},
        {"LoginCheck", ini.LoginCheck},
        {"loaded", ini.Loaded()},
    };
}

Json ServerJson(const services::TTesseraIniS& ini) {
    return Json{
        {"ServerPath", ini.ServerPath},
        {"ProfilePath", ini.ProfilePath},
        {"ProfileType", ini.ProfileType},
        {"ProfileUser", ini.ProfileUser},
        {"UICodePage", ini.UICodePage},
        {"DBCodePage", ini.DBCodePage},
        {"SystemCodePage", ini.SystemCodePage},
        {"ConvertMode", ini.ConvertMode},
        {"DataConvertMode", ini.DataConvertMode},
        {"SupportCallBack", ini.SupportCallBack},
        {"IniFileName", ini.IniFileName},
        {"DatabaseSettings", Json::parse(ToJson(ini.DatabaseSettings))},
        {"ErrorCode", ini.ErrorCode},
        {"WorkDLLPath", Lines(ini.WorkDLLPath)},
        {"Version", ini.Version},
        {"MainDBKind", ini.MainDBKind},
        {"SystemControlAddress", ini.SystemControlAddress},
        {"OtherSystemControlAddress", ini.OtherSystemControlAddress},
        {"loaded", ini.Loaded()},
    };
}

void Print(const Json& json) {
    std::cout << json.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

} // namespace

void AddConfigCommand(CLI::App& app, int& result) {
    CLI::App* config = app.add_subcommand(
        "config", "print the client or server configuration as the system reads it");
    config->require_subcommand(1);
    config->add_subcommand("client", "the client configuration (TesseraC.ini)")
        ->callback([&result] {
            Print(ClientJson(services::TTesseraIniC()));
            result = 0;
        });
    config->add_subcommand("server", "the server configuration (TesseraS.ini)")
        ->callback([&result] {
            Print(ServerJson(services::TTesseraIniS()));
            result = 0;
        });
}

} // namespace kvc::tool
