#include "platform/text/SortKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

// Keys as ICU makes them: bytes 1..255, one zero byte at the end. Few distinct bytes and
// long shared starts, so that runs go many chunks deep and equal keys are common.
std::vector<std::string> RandomKeys(std::mt19937& random, int count) {
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i) {
        std::string key(random() % 3 == 0 ? 20 : 0, 'A'); // a long common start
        const std::size_t length = random() % 40;
        for (std::size_t j = 0; j < length; ++j)
            key += static_cast<char>(random() % 4 == 0 ? 0xFF : 1 + random() % 3);
        key += '\0';
        keys.push_back(key);
    }
    return keys;
}

TEST(SortKeysTest, OrdersAsBytesWithEqualKeysInTheOrderAdded) {
    std::mt19937 random(11);
    for (const int count : {0, 1, 2, 17, 3000, 60000}) {
        SCOPED_TRACE(count);
        const std::vector<std::string> keys = RandomKeys(random, count);
        SortKeys sortKeys;
        for (const std::string& key : keys) {
            sortKeys.bytes() += key;
            sortKeys.endKey();
        }
        std::vector<std::size_t> expected(keys.size());
        std::iota(expected.begin(), expected.end(), std::size_t{0});
        std::stable_sort(expected.begin(), expected.end(), [&keys](std::size_t a, std::size_t b) {
            // Unsigned bytes, as memcmp compares them.
            return std::lexicographical_compare(
                keys[a].begin(), keys[a].end(), keys[b].begin(), keys[b].end(), [](char x, char y) {
                    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                });
        });
        EXPECT_EQ(sortKeys.order(), expected);
    }
}

} // namespace
