#pragma once

#include "app/Unit1.h"
#include "grid/TDBGridEh.h"
#include "data/TADOQuery.h"
#include "platform/text/Windows1251.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TStatusBar.h"
#include "tests/support/ScriptedDialogService.h"
#include "tests/support/WorkingFolder.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"

#include <QFile>
#include <QTest>

#include <memory>

// What the query held each time the Search command opened it.
struct OpenedQuery {
    QString sql;
    QString filter;
    bool filtered;

    friend bool operator==(const OpenedQuery&, const OpenedQuery&) = default;
};

inline void PrintTo(const OpenedQuery& query, std::ostream* out) {
    *out << query.sql.toStdString() << " filter=" << query.filter.toStdString()
         << (query.filtered ? " (on)" : " (off)");
}

// The real main window over a fresh working folder, with scripted dialogs; every opening of
// the query is recorded.
class SearchWindowTest : public WorkingFolderTest {
protected:
    TMenu& menu() {
        if (!menu_) {
            menu_ = std::make_unique<TMenu>(DirectoryProvider());
            menu_->ADOQuery1->BeforeOpen = [this](TADOQuery& query) {
                opened.push_back({query.SQL().Text(), query.Filter(), query.Filtered()});
            };
            menu_->show();
            menu_->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(menu_.get()));
        }
        return *menu_;
    }

    // Puts the texts into the search fields as the program would and presses Enter in one.
    void search(const QString& phone, const QString& name = {}, const QString& street = {},
                const QString& house = {}, const QString& apartment = {}) {
        menu().ComboBox1->SetText(phone);
        menu().ComboBox2->SetText(name);
        menu().ComboBox3->SetText(street);
        menu().Edit4->setText(house);
        menu().Edit5->setText(apartment);
        QTest::keyClick(menu().Edit4, Qt::Key_Return);
    }

    QString status() { return menu().StatusBar1->PanelText(1); }

    QByteArray historyBytes(const QString& fileName) const {
        QFile file(folder().historyPath(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static QString Lines(const QString& condition) {
        return QStringLiteral("SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\n") + condition +
               QStringLiteral("\r\nORDER BY Name\r\n");
    }

    ScriptedDialogs dialogs;
    std::vector<OpenedQuery> opened;

private:
    std::unique_ptr<TMenu> menu_;
};
