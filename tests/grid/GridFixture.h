#pragma once

#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "data/TDataSource.h"
#include "grid/TDBGridEh.h"
#include "tests/support/WorkingFolder.h"
#include "platform/db/SqliteAdoProvider.h"

#include <QImage>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

// Where two images of the same size differ: empty when they agree, else the number of
// differing pixels and their bounding box.
std::string ImageDifference(const QImage& a, const QImage& b);

// The results grid as the main window configures it, over the directory query of a fresh
// working folder, in an offscreen window beside a line edit that can take the focus from it.
// The grid is 431 x 323, so its client area is 429 x 321.
class GridTest : public WorkingFolderTest {
protected:
    GridTest();
    // The query works through the provider (a recording one, to make its calls fail).
    explicit GridTest(AdoProvider& provider);
    ~GridTest() override;

    // Adds count entries "Person 001", "Person 002", ... at "LENINA 1", "LENINA 2", ... with
    // the phone numbers 200001, 200002, ...; the name order is the insertion order.
    void AddNumbered(int count);
    // Empties the table (the query must be closed): the next case of a table starts afresh.
    void RemoveAllEntries();
    // Opens the query over every entry in name order, unfiltered, as the name search does.
    void OpenAll();
    // Opens the street-and-name search: the street in the SQL text, the name as a filter.
    void OpenFiltered(const QString& street, const QString& name);

    // Shows the window over count numbered entries, the query open on the first, its bookmarks
    // remembered and the grid focused.
    void StartOnNumbered(int count);
    // Notes the bookmark of every record of the open query (back on the first record after),
    // so that SelectedRecNos can name the selected records.
    void RememberBookmarks();
    // The record numbers of the selected records, in order.
    std::vector<long> SelectedRecNos() const;

    // Sends a key press and release to the grid.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Shows and activates the window; the grid has a window handle from now on.
    void Show();
    void FocusGrid();
    void FocusElsewhere();
    // Paints the grid and returns its client area, in client coordinates.
    QImage Paint() const;
    // What the window shows of the grid's client area once pending paints are done: the
    // pixels Qt keeps for the window, including those it moved when the rows scrolled.
    QImage Screen() const;
    // What the window shows of the widget (a child of the window), as Screen does.
    QImage ScreenOf(const QWidget& widget) const;

    // Client point to widget point, for mouse events.
    static QPoint Widget(QPoint client) { return client + QPoint(1, 1); }
    // The centre of data row k (0-based) in column x range [left, right].
    static QPoint DataRowPoint(int k, int x = 100) { return QPoint(x, 23 + 16 * k); }

    TADOQuery query;
    DirectoryQueryFields fields = ConfigureDirectoryQuery(query);
    TDataSource source;
    QWidget window;
    TDBGridEh* grid;
    QLineEdit* other;
    std::vector<TBookmark> bookmarks; // by record number - 1
};
