#pragma once

#include "platform/db/AcceleratedResult.h"
#include "directory/SearchStatement.h"
#include "platform/db/TableName.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class SearchCacheHolder;
class SqliteDatabase;

// The statement as a search SearchFromCache may answer: a plain search of `tel`
// (SearchStatement with plain columns, no order or ORDER BY Name) that reads that table of the
// main database and nothing else; nothing for any other statement.
std::optional<SearchStatement> DirectorySearchOf(const QString& sql,
                                                 const std::vector<TableName>& tablesRead);

// The search answered from the connection's copy of the searched texts instead of by SQLite,
// or nullptr when the connection is inside a transaction or the holder has no copy of the
// file. The rows and their order are those SQLite would give; each row is read through the
// statement's own columns of one rowid, and the copy's folded texts of `tel`, `fio` and `Name`
// stand for an unread row's values in a filter.
std::unique_ptr<AcceleratedResult>
SearchFromCache(SqliteDatabase& database, SearchCacheHolder& holder, const SearchStatement& search);
