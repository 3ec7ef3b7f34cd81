#include "platform/ui/TComboBox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "platform/text/RussianCollator.h"
#include "tests/app/Typing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

// A shown field with its change and key reports counted.
class ComboBoxTest : public ::testing::Test {
protected:
    ComboBoxTest() : changes(&box, &TComboBox::Changed), keys(&box, &TComboBox::KeyDown) {
        box.show();
    }

    QString selected() { return box.lineEdit()->selectedText(); }
    int caret() { return box.lineEdit()->cursorPosition(); }

    TComboBox box;
    QSignalSpy changes;
    QSignalSpy keys;
};

TEST_F(ComboBoxTest, TheListStaysSortedWhateverOrderItemsAreAddedInAndKeepsDuplicates) {
    struct ListCase {
        bool upperCase;
        QStringList added;
        QStringList listed;
    };
    const std::vector<ListCase> cases = {
        {false,
         {"Яблоко", "аптека", "Баня", "аптека", "елка", "ЁЛКА"},
         {"аптека", "аптека", "Баня", "елка", "ЁЛКА", "Яблоко"}},
        {false, {"3-12-45", "2-01-01", "25"}, {"2-01-01", "25", "3-12-45"}},
        {true, {"ленина", "Кирова", "МИРА", "кирова"}, {"КИРОВА", "КИРОВА", "ЛЕНИНА", "МИРА"}},
    };
    for (const ListCase& expected : cases) {
        SCOPED_TRACE(expected.added.join(' ').toStdString());
        box.SetUpperCase(expected.upperCase);
        box.ClearListItems();
        for (const QString& item : expected.added)
            box.AddListItem(item);
        EXPECT_EQ(box.ListItems(), expected.listed);
    }
    EXPECT_EQ(changes.count(), 0);
}

// A whole list (a history file's lines) is set in one step, in the order adding the items
// one at a time gives: alphabetical, equal items in the order they came.
TEST_F(ComboBoxTest, SettingTheListIsOneStepInTheOrderOfAddingItsItems) {
    const QStringList items{"Яблоко",  "аптека", "Баня", "АПТЕКА",  "елка", "ЁЛКА", "25",
                            "3-12-45", "Аптека", "ёлка", "2-01-01", "abc",  "ABC",  ""};
    for (const bool upperCase : {false, true}) {
        SCOPED_TRACE(upperCase);
        box.SetUpperCase(upperCase);
        box.ClearListItems();
        for (const QString& item : items)
            box.AddListItem(item);
        const QStringList added = box.ListItems();

        QSignalSpy inserted(box.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(box.model(), &QAbstractItemModel::modelReset);
        box.SetListItems(items);
        EXPECT_EQ(box.ListItems(), added);
        EXPECT_EQ(inserted.count(), 0);
        EXPECT_EQ(reset.count(), 1);
    }
    EXPECT_EQ(changes.count(), 0);
}

// A list long enough to be keyed and ordered on two threads comes out as the collation
// orders it, equal items (here: equal but for letter case) in the order they came.
TEST_F(ComboBoxTest, ALongListIsInTheCollationsOrder) {
    std::mt19937 random(5);
    const QString letters = QStringLiteral("аАбБеЕёЁяЯzZ1 -");
    QStringList items;
    for (int i = 0; i < 60000; ++i) {
        QString item;
        for (std::uint32_t length = 1 + random() % 5; length > 0; --length)
            item += letters[static_cast<qsizetype>(random() % letters.size())];
        items << item;
    }
    const RussianCollator collator;
    QStringList expected = items;
    std::stable_sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
        return collator.compare(QStringView(a), QStringView(b)) < 0;
    });
    box.SetListItems(items);
    EXPECT_EQ(box.ListItems(), expected);
}

