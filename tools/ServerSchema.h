#pragma once

#include "tools/SearchIndex.h"

class PgConnection;

// Creates on a PostgreSQL server what a directory needs and is missing: the table `tel` (its
// unquoted column names fold to lower case there), the Russian order of ICU for Name, and
// trigram indexes (pg_trgm) for searches of part of a text. Nothing existing is changed.
void CreateServerSchema(PgConnection& connection);

// Checks that the server has the directory's search indexes and creates those it lacks. The
// server keeps them in step with the table itself, so there is nothing else to repair.
SearchIndexRepair RepairServerIndexes(PgConnection& connection);
