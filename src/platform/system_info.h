// What the system asks Windows about the machine and the user.
#pragma once

#include <cstdint>
#include <string>

namespace kvc {

// GetUserNameA: the environment's USER when set and not empty (so a test or
// a service account can name the user), otherwise the name of the effective
// user id; "" when neither gives one.
std::string GetUserName();

// GetComputerNameA: the host name up to its first ".", upper case, at most 15
// characters (the NetBIOS length Windows gives); "" when it cannot be read.
std::string GetComputerName();

// GetTempPath: TMPDIR when set and not empty, else /tmp, as a Windows path
// ending in "\".
std::string GetTempPath();

// GetVersionExA. The system runs as if on Windows XP: 5.1, build 2600,
// platform 2 (VER_PLATFORM_WIN32_NT), "Service Pack 3". A constant, so that
// texts built from it (logs, "major.minor.build") are the same on every machine.
struct OSVersionInfo {
    std::uint32_t majorVersion = 5;
    std::uint32_t minorVersion = 1;
    std::uint32_t buildNumber = 2600;
    std::uint32_t platformId = 2;
    std::string csdVersion = "Service Pack 3";
};
OSVersionInfo GetVersionEx();
// "Windows NT 5.1".
std::string WindowsVersionText();

// GetTickCount: milliseconds of a monotonic clock, wrapping at 2^32.
std::uint32_t GetTickCount();

} // namespace kvc
