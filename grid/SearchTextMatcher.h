#pragma once

#include "grid/GridSearchRequest.h"

#include <QByteArray>
#include <QString>

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

    QString pattern_;
    std::string foldedPattern_;
    TGridSearchMatching matching_;
    bool ignoreCase_;
    // Reused for every cell, so that a long search allocates once.
    mutable std::string folded_;
};
