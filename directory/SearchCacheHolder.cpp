#include "directory/SearchCacheHolder.h"

#include "directory/ChangeLog.h"
#include "directory/SearchIndexSchema.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Reading the copy needs several times its own size for a while (the distinct names and their
// sort keys, vectors grown by doubling); the C library keeps what was freed for later unless
// told to give it back, and the program would stay that large.
void ReturnFreedMemory() noexcept {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace

std::optional<SearchCacheView> SearchCacheHolder::current(SqliteDatabase& database) {
    try {
        const Stamp now = SearchIndexVerdict::stampOf(database);
        if (stamp_ != now) {
            const bool sameSchema = stamp_ && stamp_->schemaVersion == now.schemaVersion;
            if (!sameSchema || !catchUp(database)) {
                readTable(database, now);
            }
            if (cache_ != nullptr) {
                stamp_ = now;
            }
        }
        if (!stamp_ || cache_ == nullptr) {
            return std::nullopt;
        }
        SearchCacheView view(cache_, changes_);
        // Told here from the copy's rows, so that no search counts the table's.
        if (!index_.toldFor(now)) {
            index_.tell(database, now, static_cast<std::int64_t>(view.size()));
        }
        return view;
    } catch (const ESqliteError&) {
        return std::nullopt;
    }
}

void SearchCacheHolder::readTable(SqliteDatabase& database, const Stamp& now) {
    cache_.reset();
    changes_.reset();
    logEntry_.reset();
    stamp_.reset();
    try {
        ++tableReads_;
        cache_ = std::make_shared<const TableSearchCache>(database);
        ReturnFreedMemory();
        if (search_index::HoldsSearchIndex(database)) {
            logEntry_ = change_log::LatestEntry(database);
        }
    } catch (const ESqliteError& failure) {
        cache_.reset();
        if (failure.kind() == SqliteFailureKind::Busy) {
            return; // locked for now: try again on the next search
        }
    } catch (const std::bad_alloc&) {
        cache_.reset(); // too large for this machine's memory: not tried again until it changes
    }
    stamp_ = now;
}

void SearchCacheHolder::readTableInChunks(SqliteDatabase& database) {
    try {
        if (cache_ != nullptr && stamp_ &&
            stamp_->schemaVersion == database.queryInteger("PRAGMA schema_version")) {
            return; // caught up from the log, or read again in one transaction, by current()
        }
        if (!search_index::HoldsSearchIndex(database)) {
            return; // read in one transaction by current()
        }
        const Stamp before = SearchIndexVerdict::stampOf(database);
        const std::int64_t logEntry = change_log::LatestEntry(database);
        ++tableReads_;
        cache_ = std::make_shared<const TableSearchCache>(database, kRowsAtATime);
        ReturnFreedMemory();
        changes_.reset();
        logEntry_ = logEntry;
        stamp_ = before;
    } catch (const ESqliteError&) {
        // Locked, or a Name only SQLite can place: read in one transaction.
    } catch (const std::bad_alloc&) {
    }
}

bool SearchCacheHolder::catchUp(SqliteDatabase& database) {
    // The log was there as made when the copy was read, and the schema has not changed since.
    if (cache_ == nullptr || !logEntry_) {
        return false;
    }
    const std::optional<change_log::Written> written =
        change_log::RowsWrittenSince(database, *logEntry_, kMostChangedRows);
    if (!written) {
        return false;
    }
    if (!written->rows.empty()) {
        std::shared_ptr<const CacheChanges> changes =
            CacheChanges::withRowsReread(database, *cache_, changes_.get(), written->rows);
        if (changes == nullptr || changes->rows().size() > kMostChangedRows) {
            return false;
        }
        changes_ = std::move(changes);
    }
    logEntry_ = written->upTo;
    // A row added while the triggers were off (the sqlite3 shell can turn them off) is not in
    // the log; the largest rowid, cheap to ask, shows the usual such write.
    const std::int64_t lastRowid =
        database.queryInteger("SELECT coalesce(max(rowid), 0) FROM main.tel");
    return lastRowid == SearchCacheView(cache_, changes_).lastRowid();
}

bool SearchCacheHolder::indexCoversTable(SqliteDatabase& database) noexcept {
    return index_.covers(database);
}
