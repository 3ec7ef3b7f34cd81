#pragma once

#include "platform/db/ArenaMemory.h"
#include "platform/db/RowEncoding.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

// The storage class of one stored value, as SQLite gives it.
enum class StoredType : std::uint8_t { Null, Integer, Real, Text, Blob };

// One value read from or written to a RowStore. Text is UTF-8; `bytes` views the store's
// memory (or the caller's, when appending) and stays valid as long as the store.
struct StoredValue {
    StoredType type = StoredType::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes;

    static StoredValue null() { return {}; }
    static StoredValue ofInteger(std::int64_t value) { return {StoredType::Integer, value, 0, {}}; }
    static StoredValue ofReal(double value) { return {StoredType::Real, 0, value, {}}; }
    static StoredValue ofText(std::string_view utf8) { return {StoredType::Text, 0, 0, utf8}; }
    static StoredValue ofBlob(std::string_view bytes) { return {StoredType::Blob, 0, 0, bytes}; }

    bool isNull() const noexcept { return type == StoredType::Null; }
    bool isNumber() const noexcept {
        return type == StoredType::Integer || type == StoredType::Real;
    }
    friend bool operator==(const StoredValue& a, const StoredValue& b) noexcept;
};

class RowAppender;

// A compact store of result rows with a fixed number of columns. Rows are encoded one after
// another into large blocks: a tag byte per value (holding a short text's length), integers
// and integral doubles as varints, other doubles in 8 bytes, texts as their UTF-8 bytes; a
// row costs 8 bytes of location besides. Nothing is allocated per row
// or per value, and encoded rows never move, so views into them stay valid. Replacing a row
// encodes it anew and points the row at the new bytes.
class RowStore {
public:
    explicit RowStore(int columnCount);
    ~RowStore();
    RowStore(RowStore&&) noexcept;
    RowStore& operator=(RowStore&&) noexcept;

    int columnCount() const noexcept { return columnCount_; }
    std::size_t rowCount() const noexcept { return rowCount_; }

    // Adds a row of columnCount() values; returns its index.
    std::size_t append(std::span<const StoredValue> row);
    // Gives an existing row new values.
    void replace(std::size_t row, std::span<const StoredValue> values);

    StoredValue value(std::size_t row, int column) const;
    // Every value of a row, in column order.
    void readRow(std::size_t row, std::vector<StoredValue>& values) const;

    // Releases the spare capacity of the row locations.
    void shrinkToFit();
    // The memory the store holds, in bytes.
    std::size_t bytesHeld() const noexcept;

private:
    friend class RowAppender;

    struct Location {
        std::uint32_t block;
        std::uint32_t offset;
    };
    struct Block {
        arena::Block data;
        std::size_t capacity = 0;
        std::size_t used = 0;
    };

    // Row locations are kept in chunks of this many rows, so that a growing result never
    // copies them; the first chunk grows as needed, for small results.
    static constexpr std::size_t kChunkBits = 16;
    static constexpr std::size_t kChunkRows = std::size_t{1} << kChunkBits;

    // The room RowAppender writes a row into: from the end of the last block's rows to
    // limit. moveRow carries a partly written row to a new block with `more` bytes free.
    std::uint8_t* startRow(std::uint8_t*& limit);
    void moveRow(std::uint8_t*& start, std::uint8_t*& out, std::uint8_t*& limit, std::size_t more);
    Location endRow(const std::uint8_t* start, const std::uint8_t* end);
    std::size_t addLocation(Location location);
    Location encode(std::span<const StoredValue> row);
    Location& location(std::size_t row);
    const Location& location(std::size_t row) const;
    const std::uint8_t* rowStart(std::size_t row) const;

    int columnCount_;
    std::vector<Block> blocks_;
    std::vector<std::vector<Location>> locations_;
    std::size_t rowCount_ = 0;
};

// Writes one row into a RowStore value by value, in column order, with no copy of the values
// in between: the loader of a large result puts each column straight from SQLite.
class RowAppender {
public:
    explicit RowAppender(RowStore& store) : store_(store) {
        start_ = out_ = store.startRow(limit_);
    }

    void putNull() {
        room(1);
        *out_++ = row_encoding::kNull;
    }
    void putInteger(std::int64_t value) {
        room(row_encoding::kMostScalarBytes);
        out_ = row_encoding::PutInteger(out_, value);
    }
    void putReal(double value) {
        room(row_encoding::kMostScalarBytes);
        out_ = row_encoding::PutReal(out_, value);
    }
    void putText(std::string_view utf8) { putBytes(row_encoding::kText, utf8); }
    void putBlob(std::string_view bytes) { putBytes(row_encoding::kBlob, bytes); }
    void put(const StoredValue& value);

    // Ends the row and adds it to the store; returns its index.
    std::size_t finish();
    // Ends the row as the new values of an existing row.
    void finishReplacing(std::size_t row);

private:
    friend class RowStore;

    void putBytes(row_encoding::Tag tag, std::string_view bytes) {
        room(row_encoding::kMostScalarBytes + bytes.size());
        out_ = row_encoding::PutBytes(out_, tag, bytes);
    }
    // Makes room for one more value of at most `bytes`.
    void room(std::size_t bytes) {
        ++values_;
        if (static_cast<std::size_t>(limit_ - out_) < bytes) {
            store_.moveRow(start_, out_, limit_, bytes);
        }
    }
    RowStore::Location end();

    RowStore& store_;
    std::uint8_t* start_ = nullptr;
    std::uint8_t* out_ = nullptr;
    std::uint8_t* limit_ = nullptr;
    int values_ = 0;
};
