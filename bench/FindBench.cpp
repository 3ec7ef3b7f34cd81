// The grid's text search over 100,000 records that finds nothing, so it examines every cell:
// "<All>" with "Вниз" and the dialog's other first choices (ignoring case, display text),
// against a plain loop that reads the same cells' AsString record by record, in the same run.
// A repaint per record would show in the ratio: notifications stay suspended during the loop.
#include "BenchApplication.h"
#include "DirectoryFixture.h"
#include "DirectoryGridScene.h"

#include "data/TADOQuery.h"
#include "data/TField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "grid/GridSearchRequest.h"
#include "grid/TDBGridEhDataService.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr qint64 Entries = 100000;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reads the three shown fields of every record after the first, as the search does.
qint64 ReadEveryCell(DirectoryGridScene& scene) {
    TADOQuery& query = scene.query;
    TField* const cells[] = {scene.fields.ADOQuery1Tel, scene.fields.ADOQuery1Fio,
                             scene.fields.ADOQuery1Name};
    qint64 length = 0;
    query.DisableControls();
    for (query.Next(); !query.Eof(); query.Next()) {
        for (TField* field : cells)
            length += field->AsString().size();
    }
    query.First();
    query.EnableControls();
    return length;
}

void GridFindNothing(benchmark::State& state) {
    EnsureApplication();
    DirectoryGridScene scene(DirectoryFixture::withEntries(Entries).connectionString());
    TGridSearchRequest request;
    request.pattern = QStringLiteral("ъъ");
    request.options = {gsoIgnoreCase, gsoDisplayText, gsoAllColumns};
    request.direction = gsdDown;
    double ours = 0;
    double baseline = 0;
    // One pass of each first, so that neither profits from a warmer cache alone.
    DBGridEhDataService().LocateText(scene.grid, request);
    benchmark::DoNotOptimize(ReadEveryCell(scene));
    for (auto _ : state) {
        scene.query.First();
        FlushPaints(scene.grid);
        const Clock::time_point plain = Clock::now();
        benchmark::DoNotOptimize(ReadEveryCell(scene));
        baseline += SecondsSince(plain);
        const Clock::time_point start = Clock::now();
        const bool found = DBGridEhDataService().LocateText(scene.grid, request);
        FlushPaints(scene.grid);
        const double seconds = SecondsSince(start);
        if (found || scene.query.RecNo() != 1) {
            state.SkipWithError("the search found something or moved");
            return;
        }
        state.SetIterationTime(seconds);
        ours += seconds;
    }
    state.counters["ratio"] = ours / baseline;
    state.counters["seconds"] = ours / static_cast<double>(state.iterations());
    state.SetLabel("ratio: a search through 100,000 x 3 cells / reading their AsString");
}
BENCHMARK(GridFindNothing)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
