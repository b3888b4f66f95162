// "ReportCounterS.dmReportCounter": the report-counter application server.
// It takes run requests into the job queue, records their status, keeps the
// users' condition schemes and answers their rights. One object per client
// (per connection, or per CreateOleObject in process); all objects of a
// server share one JobStore.
//
//   Request(request)                 -> job number, or "ERROR" (see ErrorDescript)
//   Request1(request, computer)      -> the same for direct, design and web runs
//   ErrorDescript()                  -> why the last request was refused
//   UpdateStatus1(ref job, log, at)  -> records the outcome of a run
//   SQLType()                        -> kSqlTypeSqlite
//   GetPower([db, user, program, ""]) -> rights array 1..5
//   InsertConTable(ref [name, user, date, program, properties, values, replace])
//   DeleteConTable(ref [name, user, program]), ChangeConName(ref old, ref new)
//                                    -> "" on success, otherwise the reason
//   LoadTable(ref [user, program])   -> the user's schemes of the program as a
//                                       data packet; also what the provider
//                                       "pvdConSave" answers from then on
//   AS_GetProviderNames(), AS_GetRecords(provider, count, ref recsOut,
//       options, commandText, ref params, ref ownerData) -> the provider rows
#pragma once

#include "erp/appserver/job_store.h"
#include "runtime/class_registry.h"
#include "runtime/dispatch.h"

#include <memory>
#include <string>

namespace kvc::erp {

inline constexpr const char* kReportCounterProgId = "ReportCounterS.dmReportCounter";
inline constexpr const char* kSchemeProvider = "pvdConSave";
// The database kinds SQLType answers: 1 SQL Server, 2 Oracle, 3 SQLite.
inline constexpr int kSqlTypeSqlite = 3;
// The job statuses the server writes.
inline constexpr const char* kStatusQueued = "queued";         // Request: waits in the queue
inline constexpr const char* kStatusRegistered = "registered"; // Request1: the client runs it
inline constexpr const char* kStatusDone = "done";
inline constexpr const char* kStatusDoneWithMessages = "done with messages";
// Scheme names are at most this many bytes in code page 936.
inline constexpr std::size_t kMaxSchemeNameBytes = 20;

class ReportCounter final : public DispatchObject {
public:
    explicit ReportCounter(std::shared_ptr<JobStore> store);

private:
    Variant Submit(const Variant& request, const char* kind, const std::string& computer);
    Variant UpdateStatus(const Variant& job, const Variant& log, const Variant& at);
    Variant GetPower(const Variant& query) const;
    std::string InsertScheme(const Variant& record);
    std::string DeleteScheme(const Variant& key);
    std::string RenameScheme(const Variant& oldKey, const Variant& newKey);
    Variant LoadTable(const Variant& filter);
    Variant ProviderRows(DispatchArgs args) const;
    Variant SchemePacket(int limit = -1) const;

    std::shared_ptr<JobStore> store_;
    std::string lastError_;
    std::string schemeUser_;
    std::string schemeProgram_;
};

// Registers the class in this process for the life of the answer, all its
// objects over the given store.
std::unique_ptr<OleClassRegistration> RegisterReportCounter(std::shared_ptr<JobStore> store);

} // namespace kvc::erp
