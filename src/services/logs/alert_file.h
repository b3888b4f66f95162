// Alert logs: plain text files of one line per event, one file per source
// name and period, below the "\Log" folder of the installation.
//
//   WriteAlert("libstrs", "LINE[2735] bad text", "M");
//   // appends "[2024/03/05 10:20:30:123] LINE[2735] bad text" to
//   // C:\ERP\Log\Alert_libstrs_202403.log
#pragma once

#include "runtime/clock.h"

#include <string>
#include <string_view>

namespace kvc::services {

// The stamp of a period: "D" "YYYYMMDD", "M" "YYYYMM", "Y" "YYYY", any other
// (letter case counts) "YYYYMMDD".
std::string AlertPeriodStamp(std::string_view period, TDateTime date);

// A source name as it may appear in a file name: "\", "/", ":" and control
// characters become "_", and so does every run of two or more dots, so that
// the file always stays inside the "\Log" folder.
std::string SafeAlertSource(std::string_view source);

// folder\Log\Alert_<source>_<stamp>, with ".log" appended when the (safe)
// source name has no "." of its own.
std::string AlertFileName(std::string_view folder, std::string_view source, std::string_view period,
                          TDateTime date);

// The folder the alert logs go under: ClientFolder, or the executable's
// folder when that is empty or cannot be read.
std::string AlertFolder();

// Appends "[YYYY/MM/DD hh:nn:ss:zzz] text" to the source's file of the
// period under folder, creating the "\Log" folder and the file as needed.
// False when the line could not be written; never raises.
bool WriteAlertIn(std::string_view folder, std::string_view source, std::string_view text,
                  std::string_view period);

// The same under AlertFolder().
bool WriteAlert(std::string_view source, std::string_view text, std::string_view period);

} // namespace kvc::services
