#include "platform/db/VisibleRows.h"

#include <algorithm>
#include <numeric>

void VisibleRows::showAll(std::size_t count) {
    all_ = true;
    count_ = count;
    rows_.clear();
    rows_.shrink_to_fit();
}

void VisibleRows::show(std::vector<std::uint32_t> rows) {
    all_ = false;
    count_ = 0;
    rows_ = std::move(rows);
    rows_.shrink_to_fit();
}

std::optional<std::size_t> VisibleRows::find(std::size_t row) const {
    if (all_) {
        return row < count_ ? std::optional<std::size_t>(row) : std::nullopt;
    }
    const auto found =
        std::lower_bound(rows_.begin(), rows_.end(), row,
                         [](std::uint32_t shown, std::size_t wanted) { return shown < wanted; });
    if (found == rows_.end() || *found != row) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - rows_.begin());
}

void VisibleRows::append(std::size_t row) {
    if (all_ && row == count_) {
        ++count_;
        return;
    }
    materialize();
    rows_.push_back(static_cast<std::uint32_t>(row));
}

void VisibleRows::erase(std::size_t position) {
    materialize();
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position));
}

void VisibleRows::materialize() {
    if (!all_) {
        return;
    }
    rows_.resize(count_);
    std::iota(rows_.begin(), rows_.end(), std::uint32_t{0});
    all_ = false;
    count_ = 0;
}
