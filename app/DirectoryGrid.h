#pragma once

class TDataSource;
class TDBGridEh;

// Configures the results grid as the main window's layout does: bound to the data source,
// the layout's options, colours, fonts and hint settings, and the directory's three columns
// (kDirectoryColumns). The grid's size and place are the caller's.
void ConfigureDirectoryGrid(TDBGridEh& grid, TDataSource& dataSource);
