#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// A working folder with a generated directory of a given number of entries, made once per
// run in a temporary folder by phonebook-db's own code and removed at the end of the run.
class DirectoryFixture {
public:
    // The folder with this many entries, generated on first use.
    static const DirectoryFixture& withEntries(qint64 entries);
    // The same directory without the search index: searched by reading every entry.
    static const DirectoryFixture& withoutIndex(qint64 entries);

    qint64 entries() const noexcept { return entries_; }
    // The working folder (Base/ccx.ddx, History/).
    QString path() const { return folder_.path(); }
    QString databasePath() const;
    // The connection string the program builds for the folder's database.
    QString connectionString() const;

private:
    DirectoryFixture(qint64 entries, bool indexed);

    qint64 entries_;
    QTemporaryDir folder_;
};
