#include "tests/grid/GridFixture.h"

#include "app/DirectoryGrid.h"
#include "platform/db/SqliteDatabase.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <algorithm>

std::string ImageDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "different sizes";
    int count = 0;
    QRect bounds;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++count;
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    if (count == 0)
        return {};
    return QStringLiteral("%1 pixels in x %2..%3, y %4..%5")
        .arg(count)
        .arg(bounds.left())
        .arg(bounds.right())
        .arg(bounds.top())
        .arg(bounds.bottom())
        .toStdString();
}

GridTest::GridTest() : GridTest(SqliteAdoProvider()) {
}

GridTest::GridTest(AdoProvider& provider)
    : query(provider), grid(new TDBGridEh(&window)), other(new QLineEdit(&window)) {
    query.SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                              QDir::currentPath() +
                              QStringLiteral("/Base/ccx.ddx;Persist Security Info=False"));
    source.SetDataSet(&query);
    ConfigureDirectoryGrid(*grid, source);
    window.resize(600, 330);
    grid->setGeometry(0, 0, 431, 323);
    other->setGeometry(450, 0, 100, 20);
}

GridTest::~GridTest() {
    query.Close();
}

void GridTest::AddNumbered(int count) {
    std::vector<DirectoryEntry> entries;
    for (int k = 1; k <= count; ++k) {
        const QString number = QString::number(k).rightJustified(3, QLatin1Char('0'));
        entries.push_back(DirectoryEntry{200000.0 + k, QStringLiteral("Person ") + number,
                                         QStringLiteral("LENINA ") + number, std::nullopt});
    }
    addEntries(entries);
}

void GridTest::RemoveAllEntries() {
    SqliteDatabase(folder().databasePath(), SqliteOpenMode::ReadWrite).exec("DELETE FROM tel");
}

void GridTest::OpenAll() {
    query.SetFiltered(false);
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story"));
    query.SQL().Add(QStringLiteral("FROM tel"));
    query.SQL().Add(QStringLiteral("ORDER BY Name"));
    query.Open();
}

void GridTest::OpenFiltered(const QString& street, const QString& name) {
    query.SetFiltered(false);
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story"));
    query.SQL().Add(QStringLiteral("FROM tel"));
    query.SQL().Add(QStringLiteral("WHERE Name LIKE'%") + street + QStringLiteral("%'"));
    query.SQL().Add(QStringLiteral("ORDER BY Name"));
    query.SetFilter(QStringLiteral("fio='") + name + QStringLiteral("*'"));
    query.SetFiltered(true);
    query.Open();
}

void GridTest::StartOnNumbered(int count) {
    AddNumbered(count);
    Show();
    OpenAll();
    RememberBookmarks();
    FocusGrid();
}

void GridTest::RememberBookmarks() {
    bookmarks.clear();
    query.First();
    while (!query.Eof()) {
        bookmarks.push_back(query.GetBookmark());
        query.Next();
    }
    query.First();
}

std::vector<long> GridTest::SelectedRecNos() const {
    std::vector<long> recNos;
    for (const TBookmark& bookmark : grid->Selection().Rows()) {
        const auto found = std::find(bookmarks.begin(), bookmarks.end(), bookmark);
        recNos.push_back(found == bookmarks.end() ? -1 : found - bookmarks.begin() + 1);
    }
    return recNos;
}

void GridTest::Key(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(grid, static_cast<Qt::Key>(key), modifiers);
}

void GridTest::Show() {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void GridTest::FocusGrid() {
    grid->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->hasFocus());
}

void GridTest::FocusElsewhere() {
    other->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(grid->hasFocus());
}

QImage GridTest::Paint() const {
    return grid->grab().toImage().copy(grid->ClientRect()).convertToFormat(QImage::Format_RGB32);
}

QImage GridTest::Screen() const {
    QApplication::processEvents();
    const QRect client = grid->ClientRect().translated(grid->pos());
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .copy(client)
        .convertToFormat(QImage::Format_RGB32);
}

QImage GridTest::ScreenOf(const QWidget& widget) const {
    QApplication::processEvents();
    const QRect area(widget.mapTo(&window, QPoint(0, 0)), widget.size());
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .copy(area)
        .convertToFormat(QImage::Format_RGB32);
}
