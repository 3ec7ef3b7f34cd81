#include "platform/text/NarrowText.h"

#include "platform/text/Windows1251.h"

#include <unicode/utf8.h>

#include <array>
#include <cstdint>
#include <memory>

namespace narrow_text {
namespace {

constexpr std::uint8_t kNone = 0; // NUL is ASCII, kept apart below

// The byte of each character of the Basic Multilingual Plane, kNone for none.
const std::array<std::uint8_t, 0x10000>& Bytes() {
    static const auto table = [] {
        auto bytes = std::make_unique<std::array<std::uint8_t, 0x10000>>();
        bytes->fill(kNone);
        const std::array<char16_t, 256>& characters = Windows1251Characters();
        for (int byte = 0x80; byte < 256; ++byte) {
            (*bytes)[characters[static_cast<std::size_t>(byte)]] = static_cast<std::uint8_t>(byte);
        }
        return bytes;
    }();
    return *table;
}

} // namespace

bool AppendNarrow(std::string_view utf8, std::string& out) {
    const std::array<std::uint8_t, 0x10000>& bytes = Bytes();
    const std::size_t start = out.size();
    const auto* text = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t at = 0; at < length;) {
        if (text[at] < 0x80) {
            out.push_back(static_cast<char>(text[at++]));
            continue;
        }
        UChar32 character = 0;
        U8_NEXT(text, at, length, character);
        const std::uint8_t byte = character >= 0x80 && character < 0x10000
                                      ? bytes[static_cast<std::size_t>(character)]
                                      : kNone;
        if (byte == kNone) {
            out.resize(start);
            return false;
        }
        out.push_back(static_cast<char>(byte));
    }
    return true;
}

void AppendUtf8(std::string_view narrow, std::string& out) {
    const std::array<char16_t, 256>& characters = Windows1251Characters();
    for (const char byte : narrow) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) {
            out.push_back(byte);
            continue;
        }
        std::uint8_t encoded[U8_MAX_LENGTH];
        std::int32_t length = 0;
        U8_APPEND_UNSAFE(encoded, length, characters[code]);
        out.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(length));
    }
}

} // namespace narrow_text
