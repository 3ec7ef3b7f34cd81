#include "tests/app/MenuFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "tests/app/Typing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const QString SearchPanelHint =
    QStringLiteral("Для того чтобы очистить историю поиска, нажмите правую кнопку мыши.");

QWidget* Control(TMenu& menu, const char* name) {
    return menu.findChild<QWidget*>(QLatin1StringView(name));
}

QString Caption(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return {};
}

// The place of a control; a one-line label is widened to show its whole caption when this
// platform's font metrics need a pixel or two more than the layout gives.
QRect Fitted(const QWidget* control, QRect geometry) {
    if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->wordWrap())
        geometry.setWidth(
            std::max(geometry.width(), label->fontMetrics().horizontalAdvance(label->text())));
    return geometry;
}

// One control of the window's layout as first shown. Geometry is left, top, width, height
// inside the parent; an empty rectangle is not checked.
struct LayoutCase {
    const char* name;
    const char* parent;
    QRect geometry;
    bool visible;
    const char* caption;
};

const std::vector<LayoutCase> LayoutCases = {
    {"Image2", "Menu", {0, 0, 431, 382}, true, ""},
    {"Panel1", "Menu", {0, 0, 431, 59}, false, ""},
    {"Image1", "Panel1", {0, 0, 433, 59}, false, ""},
    {"DBGridEh1", "Menu", {}, false, ""},
    {"Panel2", "Menu", {0, 382, 431, 142}, true, ""},
    {"Label1", "Panel2", {30, 6, 44, 13}, true, "Телефон"},
    {"Label2", "Panel2", {200, 6, 125, 13}, true, "Ф.И.О. или Организация"},
    {"Label3", "Panel2", {32, 52, 31, 13}, true, "Улица"},
    {"SpeedButton1", "Panel2", {402, 6, 23, 22}, false, "+"},
    {"SpeedButton2", "Panel2", {349, 111, 76, 25}, true, "Выход"},
    {"Label8", "Panel2", {200, 52, 20, 13}, true, "Дом"},
    {"Label9", "Panel2", {272, 52, 49, 13}, true, "Квартира"},
    {"Button1", "Panel2", {350, 69, 75, 25}, true, "Поиск"},
    {"ComboBox1", "Panel2", {32, 25, 145, 21}, true, ""},
    {"ComboBox2", "Panel2", {200, 25, 185, 21}, true, ""},
    {"ComboBox3", "Panel2", {32, 71, 145, 21}, true, ""},
    {"Edit4", "Panel2", {200, 71, 54, 21}, true, ""},
    {"Edit5", "Panel2", {272, 71, 53, 21}, true, ""},
    {"StatusBar1", "Menu", {0, 524, 431, 19}, true, ""},
    {"Panel3", "Menu", {222, 136, 211, 246}, false, ""},
    {"Label4", "Panel3", {8, 4, 22, 13}, true, "Тел."},
    {"Label5", "Panel3", {8, 50, 35, 13}, true, "Ф.И.О."},
    {"Label6", "Panel3", {8, 96, 31, 13}, true, "Адрес"},
    {"Label7", "Panel3", {151, 14, 42, 26}, true, "Новый адресат"},
    {"Bevel1", "Panel3", {143, 10, 58, 36}, true, ""},
    {"Label10", "Panel3", {8, 142, 61, 13}, true, "Примичание"},
    {"Edit1", "Panel3", {8, 23, 121, 21}, true, ""},
    {"Edit2", "Panel3", {8, 69, 193, 21}, true, ""},
    {"Edit3", "Panel3", {8, 115, 193, 21}, true, ""},
    {"Edit6", "Panel3", {8, 161, 193, 72}, true, ""},
};

