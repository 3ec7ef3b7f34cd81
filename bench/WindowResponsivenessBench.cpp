// How the main window behaves while its Search command runs on directories of 1,000,000 entries
// (and of 10,000,000 with PHONEBOOK_BENCH_LARGE=1: generating them takes minutes and about
// 1 GB of the temporary folder). The real window over DirectoryProvider(), shown offscreen;
// each command runs from the click to the painted grid.
//
// Counters of each case (the reported time is the first page's):
//   frozen_ms      the longest time the window's thread did not turn its event loop, from the
//                  click to the painted grid (the worst of the iterations); about 1 ms when
//                  it turns freely (LoopTurnRecorder);
//   frozen_cpu_ms  the window's thread's own CPU time within that longest gap: near
//                  frozen_ms when its own work held it, near 0 when it was kept off the
//                  processor;
//   cpu_ms         the CPU time of the whole process (every thread) over the same span;
//   first_page_ms  the wall time from the click to the painted grid;
//   count_ms       the wall time from the click until the status bar is painted showing
//                  "Найдено: N" (none for the plain open of the whole table, which sets none);
//   rows           the rows found;
//   ratio          the first page's time against the same statements stepped to their end
//                  through plain SQLite (its built-in LIKE, no search index) in this process;
//   rss_bytes_per_entry (first search only) the growth of the process's resident memory from
//                  the empty window to the painted result, per entry of the directory.
// All but frozen_ms are the mean of the iterations.
//
// Cases:
//   FirstSearch      a new window's first search (ИВАН): its connection opens and the copy of
//                    the searched texts is read during it;
//   AfterOtherWrite  another program's connection updates k entries, then the window searches
//                    ПЕТРОВА: catching up with the write is part of the search;
//   Broadest         the searches that find the most (phone "1", name "ОВ") and the edit
//                    toggle's plain open of the whole table, on a warm window;
//   Run3             a warm search whose pattern holds a run of three characters (ИВА).
#include "BenchApplication.h"
#include "DirectoryFixture.h"
#include "LoopTurns.h"
#include "PaintWatch.h"
#include "ProcessMeters.h"
#include "SearchCases.h"

#include "app/Unit1.h"
#include "data/TADOQuery.h"
#include "directory/DirectoryProvider.h"
#include "directory/SearchRules.h"
#include "platform/db/AdoProvider.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/ui/TButton.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TStatusBar.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

const SearchCase kIvan{"NameIvan", Texts("", "ИВАН")};
const SearchCase kPetrova{"NamePetrova", Texts("", "ПЕТРОВА")};
const SearchCase kRun3{"NameIva", Texts("", "ИВА")};
const SearchCase kBroadest[] = {
    {"Phone1", Texts("1")},
    {"NameOv", Texts("", "ОВ")},
    {"WholeTable", Texts(""), true},
};

