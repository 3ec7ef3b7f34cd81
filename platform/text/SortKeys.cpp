#include "platform/text/SortKeys.h"

#include <algorithm>
#include <cstdint>

namespace {

// Sixteen bytes of a key from `offset` on, as two big-endian numbers; zero past its end.
struct Chunk {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    Chunk(std::string_view key, std::size_t offset) noexcept {
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
    static bool HasZeroByte(std::uint64_t word) noexcept {
        for (int byte = 0; byte < 8; ++byte) {
            if ((word >> (8 * byte) & 0xFFU) == 0) {
                return true;
            }
        }
        return false;
    }
};

struct Entry {
    Chunk chunk;
    std::size_t index;
};

} // namespace

std::string_view SortKeys::key(std::size_t index) const noexcept {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

// Sorts by sixteen bytes at a time, integers being far quicker to compare than byte strings,
// and goes sixteen bytes deeper only within a run of keys that share all the bytes so far.
std::vector<std::size_t> SortKeys::order() const {
    std::vector<std::size_t> order(size());
    std::vector<Entry> entries;
    struct Range {
        std::size_t begin, end, offset;
    };
    std::vector<Range> pending{{0, size(), 0}};
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
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
