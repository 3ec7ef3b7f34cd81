// The main window over a name history of 300,000 and 1,000,000 lines (a busy desk's year, and
// more). StartUpWithHistory: the window made, its histories loaded into the search fields,
// shown and painted; baseline: the same start-up with empty histories; target: under a second
// for 1,000,000 lines. TypeIntoLongHistory and DropDownLongHistory: completing a typed letter
// and dropping the list down, against the same over 1,000 lines.
#include "BenchApplication.h"

#include "app/Unit1.h"
#include "platform/text/Windows1251.h"
#include "platform/ui/TComboBox.h"
#include "tools/FolderCommands.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

// Distinct names in the order a desk would have searched them: a surname, initials, a number.
QByteArray HistoryText(qint64 lines) {
    const char* const surnames[] = {"Иванов",   "Петрова", "Смирнов",  "Кузнецова", "Попов",
                                    "Соколова", "Лебедев", "Новикова", "Морозов",   "Волкова"};
    std::mt19937 random(7);
    QString text;
    for (qint64 line = 0; line < lines; ++line) {
        const QChar first(u'А' + static_cast<char16_t>(random() % 32));
        const QChar second(u'А' + static_cast<char16_t>(random() % 32));
        text += QStringLiteral("%1 %2.%3. %4\r\n")
                    .arg(QString::fromUtf8(surnames[random() % 10]), first, second)
                    .arg(line);
    }
    return ToWindows1251(text);
}

// A working folder whose name history has this many lines.
class HistoryFolder {
public:
    explicit HistoryFolder(qint64 lines) {
        InitFolder(folder_.path());
        QFile history(QDir(folder_.path()).filePath(QStringLiteral("History/user.txt")));
        if (!history.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            history.write(HistoryText(lines)) < 0) {
            throw std::runtime_error("cannot write the history file");
        }
    }
    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

// Makes, shows and paints the window in the folder; returns the seconds it took.
double StartUp(const QString& folder, qsizetype expectedItems) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    const Clock::time_point start = Clock::now();
    double seconds = 0;
    {
        TMenu menu{DirectoryProvider()};
        menu.show();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (menu.ComboBox2->count() != expectedItems)
            seconds = -1;
    }
    QDir::setCurrent(previous);
    return seconds;
}

void StartUpWithHistory(benchmark::State& state) {
    EnsureApplication();
    const HistoryFolder large(state.range(0));
    const HistoryFolder empty(0);
    double ours = 0;
    double baseline = 0;
    for (auto _ : state) {
        const double seconds = StartUp(large.path(), state.range(0));
        const double emptySeconds = StartUp(empty.path(), 0);
        if (seconds < 0 || emptySeconds < 0) {
            state.SkipWithError("the name list does not hold the history's lines");
            return;
        }
        state.SetIterationTime(seconds);
        ours += seconds;
        baseline += emptySeconds;
    }
    state.counters["ratio"] = ours / baseline;
}

// A window started over the folder, kept for the benchmarks of its name field.
class HistoryWindow {
public:
    explicit HistoryWindow(const QString& folder) : previous_(Enter(folder)) {
        menu_.show();
        QCoreApplication::processEvents();
    }
    ~HistoryWindow() { QDir::setCurrent(previous_); }
    TComboBox& names() { return *menu_.ComboBox2; }

private:
    // Makes the folder current before the window loads its histories; gives the one before.
    static QString Enter(const QString& folder) {
        QString previous = QDir::currentPath();
        QDir::setCurrent(folder);
        return previous;
    }

    QString previous_;
    TMenu menu_{DirectoryProvider()};
};

// Times `act` on the name field of a window over the benchmark's long history, against the
// same on a window over a history of 1,000 lines.
template <class Act> void AgainstAShortHistory(benchmark::State& state, Act act) {
    EnsureApplication();
    const HistoryFolder large(state.range(0));
    const HistoryFolder small(1000);
    HistoryWindow window(large.path());
    HistoryWindow smallWindow(small.path());
    const auto timed = [&act](TComboBox& field) {
        const Clock::time_point start = Clock::now();
        act(field);
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    double ours = 0;
    double baseline = 0;
    for (auto _ : state) {
        const double seconds = timed(window.names());
        state.SetIterationTime(seconds);
        ours += seconds;
        baseline += timed(smallWindow.names());
    }
    state.counters["ratio"] = ours / baseline;
}

// Typing into the name field completes from its list: "Z" begins no item of the history, so
// every item is tried.
void TypeIntoLongHistory(benchmark::State& state) {
    AgainstAShortHistory(state, [](TComboBox& field) {
        field.SetText(QString());
        QTest::keyClick(&field, Qt::Key_Z, Qt::NoModifier);
    });
}

// The name field's list dropped down and closed again.
void DropDownLongHistory(benchmark::State& state) {
    AgainstAShortHistory(state, [](TComboBox& field) {
        field.showPopup();
        QCoreApplication::processEvents();
        field.hidePopup();
    });
}

} // namespace

BENCHMARK(TypeIntoLongHistory)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DropDownLongHistory)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWithHistory)
    ->Arg(300000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
