#pragma once

#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "data/TDataSource.h"
#include "grid/TDBGridEh.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"

#include <QString>

// The results grid as the main window configures it, 431 x 323, over every entry of a
// directory in name order, shown offscreen with the focus on it.
struct DirectoryGridScene {
    explicit DirectoryGridScene(const QString& connectionString);

    // Sends a key press and release to the grid and paints what it invalidated.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    TADOQuery query{DirectoryProvider()};
    DirectoryQueryFields fields;
    TDataSource source;
    TDBGridEh grid;
};
