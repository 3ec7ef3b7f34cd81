#pragma once

#include "grid/GridSearchRequest.h"

#include <QString>
#include <QStringEncoder>

#include <string>

// Compares cell texts with one search pattern. Ignoring case, both texts are folded by the
// database provider's case folding, the one its LIKE uses, so Cyrillic letters match across
// case exactly as a search typed into the window does. An empty pattern or cell never contains
// anything (any part); an empty pattern equals only an empty cell (whole field) and begins
// every cell (from the beginning).
class SearchTextMatcher {
public:
    SearchTextMatcher(const QString& pattern, TGridSearchMatching matching, bool ignoreCase);

    bool Matches(const QString& cell) const;

private:
    bool MatchesFolded(const QString& cell) const;
    bool MatchesFoldedUtf8(const QString& cell) const;
    template <typename Text> bool Compare(const Text& folded, const Text& pattern) const;

    QString pattern_;
    TGridSearchMatching matching_;
    bool ignoreCase_;
    // Whether the pattern lies wholly in the Basic Multilingual Plane, so that a cell that does
    // too is folded one UTF-16 unit at a time.
    bool patternInBmp_ = true;
    std::u32string foldedPattern_;
    std::string foldedPatternUtf8_;
    // Reused for every cell that takes the UTF-8 way, so that it allocates nothing per cell.
    mutable QStringEncoder encoder_{QStringEncoder::Utf8};
    mutable std::string utf8_;
    mutable std::string foldedUtf8_;
};
