#include "directory/NameOrder.h"

#include <algorithm>
#include <numeric>
#include <functional>

void NameOrder::addNull() {
    textOf_.push_back(kNull);
}

void NameOrder::addText(std::string_view utf8) {
    textOf_.push_back(idOf(utf8));
}

std::uint32_t NameOrder::idOf(std::string_view utf8) {
    if ((texts_.size() + 1) * 2 > slots_.size()) {
        grow();
    }
    const std::size_t hash = std::hash<std::string_view>{}(utf8);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = slots_[slot];
        if (held == 0) {
            const auto id = static_cast<std::uint32_t>(texts_.size());
            slots_[slot] = id + 1;
            texts_.push_back(utf8);
            hashes_.push_back(hash);
            collator_.appendSortKey(utf8, keys_.open());
            keys_.close();
            return id;
        }
        if (hashes_[held - 1] == hash && text(held - 1) == utf8) {
            return held - 1;
        }
    }
}

void NameOrder::grow() {
    slots_.assign(std::max<std::size_t>(1024, slots_.size() * 2), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint32_t id = 0; id < hashes_.size(); ++id) {
        std::size_t slot = hashes_[id] & mask;
        while (slots_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = id + 1;
    }
}

std::vector<std::uint32_t> NameOrder::rows() const {
    // The distinct texts in key order; equal keys share a rank. Rank 0 is NULL's.
    std::vector<std::uint32_t> byKey(keys_.size());
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(),
              [this](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
    std::vector<std::uint32_t> rankOf(keys_.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < byKey.size(); ++i) {
        if (i == 0 || key(byKey[i]) != key(byKey[i - 1])) {
            ++rank;
        }
        rankOf[byKey[i]] = rank;
    }
    // Counting sort by rank keeps the rows of one rank in adding order.
    const auto rankOfRow = [&](std::uint32_t text) {
        return text == kNull ? 0 : rankOf[text];
    };
    std::vector<std::size_t> start(rank + 2, 0);
    for (const std::uint32_t text : textOf_) {
        ++start[rankOfRow(text) + 1];
    }
    for (std::size_t r = 1; r < start.size(); ++r) {
        start[r] += start[r - 1];
    }
    std::vector<std::uint32_t> ordered(textOf_.size());
    for (std::uint32_t row = 0; row < textOf_.size(); ++row) {
        ordered[start[rankOfRow(textOf_[row])]++] = row;
    }
    return ordered;
}
