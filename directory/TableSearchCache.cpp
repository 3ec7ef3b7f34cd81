#include "directory/TableSearchCache.h"

#include "platform/text/LikePattern.h"
#include "directory/NameOrder.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"
#include "platform/text/Utf8CaseFold.h"

#include <algorithm>
#include <numeric>
#include <limits>
#include <optional>

namespace {

// A result at least this share of the table is put in order by walking the whole Name order
// once; a smaller one by sorting its ranks.
constexpr std::size_t kWalkShare = 8;

// Adds a row's Name to the order; false when it is neither a text nor NULL.
bool AddName(const SqliteStatement& row, int column, NameOrder& names) {
    switch (row.columnType(column)) {
    case SqliteType::Null:
        names.addNull();
        return true;
    case SqliteType::Text:
        names.addText(row.columnBytes(column));
        return true;
    default:
        return false;
    }
}

} // namespace

thread_local std::size_t TableSearchCache::readsOnThisThread_ = 0;
std::atomic<std::size_t> TableSearchCache::reads_ = 0;

std::size_t TableSearchCache::reads() noexcept {
    return reads_;
}

std::size_t TableSearchCache::readsOnThisThread() noexcept {
    return readsOnThisThread_;
}

TableSearchCache::TableSearchCache(SqliteDatabase& database) {
    countRead();
    // One read transaction: both reads see the table as one writer left it.
    SqliteTransaction read(database);
    refuseIndexedTable(database);
    NameOrder names;
    if (readTexts(database, names, std::nullopt)) {
        setNameOrder(names.rows());
        nameKeys_ = std::move(names).takeKeys();
    } else {
        readNameOrder(database);
    }
    read.commit();
}

TableSearchCache::TableSearchCache(SqliteDatabase& database, std::size_t rowsAtATime) {
    countRead();
    refuseIndexedTable(database);
    NameOrder names;
    if (!readTexts(database, names, rowsAtATime)) {
        throw ESqliteError(QStringLiteral("A Name of the directory is not a text."),
                           sqlite_result::kMismatch);
    }
    setNameOrder(names.rows());
    nameKeys_ = std::move(names).takeKeys();
}

void TableSearchCache::countRead() noexcept {
    ++readsOnThisThread_;
    ++reads_;
}

// SQLite may read a table with an index through the index, in another order than rowid order,
// which ties and unordered results follow; such a table is left to SQLite.
void TableSearchCache::refuseIndexedTable(SqliteDatabase& database) {
    if (SchemaObjectsOnTel(database, "index") > 0) {
        throw ESqliteError(QStringLiteral("The directory's table has an index."),
                           sqlite_result::kMismatch);
    }
}

// Reads the rows, in one statement or so many at a time, each chunk in a read of its own that
// lets other programs write in between; feeds `names` while every Name is a text or NULL, and
// says whether it was. Read in chunks, the rows end at the first Name that is not.
bool TableSearchCache::readTexts(SqliteDatabase& database, NameOrder& names,
                                 std::optional<std::size_t> rowsAtATime) {
    bool namesAreTexts = true;
    if (!rowsAtATime) {
        SqliteStatement statement =
            database.prepare("SELECT rowid, tel, fio, Name FROM main.tel ORDER BY rowid");
        while (statement.step()) {
            namesAreTexts = addRow(statement, names, namesAreTexts);
        }
    } else {
        SqliteStatement chunk = database.prepare("SELECT rowid, tel, fio, Name FROM main.tel "
                                                 "WHERE rowid > ?1 ORDER BY rowid LIMIT ?2");
        const auto size = static_cast<std::int64_t>(*rowsAtATime);
        for (std::int64_t read = size; read == size && namesAreTexts;) {
            chunk.bindInt64(1, rowids_.empty() ? INT64_MIN : rowids_.back());
            chunk.bindInt64(2, size);
            for (read = 0; namesAreTexts && chunk.step(); ++read) {
                namesAreTexts = addRow(chunk, names, namesAreTexts);
            }
            chunk.reset();
        }
    }
    if (rowids_.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw tooLarge();
    }
    for (Texts& texts : texts_) {
        texts.folded.shrinkToFit();
    }
    return namesAreTexts;
}

// Adds the row the statement stands on; says whether the Names are still all texts.
bool TableSearchCache::addRow(const SqliteStatement& row, NameOrder& names, bool namesAreTexts) {
    rowids_.push_back(row.columnInt64(0));
    namesAreTexts = namesAreTexts && AddName(row, 1 + Name, names);
    for (int column = 0; column < kColumnCount; ++column) {
        Texts& texts = texts_[column];
        std::optional<PlainNumberText> number;
        texts.isNull.push_back(row.columnIsNull(column + 1));
        AppendCaseFolded(LikeText(row, column + 1, number), texts.folded.open());
        try {
            texts.folded.close();
        } catch (const std::length_error&) {
            throw tooLarge();
        }
    }
    return namesAreTexts;
}

void TableSearchCache::setNameOrder(std::vector<std::uint32_t> byName) {
    byName_ = std::move(byName);
    rank_.assign(byName_.size(), 0);
    for (std::size_t rank = 0; rank < byName_.size(); ++rank) {
        rank_[byName_[rank]] = static_cast<std::uint32_t>(rank);
    }
}

