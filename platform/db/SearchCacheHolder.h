#pragma once

#include "platform/db/TableSearchCache.h"

#include <cstdint>
#include <memory>
#include <optional>

class SqliteDatabase;

// Keeps a connection's TableSearchCache in step with the file: it is read on first use and
// read anew after any change to the file, whether this connection wrote it (its count of
// changed rows or its schema version moved) or another one did (PRAGMA data_version moved).
// A rollback moves none of them, so the cache must not be used or read inside a transaction
// that writes: SearchFromCache asks for it only outside one.
class SearchCacheHolder {
public:
    SearchCacheHolder();
    ~SearchCacheHolder();
    SearchCacheHolder(const SearchCacheHolder&) = delete;
    SearchCacheHolder& operator=(const SearchCacheHolder&) = delete;

    // The cache as the file stands now, or nullptr when the file's table cannot be held (it
    // lacks a searched column, is too large, or another program's lock kept it from being
    // read). A result made from it may keep it after a newer one replaced it here.
    std::shared_ptr<const TableSearchCache> current(SqliteDatabase& database);

    // Tells of a write this connection committed to one row of `tel` (by rowid), `changesBefore`
    // being the connection's count of changed rows just before it. When the cache was current
    // until that write, it takes the row over from the table instead of being read again at
    // the next search.
    void rowWritten(SqliteDatabase& database, std::int64_t rowid,
                    std::int64_t changesBefore) noexcept;

    // Whether the file's search index may be trusted to name every row a search can find
    // (search_index::IndexCoversTable). Told when the cache is read, else by counting the table's
    // rows, and kept until the file changes. False when it cannot be told.
    bool indexCoversTable(SqliteDatabase& database) noexcept;

    // How many times the table has been read whole.
    std::size_t tableReads() const noexcept { return tableReads_; }

private:
    // The state of the file a cache was read from.
    struct Stamp {
        std::int64_t dataVersion = 0;
        std::int64_t schemaVersion = 0;
        std::int64_t ownChanges = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static Stamp stampOf(SqliteDatabase& database);

    // The stamp the cache (or the failure to read one) belongs to.
    std::optional<Stamp> stamp_;
    std::shared_ptr<const TableSearchCache> cache_;
    // Whether the index was in step with the table, and the state of the file that was told in.
    struct IndexVerdict {
        Stamp stamp;
        bool covers = false;
    };
    std::optional<IndexVerdict> index_;
    static std::optional<IndexVerdict> verdictOn(SqliteDatabase& database, const Stamp& now,
                                                 std::int64_t tableRows) noexcept;
    std::size_t tableReads_ = 0;
};
