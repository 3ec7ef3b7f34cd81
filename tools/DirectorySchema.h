#pragma once

#include <QString>

class SqliteDatabase;

// Creates the table `tel` in an empty database.
void CreateDirectorySchema(SqliteDatabase& database);

// What keeps the database from being a directory database (no table `tel`, a missing column,
// a column of the wrong kind), or an empty text when it is one. SQLite errors (a file that is
// not a database at all) throw ESqliteError.
QString DirectorySchemaProblem(SqliteDatabase& database);
