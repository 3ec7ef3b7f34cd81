#pragma once

#include <QString>

class SqliteDatabase;

// Creates the table `tel` in an empty database.
void CreateDirectorySchema(SqliteDatabase& database);

// What keeps the database from being a directory database (no table `tel`, a missing column,
// a column the program's field would refuse, an ID that is not the INTEGER PRIMARY KEY), or
// an empty text when it is one. The kinds are decided by the program's own rules (the
// provider's column kinds and the fields' accepted types), so the tool accepts exactly the
// files the program opens. SQLite errors (a file that is
// not a database at all) throw ESqliteError.
QString DirectorySchemaProblem(SqliteDatabase& database);
