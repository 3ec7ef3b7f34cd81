#include "platform/db/PlainNumberText.h"

#include <charconv>
#include <cmath>

namespace {

// Integral doubles below this magnitude are exact integers and print as digits.
constexpr double kIntegerDigitsLimit = 1e15;

} // namespace

PlainNumberText::PlainNumberText(double value) {
    char* const first = buffer_.data();
    char* const last = first + buffer_.size();
    std::to_chars_result result;
    if (std::isfinite(value) && std::trunc(value) == value &&
        std::fabs(value) < kIntegerDigitsLimit) {
        result = std::to_chars(first, last, static_cast<std::int64_t>(value));
    } else {
        result = std::to_chars(first, last, value); // shortest round-trip form
    }
    length_ = static_cast<std::size_t>(result.ptr - first);
}

PlainNumberText::PlainNumberText(std::int64_t value) {
    char* const first = buffer_.data();
    const auto result = std::to_chars(first, first + buffer_.size(), value);
    length_ = static_cast<std::size_t>(result.ptr - first);
}
