#pragma once

#include "platform/Exceptions.h"
#include "platform/db/BusyWait.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

struct sqlite3;
class SqliteStatement;

// What kind of trouble an SQLite failure is, for messages that say what to do.
enum class SqliteFailureKind {
    Busy,         // another connection holds a lock
    ReadOnly,     // the file or its folder cannot be written
    Full,         // the disk is full
    Io,           // the system refused a read or write (a file size limit, a disk error)
    NotADatabase, // not an SQLite file, or a damaged one
    Other,
};

// An SQLite call failed. The message is SQLite's own description of the error.
class ESqliteError : public Exception {
public:
    ESqliteError(QString message, int resultCode);
    // The connection's message for its most recent failure (SQLite's text for the code
    // when there is no connection).
    static ESqliteError fromConnection(sqlite3* connection, int resultCode);

    // SQLite's extended result code (SQLITE_CONSTRAINT_CHECK, SQLITE_NOTADB, ...).
    int resultCode() const noexcept { return resultCode_; }
    // The file is not an SQLite database, or a damaged one (SQLITE_NOTADB, SQLITE_CORRUPT).
    bool isNotADatabase() const noexcept;
    SqliteFailureKind kind() const noexcept;

private:
    int resultCode_;
};

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

    // The raw connection, for the wrapper's own classes.
    sqlite3* handle() const noexcept { return handle_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* handle) const noexcept;
    };
    // SQLite's busy handler holds its address, which must not move with the connection; it
    // outlives the connection, which may still call it while closing.
    std::unique_ptr<BusyWait> busyWait_;
    std::unique_ptr<sqlite3, Closer> handle_;
};
