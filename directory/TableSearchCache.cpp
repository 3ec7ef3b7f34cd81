#include "directory/TableSearchCache.h"

#include "platform/text/RussianCollator.h"
#include "directory/NameOrder.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"
#include "platform/text/Utf8CaseFold.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <limits>
#include <optional>

namespace {

// A result of fewer entries than this is put in order by sorting their places; a larger one
// by marking them in a bitmap of the whole order.
constexpr std::size_t kSortedOneByOne = 4096;

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

// Whether the text holds a character whose case folding changes its sort key in the Russian
// order: ſ (U+017F), the combining ypogegrammeni (U+0345) and ẛ (U+1E9B), the only ones. The
// place of a new row among the others is found from their folded texts, which such a Name
// would mislead.
bool FoldingChangesSortKey(std::string_view utf8) {
    return utf8.find("\xC5\xBF") != std::string_view::npos ||
           utf8.find("\xCD\x85") != std::string_view::npos ||
           utf8.find("\xE1\xBA\x9B") != std::string_view::npos;
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
    placesNewRows_ = true;
    if (readTexts(database, names, std::nullopt)) {
        setNameOrder(names.rows());
        if (placesNewRows_) {
            markSignposts();
        }
    } else {
        placesNewRows_ = false;
        readNameOrder(database);
    }
    read.commit();
}

TableSearchCache::TableSearchCache(SqliteDatabase& database, std::size_t rowsAtATime) {
    countRead();
    refuseIndexedTable(database);
    NameOrder names;
    placesNewRows_ = true;
    if (!readTexts(database, names, rowsAtATime)) {
        throw ESqliteError(QStringLiteral("A Name of the directory is not a text."),
                           sqlite_result::kMismatch);
    }
    setNameOrder(names.rows());
    if (placesNewRows_) {
        markSignposts();
    }
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
        const auto chunkSize = static_cast<std::int64_t>(*rowsAtATime);
        for (std::int64_t read = chunkSize; read == chunkSize && namesAreTexts;) {
            chunk.bindInt64(1, size() == 0 ? INT64_MIN : rowid(size() - 1));
            chunk.bindInt64(2, chunkSize);
            for (read = 0; namesAreTexts && chunk.step(); ++read) {
                namesAreTexts = addRow(chunk, names, namesAreTexts);
            }
            chunk.reset();
        }
    }
    if (size() > std::numeric_limits<std::uint32_t>::max()) {
        throw tooLarge();
    }
    rowids32_.shrink_to_fit();
    rowids64_.shrink_to_fit();
    for (FoldedColumn& texts : texts_) {
        texts.shrinkToFit();
    }
    return namesAreTexts;
}

// Adds the row the statement stands on; says whether the Names are still all texts.
bool TableSearchCache::addRow(const SqliteStatement& row, NameOrder& names, bool namesAreTexts) {
    addRowid(row.columnInt64(0));
    namesAreTexts = namesAreTexts && AddName(row, 1 + Name, names);
    if (placesNewRows_ && row.columnType(1 + Name) == SqliteType::Text &&
        FoldingChangesSortKey(row.columnBytes(1 + Name))) {
        placesNewRows_ = false;
    }
    thread_local std::string folded;
    for (int column = 0; column < kColumnCount; ++column) {
        std::optional<PlainNumberText> number;
        folded.clear();
        AppendCaseFolded(LikeText(row, column + 1, number), folded);
        try {
            texts_[column].append(row.columnIsNull(column + 1), folded);
        } catch (const std::length_error&) {
            throw tooLarge();
        }
    }
    return namesAreTexts;
}

void TableSearchCache::addRowid(std::int64_t rowid) {
    if (rowids64_.empty() && rowid >= 0 && rowid <= std::numeric_limits<std::uint32_t>::max()) {
        rowids32_.push_back(static_cast<std::uint32_t>(rowid));
        return;
    }
    if (rowids64_.empty()) {
        rowids64_.assign(rowids32_.begin(), rowids32_.end());
        rowids32_ = {};
    }
    rowids64_.push_back(rowid);
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
    byName_.reserve(size());
    rank_.assign(size(), 0);
    while (statement.step()) {
        const std::optional<std::uint32_t> entry = entryOf(statement.columnInt64(0));
        if (!entry) {
            throw ESqliteError(QStringLiteral("The directory's rows changed while read."),
                               sqlite_result::kInternal);
        }
        rank_[*entry] = static_cast<std::uint32_t>(byName_.size());
        byName_.push_back(*entry);
    }
    if (byName_.size() != size()) {
        throw ESqliteError(QStringLiteral("The directory's rows changed while read."),
                           sqlite_result::kInternal);
    }
}

std::vector<std::uint32_t> TableSearchCache::matching(Column column,
                                                      const FoldedPattern& pattern) const {
    return texts_[column].matching(pattern);
}

std::vector<std::uint32_t>
TableSearchCache::matchingAmong(Column column, const FoldedPattern& pattern,
                                std::span<const std::int64_t> rowids) const {
    return texts_[column].matchingAmong(pattern, entriesOf(rowids));
}

std::optional<std::uint32_t> TableSearchCache::entryOf(std::int64_t rowid) const noexcept {
    const auto find = [rowid](const auto& rowids) -> std::optional<std::uint32_t> {
        const auto found = std::lower_bound(rowids.begin(), rowids.end(), rowid,
                                            [](auto held, std::int64_t wanted) {
                                                return static_cast<std::int64_t>(held) < wanted;
                                            });
        if (found == rowids.end() || static_cast<std::int64_t>(*found) != rowid) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(found - rowids.begin());
    };
    return rowids64_.empty() ? find(rowids32_) : find(rowids64_);
}

