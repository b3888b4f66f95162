#include "erp/appserver/job_store.h"

#include "runtime/datetime.h"
#include "runtime/exceptions.h"

#include <condition_variable>
#include <cstdio>
#include <sqlite3.h>

namespace kvc::erp {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS jobs (
    job_number    TEXT PRIMARY KEY,
    status        TEXT NOT NULL,
    kind          TEXT NOT NULL,
    program_code  TEXT NOT NULL,
    company_id    TEXT NOT NULL,
    user_id       TEXT NOT NULL,
    database_id   TEXT NOT NULL,
    run_mode      INTEGER NOT NULL,
    start_moment  REAL NOT NULL,
    periodic      INTEGER NOT NULL,
    computer_name TEXT NOT NULL,
    received_at   REAL NOT NULL,
    request       BLOB NOT NULL,
    periodic_json TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS job_status (
    id          INTEGER PRIMARY KEY,
    job_number  TEXT NOT NULL REFERENCES jobs(job_number),
    status      TEXT NOT NULL,
    message     TEXT NOT NULL,
    reported_at REAL NOT NULL,
    recorded_at REAL NOT NULL
);
CREATE TABLE IF NOT EXISTS schemes (
    NCONDITION  TEXT NOT NULL,
    CREATOR     TEXT NOT NULL,
    PROGRAMME   TEXT NOT NULL,
    CREATE_DATE TEXT NOT NULL,
    SCONDITION  TEXT NOT NULL,
    VCONDITION  TEXT NOT NULL,
    PRIMARY KEY (NCONDITION, CREATOR, PROGRAMME)
);
CREATE TABLE IF NOT EXISTS user_rights (
    database_id       TEXT NOT NULL,
    user_id           TEXT NOT NULL,
    program_code      TEXT NOT NULL,
    rights            TEXT NOT NULL,
    rights_value      TEXT NOT NULL,
    restriction       TEXT NOT NULL,
    restriction_items TEXT NOT NULL,
    PRIMARY KEY (database_id, user_id, program_code)
);
)sql";

// The items of a restriction are kept one per line.
std::string JoinLines(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += item;
        text += '\n';
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        items.push_back(text.substr(start, end - start));
    }
    return items;
}

