#include "directory/CacheChanges.h"

#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/text/RussianCollator.h"
#include "platform/text/Utf8CaseFold.h"

#include <algorithm>

std::shared_ptr<const CacheChanges>
CacheChanges::withRowsReread(SqliteDatabase& database, const TableSearchCache& cache,
                             const CacheChanges* before, std::span<const std::int64_t> rowids) {
    if (!cache.placesNewRows()) {
        return nullptr;
    }
    SqliteStatement statement =
        database.prepare("SELECT tel, fio, Name FROM main.tel WHERE rowid = ?1");
    const RussianCollator collator;
    std::vector<Row> reread;
    reread.reserve(rowids.size());
    for (const std::int64_t rowid : rowids) {
        std::optional<Row> row = readRow(statement, collator, cache, rowid);
        if (!row) {
            return nullptr;
        }
        reread.push_back(std::move(*row));
    }
    auto changes = std::make_shared<CacheChanges>();
    const auto byRowid = [](const Row& a, const Row& b) {
        return a.rowid < b.rowid;
    };
    if (before != nullptr) {
        // The rows read now replace their earlier state.
        std::set_union(reread.begin(), reread.end(), before->rows_.begin(), before->rows_.end(),
                       std::back_inserter(changes->rows_), byRowid);
    } else {
        changes->rows_ = std::move(reread);
    }
    for (const Row& row : changes->rows_) {
        changes->present_ += row.present ? 1 : 0;
        if (const std::optional<std::uint32_t> entry = cache.entryOf(row.rowid)) {
            changes->replaced_.push_back(*entry);
        }
    }
    return changes;
}

// The row as the table holds it now; nothing when its Name has no place in the Name order.
std::optional<CacheChanges::Row> CacheChanges::readRow(SqliteStatement& statement,
                                                       const RussianCollator& collator,
                                                       const TableSearchCache& cache,
                                                       std::int64_t rowid) {
    statement.reset();
    statement.bindInt64(1, rowid);
    Row row;
    row.rowid = rowid;
    row.present = statement.step();
    if (!row.present) {
        return row;
    }
    const int name = TableSearchCache::Name;
    const SqliteType nameType = statement.columnType(name);
    if (nameType != SqliteType::Null && nameType != SqliteType::Text) {
        return std::nullopt;
    }
    for (int column = 0; column < TableSearchCache::kColumnCount; ++column) {
        std::optional<PlainNumberText> number;
        row.isNull[column] = statement.columnIsNull(column);
        row.folded[column] = CaseFolded(LikeText(statement, column, number));
    }
    std::optional<std::string_view> nameText;
    if (nameType == SqliteType::Text) {
        nameText = statement.columnBytes(name);
        row.nameKey.emplace();
        collator.appendSortKey(*nameText, *row.nameKey);
    }
    row.place = cache.placeByName(
        nameText, row.nameKey ? std::optional<std::string_view>(*row.nameKey) : std::nullopt, rowid,
        collator);
    return row;
}
