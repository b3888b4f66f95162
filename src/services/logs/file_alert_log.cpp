#include "services/logs/file_alert_log.h"

#include "services/logs/alert_file.h"
#include "services/logs/exception_report.h"

namespace kvc::services {

bool FileAlertLog::WriteAlert(std::string_view source, std::string_view text,
                              std::string_view period) {
    return services::WriteAlert(source, text, period);
}

void FileAlertLog::ReportException(const std::exception* error, std::string_view place,
                                   std::string_view programmerMessage) {
    services::ReportException(error, place, programmerMessage);
}

} // namespace kvc::services
