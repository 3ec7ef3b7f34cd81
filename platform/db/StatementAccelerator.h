#pragma once

#include "platform/db/AcceleratedResult.h"
#include "platform/db/TableName.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class SqliteDatabase;

// A connection's helper for the statements it is about to run: it may give SQLite a faster
// text of the same statement, or answer the statement itself. Whatever it does, the result
// holds the rows SQLite would give for the statement as written, in the same order. The
// provider makes one for each connection (SqliteAdoProvider's factory); it lives no longer
// than the connection.
class StatementAccelerator {
public:
    virtual ~StatementAccelerator() = default;

    // The text SQLite should prepare in place of `sql`, or `sql` itself. Should the text
    // given fail to prepare, SQLite runs `sql` as written.
    virtual QString rewrite(SqliteDatabase& database, const QString& sql) = 0;

    // The result of `sql`, a statement that prepared and reads `tablesRead`; nullptr to let
    // SQLite run it. It never fails: whatever stops it leaves the statement to SQLite.
    virtual std::unique_ptr<AcceleratedResult> answer(SqliteDatabase& database, const QString& sql,
                                                      const std::vector<TableName>& tablesRead) = 0;
};

// Makes the accelerator of a newly opened connection, or nullptr for none.
using AcceleratorFactory =
    std::function<std::unique_ptr<StatementAccelerator>(SqliteDatabase& database)>;
