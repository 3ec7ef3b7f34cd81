#include "tools/CommandLine.h"

#include "tools/FolderErrors.h"

#include <QHash>

#include <algorithm>
#include <cstdint>

namespace {

struct CommandShape {
    ToolCommand::Kind kind;
    int positionals;     // folder, then the file when there are two
    QStringList options; // the options it takes
};

const QHash<QString, CommandShape>& Commands() {
    static const QHash<QString, CommandShape> commands = {
        {QStringLiteral("init"), {ToolCommand::Kind::Init, 1, {QStringLiteral("--server")}}},
        {QStringLiteral("generate"),
         {ToolCommand::Kind::Generate, 1, {QStringLiteral("--entries"), QStringLiteral("--seed")}}},
        {QStringLiteral("import"), {ToolCommand::Kind::Import, 2, {}}},
        {QStringLiteral("export"), {ToolCommand::Kind::Export, 2, {}}},
        {QStringLiteral("index"), {ToolCommand::Kind::Index, 1, {}}},
    };
    return commands;
}

std::uint64_t ParseNumber(const QString& option, const QString& text, bool allowAll) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    // toULongLong accepts a sign and spaces; a count or a seed is digits only.
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    if (!ok || !digitsOnly || (!allowAll && value > static_cast<qulonglong>(INT64_MAX))) {
        throw EBadUse(
            QStringLiteral("%1 needs a non-negative whole number, not \"%2\"").arg(option, text));
    }
    return value;
}

// Takes the value of an option, given as "--name=value" or "--name value".
QString OptionValue(const QStringList& arguments, int& index, const QString& name) {
    const QString& argument = arguments[index];
    if (argument.size() > name.size()) {
        return argument.mid(name.size() + 1);
    }
    if (index + 1 >= arguments.size()) {
        throw EBadUse(QStringLiteral("%1 needs a value").arg(name));
    }
    return arguments[++index];
}

// Takes one option the command accepts; each may be given once.
void ParseOption(const QStringList& arguments, int& index, ToolCommand& command,
                 QStringList& given) {
    const QString& argument = arguments[index];
    const QString name = argument.section(u'=', 0, 0);
    if (!Commands().value(arguments.first()).options.contains(name)) {
        throw EBadUse(QStringLiteral("unknown option %1 for %2").arg(argument, arguments.first()));
    }
    if (given.contains(name)) {
        throw EBadUse(QStringLiteral("%1 is given twice").arg(name));
    }
    given << name;
    const QString value = OptionValue(arguments, index, name);
    if (name == u"--entries") {
        command.entries = static_cast<qint64>(ParseNumber(name, value, false));
    } else if (name == u"--seed") {
        command.seed = ParseNumber(name, value, true);
    } else if (value.isEmpty()) {
        throw EBadUse(QStringLiteral("--server needs a connection URI, such as "
                                     "postgresql:///phonebook?host=/run/postgresql"));
    } else {
        command.server = value;
    }
}

} // namespace

ToolCommand ParseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        throw EBadUse(QStringLiteral("no command given (see phonebook-db --help)"));
    }
    if (arguments.contains(u"--help") || arguments.contains(u"-h")) {
        return ToolCommand{};
    }
    const auto shape = Commands().constFind(arguments.first());
    if (shape == Commands().cend()) {
        throw EBadUse(
            QStringLiteral("unknown command %1 (see phonebook-db --help)").arg(arguments.first()));
    }
    ToolCommand command;
    command.kind = shape->kind;
    QStringList positionals;
    QStringList given;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            ParseOption(arguments, i, command, given);
        } else {
            positionals << argument;
        }
    }
    if (positionals.size() != shape->positionals) {
        throw EBadUse(QStringLiteral("%1 needs %2 (see phonebook-db --help)")
                          .arg(arguments.first(), shape->positionals == 1
                                                      ? QStringLiteral("DIR")
                                                      : QStringLiteral("DIR FILE")));
    }
    if (command.kind == ToolCommand::Kind::Generate && !given.contains(u"--entries")) {
        throw EBadUse(QStringLiteral("generate needs --entries N"));
    }
    if (positionals[0].isEmpty()) {
        throw EBadUse(QStringLiteral("%1: DIR is empty; name a folder").arg(arguments.first()));
    }
    if (positionals.size() > 1 && positionals[1].isEmpty()) {
        throw EBadUse(QStringLiteral("%1: FILE is empty; name a file").arg(arguments.first()));
    }
    command.folder = positionals[0];
    command.file = positionals.value(1);
    return command;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: phonebook-db COMMAND ...\n"
        "Creates, fills, imports and exports a phone directory working folder\n"
        "(DIR/Base/ccx.ddx and DIR/History/tel.txt, user.txt, street.txt).\n"
        "\n"
        "  phonebook-db init DIR\n"
        "      create DIR with an empty directory database (with its search index) and\n"
        "      empty history files; only what is missing is created, no existing file is\n"
        "      changed\n"
        "  phonebook-db init DIR --server URI\n"
        "      the same with the directory on a PostgreSQL server: URI is a libpq connection\n"
        "      URI (postgresql:///phonebook?host=/run/postgresql), without a password (libpq\n"
        "      reads it from ~/.pgpass, PGPASSFILE or PGPASSWORD); the table and its indexes\n"
        "      are created there if missing, and DIR/Base/ccx.server keeps the URI\n"
        "  phonebook-db generate DIR --entries N [--seed S]\n"
        "      add N plausible entries, the same ones for the same seed (default 1)\n"
        "  phonebook-db import DIR FILE\n"
        "      add the entries of a UTF-8 CSV file with the header tel,fio,Name,Story\n"
        "      (an empty tel is no phone; an unquoted empty text is NULL, \"\" an empty text);\n"
        "      all or nothing: a malformed line is reported as FILE:LINE and nothing is added\n"
        "  phonebook-db export DIR FILE\n"
        "      write every entry to FILE in the form that import reads\n"
        "  phonebook-db index DIR\n"
        "      add the search index to a database made without it (generate and import\n"
        "      add it too); searches of a large directory read it instead of every entry\n"
        "  phonebook-db --help\n"
        "      show this text\n"
        "\n"
        "Exit status: 0 done, 1 the command failed, 2 bad use (nothing changed).\n");
}
