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

// Rewrites a progress line in place: "<what>: N% (done of total)", once per percent.
class ProgressPrinter {
public:
    explicit ProgressPrinter(const char* what) : what_(QString::fromLatin1(what)) {}

    void operator()(qint64 done, qint64 total) {
        const qint64 percent = total > 0 ? done * 100 / total : 100;
        if (percent == shown_) {
            return;
        }
        shown_ = percent;
        progressLineOpen = done != total;
        Print(stderr, QStringLiteral("\r%1: %2% (%3 of %4)%5")
                          .arg(what_)
                          .arg(percent)
                          .arg(done)
                          .arg(total)
                          .arg(done == total ? QStringLiteral("\n") : QString()));
        std::fflush(stderr);
    }

private:
    QString what_;
    qint64 shown_ = -1;
};

// The progress line of generate, on a terminal and for many entries; nothing otherwise.
std::function<void(qint64)> ProgressLine(qint64 total) {
    if (total < kProgressThreshold || !IsTerminal(stderr)) {
        return {};
    }
    return [total, print = ProgressPrinter("Generating entries")](qint64 added) mutable {
        print(added, total);
    };
}

// The progress line of the index command, on a terminal; nothing otherwise.
IndexProgress IndexProgressLine() {
    if (!IsTerminal(stderr)) {
        return {};
    }
    return ProgressPrinter("Indexing entries");
}

QString IndexReport(const SearchIndexRepair& repair) {
    switch (repair.action) {
    case SearchIndexRepair::Action::Added:
        return QStringLiteral("added the search index\n");
    case SearchIndexRepair::Action::Rebuilt:
        return QStringLiteral("the search index was out of step: %1; made it anew over the %2 "
                              "entries\n")
            .arg(repair.finding)
            .arg(repair.entries);
    case SearchIndexRepair::Action::Kept:
        break;
    }
    return QStringLiteral("the search index is there already, in step with the %1 entries\n")
        .arg(repair.entries);
}

void Run(const ToolCommand& command) {
    switch (command.kind) {
    case ToolCommand::Kind::Help:
        Print(stdout, UsageText());
        return;
    case ToolCommand::Kind::Init:
        for (const QString& path : command.server.isEmpty()
                                       ? InitFolder(command.folder)
                                       : InitServerFolder(command.folder, command.server)) {
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
        Print(stdout, IndexReport(IndexFolder(command.folder, IndexProgressLine())));
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
