#pragma once

#include <QString>

// A table a statement reads, by schema ("main") and name.
struct TableName {
    QString schema;
    QString name;
    friend bool operator==(const TableName&, const TableName&) = default;
};
