#include "erp/appserver/wal_checkpointer.h"
#include "platform/temp_folder.h"
#include "runtime/exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <sqlite3.h>
#include <string>

namespace kvc::erp {
namespace {

namespace fs = std::filesystem;

// A WAL database with one table, written one row per transaction.
class WalDatabase {
public:
    explicit WalDatabase(const std::string& path) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK);
        Execute("PRAGMA journal_mode=WAL");
        Execute("PRAGMA synchronous=NORMAL");
        Execute("CREATE TABLE IF NOT EXISTS rows (id INTEGER PRIMARY KEY, payload BLOB)");
    }
    ~WalDatabase() { sqlite3_close(db_); }
    WalDatabase(const WalDatabase&) = delete;
    WalDatabase& operator=(const WalDatabase&) = delete;

    sqlite3* Handle() const { return db_; }
    void Execute(const char* sql) {
        ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK)
            << sql << ": " << sqlite3_errmsg(db_);
    }
    void InsertRow() { Execute("INSERT INTO rows (payload) VALUES (zeroblob(3000))"); }
    int Rows() {
        sqlite3_stmt* count = nullptr;
        sqlite3_prepare_v2(db_, "SELECT count(*) FROM rows", -1, &count, nullptr);
        sqlite3_step(count);
        const int rows = sqlite3_column_int(count, 0);
        sqlite3_finalize(count);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

// Writes rows one commit each, letting every checkpoint asked for run, and
// answers the size of the log afterwards.
std::uintmax_t LogSizeAfterWrites(const fs::path& dir, int frames) {
    const std::string path = (dir / "rows.db").string();
    WalDatabase db(path);
    std::mutex writers;
    WalCheckpointer checkpointer(path, frames);
    checkpointer.Attach(db.Handle(), writers);
    for (int i = 0; i < 300; ++i) {
        {
            std::lock_guard hold(writers);
            db.InsertRow();
        }
        checkpointer.WaitIdle();
    }
    EXPECT_EQ(db.Rows(), 300);
    return fs::file_size(path + "-wal");
}

TEST(WalCheckpointerTest, TheLogStartsOverOnceCopiedInsteadOfGrowing) {
    kvc::testing::TempFolder small;
    kvc::testing::TempFolder never;
    const std::uintmax_t copied = LogSizeAfterWrites(small.Path(), 16);
    // The same writes with no checkpoint reached: the connection's own
    // automatic checkpoints are off, so the log keeps every page.
    const std::uintmax_t kept = LogSizeAfterWrites(never.Path(), 1 << 30);
    EXPECT_LT(copied, 40u * 4120u);
    EXPECT_GT(kept, 300u * 3000u);
}

TEST(WalCheckpointerTest, WhatWasCopiedIsInTheDatabaseFileAlone) {
    kvc::testing::TempFolder dir;
    const std::string path = (dir.Path() / "rows.db").string();
    {
        WalDatabase db(path);
        std::mutex writers;
        WalCheckpointer checkpointer(path, 4);
        checkpointer.Attach(db.Handle(), writers);
        for (int i = 0; i < 50; ++i) {
            std::lock_guard hold(writers);
            db.InsertRow();
        }
        checkpointer.Request();
        checkpointer.WaitIdle();
        // A copy of the database file without its log holds every row
        // committed before the last checkpoint ran.
        fs::copy_file(path, dir.Path() / "copy.db");
    }
    WalDatabase copy((dir.Path() / "copy.db").string());
    EXPECT_EQ(copy.Rows(), 50);
}

TEST(WalCheckpointerTest, AFileThatCannotBeOpenedIsRefused) {
    kvc::testing::TempFolder dir;
    EXPECT_THROW(WalCheckpointer((dir.Path() / "missing" / "rows.db").string()), EInOutError);
}

} // namespace
} // namespace kvc::erp
