#pragma once

#include "platform/db/RowStore.h"
#include "platform/db/SqliteStatement.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class SqliteAdoConnection;

// The rows of an open result. Either every row was copied at open (a loaded RowStore), or
// only the rowids of the rows are known, in order, and a row's values are read from its table
// the first time they are asked for, then kept. Rows are numbered from 0 in result order;
// rows appended later (new rows) come last.
class ResultRows {
public:
    ResultRows();
    explicit ResultRows(RowStore loaded);
    // The rows with these rowids, read through `rowStatement` (the result's columns of the row
    // whose rowid is bound to ?1) on the connection, which must outlive this object. Throws
    // EOleException when the statement cannot be prepared.
    ResultRows(SqliteAdoConnection& connection, const QString& rowStatement,
               std::vector<std::int64_t> rowids);
    ~ResultRows();
    ResultRows(ResultRows&&) noexcept;
    ResultRows& operator=(ResultRows&&) noexcept;

    int columnCount() const noexcept { return store_.columnCount(); }
    std::size_t rowCount() const noexcept { return slots_ ? slots_->size() : store_.rowCount(); }
    bool readsOnUse() const noexcept { return slots_.has_value(); }

    // A value of a row; reading an unread row reads it (EOleException when that fails). A row
    // no longer in its table reads as NULLs.
    StoredValue value(std::size_t row, int column) const;
    void readRow(std::size_t row, std::vector<StoredValue>& values) const;

    std::size_t append(std::span<const StoredValue> values);
    void replace(std::size_t row, std::span<const StoredValue> values);

    // The memory the rows hold, in bytes.
    std::size_t bytesHeld() const noexcept;

private:
    std::size_t storeRow(std::size_t row) const;
    std::size_t fetch(std::size_t row) const;

    mutable RowStore store_;
    // Read on use: each row's rowid, and its row in store_ + 1 once read (0 before).
    std::vector<std::int64_t> rowids_;
    mutable std::optional<std::vector<std::uint32_t>> slots_;
    SqliteAdoConnection* connection_ = nullptr;
    mutable std::optional<SqliteStatement> rowStatement_;
};
