#pragma once

#include "platform/db/RowStore.h"

#include <QString>

#include <cstdint>

// The ADO kind the provider reports for a result column.
struct ColumnKind {
    int type = 0;         // ado::adInteger, ado::adDouble, ado::adVarWChar, ...
    long definedSize = 0; // bytes for numbers, characters for text
    int precision = 0;
    int numericScale = 0;
    long attributes = 0; // ado::adFldFixed, ado::adFldLong

    friend bool operator==(const ColumnKind&, const ColumnKind&) = default;
};

// The kind for an SQLite declared column type: INTEGER → adInteger, REAL/DOUBLE/FLOAT →
// adDouble, VARCHAR(n)/NVARCHAR(n)/TEXT(n) → adVarWChar of n, and of 255 without a length
// (SQLite sets none), CHAR(n)/NCHAR(n) → adWChar of n, the long-text types CLOB, NTEXT,
// LONGTEXT and MEDIUMTEXT → adLongVarWChar, NUMERIC/DECIMAL(p,s) → adNumeric, BOOLEAN →
// adBoolean; any other type by SQLite's affinity rules.
ColumnKind KindOfDeclaredType(const QString& declaredType);

// The kind of a column without a declared type (an expression), from one of its values.
ColumnKind KindOfValue(const StoredValue& value);
