#include "directory/ChangeLog.h"

#include "directory/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QString>

#include <algorithm>

namespace change_log {

std::int64_t LatestEntry(SqliteDatabase& database) {
    return database.queryInteger(QStringLiteral("SELECT coalesce(max(seq), 0) FROM main.%1")
                                     .arg(QLatin1String(search_index::kLogTable)));
}

std::optional<Written> RowsWrittenSince(SqliteDatabase& database, std::int64_t since,
                                        std::size_t most) {
    const QString table = QLatin1String(search_index::kLogTable);
    SqliteStatement bounds = database.prepare(
        QStringLiteral("SELECT coalesce(min(seq), 0), coalesce(max(seq), 0) FROM main.%1")
            .arg(table));
    bounds.step();
    const std::int64_t first = bounds.columnInt64(0);
    const std::int64_t last = bounds.columnInt64(1);
    if (last < since || (last > since && first > since + 1)) {
        return std::nullopt; // emptied, or the entries after `since` are gone
    }
    Written written{{}, last};
    SqliteStatement rows = database.prepare(
        QStringLiteral("SELECT row FROM main.%1 WHERE seq > ?1 AND seq <= ?2").arg(table));
    rows.bindInt64(1, since);
    rows.bindInt64(2, last);
    while (rows.step()) {
        if (written.rows.size() >= most * 2) {
            // Rows written many times each are counted once below; beyond this the log
            // cannot be short enough.
            std::sort(written.rows.begin(), written.rows.end());
            written.rows.erase(std::unique(written.rows.begin(), written.rows.end()),
                               written.rows.end());
            if (written.rows.size() > most) {
                return std::nullopt;
            }
        }
        written.rows.push_back(rows.columnInt64(0));
    }
    std::sort(written.rows.begin(), written.rows.end());
    written.rows.erase(std::unique(written.rows.begin(), written.rows.end()), written.rows.end());
    if (written.rows.size() > most) {
        return std::nullopt;
    }
    return written;
}

} // namespace change_log
