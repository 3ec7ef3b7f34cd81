#include "platform/text/PackedStrings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

template <typename Offset> std::vector<std::string> All(const PackedStrings<Offset>& strings) {
    std::vector<std::string> all;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        all.emplace_back(strings[i]);
    }
    return all;
}

using Strings = std::vector<std::string>;

// Every change keeps the strings after it where they belong, empty strings included.
TEST(PackedStrings, ChangesInPlaceKeepTheOtherStrings) {
    PackedStrings<std::uint32_t> strings;
    strings.push_back("один");
    strings.push_back("");
    strings.open() += "три";
    strings.close();
    EXPECT_EQ(All(strings), (Strings{"один", "", "три"}));

    strings.insert(1, "вставка");
    EXPECT_EQ(All(strings), (Strings{"один", "вставка", "", "три"}));
    strings.replace(0, "1");
    strings.replace(2, "два");
    EXPECT_EQ(All(strings), (Strings{"1", "вставка", "два", "три"}));
    strings.erase(1);
    strings.erase(2);
    EXPECT_EQ(All(strings), (Strings{"1", "два"}));
    strings.insert(2, "");
    strings.insert(0, "");
    EXPECT_EQ(All(strings), (Strings{"", "1", "два", ""}));

    PackedStrings<std::uint32_t> more;
    more.push_back("ещё");
    strings.append(more);
    EXPECT_EQ(All(strings), (Strings{"", "1", "два", "", "ещё"}));
}

// A block that would outgrow its offsets is refused, and left as it was.
TEST(PackedStrings, RefusesABlockItsOffsetsCannotReach) {
    PackedStrings<std::uint8_t> strings;
    strings.push_back(std::string(200, 'a'));
    EXPECT_THROW(strings.push_back(std::string(100, 'b')), std::length_error);
    EXPECT_THROW(strings.replace(0, std::string(300, 'c')), std::length_error);
    EXPECT_EQ(strings[0], std::string(200, 'a'));
    strings.replace(0, std::string(255, 'd'));
    EXPECT_EQ(strings[0].size(), 255u);
}

} // namespace
