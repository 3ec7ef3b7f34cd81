#include "platform/db/RowStore.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

// Blocks grow from a few kilobytes for a small result to a huge page for a large one.
constexpr std::size_t kFirstBlockBytes = 4096;
constexpr std::size_t kLargestBlockBytes = arena::kHugeBlockBytes;

const std::uint8_t* GetVarint(const std::uint8_t* in, std::size_t& value) noexcept {
    value = 0;
    int shift = 0;
    while (*in & 0x80) {
        value |= std::size_t{*in++ & 0x7Fu} << shift;
        shift += 7;
    }
    value |= std::size_t{*in++} << shift;
    return in;
}

using namespace row_encoding;

// Reads the value at `in` into `value` (when given) and returns the next value's start.
const std::uint8_t* Get(const std::uint8_t* in, StoredValue* value) noexcept {
    const std::uint8_t tag = *in++;
    StoredValue read;
    std::size_t number = 0;
    switch (static_cast<Tag>(tag & kTagMask)) {
    case kNull:
        break;
    case kInteger:
        in = GetVarint(in, number);
        read = StoredValue::ofInteger(UnZigZag(number));
        break;
    case kIntegralReal:
        in = GetVarint(in, number);
        read = StoredValue::ofReal(static_cast<double>(UnZigZag(number)));
        break;
    case kReal:
        read.type = StoredType::Real;
        std::memcpy(&read.real, in, sizeof(double));
        in += sizeof(double);
        break;
    case kText:
    case kBlob: {
        std::size_t length = tag >> kTagBits;
        if (length == kInlineLength) {
            in = GetVarint(in, length);
        }
        read.type = (tag & kTagMask) == kText ? StoredType::Text : StoredType::Blob;
        read.bytes = std::string_view(reinterpret_cast<const char*>(in), length);
        in += length;
        break;
    }
    }
    if (value != nullptr) {
        *value = read;
    }
    return in;
}

} // namespace

bool operator==(const StoredValue& a, const StoredValue& b) noexcept {
    if (a.type != b.type) {
        return false;
    }
    switch (a.type) {
    case StoredType::Null:
        return true;
    case StoredType::Integer:
        return a.integer == b.integer;
    case StoredType::Real:
        // Compare the bits: NaN equals itself, -0 differs from 0, as the stored bytes do.
        return std::memcmp(&a.real, &b.real, sizeof(double)) == 0;
    case StoredType::Text:
    case StoredType::Blob:
        return a.bytes == b.bytes;
    }
    return false;
}

RowStore::RowStore(int columnCount) : columnCount_(columnCount) {
}
RowStore::~RowStore() = default;
RowStore::RowStore(RowStore&&) noexcept = default;
RowStore& RowStore::operator=(RowStore&&) noexcept = default;

std::size_t RowStore::append(std::span<const StoredValue> row) {
    return addLocation(encode(row));
}

void RowStore::replace(std::size_t row, std::span<const StoredValue> values) {
    // Encode first: the new values may view the row's current bytes.
    const Location encoded = encode(values);
    location(row) = encoded;
}

RowStore::Location RowStore::encode(std::span<const StoredValue> row) {
    if (row.size() != static_cast<std::size_t>(columnCount_)) {
        throw std::invalid_argument("RowStore: a row needs one value per column");
    }
    RowAppender appender(*this);
    for (const StoredValue& value : row) {
        appender.put(value);
    }
    return appender.end();
}

std::size_t RowStore::addLocation(Location encoded) {
    if (locations_.empty() || locations_.back().size() == kChunkRows) {
        locations_.emplace_back();
        if (locations_.size() > 1) {
            locations_.back().reserve(kChunkRows);
        }
    }
    locations_.back().push_back(encoded);
    return rowCount_++;
}

