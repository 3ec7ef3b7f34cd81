#pragma once

#include "platform/db/AcceleratedResult.h"
#include "platform/db/RowSlots.h"
#include "platform/db/RowStore.h"
#include "platform/db/SqliteStatement.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class SqliteAdoConnection;

// The rows of an open result. Either every row was copied at open (a loaded RowStore), or the
// connection's accelerator answered the statement: its rows are known by rowid, in order, and
// a row's values are read from the table the first time they are asked for, then kept. Rows
// are numbered from 0 in result order; rows appended later come last.
class ResultRows {
public:
    ResultRows();
    explicit ResultRows(RowStore loaded);
    // The first `limit` rows of an accelerated result, read through its row statement on the
    // connection, which must outlive this object; `origins` names the table column of each
    // result column. Throws EOleException when the statement cannot be prepared.
    ResultRows(SqliteAdoConnection& connection, std::unique_ptr<AcceleratedResult> result,
               std::size_t limit, std::span<const QString> origins);
    ~ResultRows();
    ResultRows(ResultRows&&) noexcept;
    ResultRows& operator=(ResultRows&&) noexcept;

    int columnCount() const noexcept { return store_.columnCount(); }
    std::size_t rowCount() const noexcept {
        return accelerated_ ? slots_.size() : store_.rowCount();
    }
    bool readsOnUse() const noexcept { return accelerated_ != nullptr; }
    // Whether the row's values are held: always, unless the row is still to be read.
    bool holdsValues(std::size_t row) const noexcept { return !accelerated_ || slots_[row] != 0; }

    // An unread row's folded text of a column the accelerator knows, as it knew it; nothing
    // once the row has been read (its values may have changed since) or for other columns.
    std::optional<FoldedText> foldedText(std::size_t row, int column) const;

    // A value of a row; reading an unread row reads it (EOleException when that fails). A row
    // no longer in its table reads as NULLs.
    StoredValue value(std::size_t row, int column) const;
    void readRow(std::size_t row, std::vector<StoredValue>& values) const;

    std::size_t append(std::span<const StoredValue> values);
    void replace(std::size_t row, std::span<const StoredValue> values);

    // The memory the rows hold, in bytes (what the accelerator shares with them apart).
    std::size_t bytesHeld() const noexcept;

private:
    // How many rows around an unread row are read with it.
    static constexpr std::size_t kReadAround = 64;

    std::size_t storeRow(std::size_t row) const;
    std::size_t fetch(std::size_t row) const;
    void readOne(std::size_t row) const;

    mutable RowStore store_;
    // Read on use: the accelerated rows (appended rows follow them), and each row's row in
    // store_ + 1 once read (0 before).
    std::unique_ptr<AcceleratedResult> accelerated_;
    mutable RowSlots slots_;
    // The accelerator's number of each result column it knows.
    std::vector<std::optional<int>> knownColumns_;
    SqliteAdoConnection* connection_ = nullptr;
    mutable std::optional<SqliteStatement> rowStatement_;
};
