#pragma once

#include "platform/db/RussianCollator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Finds the order ORDER BY Name gives on the provider's connection for rows added one by one
// in rowid order: NULL first, then texts in Russian order by their ICU sort keys (as
// ru_sortkey sorts them), rows with equal keys in the order they were added.
//
// Each distinct text is keyed once, the distinct keys are sorted, and the rows are then
// placed by their key's rank in one counting pass.
class NameOrder {
public:
    void addNull();
    void addText(std::string_view utf8);

    // Every row added, as its index in adding order, in Name order.
    std::vector<std::uint32_t> rows() const;

private:
    static constexpr std::uint32_t kNull = UINT32_MAX;

    std::string_view key(std::uint32_t text) const;

    RussianCollator collator_;
    std::unordered_map<std::string, std::uint32_t> textIds_;
    std::string keys_;                 // the distinct texts' sort keys, one after another
    std::vector<std::size_t> keyEnds_; // by text id
    std::vector<std::uint32_t> textOf_; // by row: its text id, or kNull
};
