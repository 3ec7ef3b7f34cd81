#include "platform/db/SearchCacheHolder.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <sqlite3.h>

SearchCacheHolder::SearchCacheHolder() = default;
SearchCacheHolder::~SearchCacheHolder() = default;

namespace {

std::int64_t PragmaValue(SqliteDatabase& database, const char* pragma) {
    SqliteStatement statement = database.prepare(pragma);
    statement.step();
    return statement.columnInt64(0);
}

} // namespace

SearchCacheHolder::Stamp SearchCacheHolder::stampOf(SqliteDatabase& database) {
    return {PragmaValue(database, "PRAGMA data_version"),
            PragmaValue(database, "PRAGMA schema_version"),
            sqlite3_total_changes64(database.handle())};
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
        } catch (const std::bad_alloc&) {
            // Too large for this machine's memory: not tried again until the file changes.
        }
        stamp_ = now;
        return cache_;
    } catch (const ESqliteError&) {
        return nullptr;
    }
}
