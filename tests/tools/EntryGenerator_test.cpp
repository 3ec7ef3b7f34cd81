#include "tools/EntryGenerator.h"
#include "tools/SqliteEntryStore.h"

#include "tests/support/WorkingFolder.h"

#include "platform/db/SqliteDatabase.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<DirectoryEntry> Generate(std::uint64_t seed, int count) {
    EntryGenerator generator(seed);
    std::vector<DirectoryEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(generator.next());
    }
    return entries;
}

QRegularExpression Pattern(const char* pattern) {
    return QRegularExpression(QString::fromUtf8(pattern),
                              QRegularExpression::UseUnicodePropertiesOption);
}

// The forms the search rules expect, in proper case (an all-capitals entry is checked in
// proper case after its first letters are restored by the test's own rule below).
const QRegularExpression kPerson = Pattern(R"(^\p{Lu}\p{Ll}+ \p{Lu}\.\p{Lu}\.$)");
const QRegularExpression kOrganisation =
    Pattern(R"(^\p{Lu}[\p{L} ,.]*( "\p{Lu}\p{Ll}+"| №[1-9]\d*)?$)");
const QRegularExpression kAddress = Pattern(R"(^\p{Lu}+( \p{Lu}+)* [1-9]\d*(-[1-9]\d*)?$)");
const QRegularExpression kWithApartment = Pattern(R"(-\d+$)");

// "ИВАНОВ И.П." -> "Иванов И.П.": the first letter of each word stays, the rest goes lower.
QString ProperCase(const QString& upper) {
    QString text = upper.toLower();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 0 || text[i - 1] == u' ' || text[i - 1] == u'.' || text[i - 1] == u'"') {
            text[i] = text[i].toUpper();
        }
    }
    return text;
}

TEST(EntryGeneratorTest, SameSeedGivesSameEntriesAndOtherSeedsOthers) {
    EXPECT_EQ(Generate(7, 2000), Generate(7, 2000));
    EXPECT_NE(Generate(7, 2000), Generate(8, 2000));
    EXPECT_NE(Generate(0, 10), Generate(1, 10));
}

// The exact sequence for a seed is part of the tool's contract (a seed written down in a bug
// report must give the same folder on every machine and library version), so it is pinned.
TEST(EntryGeneratorTest, SequenceForASeedIsPinned) {
    const auto text = [](const char* utf8) {
        return std::optional(QString::fromUtf8(utf8));
    };
    const std::vector<DirectoryEntry> entries = Generate(1, 11);
    const std::pair<int, DirectoryEntry> expected[] = {
        {0, {78307, text("Белоусова Ф.Д."), text("ПОЛЕВАЯ 9-5"), std::nullopt}},
        {1, {37400, text("Баранова М.А."), text("ЛЕРМОНТОВА 28-168"), std::nullopt}},
        {2, {69584, text("Аптека №4"), text("ПУШКИНА 35"), text("Работает круглосуточно")}},
        {3, {92235, text("Степанова К.Я."), text("ОКТЯБРЬСКАЯ 109-133"), std::nullopt}},
        {8, {5550207, text("Новикова Г.М."), text("ЦЕНТРАЛЬНАЯ 11-16"), std::nullopt}},
        {10, {73880, text("СЕМЁНОВ И.А."), text("ШКОЛЬНАЯ 5-62"), text("Звонить после 18:00")}},
    };
    for (const auto& [index, entry] : expected) {
        EXPECT_EQ(entries[static_cast<std::size_t>(index)], entry) << index;
    }
}

TEST(EntryGeneratorTest, EveryEntryHasTheRequiredForms) {
    const std::vector<DirectoryEntry> entries = Generate(2006, 20000);
    int persons = 0, organisations = 0, upperCase = 0, withApartment = 0, withoutApartment = 0;
    int withoutPhone = 0, withNote = 0, withYo = 0;
    for (const DirectoryEntry& entry : entries) {
        SCOPED_TRACE(::testing::PrintToString(entry));
        ASSERT_TRUE(entry.fio && entry.name);
        const bool upper = *entry.fio == entry.fio->toUpper();
        const QString fio = upper ? ProperCase(*entry.fio) : *entry.fio;
        const bool person = kPerson.match(fio).hasMatch();
        EXPECT_TRUE(person || kOrganisation.match(fio).hasMatch());
        EXPECT_LE(entry.fio->size(), 255);
        EXPECT_TRUE(kAddress.match(*entry.name).hasMatch());
        const bool apartment = kWithApartment.match(*entry.name).hasMatch();
        if (entry.tel) {
            EXPECT_EQ(*entry.tel, std::floor(*entry.tel));
            EXPECT_GE(*entry.tel, 10000);   // 5 digits at least
            EXPECT_LE(*entry.tel, 9999999); // 7 digits at most
        }
        EXPECT_TRUE(!entry.story || !entry.story->isEmpty());
        persons += person;
        organisations += !person;
        upperCase += upper;
        withApartment += apartment;
        withoutApartment += person && !apartment;
        withoutPhone += !entry.tel;
        withNote += entry.story.has_value();
        withYo += entry.fio->contains(u'ё') || entry.fio->contains(u'Ё');
    }
    const int total = static_cast<int>(entries.size());
    EXPECT_GT(persons, total * 7 / 10);
    EXPECT_GT(organisations, total / 20);
    EXPECT_GT(upperCase, 0);
    EXPECT_LT(upperCase, total / 10);
    EXPECT_GT(withApartment, total / 2);
    EXPECT_GT(withoutApartment, 0);
    EXPECT_GT(withoutPhone, 0);
    EXPECT_LT(withoutPhone, total / 20);
    EXPECT_GT(withNote, total / 20);
    EXPECT_LT(withNote, total / 2);
    EXPECT_GT(withYo, 0);
}

TEST(EntryGeneratorTest, PhoneNumbersHaveFiveToSevenDigits) {
    int byDigits[8] = {};
    for (const DirectoryEntry& entry : Generate(3, 5000)) {
        if (entry.tel) {
            ++byDigits[QString::number(static_cast<qint64>(*entry.tel)).size() % 8];
        }
    }
    for (int digits : {5, 6, 7}) {
        EXPECT_GT(byDigits[digits], 0) << digits;
    }
    EXPECT_EQ(byDigits[5] + byDigits[6] + byDigits[7], byDigits[0] + byDigits[1] + byDigits[2] +
                                                           byDigits[3] + byDigits[4] + byDigits[5] +
                                                           byDigits[6] + byDigits[7]);
}

class GenerateEntriesTest : public WorkingFolderTest {};

TEST_F(GenerateEntriesTest, AddsTheSeedsEntriesAfterExistingOnesAndReportsProgress) {
    const DirectoryEntry existing{1, QStringLiteral("Старая запись"), std::nullopt, std::nullopt};
    addEntries({existing});
    std::vector<qint64> progress;
    {
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadWrite);
        SqliteEntryStore store(database);
        GenerateEntries(store, 25000, 42, [&](qint64 added) { progress.push_back(added); });
    }
    std::vector<DirectoryEntry> expected = Generate(42, 25000);
    expected.insert(expected.begin(), existing);
    EXPECT_EQ(folder().entries(), expected);
    EXPECT_EQ(progress, (std::vector<qint64>{10000, 20000, 25000}));
}

} // namespace
