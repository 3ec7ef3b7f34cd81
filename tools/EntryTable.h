#pragma once

#include "tools/DirectoryEntry.h"

#include "platform/db/SqliteStatement.h"

#include <functional>

class SqliteDatabase;

// Adds entries to the table `tel` through one prepared statement; the database assigns `ID`.
class EntryInserter {
public:
    explicit EntryInserter(SqliteDatabase& database);

    void insert(const DirectoryEntry& entry);

private:
    SqliteStatement statement_;
};

// Calls visit for every entry of the table `tel` in `ID` order. A `tel` value that is not a
// number throws Exception.
void ForEachEntry(SqliteDatabase& database,
                  const std::function<void(const DirectoryEntry&)>& visit);
