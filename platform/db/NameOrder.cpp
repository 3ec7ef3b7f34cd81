#include "platform/db/NameOrder.h"

#include <algorithm>

void NameOrder::addNull() {
    textOf_.push_back(kNull);
}

void NameOrder::addText(std::string_view utf8) {
    const auto [found, added] =
        textIds_.try_emplace(std::string(utf8), static_cast<std::uint32_t>(keyEnds_.size()));
    if (added) {
        collator_.appendSortKey(utf8, keys_);
        keyEnds_.push_back(keys_.size());
    }
    textOf_.push_back(found->second);
}

std::string_view NameOrder::key(std::uint32_t text) const {
    const std::size_t begin = text == 0 ? 0 : keyEnds_[text - 1];
    return std::string_view(keys_).substr(begin, keyEnds_[text] - begin);
}

std::vector<std::uint32_t> NameOrder::rows() const {
    // The distinct texts in key order; equal keys share a rank. Rank 0 is NULL's.
    std::vector<std::uint32_t> byKey(keyEnds_.size());
    for (std::uint32_t text = 0; text < byKey.size(); ++text) {
        byKey[text] = text;
    }
    std::sort(byKey.begin(), byKey.end(),
              [this](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
    std::vector<std::uint32_t> rankOf(keyEnds_.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < byKey.size(); ++i) {
        if (i == 0 || key(byKey[i]) != key(byKey[i - 1])) {
            ++rank;
        }
        rankOf[byKey[i]] = rank;
    }
    // Counting sort by rank keeps the rows of one rank in adding order.
    const auto rankOfRow = [&](std::uint32_t text) { return text == kNull ? 0 : rankOf[text]; };
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