// The combo box's own item functions work on the list as well.
TEST_F(ComboBoxTest, TheComboBoxsOwnItemFunctionsChangeTheList) {
    box.SetListItems({QStringLiteral("b")});
    box.insertItem(0, QStringLiteral("a"));
    box.addItem(QStringLiteral("c"));
    box.setItemText(1, QStringLiteral("B"));
    EXPECT_EQ(box.ListItems(), QStringList({"a", "B", "c"}));
}

TEST_F(ComboBoxTest, ChangingTheListKeepsTheTextAndReportsNoChange) {
    box.SetText(QStringLiteral("typed"));
    box.AddListItem(QStringLiteral("first"));
    EXPECT_EQ(box.Text(), QStringLiteral("typed"));
    EXPECT_EQ(box.currentIndex(), -1);
    box.SetListItems({QStringLiteral("b"), QStringLiteral("a")});
    EXPECT_EQ(box.ListItems(), QStringList({"a", "b"}));
    box.ClearListItems();
    EXPECT_EQ(box.Text(), QStringLiteral("typed"));
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ComboBoxTest, AnUpperCaseFieldConvertsTypedSetAndPastedText) {
    box.SetUpperCase(true);
    box.SetText(QStringLiteral("ул. ленина"));
    EXPECT_EQ(box.Text(), QStringLiteral("УЛ. ЛЕНИНА"));
    EXPECT_EQ(changes.count(), 0) << "the program set the text";

    box.SetText(QString());
    TypeText(&box, QStringLiteral("мира ß"));
    EXPECT_EQ(box.Text(), QStringLiteral("МИРА ß"));
    box.lineEdit()->insert(QStringLiteral("abc"));
    EXPECT_EQ(box.Text(), QStringLiteral("МИРА ßABC"));
}

TEST_F(ComboBoxTest, AFieldAsTypedKeepsTheCase) {
    TypeText(&box, QStringLiteral("Ab1"));
    EXPECT_EQ(box.Text(), QStringLiteral("Ab1"));
    EXPECT_EQ(changes.count(), 3);
}

// One key typed into the field and what the field shows after it.
struct Step {
    QString typed; // a character, or "\b" for Backspace
    QString text;
    QString selected;
    int changes; // reported so far
};

struct CompletionCase {
    const char* name;
    bool upperCase;
    QStringList items;
    std::vector<Step> steps;
};

const std::vector<CompletionCase> CompletionCases = {
    {"the second letter of the other text completes to it; Backspace leaves the typed letters",
     true,
     {"МОСКОВСКАЯ", "МИРА"},
     {{"м", "МИРА", "ИРА", 1}, {"о", "МОСКОВСКАЯ", "СКОВСКАЯ", 2}, {"\b", "МО", "", 3}}},
    {"successive characters completing to the same item report once",
     true,
     {"КИРОВА"},
     {{"к", "КИРОВА", "ИРОВА", 1}, {"и", "КИРОВА", "РОВА", 1}, {"р", "КИРОВА", "ОВА", 1}}},
    {"a character no item begins with is typed normally and replaces the selection",
     true,
     {"ДА"},
     {{"д", "ДА", "А", 1}, {"х", "ДХ", "", 2}, {"а", "ДХА", "", 3}}},
    {"after a miss only an item beginning with the whole text completes",
     false,
     {"12", "5-12"},
     {{"9", "9", "", 1}, {"1", "91", "", 2}, {"2", "912", "", 3}}},
    {"the typed characters keep their case, the item adds its rest",
     false,
     {"Abc"},
     {{"a", "abc", "bc", 1}, {"B", "aBc", "c", 1}}},
    {"Backspace clears the current item, so completing to it again reports",
     true,
     {"МИРА"},
     {{"м", "МИРА", "ИРА", 1}, {"\b", "М", "", 2}, {"и", "МИРА", "РА", 3}, {"\b", "МИ", "", 4}}},
    {"Backspace without a selection removes the character before the caret",
     false,
     {},
     {{"1", "1", "", 1}, {"2", "12", "", 2}, {"\b", "1", "", 3}, {"\b", "", "", 4}}},
    {"a completed item typed out to its end leaves nothing selected",
     false,
     {"ab"},
     {{"a", "ab", "b", 1}, {"b", "ab", "", 1}, {"c", "abc", "", 2}}},
};

