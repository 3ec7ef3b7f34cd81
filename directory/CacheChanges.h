#pragma once

#include "directory/TableSearchCache.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class RussianCollator;

// The rows of `tel` written since a TableSearchCache was read, each as it stands now: changed,
// added, or gone. A search reads the cache and these together (SearchCacheView), so that a
// write costs the rows it wrote rather than a new reading or a copy of the whole cache. It
// never changes once made; catching up with more writes makes a new one.
class CacheChanges {
public:
    struct Row {
        std::int64_t rowid = 0;
        bool present = false; // false: the table no longer has the row
        std::array<std::string, TableSearchCache::kColumnCount> folded;
        std::array<bool, TableSearchCache::kColumnCount> isNull{};
        std::optional<std::string> nameKey; // the Name's sort key; nothing for NULL
        std::uint32_t place = 0; // how many of the cache's entries come before it by Name
    };

    // The changes `before` (none when nullptr) with the rows of these rowids (ascending, distinct)
    // read again from the table. Nothing when a row cannot be placed in the cache's Name order
    // (the cache took its order from SQLite, or the row's Name is a number or a blob). Throws
    // ESqliteError when a read fails.
    static std::shared_ptr<const CacheChanges> withRowsReread(SqliteDatabase& database,
                                                              const TableSearchCache& cache,
                                                              const CacheChanges* before,
                                                              std::span<const std::int64_t> rowids);

    // The rows, by rowid ascending.
    const std::vector<Row>& rows() const noexcept { return rows_; }
    // The cache's entries these rows stand in for, ascending.
    const std::vector<std::uint32_t>& replaced() const noexcept { return replaced_; }
    // The rows present in the table.
    std::size_t presentRows() const noexcept { return present_; }

private:
    static std::optional<Row> readRow(SqliteStatement& statement, const RussianCollator& collator,
                                      const TableSearchCache& cache, std::int64_t rowid);

    std::vector<Row> rows_;
    std::vector<std::uint32_t> replaced_;
    std::size_t present_ = 0;
};
