#pragma once

class PgConnection;

// Creates on a PostgreSQL server what a directory needs and is missing: the table `tel` (its
// unquoted column names fold to lower case there), the Russian order of ICU for Name, and
// trigram indexes (pg_trgm) for searches of part of a text. Nothing existing is changed.
void CreateServerSchema(PgConnection& connection);
