#pragma once

#include "platform/db/AdoRecordset.h"
#include "platform/db/CommandStatement.h"
#include "platform/db/RowStore.h"

#include <span>
#include <vector>

struct sqlite3_stmt;
class SqliteDatabase;

// What the provider knows of one result column.
struct ResultColumn {
    AdoFieldInfo field;
    TableName table;         // the table the column comes from; empty for an expression
    QString origin;          // the table column's name
    bool declared = false;   // the kind comes from a declared type
    bool isTableKey = false; // the table's INTEGER PRIMARY KEY (its rowid)
};

// Where a recordset writes its rows: the one table its statement reads, and the result
// column that holds the table's INTEGER PRIMARY KEY. Without both, the rows cannot be
// written or re-read.
struct WriteTarget {
    TableName table;
    int keyColumn = -1;
    bool isValid() const noexcept { return keyColumn >= 0; }
};

// Whether two names denote the same table (SQLite names ignore letter case).
bool SameTable(const TableName& a, const TableName& b);

// The statement's result columns: names, kinds from the declared types, and where each
// column comes from (SQLite's column metadata).
std::vector<ResultColumn> DescribeColumns(SqliteDatabase& database, sqlite3_stmt* statement);

// Gives the columns without a declared type the kind of their first value.
void SettleExpressionKinds(std::vector<ResultColumn>& columns,
                           std::span<const StoredValue> firstRow);

// Finds the write target of a statement that reads tablesRead, and marks the columns that
// come straight from its table updatable when writable.
WriteTarget FindWriteTarget(std::vector<ResultColumn>& columns,
                            const std::vector<TableName>& tablesRead, bool writable);
