#pragma once

#include "directory/SearchRules.h"

#include <QString>

#include <vector>

class SqliteDatabase;

// A search as a user types it into the window, for the benchmarks of the Search command.
struct SearchCase {
    const char* name;
    SearchTexts texts;
    bool wholeTable = false; // the edit toggle's opening of the whole table, not a search
};

SearchTexts Texts(const char* phone, const char* name = "", const char* street = "",
                  const char* house = "", const char* apartment = "");

// The statements the command sends for the case, in order.
std::vector<QString> Statements(const SearchCase& search);

// The benchmarks' baseline: the statements stepped to their end through plain SQLite (its
// built-in LIKE and BINARY order, no search index); the rows they gave.
long StepPlain(SqliteDatabase& database, const std::vector<QString>& statements);