// The median time of three calls, after one that warms up.
double MedianMilliseconds(const std::function<void()>& call) {
    call();
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        const Clock::time_point start = Clock::now();
        call();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// A new main window over the directory, shown offscreen and painted; the working folder is the
// directory's, as the program expects.
std::unique_ptr<TMenu> OpenWindow(const DirectoryFixture& directory) {
    EnsureApplication();
    QDir::setCurrent(directory.path());
    auto menu = std::make_unique<TMenu>(DirectoryProvider());
    menu->show();
    QApplication::processEvents();
    FlushPaints(*menu);
    return menu;
}

void TypeTexts(TMenu& menu, const SearchTexts& texts) {
    menu.ComboBox1->SetText(texts.phone);
    menu.ComboBox2->SetText(texts.name);
    menu.ComboBox3->SetText(texts.street);
    menu.Edit4->setText(texts.house);
    menu.Edit5->setText(texts.apartment);
}

// What the user starts: the Search command, or the edit toggle's plain open of the table.
void StartCommand(TMenu& menu, const SearchCase& search) {
    if (!search.wholeTable) {
        menu.Button1->click();
        return;
    }
    TADOQuery& query = *menu.ADOQuery1;
    query.Close();
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story"));
    query.SQL().Add(QStringLiteral("FROM tel"));
    query.SetFiltered(false);
    query.Open();
}

// A window that has searched once already (its copy read), one per directory, kept for the
// run.
TMenu& WarmWindow(const DirectoryFixture& directory) {
    static std::map<const DirectoryFixture*, std::unique_ptr<TMenu>> windows;
    std::unique_ptr<TMenu>& window = windows[&directory];
    if (!window) {
        window = OpenWindow(directory);
        TypeTexts(*window, kIvan.texts);
        StartCommand(*window, kIvan);
        FlushPaints(*window);
    }
    QDir::setCurrent(directory.path());
    return *window;
}

struct Figures {
    double frozenMs = 0;
    double frozenCpuMs = 0;
    double cpuMs = 0;
    double firstPageMs = 0;
    std::optional<double> countMs;
    long rows = 0;
};

// Runs the case in the window, its texts typed beforehand, from the click to the painted grid.
Figures Measure(TMenu& menu, const SearchCase& search) {
    TypeTexts(menu, search.texts);
    // The count left by the last search would be seen at once.
    menu.StatusBar1->SetPanelText(1, QString());
    FlushPaints(menu);
    PaintWatch count(*menu.StatusBar1, [&menu] {
        return menu.StatusBar1->PanelText(1).startsWith(QStringLiteral("Найдено: "));
    });

    const std::chrono::nanoseconds cpuBefore = ProcessCpuTime();
    const Clock::time_point start = Clock::now();
    LoopTurnRecorder turns(start);
    StartCommand(menu, search);
    FlushPaints(menu);
    const Clock::time_point painted = Clock::now();
    const std::chrono::nanoseconds cpuAfter = ProcessCpuTime();

    Figures figures;
    const LoopTurnRecorder::Gap frozen = turns.finish(painted);
    figures.frozenMs = Milliseconds(frozen.length);
    figures.frozenCpuMs = Milliseconds(frozen.threadCpu);
    figures.cpuMs = Milliseconds(cpuAfter - cpuBefore);
    figures.firstPageMs = Milliseconds(painted - start);
    if (count.paintedAt()) {
        figures.countMs = Milliseconds(*count.paintedAt() - start);
    }
    figures.rows = menu.ADOQuery1->RecordCount();
    return figures;
}

// Reports the iterations' figures and the ratio of their first page to the baseline's time.
void Report(benchmark::State& state, const std::vector<Figures>& runs, double baselineMs) {
    if (runs.empty()) {
        return;
    }
    const Figures& worst =
        *std::max_element(runs.begin(), runs.end(), [](const Figures& a, const Figures& b) {
            return a.frozenMs < b.frozenMs;
        });
    double cpu = 0, firstPage = 0, count = 0;
    bool counted = true;
    for (const Figures& run : runs) {
        cpu += run.cpuMs;
        firstPage += run.firstPageMs;
        counted = counted && run.countMs.has_value();
        count += run.countMs.value_or(0);
    }
    const double n = static_cast<double>(runs.size());
    state.counters["frozen_ms"] = worst.frozenMs;
    state.counters["frozen_cpu_ms"] = worst.frozenCpuMs;
    state.counters["cpu_ms"] = cpu / n;
    state.counters["first_page_ms"] = firstPage / n;
    if (counted) {
        state.counters["count_ms"] = count / n;
    }
    state.counters["rows"] = static_cast<double>(runs.back().rows);
    state.counters["ratio"] = baselineMs > 0 ? firstPage / n / baselineMs : 0.0;
}

void Record(benchmark::State& state, std::vector<Figures>& runs, const Figures& figures) {
    state.SetIterationTime(figures.firstPageMs / 1000.0);
    runs.push_back(figures);
}

// A new window's first search. Baseline: a new plain connection stepping the statements.
void FirstSearch(benchmark::State& state) {
    const DirectoryFixture& directory = DirectoryFixture::withEntries(state.range(0));
    std::vector<Figures> runs;
    std::optional<double> bytesPerEntry;
    for (auto _ : state) {
        std::unique_ptr<TMenu> menu = OpenWindow(directory);
        // What earlier windows and the directory's generation freed is not the empty
        // window's.
        ReleaseFreeMemory();
        const std::int64_t empty = ResidentBytes();
        Record(state, runs, Measure(*menu, kIvan));
        if (!bytesPerEntry) {
            // The first window alone: later ones may reuse what the earlier ones freed.
            bytesPerEntry = static_cast<double>(ResidentBytes() - empty) /
                            static_cast<double>(directory.entries());
        }
    }
    const std::vector<QString> statements = Statements(kIvan);
    const double baseline = MedianMilliseconds([&] {
        SqliteDatabase plain(directory.databasePath(), SqliteOpenMode::ReadOnly);
        StepPlain(plain, statements);
    });
    Report(state, runs, baseline);
    state.counters["rss_bytes_per_entry"] = bytesPerEntry.value_or(0);
}

// The IDs of `count` entries spread over the directory.
QString SpreadIds(qint64 entries, qint64 count) {
    QStringList ids;
    const qint64 step = std::max<qint64>(1, entries / count);
    for (qint64 i = 0; i < count; ++i) {
        ids.append(QString::number(1 + i * step));
    }
    return ids.join(u',');
}

// Another program's update of k entries, then a search on a warm window. The write is not
// timed; the catch-up with it is. Baseline: the search's statements through plain SQLite.
void AfterOtherWrite(benchmark::State& state) {
    const DirectoryFixture& directory = DirectoryFixture::withEntries(state.range(0));
    TMenu& menu = WarmWindow(directory);
    // A connection of its own, as the sqlite3 shell would open the file.
    SqliteDatabase other(directory.databasePath(), SqliteOpenMode::ReadWrite);
    const QString update = QStringLiteral("UPDATE tel SET fio = fio || ' ' WHERE ID IN (%1)")
                               .arg(SpreadIds(directory.entries(), state.range(1)));
    std::vector<Figures> runs;
    for (auto _ : state) {
        other.exec(update);
        Record(state, runs, Measure(menu, kPetrova));
    }
    SqliteDatabase plain(directory.databasePath(), SqliteOpenMode::ReadOnly);
    const std::vector<QString> statements = Statements(kPetrova);
    Report(state, runs, MedianMilliseconds([&] { StepPlain(plain, statements); }));
}

// A case on a warm window, against its statements through plain SQLite.
void WarmSearch(benchmark::State& state, const SearchCase& search) {
    const DirectoryFixture& directory = DirectoryFixture::withEntries(state.range(0));
    TMenu& menu = WarmWindow(directory);
    std::vector<Figures> runs;
    for (auto _ : state) {
        Record(state, runs, Measure(menu, search));
    }
    SqliteDatabase plain(directory.databasePath(), SqliteOpenMode::ReadOnly);
    const std::vector<QString> statements = Statements(search);
    Report(state, runs, MedianMilliseconds([&] { StepPlain(plain, statements); }));
}

void Broadest(benchmark::State& state, const SearchCase& search) {
    WarmSearch(state, search);
}

void Run3(benchmark::State& state) {
    WarmSearch(state, kRun3);
}

// 10,000,000 entries only when asked for.
std::vector<qint64> Sizes() {
    std::vector<qint64> sizes{1000000};
    const char* large = std::getenv("PHONEBOOK_BENCH_LARGE");
    if (large != nullptr && std::string(large) == "1") {
        sizes.push_back(10000000);
    }
    return sizes;
}

benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* benchmark) {
    return benchmark->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
}

// Registered in this order, so that the first searches run on a process that has held no
// window yet.
const bool kRegistered = [] {
    for (const qint64 entries : Sizes()) {
        Configure(benchmark::RegisterBenchmark("Responsive/FirstSearch", FirstSearch))
            ->Arg(entries);
    }
    for (const qint64 entries : Sizes()) {
        for (const qint64 written : {1, 1000}) {
            Configure(benchmark::RegisterBenchmark("Responsive/AfterOtherWrite", AfterOtherWrite))
                ->Args({entries, written});
        }
    }
    for (const SearchCase& search : kBroadest) {
        const auto run = [&search](benchmark::State& state) {
            Broadest(state, search);
        };
        for (const qint64 entries : Sizes()) {
            Configure(benchmark::RegisterBenchmark(
                          (std::string("Responsive/Broadest/") + search.name).c_str(), run))
                ->Arg(entries);
        }
    }
    for (const qint64 entries : Sizes()) {
        Configure(benchmark::RegisterBenchmark("Responsive/Run3", Run3))->Arg(entries);
    }
    return true;
}();

} // namespace
