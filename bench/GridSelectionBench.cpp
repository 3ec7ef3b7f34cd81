// Selecting and deleting in the grid over a large result, driven by key events:
// - Shift+End from the first of 100,000 records, one step per record, against stepping the
//   data set alone (no control told of the moves) through the same records;
// - Ctrl+Delete of 1,000 selected entries of 100,000, against the same number of DELETE
//   statements by key run through SQLite in one transaction.
// Each iteration's time is measured by hand, without the set-up between iterations.
#include "BenchApplication.h"
#include "DirectoryFixture.h"
#include "DirectoryGridScene.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/ui/DialogService.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

constexpr qint64 Entries = 100000;
constexpr int DeletedEntries = 1000;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void GridShiftEnd(benchmark::State& state) {
    EnsureApplication();
    DirectoryGridScene scene(DirectoryFixture::withEntries(Entries).connectionString());
    double ours = 0;
    double baseline = 0;
    for (auto _ : state) {
        scene.Key(Qt::Key_Home);
        const Clock::time_point start = Clock::now();
        scene.Key(Qt::Key_End, Qt::ShiftModifier);
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        ours += seconds;
        if (scene.grid.Selection().Rows().Count() != Entries) {
            state.SkipWithError("Shift+End did not select every record");
            return;
        }
        // The baseline: the data set alone, its controls not told of the moves.
        scene.query.First();
        scene.query.DisableControls();
        const Clock::time_point walk = Clock::now();
        while (scene.query.MoveBy(1) != 0) {
        }
        baseline += SecondsSince(walk);
        scene.query.EnableControls();
    }
    state.counters["ratio"] = ours / baseline;
    state.SetLabel("ratio: Shift+End / the data set alone stepped through the same records");
}
BENCHMARK(GridShiftEnd)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// Answers every confirmation with OK while it lives.
class ConfirmEverything : public DialogService {
public:
    DialogAnswer Show(const DialogRequest&) override { return DialogAnswer::Ok; }
};

// A copy of the generated directory that one iteration may change.
QString FreshCopy(const QTemporaryDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile::remove(path);
    QFile::copy(DirectoryFixture::withEntries(Entries).databasePath(), path);
    return path;
}

double DeleteSelectedInGrid(const QString& path) {
    DirectoryGridScene scene(QStringLiteral("Data Source=") + path);
    // Every hundredth record selected.
    for (int k = 0; k < DeletedEntries; ++k) {
        scene.query.SetRecNo(1 + k * (Entries / DeletedEntries));
        scene.grid.Selection().Rows().SetCurrentRowSelected(true);
    }
    scene.query.First();
    FlushPaints(scene.grid);
    const Clock::time_point start = Clock::now();
    scene.Key(Qt::Key_Delete, Qt::ControlModifier);
    const double seconds = SecondsSince(start);
    if (scene.query.RecordCount() != Entries - DeletedEntries)
        return -1;
    return seconds;
}

double DeleteByKeyInOneTransaction(const QString& path) {
    SqliteDatabase database(path, SqliteOpenMode::ReadWrite);
    const Clock::time_point start = Clock::now();
    database.exec("BEGIN IMMEDIATE");
    SqliteStatement remove = database.prepare(QStringLiteral("DELETE FROM tel WHERE ID = ?"));
    for (int k = 0; k < DeletedEntries; ++k) {
        remove.bindInt64(1, 1 + k * (Entries / DeletedEntries));
        remove.step();
        remove.reset();
    }
    database.exec("COMMIT");
    return SecondsSince(start);
}

void GridDeleteSelected(benchmark::State& state) {
    EnsureApplication();
    QTemporaryDir folder;
    std::unique_ptr<DialogService> previous =
        SetDialogService(std::make_unique<ConfirmEverything>());
    double ours = 0;
    double baseline = 0;
    for (auto _ : state) {
        const double seconds = DeleteSelectedInGrid(FreshCopy(folder, "grid.ddx"));
        if (seconds < 0) {
            state.SkipWithError("Ctrl+Delete did not delete every selected entry");
            break;
        }
        state.SetIterationTime(seconds);
        ours += seconds;
        baseline += DeleteByKeyInOneTransaction(FreshCopy(folder, "plain.ddx"));
    }
    SetDialogService(std::move(previous));
    state.counters["ratio"] = ours / baseline;
    state.SetLabel("ratio: Ctrl+Delete of 1,000 selected / 1,000 DELETEs in one transaction");
}
BENCHMARK(GridDeleteSelected)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
