#include "platform/db/CommandStatement.h"

#include "platform/db/ProviderError.h"
#include "platform/db/SearchIndexRewrite.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteAdoConnection.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>

namespace {

// Notes every table the statement being prepared reads; allows everything. SQLite's own
// tables (sqlite_schema, read when a virtual table such as the search index connects on the
// first statement of a connection) are never a table of the result.
int NoteTableRead(void* tables, int action, const char* table, const char*, const char* schema,
                  const char*) {
    if (action == SQLITE_READ && table != nullptr &&
        QByteArrayView(table)
                .first(std::min<qsizetype>(7, qstrlen(table)))
                .compare("sqlite_", Qt::CaseInsensitive) != 0) {
        auto& read = *static_cast<std::vector<TableName>*>(tables);
        TableName name{QString::fromUtf8(schema != nullptr ? schema : "main"),
                       QString::fromUtf8(table)};
        if (std::find(read.begin(), read.end(), name) == read.end()) {
            read.push_back(std::move(name));
        }
    }
    return SQLITE_OK;
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
    : connection_(&connection) {
    const QString searched = WithSearchIndex(commandText, [&connection] {
        return connection.searchCache().indexCoversTable(connection.database());
    });
    if (searched != commandText) {
        try {
            prepare(searched);
            // The index's own tables are not part of the result.
            std::erase_if(tablesRead_, [](const TableName& table) {
                return table.name.startsWith(QStringLiteral("tel_search_"), Qt::CaseInsensitive);
            });
            return;
        } catch (const Exception&) {
            // The index cannot be read here (an SQLite without FTS5): the text runs as written.
            tablesRead_.clear();
        }
    }
    prepare(commandText);
}

void CommandStatement::prepare(const QString& commandText) {
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
    sqlite3_set_authorizer(db, NoteTableRead, &tablesRead_);
    const int rc = sqlite3_prepare_v3(db, begin, static_cast<int>(sql.size()), 0, &raw, &tail);
    sqlite3_set_authorizer(db, nullptr, nullptr);
    statement_.reset(raw);
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
