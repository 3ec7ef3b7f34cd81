#pragma once

#include "platform/text/PackedStrings.h"
#include "platform/text/RussianCollator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Finds the order ORDER BY Name gives on the provider's connection for rows added one by one
// in rowid order: NULL first, then texts in Russian order by their ICU sort keys (as
// ru_sortkey sorts them), rows with equal keys in the order they were added.
//
// Each distinct text is keyed once, the distinct keys are sorted, and the rows are then
// placed by their key's rank in one counting pass. The distinct texts are found through an
// open-addressing table over one block of text bytes, which a million rows cross far faster
// than a node-based map of strings.
class NameOrder {
public:
    void addNull();
    void addText(std::string_view utf8);

    // Every row added, as its index in adding order, in Name order.
    std::vector<std::uint32_t> rows() const;

private:
    static constexpr std::uint32_t kNull = UINT32_MAX;

    std::string_view key(std::uint32_t text) const { return keys_[text]; }
    std::string_view text(std::uint32_t id) const { return texts_[id]; }
    // The id of the text, added when new.
    std::uint32_t idOf(std::string_view utf8);
    void grow();

    RussianCollator collator_;
    PackedStrings<> texts_;             // the distinct texts, by text id
    std::vector<std::size_t> hashes_;   // by text id
    std::vector<std::uint32_t> slots_;  // text id + 1 by hash, 0 when free; a power of two
    PackedStrings<> keys_;              // the distinct texts' sort keys, by text id
    std::vector<std::uint32_t> textOf_; // by row: its text id, or kNull
};
