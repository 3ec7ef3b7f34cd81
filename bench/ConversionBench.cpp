// The number formatters against the C library's "%.15g" on the same phone numbers.
#include "Ratio.h"

#include "data/FloatToStr.h"
#include "data/FormatFloat.h"

#include <array>
#include <cstdio>
#include <random>

namespace {

// A fixed spread of 5-, 6- and 7-digit phone numbers.
const std::vector<double>& PhoneNumbers() {
    static const std::vector<double> numbers = [] {
        std::mt19937 random(20060101);
        std::uniform_int_distribution<int> digitCount(5, 7);
        std::vector<double> values;
        for (int i = 0; i < 4096; ++i) {
            const int digits = digitCount(random);
            const int low = digits == 5 ? 10000 : digits == 6 ? 100000 : 1000000;
            values.push_back(std::uniform_int_distribution<int>(low, low * 10 - 1)(random));
        }
        return values;
    }();
    return numbers;
}

std::array<char, 32> PrintfGeneral(double value) {
    std::array<char, 32> text;
    std::snprintf(text.data(), text.size(), "%.15g", value);
    return text;
}

void BM_FormatFloatPhoneMask(benchmark::State& state) {
    bench::RunWithRatio(
        state, PhoneNumbers(), [](double value) { return FormatFloat(u"#-##-##", value); },
        PrintfGeneral);
}
BENCHMARK(BM_FormatFloatPhoneMask);

void BM_FloatToStr(benchmark::State& state) {
    bench::RunWithRatio(
        state, PhoneNumbers(), [](double value) { return FloatToStr(value); }, PrintfGeneral);
}
BENCHMARK(BM_FloatToStr);

} // namespace
