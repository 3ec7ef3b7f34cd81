// phonebook-db: creates, fills, imports and exports a phone directory working folder.
#include "tools/CommandLine.h"
#include "tools/FolderCommands.h"
#include "tools/FolderErrors.h"

#include "platform/files/FileIdentity.h"

#include <QStringList>

#include <cstdio>
#include <exception>
#include <functional>
#include <optional>

#ifdef _WIN32
#include <io.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadUse = 2;
// Below this many entries generation is quick enough to need no progress line.
constexpr qint64 kProgressThreshold = 100000;

// True while a progress line waits for its line break.
bool progressLineOpen = false;

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

void PrintError(const QString& message) {
    if (progressLineOpen) {
        Print(stderr, QStringLiteral("\n"));
    }
    Print(stderr, QStringLiteral("phonebook-db: %1\n").arg(message));
}

// A progress line rewritten in place on a terminal; nothing when stderr is not one.
std::function<void(qint64)> ProgressLine(qint64 total) {
    if (total < kProgressThreshold || !IsTerminal(stderr)) {
        return {};
    }
    return [total, shown = qint64(-1)](qint64 added) mutable {
        const qint64 percent = added * 100 / total;
        if (percent == shown) {
            return;
        }
        shown = percent;
        progressLineOpen = added != total;
        Print(stderr, QStringLiteral("\rGenerating entries: %1% (%2 of %3)%4")
                          .arg(percent)
                          .arg(added)
                          .arg(total)
                          .arg(added == total ? QStringLiteral("\n") : QString()));
        std::fflush(stderr);
    };
}

// The progress line of the index command.
IndexProgress IndexProgressLine() {
    if (!IsTerminal(stderr)) {
        return {};
    }
    return [shown = qint64(-1)](qint64 indexed, qint64 total) mutable {
        const qint64 percent = total > 0 ? indexed * 100 / total : 100;
        if (percent == shown) {
            return;
        }
        shown = percent;
        progressLineOpen = indexed != total;
        Print(stderr, QStringLiteral("\rIndexing entries: %1% (%2 of %3)%4")
                          .arg(percent)
                          .arg(indexed)
                          .arg(total)
                          .arg(indexed == total ? QStringLiteral("\n") : QString()));
        std::fflush(stderr);
    };
}

void Run(const ToolCommand& command) {
    switch (command.kind) {
    case ToolCommand::Kind::Help:
        Print(stdout, UsageText());
        return;
    case ToolCommand::Kind::Init:
        for (const QString& path : InitFolder(command.folder)) {
            Print(stdout, QStringLiteral("created %1\n").arg(path));
        }
        return;
    case ToolCommand::Kind::Generate:
        GenerateFolderEntries(command.folder, command.entries, command.seed,
                              ProgressLine(command.entries));
        Print(stdout, QStringLiteral("added %1 entries\n").arg(command.entries));
        return;
    case ToolCommand::Kind::Import:
        Print(stdout, QStringLiteral("imported %1 entries\n")
                          .arg(ImportFolderEntries(command.folder, command.file)));
        return;
    case ToolCommand::Kind::Index:
        Print(stdout, IndexFolder(command.folder, IndexProgressLine())
                          ? QStringLiteral("added the search index\n")
                          : QStringLiteral("the search index is there already\n"));
        return;
    case ToolCommand::Kind::Export: {
        // Exported to standard output (/dev/stdout), the summary must not join the CSV text.
        const std::optional<FileIdentity> output = IdentityOfFile(QStringLiteral("/dev/stdout"));
        std::FILE* summary = output && output == IdentityOfFile(command.file) ? stderr : stdout;
        Print(summary, QStringLiteral("exported %1 entries\n")
                           .arg(ExportFolderEntries(command.folder, command.file)));
        return;
    }
    }
}

} // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    // A write past the file size limit fails with an error we report, instead of a signal
    // that ends the process in the middle of the work.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (arguments.isEmpty()) {
        Print(stderr, UsageText());
        return kExitBadUse;
    }
    try {
        Run(ParseCommandLine(arguments));
        return 0;
    } catch (const EBadUse& error) {
        PrintError(error.message());
        return kExitBadUse;
    } catch (const Exception& error) {
        PrintError(error.message());
    } catch (const std::exception& error) {
        PrintError(QString::fromLocal8Bit(error.what()));
    }
    return kExitFailure;
}
