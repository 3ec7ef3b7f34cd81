#include "platform/db/CachedSearch.h"

#include "platform/text/LikePattern.h"
#include "platform/db/SearchIndexRewrite.h"
#include "platform/db/SearchIndexSchema.h"
#include "platform/db/SearchStatement.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"

#include <algorithm>

namespace {

// Below this many entries testing every entry in memory is quicker than asking the index.
constexpr std::size_t kEntriesWorthTheIndex = 20000;

// The rows the search index says may match, in ascending order, or nothing when the file has
// no index in step with the table or the pattern has no run the index answers for.
std::optional<std::vector<std::int64_t>> IndexCandidates(SqliteAdoConnection& connection,
                                                         const SearchStatement::Condition& search) {
    SqliteDatabase& database = connection.database();
    const QString query = TrigramQuery(search.pattern);
    if (query.isEmpty() || !connection.searchCache().indexCoversTable(database)) {
        return std::nullopt;
    }
    const QString table = search_index::TrigramTable(search.column);
    SqliteStatement statement =
        database.prepare(QStringLiteral("SELECT rowid FROM main.%1 WHERE %1 MATCH ?1 UNION "
                                        "SELECT ID FROM main.%2 ORDER BY 1")
                             .arg(table, QLatin1String(search_index::kRestTable)));
    statement.bindText(1, query);
    std::vector<std::int64_t> rowids;
    while (statement.step()) {
        rowids.push_back(statement.columnInt64(0));
    }
    return rowids;
}

std::vector<std::uint32_t> MatchingEntries(SqliteAdoConnection& connection,
                                           const TableSearchCache& cache,
                                           const SearchStatement::Condition& search) {
    const QByteArray pattern = search.pattern.toUtf8();
    const LikePattern like(std::string_view(pattern.constData(), pattern.size()));
    const TableSearchCache::Column column = *SearchedColumn(search.column);
    if (cache.size() >= kEntriesWorthTheIndex) {
        try {
            if (const auto candidates = IndexCandidates(connection, search)) {
                return cache.matchingAmong(column, like, *candidates);
            }
        } catch (const ESqliteError&) {
            // The index cannot be read here (an SQLite without FTS5): every entry is tested.
        }
    }
    return cache.matching(column, like);
}

// Whether the statement reads the table `tel` of the main database and nothing else (a
// temporary table of that name would stand in front of it).
bool ReadsOnlyMainTel(const std::vector<TableName>& tablesRead) {
    return tablesRead.size() == 1 && tablesRead.front().schema == u"main" &&
           tablesRead.front().name.compare(u"tel", Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<CachedSearch> SearchFromCache(SqliteAdoConnection& connection, const QString& sql,
                                            const std::vector<TableName>& tablesRead) {
    const std::optional<SearchStatement> search = ParseSearchStatement(sql);
    if (!search || !search->plainColumns || search->order == SearchStatement::Order::Other ||
        !ReadsOnlyMainTel(tablesRead)) {
        return std::nullopt;
    }
    SqliteDatabase& database = connection.database();
    if (!database.isAutocommit()) {
        return std::nullopt; // what this connection's open transaction wrote may be rolled back
    }
    std::shared_ptr<const TableSearchCache> cache;
    std::vector<std::uint32_t> entries;
    try {
        // One read: the cache's state of the file and the index's candidates are the same.
        SqliteTransaction read(database);
        cache = connection.searchCache().current(database);
        if (cache == nullptr) {
            return std::nullopt;
        }
        entries = search->condition ? MatchingEntries(connection, *cache, *search->condition)
                                    : cache->all();
        read.commit();
    } catch (const ESqliteError&) {
        return std::nullopt; // SQLite answers instead, and reports what stops it
    }
    if (search->order == SearchStatement::Order::Name) {
        cache->sortByName(entries);
    }
    return CachedSearch{
        std::move(cache), std::move(entries),
        QStringLiteral("SELECT %1 FROM main.tel WHERE rowid = ?1").arg(search->columns)};
}
