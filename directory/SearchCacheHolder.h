#pragma once

#include "directory/CacheChanges.h"
#include "directory/SearchCacheView.h"
#include "directory/SearchIndexVerdict.h"
#include "directory/TableSearchCache.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteTransaction.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>

// Keeps a connection's copy of the searched texts in step with the file, and is the one place
// that decides whether it is. The copy (TableSearchCache) is read on first use, in chunks
// that leave other programs free to write in between when the file keeps a change log. When the
// file changes (PRAGMA data_version moved), the rows written since are read again from the search
// index's change log (change_log) into CacheChanges beside it, so that a write costs what it
// wrote. The table is read whole again when the file has no such log, the log no longer reaches
// back, the changes grow many, or anyone changed the file's schema.
class SearchCacheHolder {
public:
    // Calls `use` with the view of the table as the file stands now, inside one read transaction
    // so that whatever else `use` reads sees the same state of the file, and returns what it
    // gives. Nothing inside a transaction of the connection, or when the file's table cannot be
    // held (it lacks a searched column, has an index, is too large, or another program's lock
    // kept it from being read). Failures of `use` are its own (the read is rolled back).
    template <typename Use>
    auto read(SqliteDatabase& database, Use&& use)
        -> std::optional<std::invoke_result_t<Use, SearchCacheView>> {
        if (!database.isAutocommit()) {
            return std::nullopt;
        }
        readTableInChunks(database);
        SqliteTransaction transaction(database);
        std::optional<SearchCacheView> view = current(database);
        if (!view) {
            return std::nullopt;
        }
        auto result = use(std::move(*view));
        transaction.commit();
        return result;
    }

    // Whether the file's search index may be trusted to name every row a search can find.
    bool indexCoversTable(SqliteDatabase& database) noexcept;

    // How many times the table has been read whole; read on any thread.
    std::size_t tableReads() const noexcept { return tableReads_; }

private:
    // More rows written than this since the table was read, and it is read again.
    static constexpr std::size_t kMostChangedRows = 20000;
    // Rows read in one read of the file when the table is read in chunks: a writer waits for
    // one chunk at most.
    static constexpr std::size_t kRowsAtATime = 20000;
    using Stamp = SearchIndexVerdict::Stamp;

    // The view as the file stands now, read or brought up to date as needed; nothing when there
    // is none. Called inside a read transaction.
    std::optional<SearchCacheView> current(SqliteDatabase& database);
    void readTable(SqliteDatabase& database, const Stamp& now);
    // When the copy is missing or the file's schema changed, and the file keeps the change log,
    // reads the table in chunks outside any transaction, from where the log stands; the rows
    // written meanwhile are caught up from the log after.
    void readTableInChunks(SqliteDatabase& database);
    // Reads the rows the log names since the copy was last brought up to date; false when the
    // table must be read whole instead.
    bool catchUp(SqliteDatabase& database);

    // The stamp the copy (or the failure to read one) belongs to.
    std::optional<Stamp> stamp_;
    std::shared_ptr<const TableSearchCache> cache_;
    std::shared_ptr<const CacheChanges> changes_;
    // The change log's latest entry the copy and its changes include; nothing when the file
    // has no log to catch up from.
    std::optional<std::int64_t> logEntry_;
    SearchIndexVerdict index_;
    std::atomic<std::size_t> tableReads_ = 0;
};
