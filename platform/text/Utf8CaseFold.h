#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Case-insensitive text in UTF-8: ICU's simple case folding applied to each code point, so
// that "ИВАНОВ", "Иванов" and "иванов" fold alike, and so do "Ё" and "ё". Simple folding
// maps one code point to one code point, so folded text has as many characters as the
// original. Bytes that are not valid UTF-8 pass through unchanged.

// Appends the folded form of utf8 to out.
void AppendCaseFolded(std::string_view utf8, std::string& out);

// The folded form of utf8.
std::string CaseFolded(std::string_view utf8);

// The byte length of the character that starts at text[position] (1 for a stray byte).
std::size_t Utf8CharLength(std::string_view text, std::size_t position) noexcept;
