#include "tests/app/SearchWindowFixture.h"
#include "tests/app/Typing.h"

#include "data/TField.h"
#include "grid/TDBGridEh.h"

namespace {

using namespace Qt::StringLiterals;

class ResultsGridTest : public SearchWindowTest {
protected:
    void SetUp() override {
        addEntries({
            {23456, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, u"Звонить вечером|после шести"_s},
            {1234567, u"ИВАНОВА А.А."_s, u"ЛЕНИНА 3"_s, {}},
            {23406, u"Петров П.П."_s, u"СОВЕТСКАЯ 12-7"_s, {}},
        });
    }

    // Types a name as the user does (which shows the grid) and presses Enter.
    void searchName(const QString& name) {
        TypeText(menu().ComboBox2, name);
        QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    }

    // A left click in the middle of data row k of the grid (the grid has a 1-pixel border).
    void clickDataRow(int k) {
        const QPoint point(1 + 100, 1 + 16 + 16 * k + 7);
        QTest::mouseClick(menu().DBGridEh1, Qt::LeftButton, Qt::NoModifier, point);
    }
};

TEST_F(ResultsGridTest, TypingShowsTheEmptyGridAndASearchFillsIt) {
    TypeText(menu().ComboBox2, u"ИВАН"_s);
    EXPECT_TRUE(menu().DBGridEh1->isVisible());
    EXPECT_EQ(menu().DBGridEh1->geometry(), QRect(0, 59, 431, 323));
    EXPECT_EQ(menu().DBGridEh1->RowCount(), 2);

    QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    EXPECT_EQ(menu().DBGridEh1->RowCount(), 3);
    EXPECT_EQ(menu().DBGridEh1->WindowCapacity(), 19);
    EXPECT_EQ(status(), u"Найдено: 2"_s);
}

TEST_F(ResultsGridTest, ACellClickMakesTheEntrysNoteTheGridsHint) {
    searchName(u"ИВАН"_s);
    clickDataRow(1);
    EXPECT_EQ(menu().ADOQuery1->FieldByName(u"Fio"_s).AsString(), u"ИВАНОВА А.А."_s);
    EXPECT_EQ(menu().DBGridEh1->Hint(), QString());

    clickDataRow(0);
    EXPECT_EQ(menu().DBGridEh1->Hint(), u"Звонить вечером|после шести"_s);

    // The hint stays across a later search until the next click.
    search(u"234"_s);
    EXPECT_EQ(menu().DBGridEh1->Hint(), u"Звонить вечером|после шести"_s);
}

TEST_F(ResultsGridTest, AClickOnTheEmptyRowOfAClosedQueryClearsTheHint) {
    searchName(u"ИВАН"_s);
    clickDataRow(0);
    TypeText(menu().ComboBox2, u"О"_s);
    ASSERT_FALSE(menu().ADOQuery1->Active());

    clickDataRow(0);
    EXPECT_EQ(menu().DBGridEh1->Hint(), QString());
}

} // namespace
