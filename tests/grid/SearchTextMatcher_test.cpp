// Comparing cell texts with a search pattern: the three kinds of matching with and without
// letter case, empty texts, and Cyrillic folding that agrees with the provider's LIKE.
#include "grid/SearchTextMatcher.h"
#include "platform/text/LikePattern.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    const char* pattern;
    const char* cell;
    TGridSearchMatching matching;
    bool ignoreCase;
    bool matches;
};

constexpr bool Ignore = true;
constexpr bool Exact = false;

const MatchCase Cases[] = {
    // Any part.
    {"иван", "ИВАНОВ ПЁТР", gsmAnyPart, Ignore, true},
    {"иван", "ИВАНОВ ПЁТР", gsmAnyPart, Exact, false},
    {"ВАН", "ИВАНОВ", gsmAnyPart, Exact, true},
    {"пётр", "ИВАНОВ ПЁТР", gsmAnyPart, Ignore, true},
    {"петр", "ИВАНОВ ПЁТР", gsmAnyPart, Ignore, false}, // Ё is not Е
    {"lenina", "LENINA 12", gsmAnyPart, Ignore, true},
    {"", "ИВАНОВ", gsmAnyPart, Ignore, false},
    {"", "ИВАНОВ", gsmAnyPart, Exact, false},
    {"", "", gsmAnyPart, Ignore, false},
    {"а", "", gsmAnyPart, Exact, false},
    {"20-00-15", "20-00-15", gsmAnyPart, Exact, true},
    // Whole field.
    {"петров", "ПЕТРОВ", gsmWholeField, Ignore, true},
    {"петров", "ПЕТРОВ", gsmWholeField, Exact, false},
    {"ПЕТРОВ", "ПЕТРОВ", gsmWholeField, Exact, true},
    {"петр", "ПЕТРОВ", gsmWholeField, Ignore, false},
    {"", "", gsmWholeField, Ignore, true},
    {"", "", gsmWholeField, Exact, true},
    {"", "ПЕТРОВ", gsmWholeField, Ignore, false},
    // From the beginning.
    {"пет", "Петров", gsmFromBeginning, Ignore, true},
    {"пет", "Петров", gsmFromBeginning, Exact, false},
    {"Пет", "Петров", gsmFromBeginning, Exact, true},
    {"ров", "Петров", gsmFromBeginning, Ignore, false},
    {"Петрова", "Петров", gsmFromBeginning, Ignore, false},
    {"", "Петров", gsmFromBeginning, Ignore, true},
    {"", "", gsmFromBeginning, Ignore, true},
    {"", "", gsmFromBeginning, Exact, true},
    {"ёл", "ЁЛКИН", gsmFromBeginning, Ignore, true},
    {"ел", "ЁЛКИН", gsmFromBeginning, Ignore, false},
};

TEST(SearchTextMatcher, MatchingTable) {
    for (const MatchCase& c : Cases) {
        const SearchTextMatcher matcher(QString::fromUtf8(c.pattern), c.matching, c.ignoreCase);
        EXPECT_EQ(matcher.Matches(QString::fromUtf8(c.cell)), c.matches)
            << "pattern \"" << c.pattern << "\", cell \"" << c.cell << "\", matching " << c.matching
            << (c.ignoreCase ? ", ignoring case" : ", with case");
    }
}

// Ignoring case, each kind of matching agrees with the provider's LIKE: any part with
// '%pattern%', whole field with 'pattern', from the beginning with 'pattern%'. So the grid's
// search and the window's search agree on every alphabet, letters outside the Basic
// Multilingual Plane included.
TEST(SearchTextMatcher, IgnoringCaseAgreesWithTheProvidersLike) {
    const char* const texts[] = {"Ёлкин",       "ЕЛКИН", "ёлка",   "Іван",  "ІВАН",  "Straße",
                                 "STRASSE",     "Ωμέγα", "ΩΜΈΓΑ",  "Œuvre", "œuvre", "Ǆemal",
                                 "ǆemal ǅemal", "x",     "ПЕТРОВ", "K",     "k",     "𐐀x",
                                 "𐐨X",          "𐐀",     "ﬀ",      "FF"};
    struct Kind {
        TGridSearchMatching matching;
        const char* before;
        const char* after;
    };
    const Kind kinds[] = {
        {gsmAnyPart, "%", "%"}, {gsmWholeField, "", ""}, {gsmFromBeginning, "", "%"}};
    for (const Kind& kind : kinds) {
        for (const char* pattern : texts) {
            const SearchTextMatcher matcher(QString::fromUtf8(pattern), kind.matching, true);
            const LikePattern like(std::string(kind.before) + pattern + kind.after);
            for (const char* cell : texts) {
                EXPECT_EQ(matcher.Matches(QString::fromUtf8(cell)), like.matches(cell))
                    << "pattern \"" << pattern << "\", cell \"" << cell << "\", matching "
                    << kind.matching;
            }
        }
    }
}

// Reused for many cells, the matcher keeps no trace of an earlier cell.
TEST(SearchTextMatcher, EachCellIsComparedOnItsOwn) {
    const SearchTextMatcher matcher(QStringLiteral("петров"), gsmWholeField, true);
    EXPECT_TRUE(matcher.Matches(QStringLiteral("ПЕТРОВ")));
    EXPECT_FALSE(matcher.Matches(QStringLiteral("ПЕТРОВА")));
    EXPECT_FALSE(matcher.Matches(QStringLiteral("ПЕТР")));
    EXPECT_TRUE(matcher.Matches(QStringLiteral("Петров")));
}

} // namespace
