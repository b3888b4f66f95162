// The application server's database: the job queue, job status updates,
// condition schemes and user rights, in one SQLite file.
//
// The file is in WAL mode and every change is one transaction, so a server
// killed at any moment keeps every job it acknowledged and none half-written.
// Submissions that arrive while another is being written are written
// together in the next transaction (group commit); each caller still gets
// its answer only once its own job is committed.
// With Durability::Process (the default) a commit survives the server process
// being killed; Durability::Power also syncs every commit to the disk, which
// survives a power loss at the price of one disk flush per submission.
//
// One store serves every session of a server: its calls are serialised.
#pragma once

#include "erp/appserver/wal_checkpointer.h"
#include "runtime/clock.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kvc::erp {

enum class Durability { Process, Power };

// One submitted job, as the queue keeps it. Texts are UTF-8.
struct JobRecord {
    std::string jobNumber; // given by the store
    std::string status;
    std::string kind; // "Request" or "Request1"
    std::string programCode;
    std::string companyId;
    std::string userId;
    std::string databaseId;
    int runMode = 0;
    TDateTime startMoment = 0;
    bool periodic = false;
    std::string computerName;
    TDateTime receivedAt = 0;
    std::string request; // the whole request as received, in the wire form
    std::string
        periodicJson; // the schedule and dynamic-field blocks, JSON; empty when not periodic
};

struct JobStatusRecord {
    std::string jobNumber;
    std::string status;
    std::string message;
    TDateTime reportedAt = 0; // the moment the client gave
    TDateTime recordedAt = 0;
};

struct SchemeRecord {
    std::string name;       // NCONDITION
    std::string creator;    // CREATOR
    std::string program;    // PROGRAMME
    std::string createDate; // CREATE_DATE, "YYYYMMDD"
    std::string properties; // SCONDITION
    std::string values;     // VCONDITION
};

struct UserRights {
    std::string rights;      // the program's rights string, "YYYYYYNN"
    std::string rightsValue; // passed on to the web report designer
    std::string restriction; // data restriction text
    std::vector<std::string> restrictionItems;
};

// What a user not in the rights table gets: every ordinary right, neither of
// the two special lookup rights, no data restriction.
UserRights DefaultUserRights();

class JobStore {
public:
    // Opens or creates the database; a file that cannot be opened or is not
    // such a database raises EInOutError.
    explicit JobStore(const std::string& path, Durability durability = Durability::Process);
    ~JobStore();
    JobStore(const JobStore&) = delete;
    JobStore& operator=(const JobStore&) = delete;

    // Gives the job the next number of its day ("YYYYMMDD" and six digits,
    // from the receiving moment) and stores it; answers the number once the
    // job is committed. A failure raises EInOutError and stores nothing of it.
    std::string Submit(JobRecord job);
    // False when no job has that number.
    bool RecordStatus(const JobStatusRecord& update);
    std::vector<JobRecord> Jobs() const;
    std::optional<JobRecord> FindJob(const std::string& jobNumber) const;
    std::vector<JobStatusRecord> StatusUpdates(const std::string& jobNumber) const;

    // Answers false when a scheme of that key exists and replace is false.
    bool SaveScheme(const SchemeRecord& scheme, bool replace);
    bool DeleteScheme(const std::string& name, const std::string& creator,
                      const std::string& program);
    // False when the old key does not exist; a taken new key raises nothing
    // but answers false too (see RenameOutcome).
    enum class RenameOutcome { Renamed, Missing, Taken };
    RenameOutcome RenameScheme(const std::string& creator, const std::string& program,
                               const std::string& oldName, const std::string& newName);
    // The user's schemes of the program, by name.
    std::vector<SchemeRecord> Schemes(const std::string& creator, const std::string& program) const;

    // The rights row of database, user and program; then the user's row for
    // every program ("*"); then nothing.
    std::optional<UserRights> FindRights(const std::string& database, const std::string& user,
                                         const std::string& program) const;
    void SetRights(const std::string& database, const std::string& user, const std::string& program,
                   const UserRights& rights);

private:
    struct PendingSubmit;
    // Writes a batch of submissions in one transaction; never raises, every
    // item gets its number or its error.
    void CommitBatch(const std::vector<PendingSubmit*>& batch);
    // Writes what is queued, with queueMutex_ held by lock (released while
    // writing), and tells the callers of the batch but writer.
    void WriteQueued(std::unique_lock<std::mutex>& lock, const PendingSubmit& writer);
    void InsertJob(PendingSubmit& pending);
    void Execute(const char* sql) const;
    JobRecord ReadJob(sqlite3_stmt* row) const;

    mutable std::mutex mutex_; // guards the database connection
    sqlite3* db_ = nullptr;
    // Submissions waiting for the next batch; one caller at a time writes a
    // batch while the others wait for theirs.
    std::mutex queueMutex_;
    std::vector<PendingSubmit*> queue_;
    bool committing_ = false;
    // The statements of a submission, prepared once: a submission is the hot path.
    struct SubmitStatements;
    std::unique_ptr<SubmitStatements> submit_;
    // Keeps the log's checkpoints (and their disk flushes) out of the commits.
    std::unique_ptr<WalCheckpointer> checkpointer_;
    std::string path_;
};

} // namespace kvc::erp
