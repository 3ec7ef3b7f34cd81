#pragma once

#include "tests/app/SearchWindowFixture.h"
#include "tests/app/Typing.h"

#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/ui/ApplicationTitle.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TSpeedButton.h"

#include <QPalette>

// The entry editor's two questions as the dialog service receives them.
inline DialogRequest OpenQuestion() {
    return {DialogKind::Question, QStringLiteral("Warning"),
            QStringLiteral("Если вы хотите внести изменения в данные \rнажмите \"Yes\""),
            DialogIcon::Warning, DialogButtons::YesNo};
}

inline DialogRequest SaveQuestion() {
    return {DialogKind::Question, QStringLiteral("Information"),
            QStringLiteral("Вы действительно хотите внести изменения в данные?"),
            DialogIcon::Information, DialogButtons::YesNo};
}

// The application error report with its text exactly as shown.
inline DialogRequest ErrorReport(const QString& text) {
    return {DialogKind::MessageBox, ApplicationTitle(), text, DialogIcon::Stop, DialogButtons::Ok};
}

// The four texts of the editor panel: phone, person or organisation, address, note.
struct EditorTexts {
    QString tel, fio, name, story;

    friend bool operator==(const EditorTexts&, const EditorTexts&) = default;
};

inline void PrintTo(const EditorTexts& texts, std::ostream* out) {
    *out << '{' << texts.tel.toStdString() << " | " << texts.fio.toStdString() << " | "
         << texts.name.toStdString() << " | " << texts.story.toStdString() << '}';
}

// The real window over a working folder with a few entries; the editor is driven through
// the toggle with the mouse and the questions are answered by the scripted dialog service.
class EntryEditorTest : public SearchWindowTest {
protected:
    static constexpr double IvanovPhone = 23456;

    void SetUp() override {
        addEntries({
            {IvanovPhone, QStringLiteral("Иванов И.П."), QStringLiteral("ЛЕНИНА 12-45"),
             QStringLiteral("Звонить вечером")},
            {1234567, QStringLiteral("ИВАНОВА Łucja Ǆ"), QStringLiteral("ЛЕНИНА 3"), {}},
            {23406, QStringLiteral("Петров П.П."), QStringLiteral("СОВЕТСКАЯ 12-7"), {}},
        });
        original = folder().entries();
    }

    // Typing into a search field shows the toggle (and closes the query).
    void typeSearchText(const QString& text) { TypeText(menu().ComboBox2, text); }

    // Types a name and presses Enter: the search lists its entries ordered by address.
    void searchName(const QString& name) {
        typeSearchText(name);
        QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    }

    // Clicks the toggle, answering its question.
    void clickToggle(DialogAnswer answer) {
        dialogs->answer(answer);
        clickToggle();
    }
    void clickToggle() { QTest::mouseClick(menu().SpeedButton1, Qt::LeftButton); }

    // A left click in the middle of data row k of the grid (below its 1-pixel border and
    // the title row).
    void clickDataRow(int k) {
        const QPoint point(1 + 100, 1 + 16 + 16 * k + 7);
        QTest::mouseClick(menu().DBGridEh1, Qt::LeftButton, Qt::NoModifier, point);
    }

    EditorTexts editorTexts() {
        return {menu().Edit1->text(), menu().Edit2->text(), menu().Edit3->text(),
                menu().Edit6->text()};
    }

    void setEditorTexts(const EditorTexts& texts) {
        menu().Edit1->setText(texts.tel);
        menu().Edit2->setText(texts.fio);
        menu().Edit3->setText(texts.name);
        menu().Edit6->setText(texts.story);
    }

    // Whether the editor is open: "v" in green over a visible panel, or "+" in red over a
    // hidden one (anything in between fails).
    bool editorOpen() {
        const QString caption = menu().SpeedButton1->text();
        const QColor colour = menu().SpeedButton1->palette().color(QPalette::ButtonText);
        const bool shown = menu().Panel3->isVisible();
        if (caption == QStringLiteral("v") && colour == QColor(0, 128, 0) && shown)
            return true;
        EXPECT_EQ(caption, QStringLiteral("+"));
        EXPECT_EQ(colour, QColor(255, 0, 0));
        EXPECT_FALSE(shown);
        return false;
    }

    TDataSetState state() { return menu().ADOQuery1->State(); }

    std::vector<DirectoryEntry> original;
};
