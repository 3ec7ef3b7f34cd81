#include "tools/EntryTable.h"

#include "platform/Exceptions.h"
#include "platform/db/SqliteDatabase.h"

namespace {

void BindText(SqliteStatement& statement, int index, const std::optional<QString>& text) {
    if (text) {
        statement.bindText(index, *text);
    } else {
        statement.bindNull(index);
    }
}

std::optional<QString> TextColumn(const SqliteStatement& statement, int index) {
    if (statement.columnIsNull(index)) {
        return std::nullopt;
    }
    return statement.columnText(index);
}

std::optional<double> PhoneColumn(const SqliteStatement& statement, int index) {
    switch (statement.columnType(index)) {
    case SqliteType::Null:
        return std::nullopt;
    case SqliteType::Float:
        return statement.columnDouble(index);
    case SqliteType::Integer:
        return static_cast<double>(statement.columnInt64(index));
    case SqliteType::Text:
    case SqliteType::Blob:
        break;
    }
    throw Exception(QStringLiteral("entry %1: tel holds \"%2\", which is not a number")
                        .arg(statement.columnInt64(0))
                        .arg(statement.columnText(index)));
}

} // namespace

EntryInserter::EntryInserter(SqliteDatabase& database)
    : statement_(database.prepare("INSERT INTO tel (tel, fio, Name, Story) VALUES (?, ?, ?, ?)")) {
}

void EntryInserter::insert(const DirectoryEntry& entry) {
    if (entry.tel) {
        statement_.bindDouble(1, *entry.tel);
    } else {
        statement_.bindNull(1);
    }
    BindText(statement_, 2, entry.fio);
    BindText(statement_, 3, entry.name);
    BindText(statement_, 4, entry.story);
    try {
        statement_.step();
    } catch (...) {
        statement_.reset();
        throw;
    }
    statement_.reset();
}

void ForEachEntry(SqliteDatabase& database,
                  const std::function<void(const DirectoryEntry&)>& visit) {
    SqliteStatement statement =
        database.prepare("SELECT ID, tel, fio, Name, Story FROM tel ORDER BY ID");
    while (statement.step()) {
        visit(DirectoryEntry{PhoneColumn(statement, 1), TextColumn(statement, 2),
                             TextColumn(statement, 3), TextColumn(statement, 4)});
    }
}
