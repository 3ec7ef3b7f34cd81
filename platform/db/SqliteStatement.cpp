#include "platform/db/SqliteStatement.h"

#include "platform/db/SqliteDatabase.h"

#include <sqlite3.h>

#include <climits>

namespace {

int ByteCount(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw ESqliteError(QStringLiteral("string or blob too big"), SQLITE_TOOBIG);
    }
    return static_cast<int>(size);
}

} // namespace

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(SqliteDatabase& database, std::string_view utf8Sql) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(database.handle(), utf8Sql.data(), ByteCount(utf8Sql.size()),
                                      &raw, nullptr);
    statement_.reset(raw);
    if (rc != SQLITE_OK) {
        throw ESqliteError::fromConnection(database.handle(), rc);
    }
    if (raw == nullptr) {
        throw ESqliteError(QStringLiteral("the SQL text holds no statement"), SQLITE_MISUSE);
    }
}

SqliteStatement::~SqliteStatement() = default;
SqliteStatement::SqliteStatement(SqliteStatement&&) noexcept = default;
SqliteStatement& SqliteStatement::operator=(SqliteStatement&&) noexcept = default;

void SqliteStatement::check(int resultCode) const {
    if (resultCode != SQLITE_OK) {
        throw ESqliteError::fromConnection(sqlite3_db_handle(statement_.get()), resultCode);
    }
}

void SqliteStatement::bindNull(int index) {
    check(sqlite3_bind_null(statement_.get(), index));
}

void SqliteStatement::bindDouble(int index, double value) {
    check(sqlite3_bind_double(statement_.get(), index, value));
}

void SqliteStatement::bindInt64(int index, std::int64_t value) {
    check(sqlite3_bind_int64(statement_.get(), index, value));
}

void SqliteStatement::bindText(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    bindUtf8(index, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

void SqliteStatement::bindUtf8(int index, std::string_view value) {
    // An empty view may have no data pointer; SQLite would bind that as NULL.
    const char* data = value.data() != nullptr ? value.data() : "";
    check(sqlite3_bind_text(statement_.get(), index, data, ByteCount(value.size()),
                            SQLITE_TRANSIENT));
}

void SqliteStatement::bindBlob(int index, std::string_view bytes) {
    // As with texts: an empty blob is still a blob, not NULL.
    const char* data = bytes.data() != nullptr ? bytes.data() : "";
    check(sqlite3_bind_blob(statement_.get(), index, data, ByteCount(bytes.size()),
                            SQLITE_TRANSIENT));
}

int SqliteStatement::parameterIndex(const char* name) const noexcept {
    return sqlite3_bind_parameter_index(statement_.get(), name);
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    // Leave the statement ready for reset; its error stays with the connection's message.
    throw ESqliteError::fromConnection(sqlite3_db_handle(statement_.get()), rc);
}

void SqliteStatement::reset() {
    // reset repeats the last step's error, which step has already reported.
    sqlite3_reset(statement_.get());
}

void SqliteStatement::clearBindings() {
    check(sqlite3_clear_bindings(statement_.get()));
}

int SqliteStatement::columnCount() const noexcept {
    return sqlite3_column_count(statement_.get());
}

QString SqliteStatement::columnName(int index) const {
    return QString::fromUtf8(sqlite3_column_name(statement_.get(), index));
}

SqliteType SqliteStatement::columnType(int index) const noexcept {
    switch (sqlite3_column_type(statement_.get(), index)) {
    case SQLITE_INTEGER:
        return SqliteType::Integer;
    case SQLITE_FLOAT:
        return SqliteType::Float;
    case SQLITE_TEXT:
        return SqliteType::Text;
    case SQLITE_BLOB:
        return SqliteType::Blob;
    default:
        return SqliteType::Null;
    }
}

double SqliteStatement::columnDouble(int index) const noexcept {
    return sqlite3_column_double(statement_.get(), index);
}

std::int64_t SqliteStatement::columnInt64(int index) const noexcept {
    return sqlite3_column_int64(statement_.get(), index);
}

QString SqliteStatement::columnText(int index) const {
    if (columnIsNull(index)) {
        return {};
    }
    // Ask for the text before its length: the conversion to text may change the size.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), index));
    const int bytes = sqlite3_column_bytes(statement_.get(), index);
    if (text == nullptr || bytes == 0) {
        return QStringLiteral(""); // empty, but not null: only NULL reads as a null QString
    }
    return QString::fromUtf8(text, bytes);
}

std::string_view SqliteStatement::columnBytes(int index) const noexcept {
    sqlite3_stmt* statement = statement_.get();
    const void* bytes = nullptr;
    switch (sqlite3_column_type(statement, index)) {
    case SQLITE_TEXT:
        bytes = sqlite3_column_text(statement, index);
        break;
    case SQLITE_BLOB:
        bytes = sqlite3_column_blob(statement, index);
        break;
    default:
        return {};
    }
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, index));
    return bytes != nullptr ? std::string_view(static_cast<const char*>(bytes), size)
                            : std::string_view();
}

std::string SqliteStatement::columnUtf8(int index) const {
    // Ask for the text before its length: the conversion to text may change the size.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), index));
    const int bytes = sqlite3_column_bytes(statement_.get(), index);
    return text != nullptr ? std::string(text, static_cast<std::size_t>(bytes)) : std::string();
}
