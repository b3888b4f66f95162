#include "services/logs/alert_file.h"

#include "platform/file_system.h"
#include "platform/windows_path.h"
#include "runtime/datetime.h"
#include "services/logs/client_folder.h"

#include <exception>

namespace kvc::services {

std::string AlertPeriodStamp(std::string_view period, TDateTime date) {
    if (period == "M") {
        return FormatDateTime("yyyymm", date);
    }
    if (period == "Y") {
        return FormatDateTime("yyyy", date);
    }
    return FormatDateTime("yyyymmdd", date);
}

std::string SafeAlertSource(std::string_view source) {
    std::string safe;
    safe.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '.' && i + 1 < source.size() && source[i + 1] == '.') {
            while (i + 1 < source.size() && source[i + 1] == '.') {
                ++i;
            }
            safe += '_';
        } else if (c == '\\' || c == '/' || c == ':' || static_cast<unsigned char>(c) < 0x20) {
            safe += '_';
        } else {
            safe += c;
        }
    }
    return safe;
}

std::string AlertFileName(std::string_view folder, std::string_view source, std::string_view period,
                          TDateTime date) {
    const std::string safe = SafeAlertSource(source);
    std::string name = ExcludeTrailingBackslash(folder) + "\\Log\\Alert_" + safe + "_" +
                       AlertPeriodStamp(period, date);
    if (safe.find('.') == std::string::npos) {
        name += ".log";
    }
    return name;
}

std::string AlertFolder() {
    try {
        std::string folder = ClientFolder();
        if (!folder.empty()) {
            return folder;
        }
    } catch (const std::exception&) {
        // A registry value that cannot name a folder: the executable's folder still can.
    }
    return ExecutableFolder();
}

bool WriteAlertIn(std::string_view folder, std::string_view source, std::string_view text,
                  std::string_view period) {
    try {
        const TDateTime now = Now();
        const std::string file = AlertFileName(folder, source, period, now);
        if (!ForceDirectories(ExtractFileDir(file))) {
            return false;
        }
        AppendLine(file,
                   "[" + FormatDateTime("yyyy/mm/dd hh:nn:ss:zzz", now) + "] " + std::string(text));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteAlert(std::string_view source, std::string_view text, std::string_view period) {
    return WriteAlertIn(AlertFolder(), source, text, period);
}

} // namespace kvc::services
