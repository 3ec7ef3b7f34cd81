#pragma once

#include "directory/CacheChanges.h"
#include "directory/TableSearchCache.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class FoldedPattern;

// The searched texts of the table as it stands: a TableSearchCache as read, with the rows
// written since (CacheChanges) in place of the entries they change. A search names its rows
// by the view's entries: the cache's entries below cache().size(), then the changed rows that
// are present, each above them by its place among the changes. Both parts are shared and never
// change, so a view may be read on any thread, and a result keeps its own.
class SearchCacheView {
public:
    using Column = TableSearchCache::Column;

    SearchCacheView(std::shared_ptr<const TableSearchCache> cache,
                    std::shared_ptr<const CacheChanges> changes);

    // The rows of the table.
    std::size_t size() const noexcept;
    std::int64_t rowid(std::uint32_t entry) const noexcept;
    // The largest rowid of the table, 0 when it is empty.
    std::int64_t lastRowid() const noexcept;
    FoldedText folded(Column column, std::uint32_t entry) const noexcept;

    // The entries whose column matches, in rowid order.
    std::vector<std::uint32_t> matching(Column column, const FoldedPattern& pattern) const;
    // The same among the rows with these rowids (ascending) and the changed rows.
    std::vector<std::uint32_t> matchingAmong(Column column, const FoldedPattern& pattern,
                                             std::span<const std::int64_t> rowids) const;
    // Every entry, in rowid order.
    std::vector<std::uint32_t> all() const;
    // Puts entries in the order of ORDER BY Name: Russian order, NULL first, ties by rowid.
    void sortByName(std::vector<std::uint32_t>& entries) const;

    const TableSearchCache& cache() const noexcept { return *cache_; }

private:
    bool isChange(std::uint32_t entry) const noexcept { return entry >= cache_->size(); }
    const CacheChanges::Row& change(std::uint32_t entry) const noexcept {
        return changes_->rows()[entry - cache_->size()];
    }
    // The cache's entries found, less those the changes replace, merged in rowid order with
    // the changed rows that pass `test`.
    template <typename Test>
    std::vector<std::uint32_t> withChanges(std::vector<std::uint32_t> found, Test&& test) const;

    std::shared_ptr<const TableSearchCache> cache_;
    std::shared_ptr<const CacheChanges> changes_; // never nullptr
};
