#include "platform/db/SearchCacheHolder.h"

#include "platform/db/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"

SearchCacheHolder::SearchCacheHolder() = default;
SearchCacheHolder::~SearchCacheHolder() = default;

namespace {

// The search index's triggers on `tel`: insert, update and delete.
constexpr std::int64_t kIndexTriggers = 3;

// Whether a write to one row of `tel` changes no other row of it: no trigger on the table
// other than the search index's own, which write only the index.
bool WritesStayInTheirRow(SqliteDatabase& database) {
    const std::int64_t triggers = SchemaObjectsOnTel(database, "trigger");
    return triggers == 0 ||
           (triggers == kIndexTriggers && search_index::HoldsSearchIndex(database.handle()));
}

} // namespace

SearchCacheHolder::Stamp SearchCacheHolder::stampOf(SqliteDatabase& database) {
    return {database.queryInteger("PRAGMA data_version"),
            database.queryInteger("PRAGMA schema_version"), database.totalChanges()};
}

std::shared_ptr<const TableSearchCache> SearchCacheHolder::current(SqliteDatabase& database) {
    try {
        const Stamp now = stampOf(database);
        if (stamp_ == now) {
            return cache_;
        }
        cache_.reset();
        stamp_.reset();
        try {
            ++tableReads_;
            cache_ = std::make_shared<const TableSearchCache>(database);
            index_ = verdictOn(database, now, static_cast<std::int64_t>(cache_->size()));
        } catch (const ESqliteError& failure) {
            if (failure.kind() == SqliteFailureKind::Busy) {
                return nullptr; // locked for now: try again on the next search
            }
        } catch (const std::bad_alloc&) {
            // Too large for this machine's memory: not tried again until the file changes.
        }
        stamp_ = now;
        return cache_;
    } catch (const ESqliteError&) {
        return nullptr;
    }
}

std::optional<SearchCacheHolder::IndexVerdict>
SearchCacheHolder::verdictOn(SqliteDatabase& database, const Stamp& now,
                             std::int64_t tableRows) noexcept {
    try {
        return IndexVerdict{now, search_index::IndexCoversTable(database.handle(), tableRows)};
    } catch (const ESqliteError&) {
        return std::nullopt; // not told (the file was locked): asked again next time
    }
}

bool SearchCacheHolder::indexCoversTable(SqliteDatabase& database) noexcept {
    try {
        const Stamp now = stampOf(database);
        if (index_ && index_->stamp == now) {
            return index_->covers;
        }
        const std::optional<IndexVerdict> verdict =
            verdictOn(database, now, database.queryInteger("SELECT count(*) FROM main.tel"));
        // Inside a transaction that wrote, the index's own count is still the committed one.
        if (database.isAutocommit() && verdict) {
            index_ = verdict;
        }
        return verdict && verdict->covers;
    } catch (const ESqliteError&) {
        return false;
    }
}

void SearchCacheHolder::rowWritten(SqliteDatabase& database, std::int64_t rowid,
                                   std::int64_t changesBefore) noexcept {
    if (!cache_ || !stamp_ || stamp_->ownChanges != changesBefore || !database.isAutocommit()) {
        return; // no cache, one already out of date, or a write that may yet be rolled back
    }
    try {
        const Stamp now = stampOf(database);
        if (now.dataVersion != stamp_->dataVersion || now.schemaVersion != stamp_->schemaVersion ||
            !WritesStayInTheirRow(database)) {
            return;
        }
        if (std::shared_ptr<const TableSearchCache> updated =
                cache_->withRowReread(database, rowid)) {
            if (index_ && index_->stamp == *stamp_) {
                index_->stamp = now; // the write went through the index's triggers
            }
            cache_ = std::move(updated);
            stamp_ = now;
        }
    } catch (...) {
        // The cache stays as it was, a write behind: the next search sees that and reads the
        // table again. The write itself succeeded and must not be reported as failed.
    }
}
