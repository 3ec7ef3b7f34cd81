#include "platform/db/CommandStatement.h"

#include "platform/Exceptions.h"
#include "platform/db/ProviderError.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/StatementAccelerator.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>

namespace {

// SQLite's own tables (sqlite_schema, read when a virtual table connects on the first
// statement of a connection) are never a table of the result.
bool IsSqlitesOwn(const char* table) {
    return QByteArrayView(table)
               .first(std::min<qsizetype>(7, qstrlen(table)))
               .compare("sqlite_", Qt::CaseInsensitive) == 0;
}

bool IsBlankOrSeparator(char c) {
    return c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Whether the rest of a command text holds another statement (comments do not count).
bool HoldsAnotherStatement(sqlite3* connection, const char* tail, const char* end) {
    while (tail < end) {
        if (IsBlankOrSeparator(*tail)) {
            ++tail;
            continue;
        }
        sqlite3_stmt* next = nullptr;
        const char* nextTail = nullptr;
        const int rc =
            sqlite3_prepare_v3(connection, tail, static_cast<int>(end - tail), 0, &next, &nextTail);
        sqlite3_finalize(next);
        if (rc != SQLITE_OK || next != nullptr) {
            return true;
        }
        tail = nextTail != nullptr && nextTail > tail ? nextTail : end;
    }
    return false;
}

} // namespace

void CommandStatement::Finalizer::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

CommandStatement::CommandStatement(SqliteAdoConnection& connection, const QString& commandText)
    : connection_(&connection), commandText_(commandText) {
    const SqliteDatabase::TablesReadScope noteTables(
        connection.database(), [this](const char* schema, const char* table) {
            TableName name{QString::fromUtf8(schema), QString::fromUtf8(table)};
            if (!IsSqlitesOwn(table) &&
                std::find(tablesRead_.begin(), tablesRead_.end(), name) == tablesRead_.end()) {
                tablesRead_.push_back(std::move(name));
            }
        });
    statement_.reset(prepare(commandText));
}

void CommandStatement::prepareFaster() {
    StatementAccelerator* accelerator = connection_->accelerator();
    if (accelerator == nullptr) {
        return;
    }
    const QString faster = accelerator->rewrite(connection_->database(), commandText_);
    if (faster == commandText_) {
        return;
    }
    try {
        statement_.reset(prepare(faster));
    } catch (const Exception&) {
        // The faster text cannot be read here: the statement runs as written.
    }
}

// Prepares the text, which must hold exactly one statement.
sqlite3_stmt* CommandStatement::prepare(const QString& commandText) {
    SqliteAdoConnection& connection = *connection_;
    const QByteArray sql = WithOrderByCollation(commandText).toUtf8();
    if (sql.size() > INT_MAX) {
        throw ProviderError(QStringLiteral("The command text is too long."));
    }
    sqlite3* db = connection.database().handle();
    const char* begin = sql.constData();
    const char* end = begin + sql.size();
    const char* tail = nullptr;
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v3(db, begin, static_cast<int>(sql.size()), 0, &raw, &tail);
    std::unique_ptr<sqlite3_stmt, Finalizer> prepared(raw);
    if (rc != SQLITE_OK) {
        throw connection.error(ESqliteError::fromConnection(db, rc));
    }
    if (raw == nullptr) {
        throw ProviderError(QStringLiteral("The command text holds no SQL statement."));
    }
    if (HoldsAnotherStatement(db, tail, end)) {
        throw ProviderError(QStringLiteral(
            "The command text holds more than one SQL statement; only one can be run at a time."));
    }
    return prepared.release();
}

CommandStatement::~CommandStatement() = default;
CommandStatement::CommandStatement(CommandStatement&&) noexcept = default;
CommandStatement& CommandStatement::operator=(CommandStatement&&) noexcept = default;

int CommandStatement::columnCount() const noexcept {
    return sqlite3_column_count(statement_.get());
}

std::vector<QString> CommandStatement::parameterNames() const {
    std::vector<QString> names;
    const int count = sqlite3_bind_parameter_count(statement_.get());
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(statement_.get(), i);
        names.push_back(name != nullptr ? QString::fromUtf8(name + 1) : QString());
    }
    return names;
}

bool CommandStatement::step() {
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const ESqliteError failure =
        ESqliteError::fromConnection(sqlite3_db_handle(statement_.get()), rc);
    sqlite3_reset(statement_.get());
    throw connection_->error(failure);
}

void CommandStatement::reset() noexcept {
    sqlite3_reset(statement_.get());
}
