#include "tests/app/MenuFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "tests/app/Typing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QString SearchStatus = QStringLiteral("Поиск");

struct Visibility {
    bool startPicture;
    bool banner;
    bool grid;
    bool editToggle;

    friend bool operator==(const Visibility&, const Visibility&) = default;
};

const Visibility EmptyState{true, false, false, false};
const Visibility SearchingState{false, true, true, true};

Visibility Shown(TMenu& menu) {
    const bool banner = !menu.Panel1->isHidden() && !menu.Image1->isHidden();
    return {!menu.Image2->isHidden(), banner, !menu.DBGridEh1->isHidden(),
            !menu.SpeedButton1->isHidden()};
}

void PrintTo(const Visibility& shown, std::ostream* stream) {
    *stream << "{picture " << shown.startPicture << ", banner " << shown.banner << ", grid "
            << shown.grid << ", toggle " << shown.editToggle << "}";
}

TComboBox* Field(TMenu& menu, int number) {
    return std::vector<TComboBox*>{menu.ComboBox1, menu.ComboBox2, menu.ComboBox3}.at(
        static_cast<std::size_t>(number - 1));
}

TEST_F(MenuTest, TypingInAnySearchFieldEntersTheSearchingState) {
    for (int number : {1, 2, 3}) {
        SCOPED_TRACE(number);
        TComboBox* field = Field(menu(), number);
        TypeText(field, QStringLiteral("7a"));
        EXPECT_EQ(Shown(menu()), SearchingState);
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(Shown(menu()), SearchingState) << "one character is left";
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(Shown(menu()), EmptyState);
    }
}

TEST_F(MenuTest, EmptyingTheLastFilledFieldRestoresTheStartAndClearsHouseAndApartment) {
    TypeText(menu().ComboBox1, QStringLiteral("1"));
    TypeText(menu().ComboBox3, QStringLiteral("м"));
    menu().Edit4->setText(QStringLiteral("12"));
    menu().Edit5->setText(QStringLiteral("3"));
    menu().StatusBar1->SetPanelText(1, QStringLiteral("Найдено: 4"));

    QTest::keyClick(menu().ComboBox1, Qt::Key_Backspace);
    EXPECT_EQ(Shown(menu()), SearchingState);
    EXPECT_EQ(menu().Edit4->text(), QStringLiteral("12"));
    EXPECT_EQ(menu().StatusBar1->PanelText(1), QStringLiteral("Найдено: 4"));

    QTest::keyClick(menu().ComboBox3, Qt::Key_Backspace);
    EXPECT_EQ(Shown(menu()), EmptyState);
    EXPECT_EQ(menu().Edit4->text(), QString());
    EXPECT_EQ(menu().Edit5->text(), QString());
    EXPECT_EQ(menu().StatusBar1->PanelText(1), SearchStatus);
}

TEST_F(MenuTest, TheProgramSettingAFieldTextChangesNoState) {
    menu().ComboBox2->SetText(QStringLiteral("ИВАНОВ"));
    EXPECT_EQ(Shown(menu()), EmptyState);
}

TEST_F(MenuTest, PickingAListItemEntersTheSearchingState) {
    menu().ComboBox3->AddListItem(QStringLiteral("МИРА"));
    QTest::keyClick(menu().ComboBox3, Qt::Key_Down);
    EXPECT_EQ(menu().ComboBox3->Text(), QStringLiteral("МИРА"));
    EXPECT_EQ(Shown(menu()), SearchingState);
}

TEST_F(MenuTest, TheEntryEditorStaysOutOfTheInputState) {
    TypeText(menu().ComboBox1, QStringLiteral("1"));
    menu().Panel3->show();
    QTest::keyClick(menu().ComboBox1, Qt::Key_Backspace);
    EXPECT_EQ(Shown(menu()), EmptyState);
    EXPECT_FALSE(menu().Panel3->isHidden());
}

TEST_F(MenuTest, TheFirstTimerTickDisablesSearchOnTheEmptyStart) {
    EXPECT_TRUE(menu().Timer1->isActive());
    EXPECT_EQ(menu().Timer1->interval(), 10);
    EXPECT_TRUE(menu().Button1->isEnabled());
    tick();
    EXPECT_FALSE(menu().Button1->isEnabled());
}

