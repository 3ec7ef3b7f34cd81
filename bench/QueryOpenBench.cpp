// The directory query's open of the program's two texts, with its record count read, against
// the same statements stepped through plain SQLite (built-in LIKE, BINARY order) on generated
// directories.
//
// Counters: `ratio` (our time / plain SQLite's), `bytes_per_row` (heap and mapped memory
// the open result holds per row) and `payload_per_row` (UTF-8 bytes of the row's texts + 8 per
// number); the targets are a ratio of at most 1.5 for the search and 2 for the whole table, and
// bytes_per_row at most 2 × payload_per_row + 32.
#include "DirectoryFixture.h"
#include "Ratio.h"

#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"

#include "platform/db/AdoCommand.h"
#include "platform/db/AdoConstants.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"
#include "platform/db/AdoRecordset.h"
#include "platform/db/ArenaMemory.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <memory>
#include <vector>

namespace {

// The lines the program sends: the name search for "ИВАН", and the initial SQL lines.
const QStringList kNameSearch{QStringLiteral("SELECT ID, tel, fio, Name, Story"),
                              QStringLiteral("FROM tel"), QStringLiteral("WHERE fio LIKE'%ИВАН%'"),
                              QStringLiteral("ORDER BY Name")};
const QStringList kWholeTable{QStringLiteral("SELECT ID, tel, fio, Name, Story"),
                              QStringLiteral("FROM tel")};

QString CommandText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

// The measured side: the directory query replaces its lines, opens and counts, as the Search
// command does.
long OpenQuery(TADOQuery& query, const QStringList& lines) {
    query.SQL().Clear();
    for (const QString& line : lines)
        query.SQL().Add(line);
    query.Open();
    return query.RecordCount();
}

// The directory query of the main window, connected to the directory.
std::unique_ptr<TADOQuery> DirectoryQuery(const DirectoryFixture& directory) {
    auto query = std::make_unique<TADOQuery>(DirectoryProvider());
    ConfigureDirectoryQuery(*query);
    query->SetConnectionString(directory.connectionString());
    return query;
}

// A bare recordset over the text, for weighing the rows' payload.
std::unique_ptr<AdoRecordset> OpenRecordset(AdoCommand& command, const QString& sql) {
    command.setCommandType(ado::adCmdText);
    command.setCommandText(sql);
    std::unique_ptr<AdoRecordset> recordset = DirectoryProvider().createRecordset();
    recordset->setCursorLocation(ado::adUseClient);
    recordset->setCacheSize(1);
    recordset->setMaxRecords(0);
    recordset->open(command, ado::adOpenStatic, ado::adLockOptimistic, ado::adCmdText);
    return recordset;
}

// The baseline: the same text prepared and stepped to its end.
long StepPlain(SqliteDatabase& database, const QString& sql) {
    SqliteStatement statement = database.prepare(sql);
    long rows = 0;
    while (statement.step()) {
        ++rows;
    }
    return rows;
}

// The heap in use plus the row store's blocks mapped outside the heap.
std::size_t MemoryInUse() {
#if defined(__GLIBC__)
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd + arena::MappedBytes();
#else
    return arena::MappedBytes();
#endif
}

// The UTF-8 bytes of the texts and 8 bytes per number over every row.
double PayloadPerRow(AdoRecordset& recordset) {
    double payload = 0;
    long rows = 0;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext(), ++rows) {
        for (int i = 0; i < recordset.fieldCount(); ++i) {
            const AdoVariant value = recordset.value(i);
            if (const auto* text = std::get_if<QString>(&value)) {
                payload += static_cast<double>(text->toUtf8().size());
            } else if (!IsNull(value)) {
                payload += 8;
            }
        }
    }
    return rows > 0 ? payload / static_cast<double>(rows) : 0;
}

// What an open directory query holds per row, and the rows' own payload. The query runs once
// before the measurement, so that the connection and its page cache (bounded, and the same for
// every result) are in place and only the result is weighed.
void MeasureMemory(benchmark::State& state, const DirectoryFixture& directory,
                   const QStringList& lines) {
    std::unique_ptr<TADOQuery> query = DirectoryQuery(directory);
    OpenQuery(*query, lines);
    query->Close();
    const std::size_t before = MemoryInUse();
    const long count = OpenQuery(*query, lines);
    const std::size_t after = MemoryInUse();
    const std::size_t held = after > before ? after - before : 0;
    const double rows = count > 0 ? static_cast<double>(count) : 1;
    state.counters["bytes_per_row"] = static_cast<double>(held) / rows;
    state.counters["rows"] = static_cast<double>(count);

    std::unique_ptr<AdoCommand> command = DirectoryProvider().createCommand();
    command->setActiveConnection(directory.connectionString());
    state.counters["payload_per_row"] = PayloadPerRow(*OpenRecordset(*command, CommandText(lines)));
}

void RunOpen(benchmark::State& state, const QStringList& lines) {
    const DirectoryFixture& directory = DirectoryFixture::withEntries(state.range(0));
    std::unique_ptr<TADOQuery> query = DirectoryQuery(directory);
    SqliteDatabase plain(directory.databasePath(), SqliteOpenMode::ReadOnly);
    const std::vector<QStringList> inputs{lines};
    bench::RunWithRatio(
        state, inputs, [&](const QStringList& text) { return OpenQuery(*query, text); },
        [&](const QStringList& text) { return StepPlain(plain, CommandText(text)); });
    MeasureMemory(state, directory, lines);
}

void NameSearch(benchmark::State& state) {
    RunOpen(state, kNameSearch);
}
BENCHMARK(NameSearch)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void WholeTable(benchmark::State& state) {
    RunOpen(state, kWholeTable);
}
BENCHMARK(WholeTable)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