// One prepared statement; binds count from 1, columns from 0.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            throw EInOutError(std::string("Job database: ") + sqlite3_errmsg(db));
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, const std::string& text) {
        Check(sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Statement& BindBlob(int index, const std::string& bytes) {
        Check(sqlite3_bind_blob(stmt_, index, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Statement& Bind(int index, std::int64_t number) {
        Check(sqlite3_bind_int64(stmt_, index, number));
        return *this;
    }
    Statement& Bind(int index, double number) {
        Check(sqlite3_bind_double(stmt_, index, number));
        return *this;
    }

    // True while a row is there.
    bool Step() {
        const int result = sqlite3_step(stmt_);
        if (result == SQLITE_ROW) {
            return true;
        }
        if (result != SQLITE_DONE) {
            throw EInOutError(std::string("Job database: ") + sqlite3_errmsg(db_));
        }
        return false;
    }

    std::string Text(int column) const {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        return data == nullptr
                   ? std::string()
                   : std::string(data, std::size_t(sqlite3_column_bytes(stmt_, column)));
    }
    // Ready for the next use with new bindings.
    void Reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

    std::int64_t Integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    double Real(int column) const { return sqlite3_column_double(stmt_, column); }
    sqlite3_stmt* Raw() const { return stmt_; }

private:
    void Check(int result) {
        if (result != SQLITE_OK) {
            throw EInOutError(std::string("Job database: ") + sqlite3_errmsg(db_));
        }
    }

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Commits when Commit is called; rolls back when left any other way.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : db_(db) { Run("BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!done_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit() {
        Run("COMMIT");
        done_ = true;
    }

private:
    void Run(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            throw EInOutError(std::string("Job database: ") + sqlite3_errmsg(db_));
        }
    }

    sqlite3* db_;
    bool done_ = false;
};

constexpr const char* kJobColumns =
    "job_number, status, kind, program_code, company_id, user_id, database_id, run_mode, "
    "start_moment, periodic, computer_name, received_at, request, periodic_json";

// Leaves a reused statement ready for the next caller however the use ended.
class ResetOnExit {
public:
    explicit ResetOnExit(Statement& statement) : statement_(statement) {}
    ~ResetOnExit() { statement_.Reset(); }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    Statement& statement_;
};

} // namespace

struct JobStore::SubmitStatements {
    explicit SubmitStatements(sqlite3* db)
        : begin(db, "BEGIN IMMEDIATE"), commit(db, "COMMIT"),
          // The day's last number, from the key's own index: numbering
          // writes no page of its own.
          last(db, "SELECT max(job_number) FROM jobs WHERE job_number >= ? AND job_number < ?"),
          insert(db, "INSERT INTO jobs (job_number, status, kind, program_code, company_id, "
                     "user_id, database_id, run_mode, start_moment, periodic, computer_name, "
                     "received_at, request, periodic_json) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") {}
    Statement begin;
    Statement commit;
    Statement last;
    Statement insert;
};

struct JobStore::PendingSubmit {
    explicit PendingSubmit(JobRecord* job) : job(job) {}

    JobRecord* job;
    std::string number;
    std::string error; // empty when stored
    // Both guarded by queueMutex_: written, then wake is signalled, under it.
    bool done = false;
    bool leads = false; // this caller writes the next batch
    std::condition_variable wake;
};

UserRights DefaultUserRights() {
    return UserRights{"YYYYYYNN", "", "", {}};
}

JobStore::JobStore(const std::string& path, Durability durability) : path_(path) {
    // mutex_ serialises every use of the connection, so SQLite's own lock
    // around each call would only be taken a second time.
    if (sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw EInOutError("Cannot open the job database " + path + ": " + reason);
    }
    try {
        sqlite3_busy_timeout(db_, 10000);
        Execute("PRAGMA journal_mode=WAL");
        Execute(durability == Durability::Power ? "PRAGMA synchronous=FULL"
                                                : "PRAGMA synchronous=NORMAL");
        Execute("PRAGMA foreign_keys=ON");
        Execute(kSchema);
        submit_ = std::make_unique<SubmitStatements>(db_);
        checkpointer_ = std::make_unique<WalCheckpointer>(path);
        checkpointer_->Attach(db_, mutex_);
    } catch (const EInOutError& error) {
        submit_.reset(); // a connection with live statements would not close
        sqlite3_close(db_);
        throw EInOutError("Cannot open the job database " + path + ": " + error.Message());
    }
}

JobStore::~JobStore() {
    sqlite3_wal_hook(db_, nullptr, nullptr);
    checkpointer_.reset();
    submit_.reset(); // statements before the connection
    sqlite3_close(db_);
}

void JobStore::Execute(const char* sql) const {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message != nullptr ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        throw EInOutError(text);
    }
}

// Each waiting caller is woken once: when its job is written, or when it is
// to write the next batch. Waking every waiter after each batch costs a
// context switch per waiter and batch, which on a busy server is most of
// what a submission costs.
std::string JobStore::Submit(JobRecord job) {
    PendingSubmit mine(&job);
    std::unique_lock lock(queueMutex_);
    queue_.push_back(&mine);
    if (committing_) {
        mine.wake.wait(lock, [&] { return mine.done || mine.leads; });
    }
    if (!mine.done) {
        committing_ = true;
        // Its own batch, then at most one more: the thread that is running
        // writes what queued meanwhile at once, instead of waking one of
        // those callers to do it, and waits for one more commit at most.
        for (int round = 0; round < 2 && !queue_.empty(); ++round) {
            WriteQueued(lock, mine);
        }
        if (queue_.empty()) {
            committing_ = false;
        } else {
            queue_.front()->leads = true;
            queue_.front()->wake.notify_one();
        }
    }
    lock.unlock();
    if (!mine.error.empty()) {
        throw EInOutError(mine.error);
    }
    return mine.number;
}

void JobStore::WriteQueued(std::unique_lock<std::mutex>& lock, const PendingSubmit& writer) {
    std::vector<PendingSubmit*> batch;
    batch.swap(queue_);
    lock.unlock();
    CommitBatch(batch);
    lock.lock();
    // Signalled under the lock: a waiter's state lives on its stack, which
    // it leaves only after taking the lock back.
    for (PendingSubmit* pending : batch) {
        pending->done = true;
        if (pending != &writer) {
            pending->wake.notify_one();
        }
    }
}

void JobStore::CommitBatch(const std::vector<PendingSubmit*>& batch) {
    std::lock_guard lock(mutex_);
    bool begun = false;
    try {
        {
            ResetOnExit reset(submit_->begin);
            submit_->begin.Step();
            begun = true;
        }
        for (PendingSubmit* pending : batch) {
            InsertJob(*pending);
        }
        ResetOnExit reset(submit_->commit);
        submit_->commit.Step();
    } catch (...) {
        // Nothing of the batch is kept, so nothing of it is acknowledged.
        std::string reason = "Job database: the batch could not be written";
        try {
            throw;
        } catch (const std::exception& error) {
            reason = error.what();
        } catch (...) {
        }
        if (begun && sqlite3_get_autocommit(db_) == 0) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        for (PendingSubmit* pending : batch) {
            pending->number.clear();
            if (pending->error.empty()) {
                pending->error = reason;
            }
        }
    }
}

// One job inside the batch's transaction. A day out of numbers refuses that
// job alone, before anything of it is written.
void JobStore::InsertJob(PendingSubmit& pending) {
    JobRecord& job = *pending.job;
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(job.receivedAt, year, month, day);
    char dayText[16];
    std::snprintf(dayText, sizeof dayText, "%04d%02d%02d", year % 10000, month % 100, day % 100);
    const std::string dayKey(dayText);

    std::int64_t next = 1;
    {
        Statement& last = submit_->last;
        ResetOnExit reset(last);
        last.Bind(1, dayKey).Bind(2, dayKey + ":");
        if (last.Step() && sqlite3_column_type(last.Raw(), 0) != SQLITE_NULL) {
            next = std::stoll(last.Text(0).substr(dayKey.size())) + 1;
        }
    }
    if (next > 999999) {
        pending.error = "No job numbers are left for the day " + dayKey;
        return;
    }
    char serial[16];
    std::snprintf(serial, sizeof serial, "%06d", int(next));
    job.jobNumber = dayKey + serial;
    Statement& insert = submit_->insert;
    ResetOnExit reset(insert);
    insert.Bind(1, job.jobNumber)
        .Bind(2, job.status)
        .Bind(3, job.kind)
        .Bind(4, job.programCode)
        .Bind(5, job.companyId)
        .Bind(6, job.userId)
        .Bind(7, job.databaseId)
        .Bind(8, std::int64_t(job.runMode))
        .Bind(9, job.startMoment)
        .Bind(10, std::int64_t(job.periodic ? 1 : 0))
        .Bind(11, job.computerName)
        .Bind(12, job.receivedAt)
        .BindBlob(13, job.request)
        .Bind(14, job.periodicJson);
    insert.Step();
    pending.number = job.jobNumber;
}

bool JobStore::RecordStatus(const JobStatusRecord& update) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    Statement change(db_, "UPDATE jobs SET status = ? WHERE job_number = ?");
    change.Bind(1, update.status).Bind(2, update.jobNumber).Step();
    if (sqlite3_changes(db_) == 0) {
        return false;
    }
    Statement(db_, "INSERT INTO job_status (job_number, status, message, reported_at, "
                   "recorded_at) VALUES (?, ?, ?, ?, ?)")
        .Bind(1, update.jobNumber)
        .Bind(2, update.status)
        .Bind(3, update.message)
        .Bind(4, update.reportedAt)
        .Bind(5, update.recordedAt)
        .Step();
    transaction.Commit();
    return true;
}

JobRecord JobStore::ReadJob(sqlite3_stmt* raw) const {
    auto text = [raw](int column) {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(raw, column));
        return data == nullptr ? std::string()
                               : std::string(data, std::size_t(sqlite3_column_bytes(raw, column)));
    };
    JobRecord job;
    job.jobNumber = text(0);
    job.status = text(1);
    job.kind = text(2);
    job.programCode = text(3);
    job.companyId = text(4);
    job.userId = text(5);
    job.databaseId = text(6);
    job.runMode = int(sqlite3_column_int64(raw, 7));
    job.startMoment = sqlite3_column_double(raw, 8);
    job.periodic = sqlite3_column_int64(raw, 9) != 0;
    job.computerName = text(10);
    job.receivedAt = sqlite3_column_double(raw, 11);
    job.request = text(12);
    job.periodicJson = text(13);
    return job;
}

