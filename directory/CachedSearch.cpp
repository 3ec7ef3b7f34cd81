#include "directory/CachedSearch.h"

#include "directory/SearchCacheHolder.h"
#include "directory/SearchIndexRewrite.h"
#include "directory/SearchIndexSchema.h"
#include "directory/SearchStatement.h"
#include "directory/SearchCacheView.h"
#include "directory/TableSearchCache.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"
#include "directory/FoldedPattern.h"

#include <algorithm>

namespace {

// Below this many entries testing every entry in memory is quicker than asking the index.
constexpr std::size_t kEntriesWorthTheIndex = 20000;

std::vector<std::int64_t> Rowids(SqliteStatement& statement) {
    std::vector<std::int64_t> rowids;
    while (statement.step()) {
        rowids.push_back(statement.columnInt64(0));
    }
    return rowids;
}

// The rows the search index says may match, in ascending order, or nothing when the file has
// no index in step with the table or the pattern has no run the index answers for.
std::optional<std::vector<std::int64_t>> IndexCandidates(SqliteDatabase& database,
                                                         SearchCacheHolder& holder,
                                                         const SearchStatement::Condition& search) {
    const QString query = TrigramQuery(search.pattern);
    if (query.isEmpty() || !holder.indexCoversTable(database)) {
        return std::nullopt;
    }
    const QString table = search_index::TrigramTable(search.column);
    SqliteStatement matching =
        database.prepare(QStringLiteral("SELECT rowid FROM main.%1 WHERE %1 MATCH ?1").arg(table));
    matching.bindText(1, query);
    std::vector<std::int64_t> found = Rowids(matching);
    SqliteStatement rest = database.prepare(QStringLiteral("SELECT ID FROM main.%1 ORDER BY ID")
                                                .arg(QLatin1String(search_index::kRestTable)));
    const std::vector<std::int64_t> restRows = Rowids(rest);
    // FTS5 gives its rows in rowid order; merging the two lists spares SQLite a temporary
    // b-tree of every candidate.
    if (!std::is_sorted(found.begin(), found.end())) {
        std::sort(found.begin(), found.end());
    }
    std::vector<std::int64_t> rowids;
    rowids.reserve(found.size() + restRows.size());
    std::set_union(found.begin(), found.end(), restRows.begin(), restRows.end(),
                   std::back_inserter(rowids));
    rowids.erase(std::unique(rowids.begin(), rowids.end()), rowids.end());
    return rowids;
}

std::vector<std::uint32_t> MatchingEntries(SqliteDatabase& database, SearchCacheHolder& holder,
                                           const SearchCacheView& cache,
                                           const SearchStatement::Condition& search) {
    const QByteArray pattern = search.pattern.toUtf8();
    const FoldedPattern like(std::string_view(pattern.constData(), pattern.size()));
    const TableSearchCache::Column column = *SearchedColumn(search.column);
    if (cache.size() >= kEntriesWorthTheIndex) {
        try {
            if (const auto candidates = IndexCandidates(database, holder, search)) {
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

// The rows of a search the cache answered: cache entries in result order.
class CachedSearchResult : public AcceleratedResult {
public:
    CachedSearchResult(SearchCacheView cache, std::vector<std::uint32_t> entries,
                       QString rowStatement)
        : cache_(std::move(cache)), entries_(std::move(entries)),
          rowStatement_(std::move(rowStatement)) {}

    std::size_t size() const noexcept override { return entries_.size(); }
    std::int64_t rowid(std::size_t row) const noexcept override {
        return cache_.rowid(entries_[row]);
    }
    QString rowStatement() const override { return rowStatement_; }
    std::optional<int> knownColumn(const QString& name) const override {
        return SearchedColumn(name);
    }
    FoldedText knownText(std::size_t row, int column) const noexcept override {
        return cache_.folded(static_cast<TableSearchCache::Column>(column), entries_[row]);
    }

private:
    // Its parts shared with the holder, or kept alone after the holder took newer ones.
    SearchCacheView cache_;
    std::vector<std::uint32_t> entries_;
    QString rowStatement_;
};

} // namespace

std::optional<SearchStatement> DirectorySearchOf(const QString& sql,
                                                 const std::vector<TableName>& tablesRead) {
    std::optional<SearchStatement> search = ParseSearchStatement(sql);
    if (!search || !search->plainColumns || search->order == SearchStatement::Order::Other ||
        !ReadsOnlyMainTel(tablesRead)) {
        return std::nullopt;
    }
    return search;
}

std::unique_ptr<AcceleratedResult> SearchFromCache(SqliteDatabase& database,
                                                   SearchCacheHolder& holder,
                                                   const SearchStatement& search) {
    using Found = std::pair<SearchCacheView, std::vector<std::uint32_t>>;
    std::optional<Found> found;
    try {
        found = holder.read(database, [&](SearchCacheView cache) {
            std::vector<std::uint32_t> entries =
                search.condition ? MatchingEntries(database, holder, cache, *search.condition)
                                 : cache.all();
            return Found{std::move(cache), std::move(entries)};
        });
    } catch (const ESqliteError&) {
        return nullptr; // SQLite answers instead, and reports what stops it
    }
    if (!found) {
        return nullptr;
    }
    auto& [cache, entries] = *found;
    if (search.order == SearchStatement::Order::Name) {
        cache.sortByName(entries);
    }
    return std::make_unique<CachedSearchResult>(
        std::move(cache), std::move(entries),
        QStringLiteral("SELECT %1 FROM main.tel WHERE rowid = ?1").arg(search.columns));
}
