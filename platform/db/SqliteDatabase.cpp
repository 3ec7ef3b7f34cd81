#include "platform/db/SqliteDatabase.h"

#include "platform/db/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

namespace {

// A connection is used by one thread only, so SQLite's per-call connection lock is left out.
int OpenFlags(SqliteOpenMode mode) {
    switch (mode) {
    case SqliteOpenMode::ReadWrite:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    case SqliteOpenMode::ReadOnly:
        break;
    case SqliteOpenMode::Create:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    }
    return SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
}

} // namespace

void SqliteDatabase::Closer::operator()(sqlite3* handle) const noexcept {
    // Statements are finalized by their owners first, so close_v2 releases at once.
    sqlite3_close_v2(handle);
}

SqliteDatabase::SqliteDatabase(const QString& path, SqliteOpenMode mode)
    : busyWait_(std::make_unique<BusyWait>()) {
    sqlite3* raw = nullptr;
    const QByteArray utf8Path = path.toUtf8();
    const int rc = sqlite3_open_v2(utf8Path.constData(), &raw, OpenFlags(mode), nullptr);
    handle_.reset(raw); // sqlite3_open_v2 may hand out a connection even when it fails
    if (rc != SQLITE_OK) {
        throw ESqliteError::fromConnection(raw, rc);
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_handler(raw, &BusyWait::onBusy, busyWait_.get());
}

SqliteDatabase::~SqliteDatabase() = default;
SqliteDatabase::SqliteDatabase(SqliteDatabase&&) noexcept = default;
// Swapped, so that the connection given up is closed with its own busy handler still alive.
SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept {
    std::swap(busyWait_, other.busyWait_);
    std::swap(handle_, other.handle_);
    return *this;
}

void SqliteDatabase::exec(std::string_view utf8Sql) {
    // sqlite3_exec needs a terminated string.
    const std::string sql(utf8Sql);
    const int rc = sqlite3_exec(handle(), sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throw ESqliteError::fromConnection(handle(), rc);
    }
}

void SqliteDatabase::exec(const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    exec(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::int64_t SqliteDatabase::queryInteger(std::string_view utf8Sql) {
    SqliteStatement statement = prepare(utf8Sql);
    return statement.step() ? statement.columnInt64(0) : 0;
}

std::int64_t SqliteDatabase::queryInteger(const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    return queryInteger(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

SqliteStatement SqliteDatabase::prepare(std::string_view utf8Sql) {
    return SqliteStatement(*this, utf8Sql);
}

SqliteStatement SqliteDatabase::prepare(const char* utf8Sql) {
    return SqliteStatement(*this, std::string_view(utf8Sql));
}

SqliteStatement SqliteDatabase::prepare(const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    return SqliteStatement(
        *this, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

void SqliteDatabase::setBusyTimeout(std::chrono::milliseconds timeout) noexcept {
    busyWait_->setTimeout(timeout);
}

std::int64_t SqliteDatabase::lastInsertRowId() const noexcept {
    return sqlite3_last_insert_rowid(handle());
}

std::int64_t SqliteDatabase::changes() const noexcept {
    return sqlite3_changes64(handle());
}

std::int64_t SqliteDatabase::totalChanges() const noexcept {
    return sqlite3_total_changes64(handle_.get());
}

bool SqliteDatabase::isAutocommit() const noexcept {
    return sqlite3_get_autocommit(handle()) != 0;
}

bool SqliteDatabase::isReadOnly() const noexcept {
    return sqlite3_db_readonly(handle(), "main") == 1;
}
