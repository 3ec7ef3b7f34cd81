#include "data/DecimalForm.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

using RawDigits = std::array<char, kMaxDecimalDigits>;

// 10^0 .. 10^27; each one is exact in the 64-bit mantissa of an 80-bit extended value.
constexpr int kExactPowerCount = 28;
constexpr std::array<long double, kExactPowerCount> kPowersOfTen = [] {
    std::array<long double, kExactPowerCount> powers{};
    long double power = 1;
    for (auto& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

constexpr long double kSmallestOf18Digits = 1e17L;
constexpr long double kSmallestOf19Digits = 1e18L;
constexpr int kLog10Of2Times2To18 = 78913;

// x * 10^k: one exact-factor operation for ordinary scales, library powers for far ones.
long double ScaleByPowerOfTen(long double x, int k) {
    if (k >= 0 && k < kExactPowerCount)
        return x * kPowersOfTen[k];
    if (k < 0 && -k < kExactPowerCount)
        return x / kPowersOfTen[-k];
    if (k > 4000) { // subnormal values: 10^k alone would overflow
        x *= 1e4000L;
        k -= 4000;
    }
    return k > 0 ? x * std::pow(10.0L, k) : x / std::pow(10.0L, -k);
}

// E with 10^(E-1) <= ax < 10^E: exact from the table for 1 <= ax < 10^27; elsewhere an
// estimate from the binary exponent that may be one too low, which the caller corrects.
int EstimateDecimalExponent(long double ax) {
    if (ax >= 1 && ax < kPowersOfTen.back()) // the count of powers of ten not above ax
        return int(std::upper_bound(kPowersOfTen.begin(), kPowersOfTen.end(), ax) -
                   kPowersOfTen.begin());
    const int e = ((std::ilogb(ax) * kLog10Of2Times2To18) >> 18) + 1; // floor(b * log10 2) + 1
    if (e <= 0 && -e < kExactPowerCount && ax * kPowersOfTen[-e] >= 1)
        return e + 1;
    return e;
}

long double RoundedScale(long double ax, int e) {
    return std::rint(ScaleByPowerOfTen(ax, kMaxDecimalDigits - e)); // ties to even
}

// |x| * 10^(18-E) as an 18-digit integer; E is corrected to match.
std::uint64_t EighteenDigitInteger(long double ax, int& e) {
    long double scaled = RoundedScale(ax, e);
    if (scaled >= kSmallestOf19Digits)
        scaled = RoundedScale(ax, ++e);
    else if (scaled < kSmallestOf18Digits)
        scaled = RoundedScale(ax, --e);
    if (scaled >= kSmallestOf19Digits) { // only after inexact far powers
        ++e;
        scaled = std::rint(scaled / 10);
    }
    return std::uint64_t(scaled);
}

// value has exactly 18 digits (10^17 <= value < 10^18).
RawDigits ToRawDigits(std::uint64_t value) {
    RawDigits raw;
    std::to_chars(raw.data(), raw.data() + raw.size(), value);
    return raw;
}

// Keeps the first n digits, rounding half up on digit n; returns how many digits remain
// (no trailing zeros). A carry out of the first digit leaves "1" and raises e.
int RoundToDigits(RawDigits& raw, int n, int& e) {
    if (n < kMaxDecimalDigits && raw[n] >= '5') {
        while (n > 0 && raw[n - 1] == '9')
            --n;
        if (n == 0) {
            raw[0] = '1';
            ++e;
            return 1;
        }
        ++raw[n - 1];
        return n;
    }
    while (n > 0 && raw[n - 1] == '0')
        --n;
    return n;
}

} // namespace

DecimalForm ToDecimalForm(long double x, int precision, int decimals) {
    DecimalForm form;
    if (x == 0)
        return form;
    if (std::isnan(x)) {
        form.exponent = kNotANumberExponent;
        return form;
    }
    if (std::isinf(x)) {
        form.exponent = kInfiniteExponent;
        form.negative = std::signbit(x);
        return form;
    }
    const long double ax = std::fabs(x);
    int e = EstimateDecimalExponent(ax);
    RawDigits raw = ToRawDigits(EighteenDigitInteger(ax, e));
    const int kept = e + decimals;
    if (kept < 0)
        return form;
    form.digitCount =
        RoundToDigits(raw, std::clamp(std::min(kept, precision), 0, kMaxDecimalDigits), e);
    form.exponent = e;
    form.negative = form.digitCount > 0 && std::signbit(x);
    form.digits = raw;
    return form;
}
