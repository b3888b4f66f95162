// The alert log that writes files: alerts through WriteAlert, exception
// reports through ReportException. Installed with SetProcessAlertLog, it
// carries the utilities' failures into the "\Log" folder.
//
//   SetProcessAlertLog(std::make_shared<FileAlertLog>());
#pragma once

#include "services/utilities/alert_log.h"

namespace kvc::services {

class FileAlertLog final : public AlertLog {
public:
    bool WriteAlert(std::string_view source, std::string_view text,
                    std::string_view period) override;
    void ReportException(const std::exception* error, std::string_view place,
                         std::string_view programmerMessage) override;
};

} // namespace kvc::services
