#pragma once

#include "platform/Exceptions.h"

#include <QString>

struct sqlite3;

// What kind of trouble an SQLite failure is, for messages that say what to do.
enum class SqliteFailureKind {
    Busy,         // another connection holds a lock
    ReadOnly,     // the file or its folder cannot be written
    Full,         // the disk is full
    Io,           // the system refused a read or write (a file size limit, a disk error)
    NotADatabase, // not an SQLite file, or a damaged one
    Other,
};

// SQLite's result codes for the failures that code above the provider reports in SQLite's
// terms (checked against <sqlite3.h>, which stays inside the provider).
namespace sqlite_result {
inline constexpr int kInternal = 2;  // SQLITE_INTERNAL
inline constexpr int kTooBig = 18;   // SQLITE_TOOBIG
inline constexpr int kMismatch = 20; // SQLITE_MISMATCH
} // namespace sqlite_result

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
