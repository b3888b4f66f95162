// The client configuration: the installation key's "ClientPath" and the
// profile file "TesseraC.ini" (per Windows user when per-user profiles are
// on), read once when the reader is made. A consumer makes a reader, copies
// what it needs and lets it go, so it always sees the files as they are now.
//
//   TTesseraIniC ini;
//   if (ini.Servers.IsArray()) {
//       address = ini.Servers(0, 0).AsString();
//       port = ini.Servers(1, 0).AsInteger();
//   }
//
// The reader never writes and never shows a message: a failed read leaves a
// message code in ErrorCode and the fields as far as they were filled.
#pragma once

#include "runtime/string_list.h"
#include "runtime/variant.h"

#include <string>
#include <vector>

namespace kvc::services {

class TTesseraIniC {
public:
    // Reads at once; the answer of Load is kept in Loaded().
    TTesseraIniC();

    // Reads the registry and the profile file into the fields; true when all
    // was read. A second call starts again from the defaults.
    bool Load();
    // What the constructor's Load answered.
    bool Loaded() const { return loaded_; }

    std::string ClientPath;              // ends in "\" once read
    std::string ProfilePath;             // folder of the profile file read
    std::string ProfileType = "0";       // "0" or "": one file for the machine
    std::string ProfileUser = "Default"; // the Windows user with per-user profiles
    std::string UICodePage = "936";
    std::string DBCodePage = "936";
    std::string SystemCodePage; // "936", "950" or "437"
    int ConvertMode = 0;        // 0, 2 or 4
    int DataConvertMode = 0;    // 0, 1 or 2
    bool SupportCallBack = false;
    std::string IniFileName;
    // [0..1, 0..n-1]: [0, i] the name or address of server i, [1, i] its
    // port; Empty when the reading stopped before the list was built.
    Variant Servers;
    std::string ErrorCode; // "E;000015", "E;000016" or ""
    std::string LangType;
    TStringList WorkDLLPath; // package folders, each ending in "\"
    std::string Version;
    std::string CreateGifBeforeSendEF;
    std::string AutoCheckNewMsg;
    std::string CheckInterval;
    std::string PopupMsg;
    std::string LoginCheck;

private:
    bool BuildServerList(std::string computerNames, int port);

    bool loaded_ = false;
};

// The server names of a ComputerName text: one trailing ";" removed, then
// cut at every ";" (names are not trimmed; an empty name stays a name).
// Empty when nothing is left after the trailing ";" is removed.
std::vector<std::string> SplitServerNames(std::string computerNames);

} // namespace kvc::services
