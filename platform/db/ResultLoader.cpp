#include "platform/db/ResultLoader.h"

#include "platform/db/CommandStatement.h"

#include <sqlite3.h>

namespace {

// Puts one column value of the current row into the row being written.
void PutValue(sqlite3_value* value, RowAppender& row) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        row.putInteger(sqlite3_value_int64(value));
        break;
    case SQLITE_FLOAT:
        row.putReal(sqlite3_value_double(value));
        break;
    case SQLITE_TEXT: {
        // Ask for the text before its length, as SQLite documents.
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(value));
        row.putText(std::string_view(text != nullptr ? text : "", bytes));
        break;
    }
    case SQLITE_BLOB: {
        const auto* blob = static_cast<const char*>(sqlite3_value_blob(value));
        const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(value));
        row.putBlob(std::string_view(blob != nullptr ? blob : "", bytes));
        break;
    }
    default:
        row.putNull();
        break;
    }
}

// Holds the connection's mutex while the rows are copied, so that the column values may be
// read through their sqlite3_value without a lock per call.
class ConnectionLock {
public:
    explicit ConnectionLock(sqlite3_stmt* statement)
        : mutex_(sqlite3_db_mutex(sqlite3_db_handle(statement))) {
        sqlite3_mutex_enter(mutex_);
    }
    ~ConnectionLock() { sqlite3_mutex_leave(mutex_); }
    ConnectionLock(const ConnectionLock&) = delete;
    ConnectionLock& operator=(const ConnectionLock&) = delete;

private:
    sqlite3_mutex* mutex_;
};

} // namespace

void AppendCurrentRow(sqlite3_stmt* statement, RowStore& rows) {
    RowAppender row(rows);
    for (int i = 0; i < rows.columnCount(); ++i) {
        PutValue(sqlite3_column_value(statement, i), row);
    }
    row.finish();
}

RowStore LoadRows(CommandStatement& statement, long maxRecords) {
    const int columns = statement.columnCount();
    RowStore rows(columns);
    sqlite3_stmt* handle = statement.handle();
    {
        const ConnectionLock lock(handle);
        while ((maxRecords <= 0 || static_cast<long>(rows.rowCount()) < maxRecords) &&
               statement.step()) {
            AppendCurrentRow(handle, rows);
        }
    }
    statement.reset();
    rows.shrinkToFit();
    return rows;
}
