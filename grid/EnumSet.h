#pragma once

#include <cstdint>
#include <initializer_list>

// A set of the values of an enumeration whose values are 0..63, written like a literal set:
// `{dgTitles, dgIndicator}`. Used for the grid's option sets and assigned-value flags.
template <typename Enum> class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<Enum> values) {
        for (Enum value : values)
            Include(value);
    }

    constexpr bool Contains(Enum value) const { return (bits_ & Bit(value)) != 0; }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr EnumSet& Include(Enum value) {
        bits_ |= Bit(value);
        return *this;
    }
    constexpr EnumSet& Exclude(Enum value) {
        bits_ &= ~Bit(value);
        return *this;
    }
    // Includes or excludes the value.
    constexpr EnumSet& Set(Enum value, bool on) { return on ? Include(value) : Exclude(value); }

    friend constexpr EnumSet operator+(EnumSet a, EnumSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr EnumSet operator-(EnumSet a, EnumSet b) {
        return FromBits(a.bits_ & ~b.bits_);
    }
    friend constexpr bool operator==(EnumSet, EnumSet) = default;

private:
    static constexpr std::uint64_t Bit(Enum value) {
        return std::uint64_t{1} << static_cast<unsigned>(value);
    }
    static constexpr EnumSet FromBits(std::uint64_t bits) {
        EnumSet set;
        set.bits_ = bits;
        return set;
    }

    std::uint64_t bits_ = 0;
};
