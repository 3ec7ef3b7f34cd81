#pragma once

#include "platform/db/RowStore.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/TableSearchCache.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class SqliteAdoConnection;

// The rows of an open result. Either every row was copied at open (a loaded RowStore), or the
// result is a search the connection's TableSearchCache answered: its rows are known as cache
// entries, in order, and a row's values are read from the table the first time they are asked
// for, then kept. Rows are numbered from 0 in result order; rows appended later come last.
class ResultRows {
public:
    ResultRows();
    explicit ResultRows(RowStore loaded);
    // The rows of these cache entries, read through `rowStatement` (the result's columns of
    // the row whose rowid is bound to ?1) on the connection, which must outlive this object.
    // Throws EOleException when the statement cannot be prepared.
    ResultRows(SqliteAdoConnection& connection, const QString& rowStatement,
               std::shared_ptr<const TableSearchCache> cache, std::vector<std::uint32_t> entries);
    ~ResultRows();
    ResultRows(ResultRows&&) noexcept;
    ResultRows& operator=(ResultRows&&) noexcept;

    int columnCount() const noexcept { return store_.columnCount(); }
    std::size_t rowCount() const noexcept { return cache_ ? slots_.size() : store_.rowCount(); }
    bool readsOnUse() const noexcept { return cache_ != nullptr; }
    // Whether the row's values are held: always, unless the row is still to be read.
    bool holdsValues(std::size_t row) const noexcept { return !cache_ || slots_[row] != 0; }

    // Which column of the cache each result column holds, if any (by default none).
    void setCachedColumns(std::vector<std::optional<TableSearchCache::Column>> columns);
    // An unread row's folded text of a column the cache holds, as the cache read it; nothing
    // once the row has been read (its values may have changed since) or for other columns.
    std::optional<TableSearchCache::FoldedText> foldedText(std::size_t row, int column) const;

    // A value of a row; reading an unread row reads it (EOleException when that fails). A row
    // no longer in its table reads as NULLs.
    StoredValue value(std::size_t row, int column) const;
    void readRow(std::size_t row, std::vector<StoredValue>& values) const;

    std::size_t append(std::span<const StoredValue> values);
    void replace(std::size_t row, std::span<const StoredValue> values);

    // The memory the rows hold, in bytes (the cache, shared with the connection, apart).
    std::size_t bytesHeld() const noexcept;

private:
    static constexpr std::uint32_t kNoEntry = UINT32_MAX;
    // How many rows around an unread row are read with it.
    static constexpr std::size_t kReadAround = 64;

    std::size_t storeRow(std::size_t row) const;
    std::size_t fetch(std::size_t row) const;
    void readOne(std::size_t row) const;

    mutable RowStore store_;
    // Read on use: each row's cache entry (kNoEntry for appended rows), and its row in store_
    // + 1 once read (0 before).
    std::shared_ptr<const TableSearchCache> cache_;
    std::vector<std::uint32_t> entries_;
    mutable std::vector<std::uint32_t> slots_;
    std::vector<std::optional<TableSearchCache::Column>> cachedColumns_;
    SqliteAdoConnection* connection_ = nullptr;
    mutable std::optional<SqliteStatement> rowStatement_;
};
