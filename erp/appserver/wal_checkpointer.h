// WalCheckpointer: copies a WAL database's log back into the database file on
// a thread and a connection of its own.
//
// SQLite checkpoints by default inside the commit that crosses the log's size
// limit, and a checkpoint syncs the log and the database file to the disk:
// the submission that happens to commit then waits for two disk flushes, and
// every other submission waits behind it. Here the committing connection only
// asks, from SQLite's WAL hook, and goes on; the checkpoint runs beside the
// writers, which WAL allows; only its last frames are copied with the writers
// held back, so that the log is copied whole and starts over at the next
// commit.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

struct sqlite3;

namespace kvc::erp {

class WalCheckpointer {
public:
    // Log frames after which a checkpoint is asked for: SQLite's own default.
    static constexpr int kDefaultFrames = 1000;

    // Opens its own connection to the database file (raises EInOutError when
    // it cannot) and starts the thread.
    explicit WalCheckpointer(const std::string& path, int frames = kDefaultFrames);
    ~WalCheckpointer();
    WalCheckpointer(const WalCheckpointer&) = delete;
    WalCheckpointer& operator=(const WalCheckpointer&) = delete;

    // Installs the request on a writing connection in place of its automatic
    // checkpoints. Whoever writes holds writers during each transaction; the
    // checkpointer holds it for the last frames of a copy. The checkpointer
    // must outlive the connection's commits.
    void Attach(sqlite3* writer, std::mutex& writers);
    // Asks for a checkpoint; returns at once.
    void Request();
    // Waits until every checkpoint asked for so far has run.
    void WaitIdle();

private:
    static int OnCommit(void* self, sqlite3* db, const char* name, int frames);
    void Run();
    void CopyLog();

    sqlite3* db_ = nullptr;
    const int frames_;
    std::mutex* writers_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::uint64_t requested_ = 0; // guarded by mutex_
    std::uint64_t done_ = 0;      // guarded by mutex_
    bool stopping_ = false;       // guarded by mutex_
    std::thread thread_;
};

} // namespace kvc::erp
