#pragma once

#include <array>
#include <string_view>

// The decimals count that puts no limit on the digits after the decimal point.
inline constexpr int kNoDecimalsLimit = 9999;
// The exponents that mark the two values without digits.
inline constexpr int kInfiniteExponent = 32767;
inline constexpr int kNotANumberExponent = -32768;
// The most significant digits a decimal form holds.
inline constexpr int kMaxDecimalDigits = 18;

// A value as 0.d1 d2 d3 ... x 10^exponent, the common first step of the number formatters.
struct DecimalForm {
    int exponent = 0;
    bool negative = false; // false for zero, not-a-number and zero after rounding
    int digitCount = 0;    // 0 for zero and for a value that rounds to zero
    // The first digitCount entries are the ASCII digits, without trailing zeros.
    std::array<char, kMaxDecimalDigits> digits = {};

    bool isInfinite() const { return exponent == kInfiniteExponent; }
    bool isNotANumber() const { return exponent == kNotANumberExponent; }
    std::string_view digitText() const { return {digits.data(), std::size_t(digitCount)}; }
};

// Rounds x to at most `precision` significant digits and `decimals` digits after the point
// (kNoDecimalsLimit: no limit), half away from zero after rounding to 18 significant digits.
DecimalForm ToDecimalForm(long double x, int precision, int decimals);
