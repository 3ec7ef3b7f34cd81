#include "DirectoryGridScene.h"

#include "BenchApplication.h"

#include "app/DirectoryGrid.h"

#include <QApplication>
#include <QKeyEvent>

DirectoryGridScene::DirectoryGridScene(const QString& connectionString) {
    query.SetConnectionString(connectionString);
    fields = ConfigureDirectoryQuery(query);
    source.SetDataSet(&query);
    ConfigureDirectoryGrid(grid, source);
    grid.resize(431, 323);
    grid.show();
    grid.activateWindow();
    QApplication::processEvents();
    grid.setFocus();
    query.SetFiltered(false);
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story"));
    query.SQL().Add(QStringLiteral("FROM tel"));
    query.SQL().Add(QStringLiteral("ORDER BY Name"));
    query.Open();
    QApplication::processEvents();
}

void DirectoryGridScene::Key(int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&grid, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(&grid, &release);
    FlushPaints(grid);
}