TEST_F(MenuTest, HasItsCaptionAndAFixedToolWindowFrameCentredOnTheDesktop) {
    EXPECT_EQ(menu().objectName(), QStringLiteral("Menu"));
    EXPECT_EQ(menu().windowTitle(), QStringLiteral("Телефонный справочник г. Вельтинска 2006"));
    EXPECT_EQ(menu().size(), QSize(431, 543));
    EXPECT_EQ(menu().minimumSize(), menu().maximumSize());
    EXPECT_EQ(menu().windowType(), Qt::Tool);
    EXPECT_FALSE(menu().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(menu().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(menu().windowFlags() & Qt::WindowCloseButtonHint);
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((menu().frameGeometry().center() - desktop.center()).manhattanLength(), 1);
}

TEST_F(MenuTest, EveryControlOfTheLayoutHasItsParentPlaceVisibilityAndCaption) {
    for (const LayoutCase& expected : LayoutCases) {
        SCOPED_TRACE(expected.name);
        QWidget* control = Control(menu(), expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QLatin1StringView(expected.parent));
        if (!expected.geometry.isEmpty()) {
            EXPECT_EQ(control->geometry(), Fitted(control, expected.geometry));
        }
        EXPECT_EQ(!control->isHidden(), expected.visible);
        EXPECT_EQ(Caption(control), QString::fromUtf8(expected.caption));
    }
}

TEST_F(MenuTest, LaterControlsLieAboveEarlierOnes) {
    QStringList order;
    for (const QObject* child : menu().children()) {
        if (child->isWidgetType() && !child->objectName().isEmpty() &&
            !static_cast<const QWidget*>(child)->isWindow())
            order.append(child->objectName());
    }
    EXPECT_EQ(order,
              QStringList({"Image2", "Panel1", "DBGridEh1", "Panel2", "StatusBar1", "Panel3"}));
}

TEST_F(MenuTest, PanelsAreSilverAndTheEntryEditorIsClippedAtTheRightEdge) {
    for (const TPanel* panel : {menu().Panel1, menu().Panel2, menu().Panel3})
        EXPECT_EQ(panel->Color(), QColor(192, 192, 192)) << panel->objectName().toStdString();
    EXPECT_EQ(menu().Panel3->geometry().right() - menu().contentsRect().right(), 2);
    EXPECT_GT(menu().Image1->width(), menu().Panel1->width());
}

TEST_F(MenuTest, ThePicturesAreStretchedOverTheirControlsAndTheWindowCarriesItsIcon) {
    struct PictureCase {
        TImage* control;
        QSize picture;
    };
    for (const PictureCase expected :
         {PictureCase{menu().Image2, {618, 400}}, PictureCase{menu().Image1, {600, 39}}}) {
        SCOPED_TRACE(expected.control->objectName().toStdString());
        EXPECT_TRUE(expected.control->Stretch());
        EXPECT_EQ(expected.control->Picture().size(), expected.picture);
    }
    EXPECT_FALSE(menu().windowIcon().isNull());
    EXPECT_TRUE(dialogs->requests().empty()) << "no error was reported at start-up";
}

TEST_F(MenuTest, StatusBarHasItsTwoPanels) {
    const TStatusBar& status = *menu().StatusBar1;
    ASSERT_EQ(status.PanelCount(), 2);
    EXPECT_EQ(status.PanelText(0), QStringLiteral("Результат поиска:"));
    EXPECT_EQ(status.PanelText(1), QStringLiteral("Поиск"));
    EXPECT_EQ(status.PanelRect(0), QRect(0, 0, 125, 19));
    EXPECT_EQ(status.PanelRect(1), QRect(125, 0, 431 - 125, 19));
}

TEST_F(MenuTest, ThePicturesAndTheGridFillWhatTheBannerAndSearchPanelLeave) {
    struct StateCase {
        const char* typed;
        bool searching;
    };
    // Typing enters the searching state, Backspace the empty state again.
    for (const StateCase state : {StateCase{"5", true}, StateCase{"\b", false}}) {
        SCOPED_TRACE(state.typed);
        if (state.typed[0] == '\b')
            QTest::keyClick(menu().ComboBox1, Qt::Key_Backspace);
        else
            TypeText(menu().ComboBox1, QString::fromLatin1(state.typed));
        if (state.searching) {
            EXPECT_EQ(menu().Panel1->geometry(), QRect(0, 0, 431, 59));
            EXPECT_EQ(menu().DBGridEh1->geometry(), QRect(0, 59, 431, 323));
        } else {
            EXPECT_EQ(menu().Image2->geometry(), QRect(0, 0, 431, 382));
        }
        EXPECT_EQ(menu().Panel2->geometry(), QRect(0, 382, 431, 142));
        EXPECT_EQ(menu().StatusBar1->geometry(), QRect(0, 524, 431, 19));
    }
}

TEST_F(MenuTest, ControlsUseTahomaEightPointAndTheEditToggleItsOwnRedFont) {
    EXPECT_EQ(menu().font().pixelSize(), 11);
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             menu().Label1, menu().ComboBox1, menu().Edit4, menu().Button1, menu().SpeedButton2,
             menu().Label7, menu().StatusBar1})
        EXPECT_EQ(control->font().pixelSize(), 11) << control->objectName().toStdString();
    if (QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
        EXPECT_EQ(QFontInfo(menu().font()).family(), QStringLiteral("Tahoma"));
    }

    const QFont toggle = menu().SpeedButton1->font();
    EXPECT_EQ(toggle.pixelSize(), 16);
    EXPECT_TRUE(toggle.bold());
    EXPECT_EQ(menu().SpeedButton1->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_TRUE(menu().SpeedButton1->Flat());
    EXPECT_FALSE(menu().SpeedButton2->Flat());
}

TEST_F(MenuTest, TheNewEntryCaptionWrapsOntoTwoLines) {
    const TLabel& label = *menu().Label7;
    EXPECT_TRUE(label.wordWrap());
    EXPECT_GT(label.fontMetrics().horizontalAdvance(label.text()), label.width());
    EXPECT_LE(label.heightForWidth(label.width()), label.height());
}

TEST_F(MenuTest, FocusStartsInThePhoneFieldAndTabFollowsTheTabOrder) {
    EXPECT_EQ(menu().focusWidget(), menu().ComboBox1);

    // The entry editor's fields follow once its panel shows.
    menu().Panel3->show();
    const std::vector<QWidget*> order = {menu().ComboBox1,    menu().Button1, menu().ComboBox2,
                                         menu().ComboBox3,    menu().Edit4,   menu().Edit5,
                                         menu().SpeedButton2, menu().Edit1,   menu().Edit2,
                                         menu().Edit3,        menu().Edit6,   menu().ComboBox1};
    QWidget* widget = order.front();
    for (std::size_t i = 1; i < order.size(); ++i) {
        do {
            widget = widget->nextInFocusChain();
        } while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&menu()) ||
                 widget->focusProxy());
        EXPECT_EQ(widget, order[i]) << "after " << order[i - 1]->objectName().toStdString()
                                    << " comes " << widget->objectName().toStdString();
    }
}

