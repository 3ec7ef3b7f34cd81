#include "platform/db/ResultRows.h"

#include "platform/db/ResultLoader.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteTransaction.h"

#include <algorithm>
#include <limits>

ResultRows::ResultRows() : store_(0) {
}

ResultRows::ResultRows(RowStore loaded) : store_(std::move(loaded)) {
}

ResultRows::ResultRows(SqliteAdoConnection& connection, std::unique_ptr<AcceleratedResult> result,
                       std::size_t limit, std::span<const QString> origins)
    : store_(0), accelerated_(std::move(result)), slots_(std::min(limit, accelerated_->size())),
      connection_(&connection) {
    try {
        rowStatement_.emplace(connection.database().prepare(accelerated_->rowStatement()));
    } catch (const ESqliteError& failure) {
        throw connection.error(failure);
    }
    store_ = RowStore(rowStatement_->columnCount());
    for (const QString& origin : origins) {
        knownColumns_.push_back(accelerated_->knownColumn(origin));
    }
}

ResultRows::~ResultRows() = default;
ResultRows::ResultRows(ResultRows&&) noexcept = default;
ResultRows& ResultRows::operator=(ResultRows&&) noexcept = default;

std::optional<FoldedText> ResultRows::foldedText(std::size_t row, int column) const {
    const auto index = static_cast<std::size_t>(column);
    if (!accelerated_ || slots_[row] != 0 || index >= knownColumns_.size() ||
        !knownColumns_[index]) {
        return std::nullopt;
    }
    return accelerated_->knownText(row, *knownColumns_[index]);
}

std::size_t ResultRows::storeRow(std::size_t row) const {
    if (!accelerated_) {
        return row;
    }
    const std::uint32_t slot = slots_[row];
    return slot != 0 ? slot - 1 : fetch(row);
}

// Reads the row and the unread rows around it in one read transaction, so that a page of the
// grid takes the file's lock once (and waits for another program's lock at most once).
std::size_t ResultRows::fetch(std::size_t row) const {
    const std::size_t first = row - std::min(row, kReadAround / 2);
    const std::size_t end = std::min(slots_.size(), first + kReadAround);
    try {
        SqliteTransaction read(connection_->database());
        for (std::size_t next = first; next < end; ++next) {
            if (slots_[next] == 0) {
                readOne(next);
            }
        }
        read.commit();
    } catch (const ESqliteError& failure) {
        throw connection_->error(failure);
    }
    return slots_[row] - 1;
}

void ResultRows::readOne(std::size_t row) const {
    if (store_.rowCount() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many rows read");
    }
    SqliteStatement& statement = *rowStatement_;
    // Reset however the read ends, so that the statement holds no lock.
    const struct Reset {
        SqliteStatement& statement;
        ~Reset() { statement.reset(); }
    } reset{statement};
    statement.bindInt64(1, accelerated_->rowid(row));
    std::size_t stored = 0;
    if (statement.step()) {
        AppendCurrentRow(statement.handle(), store_);
        stored = store_.rowCount() - 1;
    } else {
        // Deleted by another program since the result was made.
        const std::vector<StoredValue> nulls(static_cast<std::size_t>(columnCount()));
        stored = store_.append(nulls);
    }
    slots_.set(row, static_cast<std::uint32_t>(stored + 1));
}

StoredValue ResultRows::value(std::size_t row, int column) const {
    return store_.value(storeRow(row), column);
}

void ResultRows::readRow(std::size_t row, std::vector<StoredValue>& values) const {
    store_.readRow(storeRow(row), values);
}

std::size_t ResultRows::append(std::span<const StoredValue> values) {
    const std::size_t stored = store_.append(values);
    if (!accelerated_) {
        return stored;
    }
    slots_.push_back(static_cast<std::uint32_t>(stored + 1));
    return slots_.size() - 1;
}

void ResultRows::replace(std::size_t row, std::span<const StoredValue> values) {
    store_.replace(storeRow(row), values);
}

std::size_t ResultRows::bytesHeld() const noexcept {
    return store_.bytesHeld() + slots_.bytesHeld();
}
