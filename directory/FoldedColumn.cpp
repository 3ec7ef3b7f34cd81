#include "directory/FoldedColumn.h"

#include "platform/text/NarrowText.h"
#include "platform/text/SideBySide.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

void FoldedColumn::append(bool isNull, std::string_view folded) {
    if (size() % kBlock == 0) {
        if (bytes_.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("a column of the copy outgrew its offsets");
        }
        blocks_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    }
    const std::size_t lengthAt = bytes_.size();
    bytes_.push_back(0);
    if (folded.size() < kWide && narrow_text::AppendNarrow(folded, bytes_)) {
        bytes_[lengthAt] = static_cast<char>(bytes_.size() - lengthAt - 1);
    } else {
        bytes_[lengthAt] = static_cast<char>(kWide);
        wideOf_.push_back(static_cast<std::uint32_t>(size()));
        wideTexts_.push_back(folded);
    }
    isNull_.push_back(isNull);
}

void FoldedColumn::shrinkToFit() {
    bytes_.shrink_to_fit();
    blocks_.shrink_to_fit();
    isNull_.shrink_to_fit();
    wideOf_.shrink_to_fit();
    wideTexts_.shrinkToFit();
}

std::size_t FoldedColumn::find(std::size_t entry) const noexcept {
    return walk(blocks_[entry / kBlock], entry % kBlock);
}

std::size_t FoldedColumn::walk(std::size_t at, std::size_t entries) const noexcept {
    for (; entries > 0; --entries) {
        const auto length = static_cast<unsigned char>(bytes_[at]);
        at += 1 + (length == kWide ? 0 : length);
    }
    return at;
}

std::string_view FoldedColumn::wide(std::size_t entry) const noexcept {
    const auto found = std::lower_bound(wideOf_.begin(), wideOf_.end(), entry);
    return wideTexts_[static_cast<std::size_t>(found - wideOf_.begin())];
}

std::string_view FoldedColumn::utf8(std::size_t entry) const {
    const std::size_t at = find(entry);
    const auto length = static_cast<unsigned char>(bytes_[at]);
    if (length == kWide) {
        return wide(entry);
    }
    thread_local std::string decoded;
    decoded.clear();
    narrow_text::AppendUtf8(std::string_view(bytes_).substr(at + 1, length), decoded);
    return decoded;
}

bool FoldedColumn::matches(const FoldedPattern& pattern, std::size_t entry, std::size_t at) const {
    if (isNull_[entry]) {
        return false;
    }
    const auto length = static_cast<unsigned char>(bytes_[at]);
    return length == kWide ? pattern.matchesUtf8(wide(entry))
                           : pattern.matchesNarrow(std::string_view(bytes_).substr(at + 1, length));
}

std::vector<std::uint32_t> FoldedColumn::matching(const FoldedPattern& pattern) const {
    if (size() < kItemsWorthAThread) {
        return matching(pattern, 0, size());
    }
    // Two halves, one on each core; the second starts at a block.
    const std::size_t half = blocks_.size() / 2 * kBlock;
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> second;
    RunSideBySide([&] { first = matching(pattern, 0, half); },
                  [&] { second = matching(pattern, half, size()); });
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<std::uint32_t> FoldedColumn::matching(const FoldedPattern& pattern, std::size_t from,
                                                  std::size_t to) const {
    std::vector<std::uint32_t> found;
    std::size_t at = from < size() ? find(from) : bytes_.size();
    for (std::size_t entry = from; entry < to; ++entry) {
        if (matches(pattern, entry, at)) {
            found.push_back(static_cast<std::uint32_t>(entry));
        }
        const auto length = static_cast<unsigned char>(bytes_[at]);
        at += 1 + (length == kWide ? 0 : length);
    }
    return found;
}

std::vector<std::uint32_t>
FoldedColumn::matchingAmong(const FoldedPattern& pattern,
                            std::span<const std::uint32_t> entries) const {
    // The entries lie far apart in a large column, so each costs a wait for memory. They are
    // taken a batch at a time: where each text starts is asked for all of the batch first, so
    // that those waits overlap, before the texts are walked to and tested.
    constexpr std::size_t kBatch = 16;
    std::vector<std::uint32_t> found;
    std::array<std::size_t, kBatch> starts{};
    for (std::size_t first = 0; first < entries.size(); first += kBatch) {
        const std::span<const std::uint32_t> batch =
            entries.subspan(first, std::min(kBatch, entries.size() - first));
        for (std::size_t i = 0; i < batch.size(); ++i) {
            starts[i] = blocks_[batch[i] / kBlock];
            __builtin_prefetch(bytes_.data() + starts[i]);
        }
        for (std::size_t i = 0; i < batch.size(); ++i) {
            if (matches(pattern, batch[i], walk(starts[i], batch[i] % kBlock))) {
                found.push_back(batch[i]);
            }
        }
    }
    return found;
}

std::size_t FoldedColumn::bytesHeld() const noexcept {
    return bytes_.capacity() + blocks_.capacity() * sizeof(std::uint32_t) + isNull_.capacity() / 8 +
           wideOf_.capacity() * sizeof(std::uint32_t) + wideTexts_.bytesHeld();
}
