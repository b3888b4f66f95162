#include "erp/appserver/wal_checkpointer.h"

#include "runtime/exceptions.h"

#include <sqlite3.h>

namespace kvc::erp {

WalCheckpointer::WalCheckpointer(const std::string& path, int frames) : frames_(frames) {
    auto refuse = [&](const std::string& reason) {
        sqlite3_close(db_);
        throw EInOutError("Cannot open the database " + path + " for checkpoints: " + reason);
    };
    // The connection is used by the checkpointer's thread alone.
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        refuse(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory");
    }
    // A connection knows the file is in WAL mode only once it has read it;
    // before that a checkpoint finds nothing to do.
    char* message = nullptr;
    if (sqlite3_exec(db_, "PRAGMA schema_version", nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message != nullptr ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        refuse(reason);
    }
    thread_ = std::thread([this] { Run(); });
}

WalCheckpointer::~WalCheckpointer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
    sqlite3_close(db_);
}

void WalCheckpointer::Attach(sqlite3* writer, std::mutex& writers) {
    writers_ = &writers;
    sqlite3_wal_hook(writer, &WalCheckpointer::OnCommit, this);
}

int WalCheckpointer::OnCommit(void* self, sqlite3*, const char*, int frames) {
    auto* checkpointer = static_cast<WalCheckpointer*>(self);
    if (frames >= checkpointer->frames_) {
        checkpointer->Request();
    }
    return SQLITE_OK;
}

void WalCheckpointer::Request() {
    {
        std::lock_guard lock(mutex_);
        ++requested_;
    }
    wake_.notify_one();
}

void WalCheckpointer::WaitIdle() {
    std::unique_lock lock(mutex_);
    const std::uint64_t target = requested_;
    idle_.wait(lock, [&] { return done_ >= target; });
}

void WalCheckpointer::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || requested_ > done_; });
        if (stopping_) {
            break;
        }
        const std::uint64_t target = requested_;
        lock.unlock();
        CopyLog();
        lock.lock();
        done_ = target;
        idle_.notify_all();
    }
}

// What a checkpoint could not copy (a reader in the way, a busy file) stays
// in the log, whose next request copies it: the data is safe in the log
// meanwhile, so there is nothing to report.
void WalCheckpointer::CopyLog() {
    // Most of the copying, and the disk flushes, beside the writers.
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    if (writers_ == nullptr) {
        return;
    }
    // Then what they committed meanwhile (usually a few frames), with the
    // writers held back for that short copy. Only a log copied whole starts
    // over at the next commit: otherwise it would grow for as long as
    // commits keep coming, and every pass would walk all of it.
    std::lock_guard hold(*writers_);
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

} // namespace kvc::erp