std::uint8_t* RowStore::startRow(std::uint8_t*& limit) {
    if (blocks_.empty() || blocks_.back().used == blocks_.back().capacity) {
        std::uint8_t* start = nullptr;
        std::uint8_t* out = nullptr;
        moveRow(start, out, limit, 1);
        return start;
    }
    Block& block = blocks_.back();
    limit = block.data.get() + block.capacity;
    return block.data.get() + block.used;
}

void RowStore::moveRow(std::uint8_t*& start, std::uint8_t*& out, std::uint8_t*& limit,
                       std::size_t more) {
    const auto written = static_cast<std::size_t>(out - start);
    const std::size_t previous = blocks_.empty() ? 0 : blocks_.back().capacity;
    Block block;
    block.capacity =
        std::max(std::clamp(previous * 2, kFirstBlockBytes, kLargestBlockBytes), written + more);
    block.data = arena::Allocate(block.capacity);
    if (written > 0) {
        std::memcpy(block.data.get(), start, written);
    }
    start = block.data.get();
    out = start + written;
    limit = start + block.capacity;
    blocks_.push_back(std::move(block));
}

RowStore::Location RowStore::endRow(const std::uint8_t* start, const std::uint8_t* end) {
    Block& block = blocks_.back();
    const Location location{static_cast<std::uint32_t>(blocks_.size() - 1),
                            static_cast<std::uint32_t>(start - block.data.get())};
    block.used = location.offset + static_cast<std::size_t>(end - start);
    return location;
}

const RowStore::Location& RowStore::location(std::size_t row) const {
    if (row >= rowCount_) {
        throw std::out_of_range("RowStore: no such row");
    }
    return locations_[row >> kChunkBits][row & (kChunkRows - 1)];
}

RowStore::Location& RowStore::location(std::size_t row) {
    return const_cast<Location&>(std::as_const(*this).location(row));
}

const std::uint8_t* RowStore::rowStart(std::size_t row) const {
    const Location& at = location(row);
    return blocks_[at.block].data.get() + at.offset;
}

StoredValue RowStore::value(std::size_t row, int column) const {
    assert(column >= 0 && column < columnCount_);
    const std::uint8_t* in = rowStart(row);
    for (int i = 0; i < column; ++i) {
        in = Get(in, nullptr);
    }
    StoredValue value;
    Get(in, &value);
    return value;
}

void RowStore::readRow(std::size_t row, std::vector<StoredValue>& values) const {
    values.resize(static_cast<std::size_t>(columnCount_));
    const std::uint8_t* in = rowStart(row);
    for (StoredValue& value : values) {
        in = Get(in, &value);
    }
}

void RowStore::shrinkToFit() {
    // The blocks stay: their rows are viewed in place, and a block's spare room is at most
    // the size of the blocks before it (small results) or one huge page (large ones).
    if (!locations_.empty()) {
        locations_.back().shrink_to_fit();
    }
}

std::size_t RowStore::bytesHeld() const noexcept {
    std::size_t bytes =
        blocks_.capacity() * sizeof(Block) + locations_.capacity() * sizeof(std::vector<Location>);
    for (const std::vector<Location>& chunk : locations_) {
        bytes += chunk.capacity() * sizeof(Location);
    }
    for (const Block& block : blocks_) {
        bytes += block.capacity;
    }
    return bytes;
}

void RowAppender::put(const StoredValue& value) {
    switch (value.type) {
    case StoredType::Null:
        putNull();
        break;
    case StoredType::Integer:
        putInteger(value.integer);
        break;
    case StoredType::Real:
        putReal(value.real);
        break;
    case StoredType::Text:
        putText(value.bytes);
        break;
    case StoredType::Blob:
        putBlob(value.bytes);
        break;
    }
}

RowStore::Location RowAppender::end() {
    if (values_ != store_.columnCount()) {
        throw std::invalid_argument("RowStore: a row needs one value per column");
    }
    return store_.endRow(start_, out_);
}

std::size_t RowAppender::finish() {
    return store_.addLocation(end());
}

void RowAppender::finishReplacing(std::size_t row) {
    const RowStore::Location encoded = end();
    store_.location(row) = encoded;
}
