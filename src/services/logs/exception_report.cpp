#include "services/logs/exception_report.h"

#include "platform/file_system.h"
#include "platform/windows_path.h"
#include "runtime/datetime.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "services/logs/client_folder.h"
#include "services/utilities/texts.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace kvc::services {

namespace {

constexpr std::string_view kRule = "----------------------------------";

std::string ErrorLine(std::string_view family, int number, int code, std::string_view message) {
    return Format("%s Error %.2d: Code: %d, Message: %s", {family, number, code, message});
}

std::string ClassNameOf(const std::exception& error) {
    if (const auto* ours = dynamic_cast<const Exception*>(&error)) {
        return std::string(ours->ClassName());
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return "EOutOfMemory";
    }
    return "Exception";
}

// The family lines of an error and how many errors they report.
std::vector<std::string> ErrorLines(const std::exception& error) {
    if (const auto* db = dynamic_cast<const EDBEngineError*>(&error)) {
        std::vector<std::string> lines;
        int number = 0;
        for (const auto& entry : db->Errors()) {
            lines.push_back(ErrorLine("EDBEngineError", ++number, entry.code, entry.message));
        }
        return lines;
    }
    if (const auto* file = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        return {ErrorLine("EInOutError", 1, file->code().value(), file->what())};
    }
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
        return {ErrorLine("EWin32Error", 1, system->code().value(), system->what())};
    }
    if (const auto* io = dynamic_cast<const EInOutError*>(&error)) {
        return {ErrorLine("EInOutError", 1, 0, io->Message())};
    }
    return {Format("Exception is %s\r\nMessage %.2d: ", {ClassNameOf(error), 1}) + error.what()};
}

} // namespace

std::string ExceptionReportFolder() {
    try {
        std::string folder = ClientFolder();
        if (folder.empty()) {
            folder = TempFolder();
        }
        if (!folder.empty()) {
            return folder;
        }
    } catch (const std::exception&) {
        // The fixed folder below is the answer when the registry cannot be read.
    }
    return "C:\\Temp";
}

bool WriteReportLine(std::string_view text) {
    try {
        const TDateTime now = Now();
        const std::string folder = ExcludeTrailingBackslash(ExceptionReportFolder()) + "\\Log";
        if (!ForceDirectories(folder)) {
            return false;
        }
        const std::string file =
            folder + "\\Alert_Stelmarok_" + FormatDateTime("yyyymmdd", now) + ".log";
        AppendLine(file, "[" + FormatDateTime("ddddd tt", now) + "] " + std::string(text));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::string> ExceptionReportLines(const std::exception* error, std::string_view place,
                                              std::string_view programmerMessage) {
    std::vector<std::string> lines;
    std::string header(kRule);
    if (!place.empty()) {
        header += " on " + std::string(place) + " ";
    }
    header += kRule;
    lines.push_back(std::move(header));
    if (error != nullptr) {
        lines.emplace_back("讯息信息:");
        std::vector<std::string> errorLines = ErrorLines(*error);
        const int count = int(errorLines.size());
        for (auto& line : errorLines) {
            lines.push_back(std::move(line));
        }
        lines.push_back(Format("ErrorMessage Count: %d", {count}));
    }
    if (!Trim(programmerMessage).empty()) {
        lines.push_back("Programer Message: " + std::string(programmerMessage));
    }
    return lines;
}

void ReportException(const std::exception* error, std::string_view place,
                     std::string_view programmerMessage) {
    for (const std::string& line : ExceptionReportLines(error, place, programmerMessage)) {
        WriteReportLine(line);
    }
}

} // namespace kvc::services
