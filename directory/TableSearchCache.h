#pragma once

#include "directory/FoldedColumn.h"
#include "directory/NameOrder.h"
#include "platform/text/PackedStrings.h"
#include "platform/db/AcceleratedResult.h"

#include <QString>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ESqliteError;
class FoldedPattern;
class RussianCollator;
class SqliteDatabase;
class SqliteStatement;

// A copy, in memory, of what the directory's searches read from the table `tel`: for every
// row its rowid, the texts of `tel`, `fio` and `Name` as LIKE sees them (numbers as their
// plain text) already case-folded, and the row's place in the Russian order of `Name`.
//
// A search then tests LIKE on folded texts held one after another, and puts its rows in order
// by sorting integers, where SQLite would read every row and compare names through ICU. The
// rows are the table's rows in rowid order; a row's index in that order is its entry.
class TableSearchCache {
public:
    // The searched columns, in the order they are held.
    enum Column : std::uint8_t { Tel, Fio, Name, kColumnCount };

    // Reads the table through the connection, whose dialect (ru_sortkey) must be registered.
    // Throws ESqliteError when the table or one of its columns is missing, the table has an
    // index, or a read fails.
    explicit TableSearchCache(SqliteDatabase& database);
    // Reads the table so many rows at a time, each chunk in a read of its own, so that other
    // programs may write meanwhile: the rows are then each as it stood when its chunk was read,
    // and whoever reads so must read again the rows written since it began. Throws ESqliteError
    // as above, and when a Name is a number or a blob (the order must then come from SQLite,
    // in one read).
    TableSearchCache(SqliteDatabase& database, std::size_t rowsAtATime);

    std::size_t size() const noexcept { return texts_[Tel].size(); }
    std::int64_t rowid(std::size_t entry) const noexcept {
        return rowids64_.empty() ? rowids32_[entry] : rowids64_[entry];
    }
    // The entry of a rowid, nothing when the cache has no such row.
    std::optional<std::uint32_t> entryOf(std::int64_t rowid) const noexcept;
    // The entries of these rowids (ascending), leaving out those the cache does not have.
    std::vector<std::uint32_t> entriesOf(std::span<const std::int64_t> rowids) const;

    // An entry's text of a column, folded, as LIKE sees it; NULL has no text. The text lasts
    // until the next call on the same thread.
    FoldedText folded(Column column, std::size_t entry) const {
        return {texts_[column].isNull(entry), texts_[column].utf8(entry)};
    }

    // The entries whose column matches the pattern, in rowid order.
    std::vector<std::uint32_t> matching(Column column, const FoldedPattern& pattern) const;
    // The same among the rows with these rowids only (in ascending order, possibly with
    // rowids no longer in the table).
    std::vector<std::uint32_t> matchingAmong(Column column, const FoldedPattern& pattern,
                                             std::span<const std::int64_t> rowids) const;
    // Every entry, in rowid order.
    std::vector<std::uint32_t> all() const;

    // Puts entries in the order of ORDER BY Name: Russian order, ties by rowid.
    void sortByName(std::vector<std::uint32_t>& entries) const;
    // An entry's place in that order.
    std::uint32_t nameRank(std::size_t entry) const noexcept { return rank_[entry]; }
    // Whether a row that is not in the copy can be placed in that order (placeByName): the
    // order was made here, from Names that fold without changing their sort key, rather than
    // taken from SQLite because a Name is a number or a blob.
    bool placesNewRows() const noexcept { return placesNewRows_; }
    // How many entries come before a row with this Name (nothing for NULL), its sort key, and
    // rowid in the Name order; only when placesNewRows().
    std::uint32_t placeByName(std::optional<std::string_view> name,
                              std::optional<std::string_view> key, std::int64_t rowid,
                              const RussianCollator& collator) const;

    // The memory held, in bytes.
    std::size_t bytesHeld() const noexcept;

    // How many caches this thread has read, and all threads together: reading one is work
    // for a background thread, never for the window's.
    static std::size_t readsOnThisThread() noexcept;
    static std::size_t reads() noexcept;

private:
    static ESqliteError tooLarge();
    static void countRead() noexcept;
    static void refuseIndexedTable(SqliteDatabase& database);
    bool readTexts(SqliteDatabase& database, NameOrder& names,
                   std::optional<std::size_t> rowsAtATime);
    bool addRow(const SqliteStatement& row, NameOrder& names, bool namesAreTexts);
    void addRowid(std::int64_t rowid);
    void setNameOrder(std::vector<std::uint32_t> byName);
    void readNameOrder(SqliteDatabase& database);
    // Keeps the sort keys of a thousand entries evenly spread over the Name order, which
    // narrow placeByName's search before it compares Names through the collator.
    void markSignposts();
    static constexpr std::size_t kSignposts = 1024;

    // The rowids, ascending: four bytes each while every one fits, else eight.
    std::vector<std::uint32_t> rowids32_;
    std::vector<std::int64_t> rowids64_;
    FoldedColumn texts_[kColumnCount];
    std::vector<std::uint32_t> byName_; // entries in Name order
    std::vector<std::uint32_t> rank_;   // each entry's place in byName_
    bool placesNewRows_ = false;
    std::vector<std::uint32_t> signposts_;      // places in byName_, ascending
    PackedStrings<std::uint32_t> signpostKeys_; // their Names' sort keys (empty for NULL)
    static thread_local std::size_t readsOnThisThread_;
    static std::atomic<std::size_t> reads_;
};

// How many schema objects of a type ("index", "trigger") the main database has on `tel`.
std::int64_t SchemaObjectsOnTel(SqliteDatabase& database, std::string_view type);

// The cache's column of a column of `tel`, by its name in any letter case; nothing for a
// column the cache does not hold.
std::optional<TableSearchCache::Column> SearchedColumn(const QString& name);
