#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// How RowStore encodes one value. Each value starts with a tag byte: its kind in the low three
// bits and, for text and blobs, the length in the high five when it is below kInlineLength
// (else kInlineLength, and a varint length follows). Integers, and doubles with an integral
// value below 2^53 (phone numbers), follow as zig-zag varints; other doubles as 8 bytes.
namespace row_encoding {

enum Tag : std::uint8_t { kNull, kInteger, kReal, kIntegralReal, kText, kBlob };
inline constexpr unsigned kTagBits = 3;
inline constexpr std::uint8_t kTagMask = (1u << kTagBits) - 1;
inline constexpr std::size_t kInlineLength = 31;
inline constexpr double kIntegralRealLimit = 9007199254740992.0; // 2^53
// The most bytes a value takes besides its text: the tag and a ten-byte varint.
inline constexpr std::size_t kMostScalarBytes = 11;

inline std::uint64_t ZigZag(std::int64_t value) noexcept {
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

inline std::int64_t UnZigZag(std::uint64_t value) noexcept {
    return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

inline bool IsIntegralReal(double value) noexcept {
    return value > -kIntegralRealLimit && value < kIntegralRealLimit &&
           static_cast<double>(static_cast<std::int64_t>(value)) == value &&
           !(value == 0 && std::signbit(value));
}

inline std::uint8_t* PutVarint(std::uint8_t* out, std::uint64_t value) noexcept {
    while (value >= 0x80) {
        *out++ = static_cast<std::uint8_t>(value | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<std::uint8_t>(value);
    return out;
}

inline std::uint8_t* PutInteger(std::uint8_t* out, std::int64_t value) noexcept {
    *out++ = kInteger;
    return PutVarint(out, ZigZag(value));
}

inline std::uint8_t* PutReal(std::uint8_t* out, double value) noexcept {
    if (IsIntegralReal(value)) {
        *out++ = kIntegralReal;
        return PutVarint(out, ZigZag(static_cast<std::int64_t>(value)));
    }
    *out++ = kReal;
    std::memcpy(out, &value, sizeof(double));
    return out + sizeof(double);
}

inline std::uint8_t* PutBytes(std::uint8_t* out, Tag tag, std::string_view bytes) noexcept {
    const std::size_t length = bytes.size();
    if (length < kInlineLength) {
        *out++ = static_cast<std::uint8_t>(tag | (length << kTagBits));
    } else {
        *out++ = static_cast<std::uint8_t>(tag | (kInlineLength << kTagBits));
        out = PutVarint(out, length);
    }
    if (length > 0) {
        std::memcpy(out, bytes.data(), length);
    }
    return out + length;
}

} // namespace row_encoding
