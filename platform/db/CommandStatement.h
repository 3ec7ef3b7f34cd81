#pragma once

#include "platform/db/TableName.h"

#include <QString>

#include <memory>
#include <vector>

struct sqlite3_stmt;
class SqliteAdoConnection;

// A command text prepared as one SQL statement with the provider's dialect: its outermost
// ORDER BY is given the Russian collation. Text after the statement other than blanks,
// comments and ";" is an error. Every failure throws EOleException.
class CommandStatement {
public:
    CommandStatement(SqliteAdoConnection& connection, const QString& commandText);
    ~CommandStatement();
    CommandStatement(CommandStatement&&) noexcept;
    CommandStatement& operator=(CommandStatement&&) noexcept;

    sqlite3_stmt* handle() const noexcept { return statement_.get(); }
    int columnCount() const noexcept;
    // The tables the statement reads, each once, in the order SQLite names them.
    const std::vector<TableName>& tablesRead() const noexcept { return tablesRead_; }
    // Prepares the connection accelerator's faster text of the same statement in its place,
    // when it has one; the tables read stay those of the command text.
    void prepareFaster();
    // The number of parameters ("?", ":name", ...) and their names (empty for "?").
    std::vector<QString> parameterNames() const;

    // Runs to the next row: true when a row is ready, false when the statement is done.
    bool step();
    // Makes the statement ready to run again (and releases its read lock).
    void reset() noexcept;

private:
    sqlite3_stmt* prepare(const QString& commandText);

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };

    SqliteAdoConnection* connection_;
    QString commandText_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
    std::vector<TableName> tablesRead_;
};
