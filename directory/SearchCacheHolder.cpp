#include "directory/SearchCacheHolder.h"

#include "directory/SearchIndexSchema.h"

#include <QByteArrayView>

#include <algorithm>

SearchCacheHolder::SearchCacheHolder() {
    // The notices arrive inside SQLite and must not fail: they keep to this room.
    pendingRows_.reserve(kRowsWorthRereading);
    committedRows_.reserve(kRowsWorthRereading);
}

SearchCacheHolder::~SearchCacheHolder() = default;

SearchCacheHolder::Stamp SearchCacheHolder::stampOf(SqliteDatabase& database) {
    return {database.queryInteger("PRAGMA data_version"),
            database.queryInteger("PRAGMA schema_version")};
}

std::shared_ptr<const TableSearchCache> SearchCacheHolder::current(SqliteDatabase& database) {
    try {
        const Stamp now = stampOf(database);
        if (stamp_ != now || tooManyWrites_) {
            readTable(database, now);
        } else if (!committedRows_.empty()) {
            takeOverOwnWrites(database);
        }
        return stamp_ ? cache_ : nullptr;
    } catch (const ESqliteError&) {
        return nullptr;
    }
}

void SearchCacheHolder::readTable(SqliteDatabase& database, const Stamp& now) {
    cache_.reset();
    stamp_.reset();
    forgetOwnWrites();
    try {
        ++tableReads_;
        cache_ = std::make_shared<const TableSearchCache>(database);
        index_ = verdictOn(database, now, static_cast<std::int64_t>(cache_->size()));
    } catch (const ESqliteError& failure) {
        if (failure.kind() == SqliteFailureKind::Busy) {
            return; // locked for now: try again on the next search
        }
    } catch (const std::bad_alloc&) {
        // Too large for this machine's memory: not tried again until the file changes.
    }
    stamp_ = now;
}

void SearchCacheHolder::takeOverOwnWrites(SqliteDatabase& database) {
    std::sort(committedRows_.begin(), committedRows_.end());
    committedRows_.erase(std::unique(committedRows_.begin(), committedRows_.end()),
                         committedRows_.end());
    std::shared_ptr<const TableSearchCache> updated =
        cache_ != nullptr ? cache_->withRowsReread(database, committedRows_) : nullptr;
    committedRows_.clear();
    if (updated != nullptr) {
        cache_ = std::move(updated);
    } else {
        readTable(database, *stamp_); // the rows cannot be placed one by one
    }
}

void SearchCacheHolder::forgetOwnWrites() noexcept {
    committedRows_.clear();
    tooManyWrites_ = false;
}

std::optional<SearchCacheHolder::IndexVerdict>
SearchCacheHolder::verdictOn(SqliteDatabase& database, const Stamp& now,
                             std::int64_t tableRows) noexcept {
    try {
        return IndexVerdict{now, search_index::IndexCoversTable(database, tableRows)};
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

void SearchCacheHolder::rowChanged(RowChange, std::string_view schema, std::string_view table,
                                   std::int64_t rowid) noexcept {
    const auto sameName = [](std::string_view a, std::string_view b) {
        return QByteArrayView(a).compare(QByteArrayView(b), Qt::CaseInsensitive) == 0;
    };
    if (!sameName(schema, "main") || !sameName(table, "tel") || tooManyWrites_) {
        return;
    }
    if (pendingRows_.size() + committedRows_.size() >= kRowsWorthRereading) {
        tooManyWrites_ = true;
        pendingRows_.clear();
        return;
    }
    pendingRows_.push_back(rowid); // within the capacity reserved below: cannot throw
}

void SearchCacheHolder::committed() noexcept {
    committedRows_.insert(committedRows_.end(), pendingRows_.begin(), pendingRows_.end());
    pendingRows_.clear();
}

void SearchCacheHolder::rolledBack() noexcept {
    pendingRows_.clear();
}