std::vector<std::uint32_t> TableSearchCache::entriesOf(std::span<const std::int64_t> rowids) const {
    const auto find = [rowids](const auto& held) {
        // Both lists ascend and hold each rowid once, so a rowid is never further on than its
        // distance from the last one found: in a table without gaps that place is the one.
        // The guess is made from the last rowid looked for, not from a value read, so that
        // the reads of consecutive rowids do not wait for each other.
        std::vector<std::uint32_t> entries;
        entries.reserve(rowids.size());
        const auto less = [](auto heldRowid, std::int64_t wanted) {
            return static_cast<std::int64_t>(heldRowid) < wanted;
        };
        if (held.empty()) {
            return entries;
        }
        std::size_t from = 0;
        auto fromRowid = static_cast<std::int64_t>(held.front());
        const std::size_t last = held.size() - 1;
        for (const std::int64_t rowid : rowids) {
            if (rowid < fromRowid) {
                continue;
            }
            std::size_t at =
                from + std::min(static_cast<std::size_t>(rowid - fromRowid), last - from);
            if (static_cast<std::int64_t>(held[at]) == rowid) {
                entries.push_back(static_cast<std::uint32_t>(at));
                from = at;
                fromRowid = rowid;
                continue;
            }
            at = static_cast<std::size_t>(
                std::lower_bound(held.begin() + from, held.begin() + at, rowid, less) -
                held.begin());
            from = at;
            fromRowid = static_cast<std::int64_t>(held[at]);
            if (fromRowid == rowid) {
                entries.push_back(static_cast<std::uint32_t>(at));
            }
        }
        return entries;
    };
    return rowids64_.empty() ? find(rowids32_) : find(rowids64_);
}

std::uint32_t TableSearchCache::placeByName(std::optional<std::string_view> name,
                                            std::optional<std::string_view> key, std::int64_t rowid,
                                            const RussianCollator& collator) const {
    // Entries before the row: a NULL Name before any text, then a Name earlier in the order,
    // then an equal one and a smaller rowid. The entries' folded Names sort as their own.
    const auto before = [&](std::uint32_t entry, const auto& compareNames) {
        const bool entryNull = texts_[Name].isNull(entry);
        if (entryNull != !name.has_value()) {
            return entryNull;
        }
        if (name) {
            const int order = compareNames(entry);
            if (order != 0) {
                return order < 0;
            }
        }
        return this->rowid(entry) < rowid;
    };
    // First among the signposts by their kept keys, then between two of them by the collator.
    std::size_t low = 0;
    std::size_t high = signposts_.size(); // the first signpost not before the row
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const bool signpostBefore = before(byName_[signposts_[middle]], [&](std::uint32_t) {
            return signpostKeys_[middle].compare(*key);
        });
        if (signpostBefore) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    const auto from = byName_.begin() + (high == 0 ? 0 : signposts_[high - 1] + 1);
    const auto to = high == signposts_.size() ? byName_.end() : byName_.begin() + signposts_[high];
    const auto place = std::partition_point(from, to, [&](std::uint32_t entry) {
        return before(entry, [&](std::uint32_t held) {
            return collator.compare(texts_[Name].utf8(held), *name);
        });
    });
    return static_cast<std::uint32_t>(place - byName_.begin());
}

void TableSearchCache::markSignposts() {
    const std::size_t step = std::max<std::size_t>(1, size() / kSignposts);
    const RussianCollator collator;
    std::string key;
    for (std::size_t place = step; place < size(); place += step) {
        signposts_.push_back(static_cast<std::uint32_t>(place));
        key.clear();
        const std::uint32_t entry = byName_[place];
        if (!texts_[Name].isNull(entry)) {
            collator.appendSortKey(texts_[Name].utf8(entry), key);
        }
        signpostKeys_.push_back(key);
    }
}

std::vector<std::uint32_t> TableSearchCache::all() const {
    std::vector<std::uint32_t> entries(size());
    std::iota(entries.begin(), entries.end(), 0u);
    return entries;
}

void TableSearchCache::sortByName(std::vector<std::uint32_t>& entries) const {
    if (entries.size() == size()) {
        entries = byName_; // every entry
        return;
    }
    if (entries.size() < kSortedOneByOne) {
        for (std::uint32_t& entry : entries) {
            entry = rank_[entry];
        }
        std::sort(entries.begin(), entries.end());
        for (std::uint32_t& entry : entries) {
            entry = byName_[entry];
        }
        return;
    }
    // The entries' places marked in a bitmap of the whole order, then read off in order: a
    // pass over one bit an entry instead of a sort.
    std::vector<std::uint64_t> places((size() + 63) / 64);
    for (const std::uint32_t entry : entries) {
        places[rank_[entry] / 64] |= std::uint64_t{1} << (rank_[entry] % 64);
    }
    entries.clear();
    for (std::size_t word = 0; word < places.size(); ++word) {
        for (std::uint64_t bits = places[word]; bits != 0; bits &= bits - 1) {
            entries.push_back(
                byName_[word * 64 + static_cast<std::size_t>(std::countr_zero(bits))]);
        }
    }
}

std::size_t TableSearchCache::bytesHeld() const noexcept {
    std::size_t bytes = rowids32_.capacity() * sizeof(std::uint32_t) +
                        rowids64_.capacity() * sizeof(std::int64_t) +
                        (byName_.capacity() + rank_.capacity()) * sizeof(std::uint32_t);
    for (const FoldedColumn& texts : texts_) {
        bytes += texts.bytesHeld();
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
