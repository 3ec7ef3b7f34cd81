#include "directory/SearchIndexVerdict.h"

#include "directory/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"

SearchIndexVerdict::Stamp SearchIndexVerdict::stampOf(SqliteDatabase& database) {
    return {database.queryInteger("PRAGMA data_version"),
            database.queryInteger("PRAGMA schema_version")};
}

void SearchIndexVerdict::tell(SqliteDatabase& database, const Stamp& now,
                              std::int64_t tableRows) noexcept {
    try {
        told_ = Told{now, search_index::IndexCoversTable(database, tableRows)};
    } catch (const ESqliteError&) {
        told_.reset(); // not told (the file was locked): asked again next time
    }
}

bool SearchIndexVerdict::covers(SqliteDatabase& database) noexcept {
    try {
        const Stamp now = stampOf(database);
        if (told_ && told_->stamp == now) {
            return told_->covers;
        }
        const std::int64_t rows = database.queryInteger("SELECT count(*) FROM main.tel");
        // Inside a transaction that wrote, the index's own count is still the committed one.
        if (!database.isAutocommit()) {
            return search_index::IndexCoversTable(database, rows);
        }
        tell(database, now, rows);
        return told_ && told_->covers;
    } catch (const ESqliteError&) {
        return false;
    }
}
