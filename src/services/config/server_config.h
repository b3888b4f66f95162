// The server configuration: the installation key's "ServerPath" and the
// profile file "TesseraS.ini", read once when the reader is made, as the
// client configuration is (services/config/client_config.h). It gives the
// database settings and the folders where a program's server library is
// searched.
#pragma once

#include "runtime/string_list.h"
#include "runtime/variant.h"

#include <string>

namespace kvc::services {

class TTesseraIniS {
public:
    // Reads at once; the answer of Load is kept in Loaded().
    TTesseraIniS();

    // Reads the registry and the profile file into the fields; true when all
    // was read. A second call starts again from the defaults.
    bool Load();
    bool Loaded() const { return loaded_; }

    // Replaces the contents of list with WorkDLLPath.
    void GetWorkDLLPath(TStringList& list) const;

    std::string ServerPath; // ends in "\" once read
    std::string ProfilePath;
    std::string ProfileType = "0";
    std::string ProfileUser = "Default";
    std::string UICodePage = "936";
    std::string DBCodePage = "936";
    std::string SystemCodePage;
    int ConvertMode = 0;
    int DataConvertMode = 0;
    bool SupportCallBack = false;
    std::string IniFileName;
    // [0..3, 0..7]: row 0 the main database, row 1 the temporary database,
    // row 2 the password-control server and the collation, row 3 the third
    // database; Empty elements where no key fills them. Empty as a whole
    // when the reading stopped before the profile file.
    Variant DatabaseSettings;
    std::string ErrorCode; // "E;000015" or ""
    TStringList WorkDLLPath;
    std::string Version;
    int MainDBKind = 0; // 1 "ORACLE", 2 "DB2", else 0
    std::string SystemControlAddress;
    std::string OtherSystemControlAddress;

private:
    bool loaded_ = false;
};

} // namespace kvc::services
