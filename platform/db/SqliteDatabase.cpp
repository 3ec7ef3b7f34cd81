#include "platform/db/SqliteDatabase.h"

#include "platform/db/ChangeListener.h"
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

struct SqliteDatabase::Observers {
    ChangeListener* listener = nullptr;
    TableReadNote tableRead;

    static int authorize(void* self, int action, const char* table, const char*, const char* schema,
                         const char*) {
        const auto& observers = *static_cast<const Observers*>(self);
        if (action == SQLITE_READ && table != nullptr && observers.tableRead) {
            observers.tableRead(schema != nullptr ? schema : "main", table);
        }
        return SQLITE_OK;
    }

    // SQLite's pre-update hook hears of every row, even those an INSERT OR REPLACE removes
    // or a DELETE without WHERE empties, and of both rowids of an UPDATE that moves a row.
    static void rowChanging(void* self, sqlite3*, int operation, const char* schema,
                            const char* table, sqlite3_int64 before, sqlite3_int64 after) {
        using Change = ChangeListener::RowChange;
        ChangeListener& listener = *static_cast<Observers*>(self)->listener;
        switch (operation) {
        case SQLITE_INSERT:
            listener.rowChanged(Change::Insert, schema, table, after);
            break;
        case SQLITE_DELETE:
            listener.rowChanged(Change::Delete, schema, table, before);
            break;
        default:
            if (before == after) {
                listener.rowChanged(Change::Update, schema, table, after);
            } else {
                listener.rowChanged(Change::Delete, schema, table, before);
                listener.rowChanged(Change::Insert, schema, table, after);
            }
            break;
        }
    }
    static int committed(void* self) {
        static_cast<Observers*>(self)->listener->committed();
        return 0; // the commit goes ahead
    }
    static void rolledBack(void* self) { static_cast<Observers*>(self)->listener->rolledBack(); }
};

void SqliteDatabase::Closer::operator()(sqlite3* handle) const noexcept {
    // Statements are finalized by their owners first, so close_v2 releases at once.
    sqlite3_close_v2(handle);
}

SqliteDatabase::SqliteDatabase(const QString& path, SqliteOpenMode mode)
    : busyWait_(std::make_unique<BusyWait>()), observers_(std::make_unique<Observers>()) {
    sqlite3* raw = nullptr;
    const QByteArray utf8Path = path.toUtf8();
    const int rc = sqlite3_open_v2(utf8Path.constData(), &raw, OpenFlags(mode), nullptr);
    handle_.reset(raw); // sqlite3_open_v2 may hand out a connection even when it fails
    if (rc != SQLITE_OK) {
        throw ESqliteError::fromConnection(raw, rc);
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_handler(raw, &BusyWait::onBusy, busyWait_.get());
    sqlite3_set_authorizer(raw, &Observers::authorize, observers_.get());
}

SqliteDatabase::~SqliteDatabase() = default;
SqliteDatabase::SqliteDatabase(SqliteDatabase&&) noexcept = default;
// Swapped, so that the connection given up is closed with its own busy handler still alive.
SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept {
    std::swap(busyWait_, other.busyWait_);
    std::swap(observers_, other.observers_);
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

void SqliteDatabase::setChangeListener(ChangeListener* listener) noexcept {
    observers_->listener = listener;
    void* hooks = listener != nullptr ? observers_.get() : nullptr;
    sqlite3_preupdate_hook(handle(), hooks != nullptr ? &Observers::rowChanging : nullptr, hooks);
    sqlite3_commit_hook(handle(), hooks != nullptr ? &Observers::committed : nullptr, hooks);
    sqlite3_rollback_hook(handle(), hooks != nullptr ? &Observers::rolledBack : nullptr, hooks);
}

SqliteDatabase::TablesReadScope::TablesReadScope(SqliteDatabase& database, TableReadNote note)
    : database_(database) {
    database_.observers_->tableRead = std::move(note);
}

SqliteDatabase::TablesReadScope::~TablesReadScope() {
    database_.observers_->tableRead = nullptr;
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

QString SqliteDatabase::fileName() const {
    return QString::fromUtf8(sqlite3_db_filename(handle(), "main"));
}

void SqliteDatabase::interrupt() noexcept {
    sqlite3_interrupt(handle());
}

bool SqliteDatabase::isAutocommit() const noexcept {
    return sqlite3_get_autocommit(handle()) != 0;
}

bool SqliteDatabase::isReadOnly() const noexcept {
    return sqlite3_db_readonly(handle(), "main") == 1;
}
