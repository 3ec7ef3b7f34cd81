#include "grid/GridColumnAxis.h"

#include <algorithm>

namespace {

// The pixels right of a handle's line that still grab it, beyond the tolerance on its left.
constexpr int HandleReach = 7;
// The right end of the client area grabs the cut-off column within these pixels.
constexpr int RightEdgeReach = 3;

} // namespace

GridColumnAxis::GridColumnAxis(const std::vector<int>& widths, int fixedCount, int leftCol,
                               int lineWidth)
    : widths_(widths), fixedCount_(std::clamp(fixedCount, 0, static_cast<int>(widths.size()))),
      leftCol_(std::max(leftCol, fixedCount_)), lineWidth_(lineWidth) {
    starts_.resize(widths_.size() + 1);
    int x = 0;
    for (int col = 0; col < Count(); ++col) {
        starts_[static_cast<std::size_t>(col)] = x;
        if (Shown(col))
            x += std::max(Width(col) + lineWidth_, 0);
    }
    starts_.back() = x;
}

int GridColumnAxis::IndexAt(int x) const {
    if (x < 0 || x >= starts_.back())
        return -1;
    // The first column that ends right of x; scrolled-off columns end where they start.
    const auto end = std::upper_bound(starts_.begin() + 1, starts_.end(), x);
    const int col = static_cast<int>(end - starts_.begin()) - 1;
    return Shown(col) ? col : -1;
}

int GridColumnAxis::LastShown(int clientWidth) const {
    int last = -1;
    for (int col = leftCol_; col < Count() && Start(col) < clientWidth; ++col)
        last = col;
    return last;
}

bool GridColumnAxis::FitFrom(int leftCol, int clientWidth) const {
    int x = FixedEnd();
    for (int col = leftCol; col < Count(); ++col)
        x += std::max(Width(col) + lineWidth_, 0);
    return x <= clientWidth + lineWidth_;
}

int GridColumnAxis::MaxLeftCol(int clientWidth) const {
    // The columns from a left column on fit, or from every later one too: walking leftwards
    // from the last column, the room they take only grows.
    int maxLeft = -1;
    int x = FixedEnd();
    for (int col = Count() - 1; col >= fixedCount_; --col) {
        x += std::max(Width(col) + lineWidth_, 0);
        if (x > clientWidth + lineWidth_)
            break;
        maxLeft = col;
    }
    return maxLeft >= 0 ? maxLeft : std::max(Count() - 1, fixedCount_);
}

ColumnHandle GridColumnAxis::HandleAt(int x, int clientWidth) const {
    // A thin line grabs from a little left of it to a little right; a wide one only itself.
    const bool thin = lineWidth_ <= 6;
    const int from = thin ? -(HandleReach - lineWidth_) / 2 : 0;
    const int to = thin ? from + HandleReach : lineWidth_;
    const int visibleEnd = std::min(starts_.back(), clientWidth);
    int line = FixedEnd();
    for (int col = leftCol_; col < Count() && line <= visibleEnd; ++col) {
        if (Width(col) < 0)
            continue;
        line += Width(col);
        if (x >= line + from && x <= line + to)
            return {col, line};
        line += lineWidth_;
    }
    if (FitFrom(leftCol_, clientWidth) || x < clientWidth - RightEdgeReach || x > clientWidth)
        return {};
    // The first column the client area does not hold whole, or the left column.
    for (int col = leftCol_; col < Count(); ++col) {
        if (End(col) - lineWidth_ > clientWidth)
            return {col, clientWidth};
    }
    return {leftCol_, clientWidth};
}
