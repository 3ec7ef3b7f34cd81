#pragma once

#include "platform/db/CommandStatement.h"
#include "platform/db/TableSearchCache.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class SqliteAdoConnection;

// A directory search answered from the connection's TableSearchCache instead of by SQLite:
// the cache's entries of the result's rows, in the statement's order, and the statement that
// reads one of those rows (its rowid bound to ?1) with the statement's own columns.
struct CachedSearch {
    std::shared_ptr<const TableSearchCache> cache;
    std::vector<std::uint32_t> entries;
    QString rowStatement;
};

// The search's result from the cache, or nothing when the statement is not a plain search of
// `tel` (SearchStatement with plain columns, no order or ORDER BY Name) or the connection
// holds no cache of the file. The rows and their order are those SQLite would give.
std::optional<CachedSearch> SearchFromCache(SqliteAdoConnection& connection, const QString& sql,
                                            const std::vector<TableName>& tablesRead);
