// What the client and the server configuration readers share: the registry
// key of the installation, the choice of the profile file, the code-page
// modes and the resolution of package folders.
#pragma once

#include <string>
#include <string_view>

namespace kvc {
class TRegistry;
class TStringList;
} // namespace kvc

namespace kvc::services {

// HKEY_LOCAL_MACHINE, read only.
inline constexpr std::string_view kTesseraRegistryKey = "Software\\KVC\\Tessera";

// Message codes a reader leaves in ErrorCode.
inline constexpr std::string_view kRegistryKeyMissingCode = "E;000015";
inline constexpr std::string_view kNoServerCode = "E;000016";

// The system code page as the readers know it: "936", "950", or "437" for any other.
std::string SystemCodePageText();

// 2 for a "950" interface; 4 for a "936" interface on a "950" system; else 0.
int DeriveConvertMode(std::string_view uiCodePage, std::string_view systemCodePage);
// 2 for a "950" interface over a "936" database; 1 for "936" over "950"; else 0.
int DeriveDataConvertMode(std::string_view uiCodePage, std::string_view dbCodePage);

// The Boolean spellings of the profile files: "1", "Y", "YES", "TRUE" in any letter case.
bool IsTrueText(std::string_view value);

// A folder with a drive part (a letter and colon, or \\server\share) as it
// is; one beginning with "\" below base without that "\"; any other below
// base. base ends in "\".
std::string ResolveFolder(std::string_view folder, std::string_view base);

// Replaces every "name=value" line by the folder its value names (the value of
// the first line of that name, with a trailing "\", resolved against base);
// an empty list gets the one line defaultFolder.
void ResolvePackageFolders(TStringList& lines, std::string_view base,
                           std::string_view defaultFolder);

// The user name as a 32-byte buffer receives it: a name that does not fit
// (31 bytes and the NUL) is not given, and reads as empty.
std::string ProfileUserName();

// A registry value as text whatever its kind: a string as written, a dword in
// decimal, "" for a missing value or one of another kind.
std::string ReadRegistryText(const TRegistry& registry, std::string_view name);

// Where a reader finds its profile file, from the installation key.
struct ProfileChoice {
    enum class Outcome {
        NoKey,    // the key cannot be opened
        NoFolder, // the folder value is empty or missing
        Found,    // the fields below are filled
    };
    Outcome outcome = Outcome::NoKey;
    std::string folder;            // the folder value with a trailing "\"
    std::string profileType = "0"; // as read once the key is open ("" when missing)
    std::string profilePath;       // the folder of the profile file
    std::string profileUser = "Default";
    std::string iniFileName; // profilePath + the file name
};

// Reads folderValue ("ClientPath" or "ServerPath") and "ProfileType" from the
// installation key and picks the profile file fileName: per user below
// "Profile\<user>\" when ProfileType is neither empty nor "0" and that file
// exists, else in the installation folder (whether it exists or not).
ProfileChoice ChooseProfileFile(std::string_view folderValue, std::string_view fileName);

} // namespace kvc::services
