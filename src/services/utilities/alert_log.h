// Where the utilities report their failures. The process has one alert log;
// until the file-backed log is installed, entries are kept in memory so that
// nothing reported is lost and tests can read what was written.
#pragma once

#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kvc::services {

class AlertLog {
public:
    virtual ~AlertLog() = default;
    // One line under a source name in the file of a period ("D", "M" or "Y").
    virtual bool WriteAlert(std::string_view source, std::string_view text,
                            std::string_view period) = 0;
    // An exception report: the exception (may be null), where it happened and
    // what the programmer wants support staff to know.
    virtual void ReportException(const std::exception* error, std::string_view place,
                                 std::string_view programmerMessage) = 0;
};

// Keeps every entry in memory.
class MemoryAlertLog final : public AlertLog {
public:
    struct Alert {
        std::string source, text, period;
    };
    struct Report {
        std::string error; // the exception's message, empty when none was given
        std::string place, programmerMessage;
    };

    bool WriteAlert(std::string_view source, std::string_view text,
                    std::string_view period) override;
    void ReportException(const std::exception* error, std::string_view place,
                         std::string_view programmerMessage) override;

    std::vector<Alert> Alerts() const;
    std::vector<Report> Reports() const;

private:
    mutable std::mutex mutex_;
    std::vector<Alert> alerts_;
    std::vector<Report> reports_;
};

// The process's alert log; a MemoryAlertLog until one is installed.
AlertLog& ProcessAlertLog();
// Installs a log and answers the one it replaced; nullptr restores the in-memory log.
std::shared_ptr<AlertLog> SetProcessAlertLog(std::shared_ptr<AlertLog> log);

// Installs a log for the life of the object; tests use it.
class ScopedAlertLog {
public:
    explicit ScopedAlertLog(std::shared_ptr<AlertLog> log)
        : previous_(SetProcessAlertLog(std::move(log))) {}
    ~ScopedAlertLog() { SetProcessAlertLog(std::move(previous_)); }
    ScopedAlertLog(const ScopedAlertLog&) = delete;
    ScopedAlertLog& operator=(const ScopedAlertLog&) = delete;

private:
    std::shared_ptr<AlertLog> previous_;
};

} // namespace kvc::services
