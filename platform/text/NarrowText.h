#pragma once

#include <string>
#include <string_view>

// Text of one byte a character, for keeping many short texts in little memory: a text whose
// every character Windows-1251 holds (Latin and Cyrillic letters, digits, the usual
// punctuation, "№") is that code page's bytes, half the size of its UTF-8 for Russian. LIKE
// matches such a text with a pattern in the same form (LikePattern::SingleBytes).
namespace narrow_text {

// Appends the UTF-8 text in one byte a character; false (and `out` as it was) when the text
// holds a character the code page does not, or is not valid UTF-8.
bool AppendNarrow(std::string_view utf8, std::string& out);

// Appends the text of one byte a character as UTF-8.
void AppendUtf8(std::string_view narrow, std::string& out);

} // namespace narrow_text
