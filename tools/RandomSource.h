#pragma once

#include <cstdint>
#include <random>
#include <span>

// Random choices that come out the same for a seed on every platform and library version:
// std::mt19937_64's output is fixed by the C++ standard, and the distributions below are our
// own (the standard library's distributions are implementation-defined).
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}

    // A uniform number in [0, bound); bound must be positive.
    std::uint64_t below(std::uint64_t bound);
    // A uniform number in [low, high].
    std::int64_t between(std::int64_t low, std::int64_t high);
    // True with the probability percent / 100.
    bool percent(unsigned percent) { return below(100) < percent; }

    template <typename T> const T& pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(below(items.size()))];
    }

private:
    std::mt19937_64 engine_;
};
