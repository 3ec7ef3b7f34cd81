#pragma once

#include <QString>

// The kinds of value a field or a column definition holds.
enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftVariant,
    ftGuid,
    ftFMTBcd,
    ftFixedWideChar,
    ftWideMemo,
};

// The kind's name as error messages show it ("Integer", "Float", "WideString", ...).
QString FieldTypeName(TFieldType type);
