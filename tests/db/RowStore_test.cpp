#include "platform/db/RowStore.h"

#include <gtest/gtest.h>

#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(RowStoreTest, ReadsBackEveryKindOfValue) {
    RowStore store(5);
    const std::string longText(300, 'x'); // a length that takes two varint bytes
    const StoredValue first[] = {StoredValue::ofInteger(-7), StoredValue::ofReal(23456.5),
                                 StoredValue::ofText("Иванов"), StoredValue::null(),
                                 StoredValue::ofBlob(std::string_view("\0b", 2))};
    const StoredValue second[] = {StoredValue::ofInteger(INT64_MAX), StoredValue::ofReal(-0.0),
                                  StoredValue::ofText(""), StoredValue::ofText(longText),
                                  StoredValue::null()};
    // Around the compact forms: integral doubles below 2^53 and texts shorter than 31 bytes.
    const std::string inlineText(30, 'y'), lengthText(31, 'z');
    const StoredValue third[] = {StoredValue::ofInteger(INT64_MIN),
                                 StoredValue::ofReal(9007199254740992.0), StoredValue::ofReal(-5.0),
                                 StoredValue::ofText(inlineText), StoredValue::ofText(lengthText)};
    const StoredValue fourth[] = {StoredValue::ofReal(std::numeric_limits<double>::quiet_NaN()),
                                  StoredValue::ofReal(9007199254740991.0),
                                  StoredValue::ofReal(1e300), StoredValue::ofReal(0.1),
                                  StoredValue::ofInteger(0)};
    const std::span<const StoredValue> rows[] = {first, second, third, fourth};
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        EXPECT_EQ(store.append(rows[row]), row);
    }
    ASSERT_EQ(store.rowCount(), std::size(rows));
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        for (int column = 0; column < 5; ++column) {
            EXPECT_EQ(store.value(row, column), rows[row][static_cast<std::size_t>(column)])
                << row << ", " << column;
        }
    }
    std::vector<StoredValue> row;
    store.readRow(1, row);
    EXPECT_TRUE(std::equal(row.begin(), row.end(), std::begin(second), std::end(second)));
}

TEST(RowStoreTest, ReplaceChangesOneRowAndKeepsViewsValid) {
    RowStore store(2);
    std::vector<std::string> names;
    for (int i = 0; i < 20000; ++i) {
        names.push_back("Абонент " + std::to_string(i));
        const StoredValue row[] = {StoredValue::ofInteger(i), StoredValue::ofText(names.back())};
        store.append(row);
    }
    const std::string_view early = store.value(3, 1).bytes; // a view into the first block
    const StoredValue changed[] = {StoredValue::ofInteger(3), StoredValue::ofText("Новое имя")};
    store.replace(3, changed);
    EXPECT_EQ(store.value(3, 1).bytes, "Новое имя");
    EXPECT_EQ(early, "Абонент 3");
    EXPECT_EQ(store.value(2, 1).bytes, "Абонент 2");
    EXPECT_EQ(store.value(19999, 1).bytes, "Абонент 19999");
}

TEST(RowStoreTest, ARowThatOutgrowsItsBlockMovesWhole) {
    RowStore store(3);
    for (const std::size_t length : {std::size_t{3000}, std::size_t{3000}, std::size_t{20000}}) {
        // Written value by value, as the loader does: the row starts in a block too small.
        const std::string text(length, 'q');
        RowAppender row(store);
        row.putInteger(static_cast<std::int64_t>(length));
        row.putText(text);
        row.putReal(0.25);
        row.finish();
    }
    ASSERT_EQ(store.rowCount(), 3u);
    for (std::size_t row = 0; row < 3; ++row) {
        const std::size_t length = row < 2 ? 3000 : 20000;
        EXPECT_EQ(store.value(row, 0), StoredValue::ofInteger(static_cast<std::int64_t>(length)));
        EXPECT_EQ(store.value(row, 1).bytes, std::string(length, 'q'));
        EXPECT_EQ(store.value(row, 2), StoredValue::ofReal(0.25));
    }
}

TEST(RowStoreTest, HoldsAtMostTwicePayloadPlus32BytesPerRow) {
    RowStore store(5);
    const std::size_t rows = 50000;
    std::size_t payload = 0;
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string fio = i % 3 == 0 ? "ООО \"Ромашка\"" : "Иванов И.И.";
        const StoredValue row[] = {StoredValue::ofInteger(static_cast<std::int64_t>(i)),
                                   StoredValue::ofReal(23456.0), StoredValue::ofText(fio),
                                   StoredValue::ofText("ЛЕНИНА 12-34"), StoredValue::null()};
        store.append(row);
        payload += 8 + 8 + fio.size() + std::string("ЛЕНИНА 12-34").size();
    }
    store.shrinkToFit();
    EXPECT_LE(store.bytesHeld(), 2 * payload + 32 * rows);
}

TEST(RowStoreTest, RejectsARowOfTheWrongWidth) {
    RowStore store(2);
    const StoredValue row[] = {StoredValue::null()};
    EXPECT_THROW(store.append(row), std::invalid_argument);
}

} // namespace
