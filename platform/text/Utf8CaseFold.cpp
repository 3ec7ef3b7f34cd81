#include "platform/text/Utf8CaseFold.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <array>
#include <cstdint>

namespace {

// The two-byte range U+0080..U+07FF holds Latin-1, Greek and Cyrillic: its foldings are
// looked up once, as UTF-8, so that the names of a Russian directory fold without an ICU
// call per letter.
constexpr char32_t kTwoByteFirst = 0x80;
constexpr char32_t kTwoByteLast = 0x7FF;

struct FoldedBytes {
    std::uint8_t length = 0;
    std::array<char, 3> bytes{};
};
using TwoByteTable = std::array<FoldedBytes, kTwoByteLast - kTwoByteFirst + 1>;

// Writes the code point as UTF-8 at out; returns the end.
char* PutCodePoint(char* out, UChar32 c) {
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(reinterpret_cast<std::uint8_t*>(out), length, c);
    return out + length;
}

const TwoByteTable& TwoByteFoldings() {
    static const TwoByteTable table = [] {
        TwoByteTable folded{};
        for (char32_t c = kTwoByteFirst; c <= kTwoByteLast; ++c) {
            FoldedBytes& entry = folded[c - kTwoByteFirst];
            const UChar32 f = u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT);
            entry.length =
                static_cast<std::uint8_t>(PutCodePoint(entry.bytes.data(), f) - entry.bytes.data());
        }
        return folded;
    }();
    return table;
}

bool IsContinuation(unsigned char byte) noexcept {
    return (byte & 0xC0) == 0x80;
}

// Folds text[i..] up to the next ASCII or two-byte character; returns the new output end.
char* FoldOther(const std::uint8_t* text, std::int32_t& i, std::int32_t length, char* out) {
    const std::int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(text, i, length, c);
    if (c < 0) {
        // Not UTF-8: the bytes pass through unchanged.
        for (std::int32_t k = start; k < i; ++k) {
            *out++ = static_cast<char>(text[k]);
        }
        return out;
    }
    return PutCodePoint(out, u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

} // namespace

void AppendCaseFolded(std::string_view utf8, std::string& out) {
    const TwoByteTable& twoByte = TwoByteFoldings();
    const auto* text = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    // Simple folding at most lengthens a character from two bytes to three.
    const std::size_t start = out.size();
    out.resize(start + utf8.size() * 2);
    char* const first = out.data();
    char* o = first + start;
    std::int32_t i = 0;
    while (i < length) {
        const std::uint8_t lead = text[i];
        if (lead < 0x80) {
            *o++ = static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead + ('a' - 'A') : lead);
            ++i;
        } else if (lead >= 0xC2 && lead < 0xE0 && i + 1 < length && IsContinuation(text[i + 1])) {
            const char32_t c = (char32_t(lead & 0x1F) << 6) | (text[i + 1] & 0x3F);
            const FoldedBytes& folded = twoByte[c - kTwoByteFirst];
            o[0] = folded.bytes[0];
            o[1] = folded.bytes[1];
            o[2] = folded.bytes[2];
            o += folded.length;
            i += 2;
        } else {
            o = FoldOther(text, i, length, o);
        }
    }
    out.resize(static_cast<std::size_t>(o - first));
}

std::string CaseFolded(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    AppendCaseFolded(utf8, folded);
    return folded;
}

std::size_t Utf8CharLength(std::string_view text, std::size_t position) noexcept {
    const auto lead = static_cast<unsigned char>(text[position]);
    const std::size_t expected = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::size_t length = 1;
    while (length < expected && position + length < text.size() &&
           IsContinuation(static_cast<unsigned char>(text[position + length]))) {
        ++length;
    }
    return length;
}