// Right-clicks the control the way the platform delivers it, at its centre.
void RightClick(QWidget* control) {
    const QPoint centre = control->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, control->mapToGlobal(centre));
    QApplication::sendEvent(control, &event);
}

void ClosePopups() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

TEST_F(MenuTest, RightClickOnTheSearchPanelOpensTheHistoryMenu) {
    TypeText(menu().ComboBox1, QStringLiteral("1")); // shows the edit toggle
    ASSERT_EQ(menu().PopupMenu1->actions(), QList<QAction*>({menu().N1}));
    EXPECT_EQ(menu().N1->text(), QStringLiteral("Очистить историю"));

    for (QWidget* control : std::initializer_list<QWidget*>{
             menu().Panel2, menu().Label1, menu().Label9, menu().Button1, menu().SpeedButton2,
             menu().SpeedButton1}) {
        SCOPED_TRACE(control->objectName().toStdString());
        QSignalSpy opened(menu().PopupMenu1, &QMenu::aboutToShow);
        RightClick(control);
        EXPECT_EQ(opened.count(), 1);
        EXPECT_TRUE(menu().PopupMenu1->isVisible());
        ClosePopups();
    }
}

TEST_F(MenuTest, TextInputsOnTheSearchPanelShowTheirEditingMenu) {
    for (QWidget* input : std::initializer_list<QWidget*>{
             menu().ComboBox1->lineEdit(), menu().ComboBox2->lineEdit(),
             menu().ComboBox3->lineEdit(), menu().Edit4, menu().Edit5}) {
        SCOPED_TRACE(input->parentWidget()->objectName().toStdString());
        QSignalSpy opened(menu().PopupMenu1, &QMenu::aboutToShow);
        RightClick(input);
        EXPECT_EQ(opened.count(), 0);
        EXPECT_NE(QApplication::activePopupWidget(), nullptr);
        ClosePopups();
    }
}

// Sends the hint request that resting the mouse over the control's centre makes; true when
// some control showed a hint for it.
bool RestMouseOver(QWidget* control) {
    const QPoint centre = control->rect().center();
    QHelpEvent event(QEvent::ToolTip, centre, control->mapToGlobal(centre));
    QApplication::sendEvent(control, &event);
    return event.isAccepted();
}

TEST_F(MenuTest, TheSearchPanelHintShowsOverThePanelAndEveryControlOnIt) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             menu().Panel2, menu().Label1, menu().Label2, menu().Button1, menu().SpeedButton2,
             menu().ComboBox2->lineEdit(), menu().Edit5}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(RestMouseOver(control));
        EXPECT_EQ(QToolTip::text(), SearchPanelHint);
        QToolTip::hideText();
    }
    EXPECT_FALSE(RestMouseOver(menu().Image2)) << "the window itself shows no hints";
    EXPECT_FALSE(RestMouseOver(menu().StatusBar1));
}

} // namespace
