#pragma once

#include "platform/db/AcceleratedResult.h"
#include "platform/db/TableName.h"

#include <QString>

#include <memory>
#include <vector>

class SearchCacheHolder;
class SqliteDatabase;

// A directory search answered from a connection's TableSearchCache instead of by SQLite, or
// nullptr when the statement is not a plain search of `tel` (SearchStatement with plain
// columns, no order or ORDER BY Name), the connection is inside a transaction, or the holder
// has no cache of the file. The rows and their order are those SQLite would give; each row is
// read through the statement's own columns of one rowid, and the cache's folded texts of
// `tel`, `fio` and `Name` stand for an unread row's values in a filter.
// Whether the statement is a search SearchFromCache may answer, as far as its text and the
// tables it reads tell.
bool IsDirectorySearch(const QString& sql, const std::vector<TableName>& tablesRead);

std::unique_ptr<AcceleratedResult> SearchFromCache(SqliteDatabase& database,
                                                   SearchCacheHolder& holder, const QString& sql,
                                                   const std::vector<TableName>& tablesRead);
