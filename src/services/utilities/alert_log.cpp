#include "services/utilities/alert_log.h"

namespace kvc::services {

bool MemoryAlertLog::WriteAlert(std::string_view source, std::string_view text,
                                std::string_view period) {
    std::lock_guard lock(mutex_);
    alerts_.push_back({std::string(source), std::string(text), std::string(period)});
    return true;
}

void MemoryAlertLog::ReportException(const std::exception* error, std::string_view place,
                                     std::string_view programmerMessage) {
    std::lock_guard lock(mutex_);
    reports_.push_back({error ? error->what() : std::string(), std::string(place),
                        std::string(programmerMessage)});
}

std::vector<MemoryAlertLog::Alert> MemoryAlertLog::Alerts() const {
    std::lock_guard lock(mutex_);
    return alerts_;
}

std::vector<MemoryAlertLog::Report> MemoryAlertLog::Reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

namespace {
std::shared_ptr<AlertLog>& InstalledLog() {
    static std::shared_ptr<AlertLog> log = std::make_shared<MemoryAlertLog>();
    return log;
}
} // namespace

AlertLog& ProcessAlertLog() {
    return *InstalledLog();
}

std::shared_ptr<AlertLog> SetProcessAlertLog(std::shared_ptr<AlertLog> log) {
    auto previous = std::move(InstalledLog());
    InstalledLog() = log ? std::move(log) : std::make_shared<MemoryAlertLog>();
    return previous;
}

} // namespace kvc::services
