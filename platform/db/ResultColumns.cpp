#include "platform/db/ResultColumns.h"

#include "platform/db/AdoConstants.h"
#include "platform/db/ColumnKind.h"
#include "platform/db/SqlIdentifier.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <sqlite3.h>

#include <map>

namespace {

QString Utf8(const char* text) {
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

// The name of the table's INTEGER PRIMARY KEY column, empty when it has none.
QString IntegerKeyColumn(SqliteDatabase& database, const TableName& table) {
    SqliteStatement info =
        database.prepare(QStringLiteral("PRAGMA %1.table_info(%2)")
                             .arg(QuotedIdentifier(table.schema), QuotedIdentifier(table.name)));
    QString key;
    int keyColumns = 0;
    while (info.step()) {
        if (info.columnInt64(5) == 0) {
            continue;
        }
        ++keyColumns;
        if (info.columnText(2).compare(u"INTEGER", Qt::CaseInsensitive) == 0) {
            key = info.columnText(1);
        }
    }
    return keyColumns == 1 ? key : QString();
}

void ApplyKind(AdoFieldInfo& field, const ColumnKind& kind) {
    field.type = kind.type;
    field.definedSize = kind.definedSize;
    field.precision = kind.precision;
    field.numericScale = kind.numericScale;
    field.attributes = (field.attributes & ~(ado::adFldFixed | ado::adFldLong)) | kind.attributes;
}

ResultColumn Describe(sqlite3* db, sqlite3_stmt* statement, int index) {
    ResultColumn column;
    column.field.name = Utf8(sqlite3_column_name(statement, index));
    const char* declared = sqlite3_column_decltype(statement, index);
    column.declared = declared != nullptr;
    ApplyKind(column.field, column.declared ? KindOfDeclaredType(Utf8(declared))
                                            : KindOfValue(StoredValue::null()));
    column.field.attributes |= ado::adFldMayBeNull;
    const char* table = sqlite3_column_table_name(statement, index);
    const char* origin = sqlite3_column_origin_name(statement, index);
    if (table == nullptr || origin == nullptr) {
        return column;
    }
    const char* schema = sqlite3_column_database_name(statement, index);
    column.table = TableName{Utf8(schema != nullptr ? schema : "main"), Utf8(table)};
    column.origin = Utf8(origin);
    int notNull = 0, primaryKey = 0, autoIncrement = 0;
    if (sqlite3_table_column_metadata(db, schema, table, origin, nullptr, nullptr, &notNull,
                                      &primaryKey, &autoIncrement) == SQLITE_OK &&
        notNull == 0) {
        column.field.attributes |= ado::adFldIsNullable;
    }
    return column;
}

} // namespace

bool SameTable(const TableName& a, const TableName& b) {
    return a.schema.compare(b.schema, Qt::CaseInsensitive) == 0 &&
           a.name.compare(b.name, Qt::CaseInsensitive) == 0;
}

std::vector<ResultColumn> DescribeColumns(SqliteDatabase& database, sqlite3_stmt* statement) {
    std::vector<ResultColumn> columns;
    const int count = sqlite3_column_count(statement);
    std::map<QString, QString> keys; // table → its INTEGER PRIMARY KEY column
    for (int i = 0; i < count; ++i) {
        ResultColumn column = Describe(database.handle(), statement, i);
        if (!column.table.name.isEmpty()) {
            const QString tableKey = column.table.schema + u'.' + column.table.name.toLower();
            auto key = keys.find(tableKey);
            if (key == keys.end()) {
                key = keys.emplace(tableKey, IntegerKeyColumn(database, column.table)).first;
            }
            column.isTableKey = !key->second.isEmpty() &&
                                key->second.compare(column.origin, Qt::CaseInsensitive) == 0;
        }
        if (column.isTableKey) {
            column.field.isAutoIncrement = true;
            column.field.attributes |= ado::adFldKeyColumn;
            column.field.attributes &= ~(ado::adFldIsNullable | ado::adFldMayBeNull);
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

void SettleExpressionKinds(std::vector<ResultColumn>& columns,
                           std::span<const StoredValue> firstRow) {
    for (std::size_t i = 0; i < columns.size() && i < firstRow.size(); ++i) {
        if (!columns[i].declared) {
            ApplyKind(columns[i].field, KindOfValue(firstRow[i]));
        }
    }
}

WriteTarget FindWriteTarget(std::vector<ResultColumn>& columns,
                            const std::vector<TableName>& tablesRead, bool writable) {
    WriteTarget target;
    if (tablesRead.size() != 1) {
        return target;
    }
    target.table = tablesRead.front();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].isTableKey && SameTable(columns[i].table, target.table)) {
            target.keyColumn = static_cast<int>(i);
            break;
        }
    }
    if (!target.isValid() || !writable) {
        return target;
    }
    for (ResultColumn& column : columns) {
        if (!column.isTableKey && !column.table.name.isEmpty() &&
            SameTable(column.table, target.table)) {
            column.field.attributes |= ado::adFldUpdatable;
        }
    }
    return target;
}
