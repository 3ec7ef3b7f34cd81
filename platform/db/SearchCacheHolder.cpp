#include "platform/db/SearchCacheHolder.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <sqlite3.h>

SearchCacheHolder::SearchCacheHolder() = default;
SearchCacheHolder::~SearchCacheHolder() = default;

SearchCacheHolder::Stamp SearchCacheHolder::stampOf(SqliteDatabase& database) {
    SqliteStatement version = database.prepare("PRAGMA data_version");
    version.step();
    return {version.columnInt64(0), sqlite3_total_changes64(database.handle())};
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
            cache_ = std::make_shared<const TableSearchCache>(database);
        } catch (const ESqliteError& failure) {
            if (failure.kind() == SqliteFailureKind::Busy) {
                return nullptr; // locked for now: try again on the next search
            }
        }
        stamp_ = now;
        return cache_;
    } catch (const ESqliteError&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        cache_.reset();
        return nullptr;
    }
}
