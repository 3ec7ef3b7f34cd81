#pragma once

#include "data/FieldType.h"

#include <QString>

#include <vector>

class AdoRecordset;
struct AdoFieldInfo;

// A result column as the data set sees it once the query is open.
struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;          // text columns: the largest length in UTF-16 code units
    bool ReadOnly = false; // neither updatable nor of unknown updatability, or auto-increment
    int Column = 0;        // the column's index in the recordset, in SELECT order
};

// The field kind of a provider column. With enableBcd, decimal columns are ftBCD, else ftFloat.
TFieldType FieldTypeOfColumn(const AdoFieldInfo& column, bool enableBcd);

// The definitions of every column of an open recordset, in SELECT order. A column without a
// name is called "COLUMN<n>" (n counting columns from 1); a repeated name gets "_<k>" with the
// smallest k from 1 on that makes it unique.
std::vector<TFieldDef> BuildFieldDefs(const AdoRecordset& recordset, bool enableBcd);
