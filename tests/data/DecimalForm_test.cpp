#include "data/DecimalForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct DecimalFormCase {
    long double value;
    int precision;
    int decimals;
    int exponent;
    bool negative;
    const char* digits;
};

void ExpectForms(std::initializer_list<DecimalFormCase> cases) {
    for (const DecimalFormCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << double(c.value) << " precision "
                                        << c.precision << " decimals " << c.decimals);
        const DecimalForm form = ToDecimalForm(c.value, c.precision, c.decimals);
        EXPECT_EQ(form.exponent, c.exponent);
        EXPECT_EQ(form.negative, c.negative);
        EXPECT_EQ(std::string(form.digitText()), c.digits);
    }
}

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNan = std::numeric_limits<long double>::quiet_NaN();

TEST(DecimalForm, ValuesWithoutDigits) {
    ExpectForms({
        {0.0L, 18, kNoDecimalsLimit, 0, false, ""},
        {-0.0L, 18, kNoDecimalsLimit, 0, false, ""},
        {kInf, 18, kNoDecimalsLimit, kInfiniteExponent, false, ""},
        {-kInf, 18, kNoDecimalsLimit, kInfiniteExponent, true, ""},
        {kNan, 18, kNoDecimalsLimit, kNotANumberExponent, false, ""},
        {-kNan, 18, kNoDecimalsLimit, kNotANumberExponent, false, ""},
    });
}

TEST(DecimalForm, DigitsAndExponent) {
    ExpectForms({
        {23456, 18, kNoDecimalsLimit, 5, false, "23456"},
        {-23456, 15, kNoDecimalsLimit, 5, true, "23456"},
        {23400, 18, 0, 5, false, "234"},
        {1e-5, 15, kNoDecimalsLimit, -4, false, "1"},
        {123456789012345678.0L, 18, kNoDecimalsLimit, 18, false, "123456789012345678"},
        {1234.5678, 18, 2, 4, false, "123457"},
        // 0.1 as a double is 0.1000000000000000055...; its 18 digits show that.
        {0.1, 18, kNoDecimalsLimit, 0, false, "100000000000000006"},
        {0.1L, 18, kNoDecimalsLimit, 0, false, "1"},
    });
}

TEST(DecimalForm, RoundsHalfAwayFromZeroAtTheKeptDigit) {
    ExpectForms({
        {0.5, 18, 0, 1, false, "1"},
        {-0.5, 18, 0, 1, true, "1"},
        {0.125, 18, 2, 0, false, "13"},
        {9.5, 1, kNoDecimalsLimit, 2, false, "1"},
        {99.5, 2, kNoDecimalsLimit, 3, false, "1"},
        {9.99, 2, kNoDecimalsLimit, 2, false, "1"},
        {0.006, 18, 2, -1, false, "1"},
        // Rounded to 18 digits first: 2.4999999999999999997... becomes 2.5, then 3.
        {std::nextafter(2.5L, 0.0L), 1, kNoDecimalsLimit, 1, false, "3"},
        // Rounding to 18 digits reaches 10^18 and moves the exponent.
        {999999999999999999.5L, 18, kNoDecimalsLimit, 19, false, "1"},
    });
}

TEST(DecimalForm, RoundingToZeroIsNotNegative) {
    ExpectForms({
        {0.4, 18, 0, 0, false, ""},
        {-0.4, 18, 0, 0, false, ""},
        {0.004, 18, 2, -2, false, ""},
        {-0.001, 18, 1, 0, false, ""}, // fewer kept places than leading zeros
    });
}

TEST(DecimalForm, FarExponents) {
    ExpectForms({
        {1e300, 15, kNoDecimalsLimit, 301, false, "1"},
        {1e-300, 15, kNoDecimalsLimit, -299, false, "1"},
        {1e25, 15, kNoDecimalsLimit, 26, false, "1"},
        {std::numeric_limits<long double>::max(), 15, kNoDecimalsLimit, 4933, false,
         "118973149535723"},
        {-std::numeric_limits<long double>::denorm_min(), 15, kNoDecimalsLimit, -4950, true,
         "364519953188247"},
    });
}

} // namespace
