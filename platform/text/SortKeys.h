#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Sort keys held one after another in one block of bytes, each ending with a zero byte and
// holding no other (as ICU makes them), put in order without comparing whole keys pairwise.
class SortKeys {
public:
    // A key is appended to bytes() by its maker; endKey() then closes it.
    std::string& bytes() noexcept { return bytes_; }
    void endKey() { ends_.push_back(bytes_.size()); }
    std::size_t size() const noexcept { return ends_.size(); }

    // The keys' indexes in the order of their bytes (unsigned, a shorter key first on a common
    // start), equal keys in the order they were added.
    std::vector<std::size_t> order() const;

private:
    std::string_view key(std::size_t index) const noexcept;

    std::string bytes_;
    std::vector<std::size_t> ends_;
};