TEST_F(ComboBoxTest, TypingCompletesFromTheList) {
    for (const CompletionCase& sequence : CompletionCases) {
        SCOPED_TRACE(sequence.name);
        TComboBox field;
        QSignalSpy reported(&field, &TComboBox::Changed);
        field.SetUpperCase(sequence.upperCase);
        field.SetListItems(sequence.items);
        field.show();
        for (const Step& step : sequence.steps) {
            SCOPED_TRACE(step.typed.toStdString());
            if (step.typed == QStringLiteral("\b"))
                QTest::keyClick(&field, Qt::Key_Backspace);
            else
                TypeText(&field, step.typed);
            EXPECT_EQ(field.Text(), step.text);
            EXPECT_EQ(field.lineEdit()->selectedText(), step.selected);
            EXPECT_EQ(reported.count(), step.changes);
            if (!step.selected.isEmpty()) {
                EXPECT_EQ(field.lineEdit()->cursorPosition(), field.Text().size());
            }
        }
        EXPECT_EQ(field.count(), sequence.items.size()) << "typing adds no item";
    }
}

TEST_F(ComboBoxTest, TheCandidateIsTheWholeTextWhereverTheCaretStands) {
    box.SetListItems({QStringLiteral("abc")});
    box.SetText(QStringLiteral("ab"));
    box.lineEdit()->setCursorPosition(0);
    TypeText(&box, QStringLiteral("c"));
    EXPECT_EQ(box.Text(), QStringLiteral("abc"));
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ComboBoxTest, BackspaceRemovesASelectionAnywhereAndPutsTheCaretWhereItBegan) {
    box.SetText(QStringLiteral("12345"));
    box.lineEdit()->setSelection(1, 2);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), QStringLiteral("145"));
    EXPECT_EQ(caret(), 1);

    box.lineEdit()->setCursorPosition(2);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), QStringLiteral("15"));
    EXPECT_EQ(caret(), 1);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(ComboBoxTest, BackspaceInAnEmptyFieldChangesNothing) {
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), QString());
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ComboBoxTest, EveryKeyIsReportedBeforeTheFieldHandlesIt) {
    QString textWhenReported;
    QObject::connect(&box, &TComboBox::KeyDown, [&] { textWhenReported = box.Text(); });
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier); // Shift goes down first
    TypeText(&box, QStringLiteral("x"));
    ASSERT_EQ(keys.count(), 3);
    EXPECT_EQ(keys.at(0).at(0).toInt(), int(Qt::Key_Shift));
    EXPECT_EQ(keys.at(1).at(0).toInt(), int(Qt::Key_Return));
    EXPECT_EQ(keys.at(1).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(keys.at(2).at(0).toInt(), int(Qt::Key_X));
    EXPECT_EQ(textWhenReported, QString());
    EXPECT_EQ(box.Text(), QStringLiteral("x"));
}

TEST_F(ComboBoxTest, EnterWithAMatchingTextPicksNoItem) {
    box.SetListItems({QStringLiteral("abc"), QStringLiteral("xyz")});
    box.SetText(QStringLiteral("xyz"));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ComboBoxTest, PickingWithArrowKeysOrFromTheOpenListReportsAChange) {
    box.SetListItems({QStringLiteral("b"), QStringLiteral("a")});
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.Text(), QStringLiteral("a"));
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.Text(), QStringLiteral("b"));
    EXPECT_EQ(changes.count(), 2);

    box.showPopup();
    box.view()->setCurrentIndex(box.model()->index(0, 0));
    QTest::keyClick(box.view(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("a"));
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(keys.count(), 3) << "Enter in the open list is reported too";
}

} // namespace
