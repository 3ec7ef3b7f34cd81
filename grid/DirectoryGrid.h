#pragma once

class TDataSource;
class TDBGridEh;

// Configures the results grid as the main window's layout does: bound to the data source,
// the layout's options, colours, fonts and hint settings, and its three stored columns
// "Tel" ("Телефон", 49 pixels, mask "#-##-##"), "Fio" ("Ф.И.О. или организация", 187 pixels,
// cut with "...", repeated values hidden) and "Name" ("Адрес", 159 pixels). The grid's size and
// place are the caller's.
void ConfigureDirectoryGrid(TDBGridEh& grid, TDataSource& dataSource);
