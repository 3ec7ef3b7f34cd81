#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The plain text of a number as LIKE and the recordset filter see it: an integral double
// below 1e15 in magnitude reads as its integer digits ("23456", never "23456.0"), any other
// double in its shortest round-trip form ("0.5", "1e+20"), an integer as its digits.
class PlainNumberText {
public:
    explicit PlainNumberText(double value);
    explicit PlainNumberText(std::int64_t value);

    std::string_view view() const noexcept { return {buffer_.data(), length_}; }

private:
    std::array<char, 32> buffer_{};
    std::size_t length_ = 0;
};