TEST_F(MenuTest, SearchIsOfferedUnlessAllFieldsAreEmptyAndTheStatusSaysSearch) {
    struct ButtonCase {
        const char* phone;
        const char* street;
        QString status;
        bool enabled;
    };
    const std::vector<ButtonCase> cases = {
        {"", "", SearchStatus, false},
        {"", "", QStringLiteral("Найдено: 0"), true},
        {"", "", QStringLiteral("Поиск "), true},
        {"1", "", SearchStatus, true},
        {"", "М", SearchStatus, true},
        {"1", "", QStringLiteral("Найдено: 12"), true},
    };
    // Each case starts from the opposite button state, so that the tick has to change it.
    for (const ButtonCase& expected : cases) {
        SCOPED_TRACE(expected.status.toStdString() + " / " + expected.phone + expected.street);
        menu().ComboBox1->SetText(QString::fromUtf8(expected.phone));
        menu().ComboBox3->SetText(QString::fromUtf8(expected.street));
        menu().StatusBar1->SetPanelText(1, expected.status);
        menu().Button1->setEnabled(!expected.enabled);
        tick();
        EXPECT_EQ(menu().Button1->isEnabled(), expected.enabled);
        tick();
        EXPECT_EQ(menu().Button1->isEnabled(), expected.enabled);
    }
}

TEST_F(MenuTest, HouseAndApartmentDoNotEnableSearch) {
    TypeText(menu().Edit4, QStringLiteral("5"));
    tick();
    EXPECT_FALSE(menu().Button1->isEnabled());
}

struct EnterCase {
    const char* input;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

QWidget* Input(TMenu& menu, const char* name) {
    return menu.findChild<QWidget*>(QLatin1StringView(name));
}

TEST_F(MenuTest, EnterInAnySearchInputSearchesWhateverModifiersAreHeld) {
    const std::vector<EnterCase> cases = {
        {"ComboBox1", Qt::Key_Return, Qt::NoModifier},
        {"ComboBox2", Qt::Key_Return, Qt::ShiftModifier},
        {"ComboBox3", Qt::Key_Return, Qt::ControlModifier},
        {"Edit4", Qt::Key_Return, Qt::NoModifier},
        {"Edit5", Qt::Key_Enter, Qt::KeypadModifier},
        {"ComboBox1", Qt::Key_Enter, Qt::KeypadModifier | Qt::ShiftModifier},
        {"Edit4", Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier},
        {"ComboBox2", Qt::Key_Return, Qt::AltModifier},
    };
    tick();
    ASSERT_FALSE(menu().Button1->isEnabled()) << "Enter searches even so";
    for (const EnterCase& enter : cases) {
        SCOPED_TRACE(enter.input);
        const int before = menu().searches;
        QTest::keyClick(Input(menu(), enter.input), enter.key, enter.modifiers);
        EXPECT_EQ(menu().searches, before + 1);
    }
}

TEST_F(MenuTest, OtherKeysAndEnterElsewhereDoNotSearch) {
    const std::vector<EnterCase> cases = {
        {"ComboBox1", Qt::Key_A, Qt::NoModifier},      {"Edit4", Qt::Key_Space, Qt::NoModifier},
        {"ComboBox3", Qt::Key_Escape, Qt::NoModifier}, {"Edit1", Qt::Key_Return, Qt::NoModifier},
        {"Edit6", Qt::Key_Return, Qt::NoModifier},
    };
    menu().Panel3->show();
    for (const EnterCase& key : cases) {
        SCOPED_TRACE(key.input);
        QTest::keyClick(Input(menu(), key.input), key.key, key.modifiers);
        EXPECT_EQ(menu().searches, 0);
    }
}

TEST_F(MenuTest, TheFieldStillHandlesTheEnterThatSearched) {
    QSignalSpy fieldReturn(menu().Edit4, &QLineEdit::returnPressed);
    QTest::keyClick(menu().Edit4, Qt::Key_Return);
    EXPECT_EQ(menu().searches, 1);
    EXPECT_EQ(fieldReturn.count(), 1);
}

TEST_F(MenuTest, EnterInAnOpenHistoryListPicksTheItemAndSearches) {
    TComboBox& field = *menu().ComboBox2;
    field.SetListItems({QStringLiteral("ИВАНОВ"), QStringLiteral("ПЕТРОВ")});
    field.showPopup();
    field.view()->setCurrentIndex(field.model()->index(1, 0));
    QTest::keyClick(field.view(), Qt::Key_Return);
    EXPECT_EQ(menu().searches, 1);
    EXPECT_EQ(field.Text(), QStringLiteral("ПЕТРОВ"));
    EXPECT_FALSE(field.view()->isVisible());
    EXPECT_EQ(Shown(menu()), SearchingState);
}

TEST_F(MenuTest, TheSearchButtonRunsTheSearch) {
    menu().Button1->click();
    EXPECT_EQ(menu().searches, 1);
}

TEST_F(MenuTest, TheExitButtonClosesTheWindowAndEndsTheProgram) {
    QTimer::singleShot(0, menu().SpeedButton2, &QAbstractButton::click);
    // Only guards against a hang: the loop must end by the window closing, long before this.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(1); });
    watchdog.start(30000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(menu().isVisible());
    EXPECT_EQ(menu().searches, 0);
}

} // namespace
