#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdint>

// One use of phonebook-db, as its arguments ask for.
struct ToolCommand {
    enum class Kind { Help, Init, Generate, Import, Export, Index };

    Kind kind = Kind::Help;
    QString folder;         // the working folder (all kinds but Help)
    QString file;           // the CSV file (Import, Export)
    qint64 entries = 0;     // --entries (Generate)
    std::uint64_t seed = 1; // --seed (Generate)
    QString server;         // --server (Init): the directory's server, a libpq connection URI
};

// Parses the arguments after the program name. Bad arguments throw EBadUse with a one-line
// description; an empty list is bad use too.
ToolCommand ParseCommandLine(const QStringList& arguments);

// The help text, several lines, each ended by a line break.
QString UsageText();
