#include "platform/db/SqliteError.h"

#include <sqlite3.h>

static_assert(sqlite_result::kInternal == SQLITE_INTERNAL);
static_assert(sqlite_result::kTooBig == SQLITE_TOOBIG);
static_assert(sqlite_result::kMismatch == SQLITE_MISMATCH);

#include <utility>

ESqliteError::ESqliteError(QString message, int resultCode)
    : Exception(std::move(message)), resultCode_(resultCode) {
}

ESqliteError ESqliteError::fromConnection(sqlite3* connection, int resultCode) {
    const char* text =
        connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(resultCode);
    return ESqliteError(QString::fromUtf8(text), resultCode);
}

bool ESqliteError::isNotADatabase() const noexcept {
    const int primary = resultCode_ & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

SqliteFailureKind ESqliteError::kind() const noexcept {
    switch (resultCode_ & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return SqliteFailureKind::Busy;
    case SQLITE_READONLY:
        return SqliteFailureKind::ReadOnly;
    case SQLITE_FULL:
        return SqliteFailureKind::Full;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return SqliteFailureKind::Io;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return SqliteFailureKind::NotADatabase;
    default:
        return SqliteFailureKind::Other;
    }
}