// The order SQLite gives ORDER BY Name on the provider's connection, asked of SQLite itself
// when a Name is a number or a blob: the same sort key and the same sorter, whose ties keep
// the order of the scan (rowid order).
void TableSearchCache::readNameOrder(SqliteDatabase& database) {
    SqliteStatement statement =
        database.prepare(QStringLiteral("SELECT rowid FROM main.tel ORDER BY %1(Name)")
                             .arg(QLatin1String(kRussianSortKeyName)));
    byName_.reserve(rowids_.size());
    rank_.assign(rowids_.size(), 0);
    while (statement.step()) {
        const auto found =
            std::lower_bound(rowids_.begin(), rowids_.end(), statement.columnInt64(0));
        if (found == rowids_.end() || *found != statement.columnInt64(0)) {
            throw ESqliteError(QStringLiteral("The directory's rows changed while read."),
                               sqlite_result::kInternal);
        }
        const auto entry = static_cast<std::uint32_t>(found - rowids_.begin());
        rank_[entry] = static_cast<std::uint32_t>(byName_.size());
        byName_.push_back(entry);
    }
    if (byName_.size() != rowids_.size()) {
        throw ESqliteError(QStringLiteral("The directory's rows changed while read."),
                           sqlite_result::kInternal);
    }
}

bool TableSearchCache::matches(Column column, std::size_t entry, const LikePattern& pattern) const {
    const FoldedText text = folded(column, entry);
    return !text.isNull && pattern.matchesFolded(text.folded);
}

std::vector<std::uint32_t> TableSearchCache::matching(Column column,
                                                      const LikePattern& pattern) const {
    std::vector<std::uint32_t> found;
    for (std::size_t entry = 0; entry < size(); ++entry) {
        if (matches(column, entry, pattern)) {
            found.push_back(static_cast<std::uint32_t>(entry));
        }
    }
    return found;
}

std::vector<std::uint32_t>
TableSearchCache::matchingAmong(Column column, const LikePattern& pattern,
                                std::span<const std::int64_t> rowids) const {
    std::vector<std::uint32_t> found;
    auto from = rowids_.begin();
    for (const std::int64_t rowid : rowids) {
        from = std::lower_bound(from, rowids_.end(), rowid);
        if (from == rowids_.end()) {
            break;
        }
        const auto entry = static_cast<std::size_t>(from - rowids_.begin());
        if (*from == rowid && matches(column, entry, pattern)) {
            found.push_back(static_cast<std::uint32_t>(entry));
        }
    }
    return found;
}

std::optional<std::uint32_t> TableSearchCache::entryOf(std::int64_t rowid) const noexcept {
    const auto found = std::lower_bound(rowids_.begin(), rowids_.end(), rowid);
    if (found == rowids_.end() || *found != rowid) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(found - rowids_.begin());
}

std::vector<std::uint32_t> TableSearchCache::all() const {
    std::vector<std::uint32_t> entries(size());
    std::iota(entries.begin(), entries.end(), 0u);
    return entries;
}

void TableSearchCache::sortByName(std::vector<std::uint32_t>& entries) const {
    if (entries.size() * kWalkShare >= size()) {
        std::vector<bool> wanted(size());
        for (const std::uint32_t entry : entries) {
            wanted[entry] = true;
        }
        entries.clear();
        for (const std::uint32_t entry : byName_) {
            if (wanted[entry]) {
                entries.push_back(entry);
            }
        }
        return;
    }
    for (std::uint32_t& entry : entries) {
        entry = rank_[entry];
    }
    std::sort(entries.begin(), entries.end());
    for (std::uint32_t& entry : entries) {
        entry = byName_[entry];
    }
}

std::size_t TableSearchCache::bytesHeld() const noexcept {
    std::size_t bytes = rowids_.capacity() * sizeof(std::int64_t) +
                        (byName_.capacity() + rank_.capacity()) * sizeof(std::uint32_t);
    for (const Texts& texts : texts_) {
        bytes += texts.folded.bytesHeld() + texts.isNull.capacity() / 8;
    }
    if (nameKeys_) {
        bytes +=
            nameKeys_->keys.bytesHeld() + nameKeys_->ofEntry.capacity() * sizeof(std::uint32_t);
    }
    return bytes;
}

ESqliteError TableSearchCache::tooLarge() {
    return ESqliteError(QStringLiteral("The directory is too large to search in memory."),
                        sqlite_result::kTooBig);
}

std::optional<TableSearchCache::Column> SearchedColumn(const QString& name) {
    const char16_t* const names[] = {u"tel", u"fio", u"Name"};
    for (int column = 0; column < TableSearchCache::kColumnCount; ++column) {
        if (name.compare(QStringView(names[column]), Qt::CaseInsensitive) == 0) {
            return static_cast<TableSearchCache::Column>(column);
        }
    }
    return std::nullopt;
}

std::int64_t SchemaObjectsOnTel(SqliteDatabase& database, std::string_view type) {
    return database.queryInteger(
        QStringLiteral("SELECT count(*) FROM main.sqlite_schema WHERE type = '%1' AND "
                       "tbl_name = 'tel' COLLATE NOCASE")
            .arg(QLatin1String(type.data(), static_cast<qsizetype>(type.size())))
            .toStdString());
}
