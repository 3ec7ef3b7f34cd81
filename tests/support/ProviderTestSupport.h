#pragma once

#include "tests/support/WorkingFolder.h"

#include "platform/db/AdoCommand.h"
#include "platform/db/AdoProvider.h"
#include "platform/db/AdoRecordset.h"

#include <QString>

class SqliteDatabase;
#include <QStringList>

#include <memory>
#include <vector>

// A command and the recordset opened from it.
struct OpenedQuery {
    std::unique_ptr<AdoCommand> command;
    std::unique_ptr<AdoRecordset> recordset;

    AdoRecordset* operator->() const { return recordset.get(); }
};

// A test in a fresh working folder that reaches its database through the provider.
class ProviderTest : public WorkingFolderTest {
protected:
    // The connection string the program builds, with `extra` pairs appended.
    QString connectionString(const QString& extra = {});
    // Opens the SQL text as the data set does: a text command, a static optimistic recordset.
    OpenedQuery open(const QString& sql, const QString& extra = {});
    // Opens the SQL text on a command that already holds a connection.
    std::unique_ptr<AdoRecordset> openOn(AdoCommand& command, const QString& sql);
    // The provider the test opens through: SQLite's own, unless a test gives another.
    virtual AdoProvider& provider();
};

// The SQLite connection a command of the provider holds.
SqliteDatabase& DatabaseOf(AdoCommand& command);

// The value as test text: "NULL", the integer, the double (%g) or the string.
QString Text(const AdoVariant& value);

// The values of one column over the visible rows, from the first row on; the current row
// is left after the last row.
QStringList ColumnTexts(AdoRecordset& recordset, int column);

// An entry with a phone, a name and an address (no note).
DirectoryEntry Entry(std::optional<double> tel, const char* fio, const char* name = nullptr,
                     const char* story = nullptr);