std::vector<JobRecord> JobStore::Jobs() const {
    std::lock_guard lock(mutex_);
    Statement query(
        db_, (std::string("SELECT ") + kJobColumns + " FROM jobs ORDER BY job_number").c_str());
    std::vector<JobRecord> jobs;
    while (query.Step()) {
        jobs.push_back(ReadJob(query.Raw()));
    }
    return jobs;
}

std::optional<JobRecord> JobStore::FindJob(const std::string& jobNumber) const {
    std::lock_guard lock(mutex_);
    Statement query(
        db_, (std::string("SELECT ") + kJobColumns + " FROM jobs WHERE job_number = ?").c_str());
    query.Bind(1, jobNumber);
    if (!query.Step()) {
        return std::nullopt;
    }
    return ReadJob(query.Raw());
}

std::vector<JobStatusRecord> JobStore::StatusUpdates(const std::string& jobNumber) const {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT job_number, status, message, reported_at, recorded_at "
                         "FROM job_status WHERE job_number = ? ORDER BY id");
    query.Bind(1, jobNumber);
    std::vector<JobStatusRecord> updates;
    while (query.Step()) {
        updates.push_back(JobStatusRecord{query.Text(0), query.Text(1), query.Text(2),
                                          query.Real(3), query.Real(4)});
    }
    return updates;
}

