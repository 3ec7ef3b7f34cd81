#include "tools/CommandLine.h"

#include "tools/FolderErrors.h"

#include <QHash>

#include <algorithm>
#include <cstdint>

namespace {

struct CommandShape {
    ToolCommand::Kind kind;
    int positionals; // folder, then the file when there are two
    bool generateOptions;
};

const QHash<QString, CommandShape>& Commands() {
    static const QHash<QString, CommandShape> commands = {
        {QStringLiteral("init"), {ToolCommand::Kind::Init, 1, false}},
        {QStringLiteral("generate"), {ToolCommand::Kind::Generate, 1, true}},
        {QStringLiteral("import"), {ToolCommand::Kind::Import, 2, false}},
        {QStringLiteral("export"), {ToolCommand::Kind::Export, 2, false}},
        {QStringLiteral("index"), {ToolCommand::Kind::Index, 1, false}},
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

void ParseOption(const QStringList& arguments, int& index, ToolCommand& command, bool& haveEntries,
                 bool& haveSeed) {
    const QString& argument = arguments[index];
    const QString name = argument.section(u'=', 0, 0);
    if (name == u"--entries" && !haveEntries) {
        command.entries =
            static_cast<qint64>(ParseNumber(name, OptionValue(arguments, index, name), false));
        haveEntries = true;
    } else if (name == u"--seed" && !haveSeed) {
        command.seed = ParseNumber(name, OptionValue(arguments, index, name), true);
        haveSeed = true;
    } else if (name == u"--entries" || name == u"--seed") {
        throw EBadUse(QStringLiteral("%1 is given twice").arg(name));
    } else {
        throw EBadUse(QStringLiteral("unknown option %1").arg(argument));
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
    bool haveEntries = false;
    bool haveSeed = false;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            if (!shape->generateOptions) {
                throw EBadUse(
                    QStringLiteral("unknown option %1 for %2").arg(argument, arguments.first()));
            }
            ParseOption(arguments, i, command, haveEntries, haveSeed);
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
    if (shape->generateOptions && !haveEntries) {
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
