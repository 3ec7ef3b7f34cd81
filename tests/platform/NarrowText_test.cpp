#include "platform/text/NarrowText.h"

#include <gtest/gtest.h>

namespace {

TEST(NarrowTextTest, KeepsWindows1251TextsOneByteACharacter) {
    const std::string russian = "ёлочная, д. 5 — №3 «аптека»";
    std::string narrow = "x";
    ASSERT_TRUE(narrow_text::AppendNarrow(russian, narrow));
    EXPECT_EQ(narrow.size(), 1 + 27u);
    std::string back;
    narrow_text::AppendUtf8(std::string_view(narrow).substr(1), back);
    EXPECT_EQ(back, russian);

    // A character the code page lacks, or bytes that are not UTF-8, leave the text as it was.
    for (const char* other : {"ωμέγα", "a🙂", "ab\xff"}) {
        std::string kept = "x";
        EXPECT_FALSE(narrow_text::AppendNarrow(other, kept)) << other;
        EXPECT_EQ(kept, "x");
    }
}

} // namespace
