// The connection's own writes: a copy of the cache with their rows read again, so that a
// write costs its rows instead of a reading of the whole table.
#include "directory/TableSearchCache.h"

#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/text/Utf8CaseFold.h"

#include <algorithm>
#include <limits>

void TableSearchCache::Texts::insertEmpty(std::size_t entry) {
    folded.insert(entry, {});
    isNull.insert(isNull.begin() + static_cast<std::ptrdiff_t>(entry), true);
}

void TableSearchCache::Texts::replace(std::size_t entry, bool null, std::string_view text) {
    try {
        folded.replace(entry, text);
    } catch (const std::length_error&) {
        throw tooLarge();
    }
    isNull[entry] = null;
}

void TableSearchCache::Texts::erase(std::size_t entry) {
    folded.erase(entry);
    isNull.erase(isNull.begin() + static_cast<std::ptrdiff_t>(entry));
}

std::shared_ptr<const TableSearchCache>
TableSearchCache::withRowsReread(SqliteDatabase& database,
                                 std::span<const std::int64_t> rowids) const {
    if (!nameKeys_) {
        return nullptr;
    }
    SqliteStatement row = database.prepare("SELECT tel, fio, Name FROM main.tel WHERE rowid = ?1");
    auto copy = std::make_shared<TableSearchCache>(*this);
    for (const std::int64_t rowid : rowids) {
        if (!copy->reread(row, rowid)) {
            return nullptr;
        }
    }
    copy->setNameOrder(std::move(copy->byName_));
    return copy;
}

// Reads the row of this rowid into the cache: changed, added, or removed when the table no
// longer has it. False when its Name cannot be placed in the order here.
bool TableSearchCache::reread(SqliteStatement& row, std::int64_t rowid) {
    row.reset();
    row.bindInt64(1, rowid);
    const bool inTable = row.step();
    const auto at = std::lower_bound(rowids_.begin(), rowids_.end(), rowid);
    const auto entry = static_cast<std::size_t>(at - rowids_.begin());
    const bool held = at != rowids_.end() && *at == rowid;
    if (held) {
        std::erase(byName_, static_cast<std::uint32_t>(entry));
    }
    if (!inTable) {
        if (held) {
            eraseEntry(entry);
        }
        return true;
    }
    if (!held) {
        insertEntry(entry, rowid);
    }
    if (!putRow(entry, row)) {
        return false;
    }
    placeByName(entry);
    return true;
}

void TableSearchCache::insertEntry(std::size_t entry, std::int64_t rowid) {
    if (rowids_.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw tooLarge();
    }
    rowids_.insert(rowids_.begin() + static_cast<std::ptrdiff_t>(entry), rowid);
    for (Texts& texts : texts_) {
        texts.insertEmpty(entry);
    }
    nameKeys_->ofEntry.insert(nameKeys_->ofEntry.begin() + static_cast<std::ptrdiff_t>(entry),
                              NameKeys::kNull);
    for (std::uint32_t& later : byName_) {
        later += later >= entry ? 1 : 0;
    }
}

void TableSearchCache::eraseEntry(std::size_t entry) {
    rowids_.erase(rowids_.begin() + static_cast<std::ptrdiff_t>(entry));
    for (Texts& texts : texts_) {
        texts.erase(entry);
    }
    nameKeys_->ofEntry.erase(nameKeys_->ofEntry.begin() + static_cast<std::ptrdiff_t>(entry));
    for (std::uint32_t& later : byName_) {
        later -= later > entry ? 1 : 0;
    }
}

// Puts the row's texts and Name key into the entry; false when its Name is a number or blob.
bool TableSearchCache::putRow(std::size_t entry, SqliteStatement& row) {
    const SqliteType nameType = row.columnType(Name);
    if (nameType != SqliteType::Null && nameType != SqliteType::Text) {
        return false;
    }
    for (int column = 0; column < kColumnCount; ++column) {
        std::optional<PlainNumberText> number;
        texts_[column].replace(entry, row.columnIsNull(column),
                               CaseFolded(LikeText(row, column, number)));
    }
    NameKeys& keys = *nameKeys_;
    keys.ofEntry[entry] = NameKeys::kNull;
    if (nameType == SqliteType::Text) {
        RussianCollator().appendSortKey(row.columnBytes(Name), keys.keys.open());
        keys.keys.close();
        keys.ofEntry[entry] = static_cast<std::uint32_t>(keys.keys.size() - 1);
    }
    return true;
}

// Inserts the entry, missing from the Name order, at its place there.
void TableSearchCache::placeByName(std::size_t entry) {
    const auto self = static_cast<std::uint32_t>(entry);
    const auto place = std::lower_bound(byName_.begin(), byName_.end(), self,
                                        [this](std::uint32_t a, std::uint32_t b) {
                                            return nameKeys_->before(a, rowids_[a], b, rowids_[b]);
                                        });
    byName_.insert(place, self);
}
