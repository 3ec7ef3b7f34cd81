#pragma once

#include "platform/db/BusyWait.h"
#include "platform/db/SqliteError.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

struct sqlite3;
class ChangeListener;
class SqliteStatement;

// How a database file is opened.
enum class SqliteOpenMode {
    ReadWrite, // an existing file, for reading and writing; a missing file is an error
    ReadOnly,  // an existing file, for reading only
    Create,    // read-write, creating the file when it is missing
};

// One open connection to an SQLite database file, used by one thread; closed on destruction.
class SqliteDatabase {
public:
    SqliteDatabase(const QString& path, SqliteOpenMode mode);
    ~SqliteDatabase();
    SqliteDatabase(SqliteDatabase&&) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&&) noexcept;

    // Runs one or more SQL statements that return no rows of interest.
    void exec(std::string_view utf8Sql);
    void exec(const char* utf8Sql) { exec(std::string_view(utf8Sql)); }
    void exec(const QString& sql);

    // The first column of the first row of a query that gives one number (0 when it gives no
    // row), such as "SELECT count(*) FROM t" or "PRAGMA data_version".
    std::int64_t queryInteger(std::string_view utf8Sql);
    std::int64_t queryInteger(const char* utf8Sql) {
        return queryInteger(std::string_view(utf8Sql));
    }
    std::int64_t queryInteger(const QString& sql);
    // Prepares the first statement of the SQL text.
    SqliteStatement prepare(std::string_view utf8Sql);
    SqliteStatement prepare(const char* utf8Sql);
    SqliteStatement prepare(const QString& sql);

    // How long a statement waits for another connection's lock before failing as busy; a
    // BusyWait::Command over busyWait() makes several statements share one such wait.
    void setBusyTimeout(std::chrono::milliseconds timeout) noexcept;
    BusyWait& busyWait() noexcept { return *busyWait_; }

    // Reports the connection's own writes to the listener from now on (nullptr: to nobody).
    void setChangeListener(ChangeListener* listener) noexcept;

    // Called with the schema and name of each table that a statement prepared meanwhile reads.
    using TableReadNote = std::function<void(const char* schema, const char* table)>;
    // Notes the tables read by the statements prepared during the scope.
    class TablesReadScope {
    public:
        TablesReadScope(SqliteDatabase& database, TableReadNote note);
        ~TablesReadScope();
        TablesReadScope(const TablesReadScope&) = delete;
        TablesReadScope& operator=(const TablesReadScope&) = delete;

    private:
        SqliteDatabase& database_;
    };

    std::int64_t lastInsertRowId() const noexcept;
    // Rows changed by the most recent INSERT, UPDATE or DELETE.
    std::int64_t changes() const noexcept;
    // Rows changed by every INSERT, UPDATE and DELETE of the connection (triggers included),
    // whether committed or not.
    std::int64_t totalChanges() const noexcept;
    // False between BEGIN and COMMIT or ROLLBACK.
    bool isAutocommit() const noexcept;
    // True when the file was opened for reading only, asked or not (a write-protected file).
    bool isReadOnly() const noexcept;

    // The path of the main database file.
    QString fileName() const;
    // Makes the statement running on the connection, on whatever thread, fail as interrupted.
    // The one call another thread may make on the connection, while it is open.
    void interrupt() noexcept;

    // The raw connection, for the wrapper's own classes.
    sqlite3* handle() const noexcept { return handle_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* handle) const noexcept;
    };
    // SQLite's busy handler holds its address, which must not move with the connection; it
    // outlives the connection, which may still call it while closing.
    std::unique_ptr<BusyWait> busyWait_;
    // Who hears of the connection's writes and of the tables statements read; its address is
    // held by SQLite's hooks, so it too stays put and outlives the connection.
    struct Observers;
    std::unique_ptr<Observers> observers_;
    std::unique_ptr<sqlite3, Closer> handle_;
};
