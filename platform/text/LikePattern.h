#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A compiled LIKE pattern over UTF-8 text: `%` stands for any run of characters, `_` for
// exactly one character (code point), every other character for itself, ignoring letter
// case by ICU's simple case folding. An escape character, when given, makes the character
// after it literal. The SQL function like() and the recordset filter both match with it.
//
// The pattern is split at its `%` into segments that are found left to right; a segment
// without `_` is searched for as one block of folded bytes. Matching reuses one buffer for
// the folded value, so it allocates nothing per row once the buffer has grown.
class LikePattern {
public:
    explicit LikePattern(std::string_view utf8Pattern, char32_t escape = 0);

    // A pattern over texts of one byte a character (NarrowText), already folded and in that
    // form: `_` stands for one byte, and nothing is folded.
    struct SingleBytes {};
    LikePattern(std::string_view foldedBytes, SingleBytes);

    bool matches(std::string_view utf8Value) const;
    // The same test on a value already case-folded (CaseFolded), for callers that fold each
    // value once and test it against many patterns.
    bool matchesFolded(std::string_view foldedValue) const { return matchFolded(foldedValue); }

private:
    // A run of literal folded bytes, or one `_`.
    struct Atom {
        bool anyChar = false;
        std::string literal;
    };
    // The part of the pattern between two `%`.
    struct Segment {
        std::vector<Atom> atoms;
        // Horspool shifts by the byte under the window's last byte, for a segment that is one
        // literal: found in a value without trying every position.
        std::array<std::uint8_t, 256> shifts{};

        bool isLiteral() const noexcept { return atoms.size() == 1 && !atoms.front().anyChar; }
        void prepareSearch();
    };

    void compile(std::string_view folded, std::string_view escape);
    bool matchFolded(std::string_view value) const;

    std::size_t charLength(std::string_view value, std::size_t at) const noexcept;
    std::size_t matchAt(const Segment& segment, std::string_view value, std::size_t at) const;
    std::size_t matchEndingAt(const Segment& segment, std::string_view value,
                              std::size_t end) const;
    std::size_t find(const Segment& segment, std::string_view value, std::size_t from,
                     std::size_t& matchEnd) const;
    static std::size_t findLiteral(const Segment& segment, std::string_view value,
                                   std::size_t from);

    std::vector<Segment> segments_;
    bool anchoredStart_ = true; // the pattern does not start with `%`
    bool anchoredEnd_ = true;   // the pattern does not end with `%`
    bool singleBytes_ = false;  // every byte is a character
    mutable std::string folded_;
};
