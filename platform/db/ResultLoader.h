#pragma once

#include "platform/db/RowStore.h"

class CommandStatement;
struct sqlite3_stmt;

// Copies the statement's current row into a new row of the store.
void AppendCurrentRow(sqlite3_stmt* statement, RowStore& rows);

// Steps the statement to its end and copies every row into a new store (at most maxRecords
// rows when it is above zero), then resets the statement so that it holds no lock.
// Throws EOleException when a step fails.
RowStore LoadRows(CommandStatement& statement, long maxRecords);
