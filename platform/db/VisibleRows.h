#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The stored rows a recordset shows, in store order: either every row (held as a count, so
// an unfiltered result of a million rows costs nothing here) or a list of row indexes.
class VisibleRows {
public:
    // Shows rows 0 .. count-1.
    void showAll(std::size_t count);
    // Shows the given rows, which must be ascending.
    void show(std::vector<std::uint32_t> rows);

    std::size_t size() const noexcept { return all_ ? count_ : rows_.size(); }
    bool empty() const noexcept { return size() == 0; }
    // The stored row at a position.
    std::size_t operator[](std::size_t position) const { return all_ ? position : rows_[position]; }
    // The position of a stored row, when it is shown.
    std::optional<std::size_t> find(std::size_t row) const;

    // Shows one more row; it must come after every shown row.
    void append(std::size_t row);
    // Stops showing the row at a position.
    void erase(std::size_t position);

private:
    void materialize();

    bool all_ = true;
    std::size_t count_ = 0;
    std::vector<std::uint32_t> rows_;
};
