#pragma once

#include "platform/Exceptions.h"
#include "platform/db/AdoVariant.h"
#include "platform/db/ResultColumns.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class ResultRows;
class SqliteAdoConnection;

// New values for result columns: (column index, value).
using ColumnChanges = std::vector<std::pair<int, AdoVariant>>;

// Writes a recordset's rows to their table and reads them back by key. Each write is one
// BEGIN IMMEDIATE ... COMMIT transaction; when it fails the transaction is rolled back, the
// store is left as it was and EOleException carries SQLite's message (a failed CHECK, a
// locked database, ...).
class RowWriter {
public:
    RowWriter(SqliteAdoConnection& connection, const WriteTarget& target,
              const std::vector<ResultColumn>& columns);

    // UPDATE of the changed columns of the row; the stored row then holds the table's values.
    // The row is written only where the table still holds the values it was read with in those
    // columns: when another user changed or deleted it meanwhile, nothing is written and
    // EOleException says so.
    void update(ResultRows& rows, std::size_t row, const ColumnChanges& changes);
    // INSERT of a new row; appends the row as the table stored it and returns its index.
    std::size_t insert(ResultRows& rows, const ColumnChanges& changes);
    // DELETE of the row from the table; false when the table no longer held it.
    bool remove(const ResultRows& rows, std::size_t row);
    // Gives the rows the table's current values; rows no longer in the table keep theirs, and
    // rows still to be read (ResultRows::holdsValues) are left to be read then.
    void resync(ResultRows& rows, std::span<const std::size_t> which);

private:
    // A SELECT of the table columns the result holds, by one key column.
    struct Reread {
        QString sql;
        std::vector<int> origins; // per result column: its column in the SELECT, or -1
    };

    std::int64_t key(const ResultRows& rows, std::size_t row) const;
    // Why an update of the row with this key wrote nothing: it was changed, or deleted.
    EOleException conflict(std::int64_t id) const;
    Reread reread(const QString& keyName) const;
    QString quotedTable() const;
    QString quotedKey() const;

    SqliteAdoConnection& connection_;
    WriteTarget target_;
    const std::vector<ResultColumn>& columns_;
};
