#include "tools/RandomSource.h"

std::uint64_t RandomSource::below(std::uint64_t bound) {
    // Rejects the lowest 2^64 mod bound values, so that every remainder is equally likely.
    const std::uint64_t threshold = (0 - bound) % bound;
    for (;;) {
        const std::uint64_t value = engine_();
        if (value >= threshold) {
            return value % bound;
        }
    }
}

std::int64_t RandomSource::between(std::int64_t low, std::int64_t high) {
    const auto span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low) + 1;
    if (span == 0) {
        return static_cast<std::int64_t>(engine_()); // the whole range of std::int64_t
    }
    return low + static_cast<std::int64_t>(below(span));
}
