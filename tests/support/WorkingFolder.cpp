#include "tests/support/WorkingFolder.h"

#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"

#include <QDir>

#include <iomanip>
#include <ostream>
#include <stdexcept>

namespace {

void PrintText(const std::optional<QString>& text, std::ostream* stream) {
    if (text) {
        *stream << '"' << text->toStdString() << '"';
    } else {
        *stream << "NULL";
    }
}

} // namespace

WorkingFolder::WorkingFolder(const QString& name) : previousCurrent_(QDir::currentPath()) {
    if (!temporary_.isValid()) {
        throw std::runtime_error("cannot create a temporary working folder: " +
                                 temporary_.errorString().toStdString());
    }
    path_ = name.isEmpty() ? temporary_.path() : temporary_.path() + u'/' + name;
    if (!QDir().mkpath(path_)) {
        throw std::runtime_error("cannot create the working folder " + path_.toStdString());
    }
    InitFolder(path_);
    if (!QDir::setCurrent(path_)) {
        throw std::runtime_error("cannot enter the temporary working folder");
    }
}

WorkingFolder::~WorkingFolder() {
    // Leave the folder before it is removed.
    QDir::setCurrent(previousCurrent_);
}

QString WorkingFolder::path() const {
    return path_;
}

QString WorkingFolder::databasePath() const {
    return DirectoryFolder(path()).databasePath();
}

QString WorkingFolder::historyPath(const QString& fileName) const {
    return QDir(path()).filePath(QStringLiteral("History/") + fileName);
}

void WorkingFolder::addEntries(const std::vector<DirectoryEntry>& entries) const {
    AddFolderEntries(path(), entries);
}

std::vector<DirectoryEntry> WorkingFolder::entries() const {
    return ReadFolderEntries(path());
}

void PrintTo(const DirectoryEntry& entry, std::ostream* stream) {
    *stream << '{';
    if (entry.tel) {
        *stream << std::setprecision(17) << *entry.tel;
    } else {
        *stream << "NULL";
    }
    for (const std::optional<QString>* text : {&entry.fio, &entry.name, &entry.story}) {
        *stream << ", ";
        PrintText(*text, stream);
    }
    *stream << '}';
}
