// The copy's texts kept one byte a character where they can be, in UTF-8 where they cannot:
// a pattern finds the same texts either way as LIKE does on the UTF-8 text.
#include "directory/FoldedColumn.h"
#include "directory/FoldedPattern.h"
#include "platform/text/LikePattern.h"
#include "platform/text/SideBySide.h"
#include "platform/text/Utf8CaseFold.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Texts of every kind: Russian, with Ё, № and punctuation (one byte a character); Greek, an
// emoji, a text too long for its length byte, and bytes that are not UTF-8 (kept in UTF-8);
// empty and NULL.
std::vector<std::optional<std::string>> Texts() {
    const std::vector<std::optional<std::string>> kinds = {
        "Иванов И.И.", "ЁЛКА",        "елка",      "Ж",     "жж",         "",
        std::nullopt,  "ПОЛЕВАЯ 9-5", "Аптека №3", "Ωμέγα", "🙂 smile", std::string(300, 'a'),
        "\xff\xfe",    "a_b",         "10% off",   "23456",
    };
    // Across many blocks of entries, and enough for the search to run in two halves.
    std::vector<std::optional<std::string>> texts;
    while (texts.size() <= kItemsWorthAThread) {
        texts.insert(texts.end(), kinds.begin(), kinds.end());
    }
    return texts;
}

TEST(FoldedColumnTest, FindsWhatLikeFindsInTheUtf8Text) {
    const std::vector<std::optional<std::string>> texts = Texts();
    FoldedColumn column;
    for (const std::optional<std::string>& text : texts) {
        column.append(!text, text ? CaseFolded(*text) : std::string());
    }
    column.shrinkToFit();
    ASSERT_EQ(column.size(), texts.size());
    for (std::size_t entry = 0; entry < texts.size(); ++entry) {
        EXPECT_EQ(column.isNull(entry), !texts[entry]) << entry;
        EXPECT_EQ(column.utf8(entry), texts[entry] ? CaseFolded(*texts[entry]) : "") << entry;
    }

    const char* patterns[] = {"%иван%", "_",     "__",     "%ё%",   "%е%",    "%",     "",
                              "ж",      "%ω%",   "%🙂%", "ёлк_",  "%а",     "%№%",   "%_%_%",
                              "a_b",    "%10%%", "%a%",    "23_56", "%\xff%", "%е_ка%"};
    std::vector<std::uint32_t> even;
    for (std::uint32_t entry = 0; entry < texts.size(); entry += 2) {
        even.push_back(entry);
    }
    for (const char* pattern : patterns) {
        const LikePattern like(pattern);
        std::vector<std::uint32_t> expected;
        std::vector<std::uint32_t> expectedEven;
        for (std::uint32_t entry = 0; entry < texts.size(); ++entry) {
            if (texts[entry] && like.matches(*texts[entry])) {
                expected.push_back(entry);
                if (entry % 2 == 0) {
                    expectedEven.push_back(entry);
                }
            }
        }
        const FoldedPattern folded(pattern);
        EXPECT_EQ(column.matching(folded), expected) << pattern;
        EXPECT_EQ(column.matchingAmong(folded, even), expectedEven) << pattern;
    }
}

} // namespace