bool JobStore::SaveScheme(const SchemeRecord& scheme, bool replace) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    Statement(db_, replace ? "INSERT OR REPLACE INTO schemes VALUES (?, ?, ?, ?, ?, ?)"
                           : "INSERT OR IGNORE INTO schemes VALUES (?, ?, ?, ?, ?, ?)")
        .Bind(1, scheme.name)
        .Bind(2, scheme.creator)
        .Bind(3, scheme.program)
        .Bind(4, scheme.createDate)
        .Bind(5, scheme.properties)
        .Bind(6, scheme.values)
        .Step();
    const bool stored = sqlite3_changes(db_) > 0;
    transaction.Commit();
    return stored;
}

bool JobStore::DeleteScheme(const std::string& name, const std::string& creator,
                            const std::string& program) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    Statement(db_, "DELETE FROM schemes WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?")
        .Bind(1, name)
        .Bind(2, creator)
        .Bind(3, program)
        .Step();
    const bool deleted = sqlite3_changes(db_) > 0;
    transaction.Commit();
    return deleted;
}

JobStore::RenameOutcome JobStore::RenameScheme(const std::string& creator,
                                               const std::string& program,
                                               const std::string& oldName,
                                               const std::string& newName) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    auto exists = [&](const std::string& name) {
        Statement query(db_, "SELECT 1 FROM schemes WHERE NCONDITION = ? AND CREATOR = ? AND "
                             "PROGRAMME = ?");
        query.Bind(1, name).Bind(2, creator).Bind(3, program);
        return query.Step();
    };
    if (!exists(oldName)) {
        return RenameOutcome::Missing;
    }
    if (oldName != newName && exists(newName)) {
        return RenameOutcome::Taken;
    }
    Statement(db_, "UPDATE schemes SET NCONDITION = ? WHERE NCONDITION = ? AND CREATOR = ? AND "
                   "PROGRAMME = ?")
        .Bind(1, newName)
        .Bind(2, oldName)
        .Bind(3, creator)
        .Bind(4, program)
        .Step();
    transaction.Commit();
    return RenameOutcome::Renamed;
}

std::vector<SchemeRecord> JobStore::Schemes(const std::string& creator,
                                            const std::string& program) const {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT NCONDITION, CREATOR, PROGRAMME, CREATE_DATE, SCONDITION, "
                         "VCONDITION FROM schemes WHERE CREATOR = ? AND PROGRAMME = ? "
                         "ORDER BY NCONDITION");
    query.Bind(1, creator).Bind(2, program);
    std::vector<SchemeRecord> schemes;
    while (query.Step()) {
        schemes.push_back(SchemeRecord{query.Text(0), query.Text(1), query.Text(2), query.Text(3),
                                       query.Text(4), query.Text(5)});
    }
    return schemes;
}

std::optional<UserRights> JobStore::FindRights(const std::string& database, const std::string& user,
                                               const std::string& program) const {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT rights, rights_value, restriction, restriction_items "
                         "FROM user_rights WHERE database_id = ? AND user_id = ? "
                         "AND program_code IN (?, '*') ORDER BY program_code = '*' LIMIT 1");
    query.Bind(1, database).Bind(2, user).Bind(3, program);
    if (!query.Step()) {
        return std::nullopt;
    }
    return UserRights{query.Text(0), query.Text(1), query.Text(2), SplitLines(query.Text(3))};
}

void JobStore::SetRights(const std::string& database, const std::string& user,
                         const std::string& program, const UserRights& rights) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    Statement(db_, "INSERT OR REPLACE INTO user_rights VALUES (?, ?, ?, ?, ?, ?, ?)")
        .Bind(1, database)
        .Bind(2, user)
        .Bind(3, program)
        .Bind(4, rights.rights)
        .Bind(5, rights.rightsValue)
        .Bind(6, rights.restriction)
        .Bind(7, JoinLines(rights.restrictionItems))
        .Step();
    transaction.Commit();
}

} // namespace kvc::erp
