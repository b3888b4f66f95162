// The exception report: a daily file "Alert_Stelmarok_YYYYMMDD.log" below the
// "\Log" folder of the installation, where failures are written with what
// support staff need to know about them.
#pragma once

#include "runtime/exceptions.h"

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace kvc::services {

// A database failure that carries the errors the database engine gave, the
// first the most specific. The exception report writes one line for each.
class EDBEngineError : public Exception {
public:
    struct Error {
        int code = 0;
        std::string message;
    };
    EDBEngineError(const std::string& message, std::vector<Error> errors)
        : Exception(message), errors_(std::move(errors)) {}
    std::string_view ClassName() const override { return "EDBEngineError"; }
    const std::vector<Error>& Errors() const { return errors_; }

private:
    std::vector<Error> errors_;
};

// ClientFolder; the system's temporary folder when that is empty; "C:\Temp"
// when that is empty too or the registry cannot be read.
std::string ExceptionReportFolder();

// Appends "[<short date> <long time>] text" to today's report file, creating
// the "\Log" folder and the file as needed. False when it could not be
// written; never raises.
bool WriteReportLine(std::string_view text);

// The lines of a report, in order:
//   "---...--- on <place> ---...---" (" on <place> " only when place is not empty)
//   when error is given: "讯息信息:", the error lines of its family, and
//     "ErrorMessage Count: <n>";
//   "Programer Message: <message>" when the trimmed message is not empty.
// Families: EDBEngineError (one line per contained error), std::system_error
// as "EWin32Error" (code: the error value), EInOutError and
// std::filesystem::filesystem_error as "EInOutError" (code: the error value;
// 0 for an EInOutError, which carries none), and any other exception by its
// class name.
std::vector<std::string> ExceptionReportLines(const std::exception* error, std::string_view place,
                                              std::string_view programmerMessage);

// Writes the lines of the report through WriteReportLine.
void ReportException(const std::exception* error, std::string_view place,
                     std::string_view programmerMessage);

} // namespace kvc::services
