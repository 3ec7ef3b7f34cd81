#pragma once

#include "tools/DirectoryEntry.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iosfwd>
#include <vector>

// A fresh temporary working folder with `Base/ccx.ddx` (an empty table `tel`) and the three
// empty history files, made by phonebook-db's own init code. While it lives it is the
// current directory; on destruction the previous current directory comes back and the
// folder is removed.
class WorkingFolder {
public:
    // `name`, when given, is the folder's path below a fresh temporary folder; it may hold
    // "/" to make the folder several levels down.
    explicit WorkingFolder(const QString& name = {});
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // The folder's absolute path.
    QString path() const;
    QString databasePath() const;
    // The path of a file below `History/` ("tel.txt", "user.txt", "street.txt").
    QString historyPath(const QString& fileName) const;

    // Adds entries to the table `tel` in one transaction, through phonebook-db's code.
    void addEntries(const std::vector<DirectoryEntry>& entries) const;
    // Every entry of the table `tel` in `ID` order.
    std::vector<DirectoryEntry> entries() const;

private:
    QString previousCurrent_;
    QTemporaryDir temporary_;
    QString path_;
};

// A test that runs inside a fresh working folder.
class WorkingFolderTest : public ::testing::Test {
protected:
    WorkingFolder& folder() { return folder_; }
    const WorkingFolder& folder() const { return folder_; }
    void addEntries(const std::vector<DirectoryEntry>& entries) { folder_.addEntries(entries); }

private:
    WorkingFolder folder_;
};

// Shows an entry in test failure messages: {tel, "fio", "Name", "Story"}, NULL for none.
void PrintTo(const DirectoryEntry& entry, std::ostream* stream);
