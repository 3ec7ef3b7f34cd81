#include "tests/app/SearchWindowFixture.h"
#include "tests/app/Typing.h"

#include "data/TField.h"
#include "directory/TableSearchCache.h"
#include "data/TWideStringField.h"
#include "platform/ui/ApplicationTitle.h"

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

class SearchCommandTest : public SearchWindowTest {
protected:
    void SetUp() override {
        addEntries({
            {23456, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, u"Звонить вечером"_s},
            {1234567, u"ИВАНОВА А.А."_s, u"ЛЕНИНА 3"_s, {}},
            {23406, u"Петров П.П."_s, u"СОВЕТСКАЯ 12-7"_s, {}},
            {{}, u"Аптека №3"_s, u"ЛЕНИНА 12-46"_s, {}},
        });
    }

    QStringList shownNames() {
        QStringList names;
        TADOQuery& query = *menu().ADOQuery1;
        for (query.First(); !query.Eof(); query.Next())
            names.append(query.FieldByName(u"Fio"_s).AsString());
        return names;
    }
};

TEST_F(SearchCommandTest, NameSearchRunsTheNameRuleAndCountsTheEntriesFound) {
    search({}, u"ИВАН"_s);

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (OpenedQuery{Lines(u"WHERE fio LIKE'%ИВАН%'"_s), {}, false}));
    EXPECT_EQ(shownNames(), QStringList({u"Иванов И.П."_s, u"ИВАНОВА А.А."_s}));
    EXPECT_EQ(status(), u"Найдено: 2"_s);
    EXPECT_TRUE(dialogs->requests().empty());
}

// The window's thread takes the key and shows the result; the copy of the searched texts is
// read and searched on a thread of its own.
TEST_F(SearchCommandTest, TheWindowsThreadNeverReadsTheDirectory) {
    const std::size_t readsBefore = TableSearchCache::reads();
    search({}, u"ИВАН"_s);
    EXPECT_EQ(shownNames(), QStringList({u"Иванов И.П."_s, u"ИВАНОВА А.А."_s}));
    search(u"345"_s);
    EXPECT_EQ(status(), u"Найдено: 2"_s);

    EXPECT_GT(TableSearchCache::reads(), readsBefore);
    EXPECT_EQ(TableSearchCache::readsOnThisThread(), 0u);
}

TEST_F(SearchCommandTest, PhoneTextMatchesTheNumberAsItsDigits) {
    search(u"345"_s);

    EXPECT_EQ(shownNames(), QStringList({u"Иванов И.П."_s, u"ИВАНОВА А.А."_s}));
    EXPECT_EQ(status(), u"Найдено: 2"_s);
}

TEST_F(SearchCommandTest, StreetAndNameRunEveryApplicableRuleAndFilterTheLast) {
    search(u"9"_s, u"ИВАН"_s, u"ЛЕНИНА"_s, u"12"_s);

    const std::vector<OpenedQuery> expected{
        {Lines(u"WHERE tel LIKE'%9%'"_s), {}, false},
        {Lines(u"WHERE fio LIKE'%ИВАН%'"_s), {}, false},
        {Lines(u"WHERE Name LIKE'%ЛЕНИНА 12%'"_s), {}, false},
        {Lines(u"WHERE Name LIKE'%ЛЕНИНА%'"_s), u"fio='ИВАН*'"_s, true},
    };
    EXPECT_EQ(opened, expected);
    EXPECT_EQ(shownNames(), QStringList({u"Иванов И.П."_s, u"ИВАНОВА А.А."_s}));
    EXPECT_EQ(status(), u"Найдено: 2"_s);

    // The next search switches the filter off again, keeping its text.
    search({}, {}, u"СОВЕТСКАЯ"_s, u"12"_s, u"7"_s);
    EXPECT_EQ(opened.back(), (OpenedQuery{Lines(u"WHERE Name LIKE'%СОВЕТСКАЯ 12%-7%'"_s),
                                          u"fio='ИВАН*'"_s, false}));
    EXPECT_EQ(status(), u"Найдено: 1"_s);
}

