#include "platform/text/SortKeys.h"

#include "platform/text/SideBySide.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <cstdint>

namespace {

// Sixteen bytes of a key from `offset` on, as two big-endian numbers; zero past its end.
struct Chunk {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    Chunk(std::string_view key, std::size_t offset) noexcept {
        if (offset + 16 <= key.size()) {
            high = BigEndian(key.data() + offset);
            low = BigEndian(key.data() + offset + 8);
            return;
        }
        for (std::size_t i = offset; i < offset + 16; ++i) {
            const std::uint64_t byte = i < key.size() ? static_cast<unsigned char>(key[i]) : 0U;
            high = (high << 8) | (low >> 56);
            low = (low << 8) | byte;
        }
    }
    friend bool operator==(const Chunk&, const Chunk&) = default;
    friend auto operator<=>(const Chunk&, const Chunk&) = default;

    // Whether the chunk holds the key's closing zero byte: equal such chunks end equal keys.
    bool endsKey() const noexcept { return HasZeroByte(high) || HasZeroByte(low); }

private:
    static std::uint64_t BigEndian(const char* bytes) noexcept {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof word);
        return std::endian::native == std::endian::little ? __builtin_bswap64(word) : word;
    }
    static bool HasZeroByte(std::uint64_t word) noexcept {
        return ((word - 0x0101010101010101U) & ~word & 0x8080808080808080U) != 0;
    }
};

struct Entry {
    Chunk chunk;
    std::size_t index;
};

} // namespace

void SortKeys::append(const SortKeys& more) {
    keys_.append(more.keys_);
}

// Sorts by sixteen bytes at a time, integers being far quicker to compare than byte strings,
// and goes sixteen bytes deeper only within a run of keys that share all the bytes so far.
std::vector<std::size_t> SortKeys::orderOf(std::size_t first, std::size_t last) const {
    std::vector<std::size_t> order(last - first);
    std::vector<Entry> entries;
    struct Range {
        std::size_t begin, end, offset;
    };
    std::vector<Range> pending{{0, order.size(), 0}};
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = first + i;
    }
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        entries.clear();
        for (std::size_t i = range.begin; i < range.end; ++i) {
            entries.push_back({Chunk(key(order[i]), range.offset), order[i]});
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.chunk != b.chunk ? a.chunk < b.chunk : a.index < b.index;
        });
        for (std::size_t i = 0; i < entries.size();) {
            std::size_t run = i + 1;
            while (run < entries.size() && entries[run].chunk == entries[i].chunk) {
                ++run;
            }
            if (run - i > 1 && !entries[i].chunk.endsKey()) {
                pending.push_back({range.begin + i, range.begin + run, range.offset + 16});
            }
            i = run;
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            order[range.begin + i] = entries[i].index;
        }
    }
    return order;
}

// A long list's halves are put in order side by side, then merged; the merge takes the first
// half's key first among equal ones, which keeps equal keys in the order they were added.
std::vector<std::size_t> SortKeys::order() const {
    if (size() < kItemsWorthAThread) {
        return orderOf(0, size());
    }
    std::vector<std::size_t> firstHalf;
    std::vector<std::size_t> secondHalf;
    RunSideBySide([&] { firstHalf = orderOf(0, size() / 2); },
                  [&] { secondHalf = orderOf(size() / 2, size()); });
    std::vector<std::size_t> order(size());
    std::merge(firstHalf.begin(), firstHalf.end(), secondHalf.begin(), secondHalf.end(),
               order.begin(), [this](std::size_t a, std::size_t b) { return key(a) < key(b); });
    return order;
}
