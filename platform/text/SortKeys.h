#pragma once

#include "platform/text/PackedStrings.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Sort keys held one after another in one block of bytes, each ending with a zero byte and
// holding no other (as ICU makes them), put in order without comparing whole keys pairwise.
class SortKeys {
public:
    // A key is appended to bytes() by its maker; endKey() then closes it.
    std::string& bytes() noexcept { return keys_.open(); }
    void endKey() { keys_.close(); }
    std::size_t size() const noexcept { return keys_.size(); }
    // Appends another set's keys after these.
    void append(const SortKeys& more);

    // The keys' indexes in the order of their bytes (unsigned, a shorter key first on a common
    // start), equal keys in the order they were added.
    std::vector<std::size_t> order() const;

private:
    std::string_view key(std::size_t index) const noexcept { return keys_[index]; }
    // The order of the keys [begin, end).
    std::vector<std::size_t> orderOf(std::size_t begin, std::size_t end) const;

    PackedStrings<> keys_;
};