TEST_F(SearchCommandTest, WithoutPhoneNameOrStreetOnlyTheStatusIsWritten) {
    search({}, {}, {}, u"12"_s, u"45"_s);

    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(status(), u"Найдено: 0"_s);
}

TEST_F(SearchCommandTest, ApostrophesAreSearchedAsText) {
    addEntries(
        {{777, u"O'BRIEN P."_s, u"ЛЕНИНА 5"_s, {}}, {778, u"X' OR ''='Y"_s, u"ЛЕНИНА 6"_s, {}}});

    search({}, u"O'BRIEN"_s);
    EXPECT_EQ(shownNames(), QStringList({u"O'BRIEN P."_s}));

    search({}, u"' OR ''='"_s);
    EXPECT_EQ(shownNames(), QStringList({u"X' OR ''='Y"_s}));
    EXPECT_EQ(status(), u"Найдено: 1"_s);
    EXPECT_TRUE(dialogs->requests().empty());
}

TEST_F(SearchCommandTest, RecordsNewTextsOnceInTheirHistoryFilesAndLists) {
    search(u"345"_s, u"ИВАН"_s);
    search(u"345"_s, u"ИВАН"_s);
    search(u"3456"_s, u"ИВАН"_s, u"ЛЕНИНА"_s);

    EXPECT_EQ(historyBytes(u"tel.txt"_s), QByteArray("345\r\n3456\r\n"));
    EXPECT_EQ(historyBytes(u"user.txt"_s), ToWindows1251(u"ИВАН\r\n"));
    EXPECT_EQ(historyBytes(u"street.txt"_s), ToWindows1251(u"ЛЕНИНА\r\n"));
    EXPECT_EQ(menu().ComboBox1->ListItems(), QStringList({u"345"_s, u"3456"_s}));
    EXPECT_EQ(menu().ComboBox2->ListItems(), QStringList({u"ИВАН"_s}));
}

TEST_F(SearchCommandTest, AMissingHistoryFileEndsTheCommandBeforeAnyQuery) {
    const QString before = status();
    QFile::remove(folder().historyPath(u"street.txt"_s));

    search(u"345"_s, {}, u"ЛЕНИНА"_s);

    EXPECT_EQ(historyBytes(u"tel.txt"_s), QByteArray("345\r\n"));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(status(), before);
    const std::vector<DialogRequest> expected{
        {DialogKind::PlainMessage, ApplicationTitle(), u"Ошибка открытия файла!"_s,
         DialogIcon::None, DialogButtons::Ok},
        {DialogKind::MessageBox, ApplicationTitle(), u"I/O error 104."_s, DialogIcon::Stop,
         DialogButtons::Ok},
    };
    EXPECT_EQ(dialogs->requests(), expected);
}

TEST_F(SearchCommandTest, AMissingDatabaseIsReportedAtTheFirstSearchAndTheWindowGoesOn) {
    QFile::remove(folder().databasePath());
    search({}, u"ИВАН"_s);

    ASSERT_EQ(dialogs->requests().size(), 1u);
    const DialogRequest& report = dialogs->requests()[0];
    EXPECT_EQ(report.kind, DialogKind::MessageBox);
    EXPECT_EQ(report.icon, DialogIcon::Stop);
    EXPECT_TRUE(report.text.contains(u"ccx.ddx"_s)) << report.text.toStdString();
    EXPECT_FALSE(menu().ADOQuery1->Active());
    EXPECT_EQ(status(), u"Поиск"_s);
    EXPECT_EQ(historyBytes(u"user.txt"_s), ToWindows1251(u"ИВАН\r\n"));
}

TEST_F(SearchCommandTest, TypingAfterASearchClosesTheQueryAndKeepsTheCount) {
    search({}, u"ИВАН"_s);
    TypeText(menu().ComboBox2, u"О"_s);

    EXPECT_FALSE(menu().ADOQuery1->Active());
    EXPECT_EQ(status(), u"Найдено: 2"_s);
}

} // namespace
