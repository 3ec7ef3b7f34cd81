#pragma once

#include "directory/FoldedPattern.h"
#include "platform/text/PackedStrings.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One column's folded texts (as LIKE sees them) for every entry of the copy, in little memory.
// A text of one byte a character (narrow_text), which is nearly every text of a Russian
// directory, is kept after one byte of its length; the entries follow each other, and the
// place of every 8th is noted, so that finding one entry steps over a few texts at most. Any other
// text is kept in UTF-8 beside them. NULL has no text.
class FoldedColumn {
public:
    // Adds the next entry. Throws std::length_error when the column outgrows its offsets.
    void append(bool isNull, std::string_view folded);
    // Lets go of the room kept for growing.
    void shrinkToFit();

    std::size_t size() const noexcept { return isNull_.size(); }
    bool isNull(std::size_t entry) const noexcept { return isNull_[entry]; }
    // The entry's text in UTF-8. The view lasts until the next call on the same thread.
    std::string_view utf8(std::size_t entry) const;

    // The entries whose text matches, ascending; a long column is searched in two halves side
    // by side.
    std::vector<std::uint32_t> matching(const FoldedPattern& pattern) const;
    // The same among these entries (ascending).
    std::vector<std::uint32_t> matchingAmong(const FoldedPattern& pattern,
                                             std::span<const std::uint32_t> entries) const;

    std::size_t bytesHeld() const noexcept;

private:
    static constexpr std::size_t kBlock = 8;
    // The length byte of a text kept in UTF-8 beside the others.
    static constexpr unsigned char kWide = 255;

    // Where the entry's length byte is.
    std::size_t find(std::size_t entry) const noexcept;
    // Where the length byte is of the entry that many entries after the one at `at`.
    std::size_t walk(std::size_t at, std::size_t entries) const noexcept;
    bool matches(const FoldedPattern& pattern, std::size_t entry, std::size_t at) const;
    // The entries from `from` up to `to` whose text matches.
    std::vector<std::uint32_t> matching(const FoldedPattern& pattern, std::size_t from,
                                        std::size_t to) const;
    std::string_view wide(std::size_t entry) const noexcept;

    std::string bytes_;                      // by entry: length byte, narrow text
    std::vector<std::uint32_t> blocks_;      // where every kBlock-th entry starts in bytes_
    std::vector<bool> isNull_;               // by entry
    std::vector<std::uint32_t> wideOf_;      // the entries kept in UTF-8, ascending
    PackedStrings<std::uint32_t> wideTexts_; // their texts
};
