// The main window's Search command on generated directories of 100,000 and 1,000,000 entries:
// the search texts put into the real window, the command run, the grid painted. Baseline:
// the statements the command sends, stepped through plain SQLite (its built-in LIKE and
// BINARY order, no search index) to their end.
//
// Each window searches once before it is measured: the first search of a connection reads the
// directory's searched texts into memory (SearchCacheRead below measures that).
//
// SearchScan runs the same on a file without the search index, whose searches test every
// entry (the 5,000-entry demo must not be slower with the index).
//
// Counters: `ratio` (our time / the baseline's) and `rows` (the result shown). Targets on
// 1,000,000 entries: at most 30 ms and a ratio of at most 0.1 for a search whose pattern holds
// a run of three characters; at most 150 ms for every search; a median of at most 50 ms.
#include "BenchApplication.h"
#include "DirectoryFixture.h"
#include "Ratio.h"
#include "SearchCases.h"

#include "directory/SearchRules.h"
#include "app/Unit1.h"
#include "data/TWideStringField.h"
#include "data/TADOQuery.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteDatabase.h"
#include "directory/TableSearchCache.h"
#include "platform/db/SqliteStatement.h"
#include "platform/ui/TButton.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TEdit.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

const SearchCase kCases[] = {
    {"NameIvan", Texts("", "ИВАН")},
    {"NamePetrova", Texts("", "ПЕТРОВА")},
    {"NameIva", Texts("", "ИВА")},
    {"NameOv", Texts("", "ОВ")},
    {"Phone12345", Texts("12345")},
    {"Phone1", Texts("1")},
    {"StreetLenina", Texts("", "", "ЛЕНИНА")},
    {"StreetHouse", Texts("", "", "ЛЕНИНА", "12")},
    {"StreetHouseApartment", Texts("", "", "ЛЕНИНА", "12", "4")},
    {"StreetAndName", Texts("", "ИВАН", "ЛЕНИНА")},
    {"WholeTable", Texts("", "x"), true},
};

// The main window over a generated directory, shown offscreen; the working folder is the
// current directory while it lives, as the program expects.
class SearchWindow {
public:
    explicit SearchWindow(const DirectoryFixture& directory) {
        EnsureApplication();
        QDir::setCurrent(directory.path());
        menu_ = std::make_unique<TMenu>(DirectoryProvider());
        menu_->show();
        QApplication::processEvents();
        run(kCases[0]);
    }

    static SearchWindow& over(const DirectoryFixture& directory) {
        static std::map<const DirectoryFixture*, std::unique_ptr<SearchWindow>> windows;
        std::unique_ptr<SearchWindow>& window = windows[&directory];
        if (!window) {
            window = std::make_unique<SearchWindow>(directory);
        }
        QDir::setCurrent(directory.path());
        return *window;
    }

    TMenu& menu() { return *menu_; }

    // Runs the case as a user would and paints the grid; returns the rows found.
    long run(const SearchCase& search) {
        TMenu& menu = *menu_;
        menu.ComboBox1->SetText(search.texts.phone);
        menu.ComboBox2->SetText(search.texts.name);
        menu.ComboBox3->SetText(search.texts.street);
        menu.Edit4->setText(search.texts.house);
        menu.Edit5->setText(search.texts.apartment);
        if (search.wholeTable) {
            menu.ADOQuery1->Close();
            menu.ADOQuery1->SQL().Clear();
            menu.ADOQuery1->SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story"));
            menu.ADOQuery1->SQL().Add(QStringLiteral("FROM tel"));
            menu.ADOQuery1->SetFiltered(false);
            menu.ADOQuery1->Open();
        } else {
            menu.Button1->click();
        }
        FlushPaints(menu);
        return menu.ADOQuery1->RecordCount();
    }

private:
    std::unique_ptr<TMenu> menu_;
};

void RunSearch(benchmark::State& state, const SearchCase& search, bool indexed) {
    const DirectoryFixture& directory = indexed ? DirectoryFixture::withEntries(state.range(0))
                                                : DirectoryFixture::withoutIndex(state.range(0));
    SearchWindow& window = SearchWindow::over(directory);
    SqliteDatabase plain(directory.databasePath(), SqliteOpenMode::ReadOnly);
    const std::vector<std::vector<QString>> inputs{Statements(search)};
    long rows = 0;
    bench::RunWithRatio(
        state, inputs, [&](const std::vector<QString>&) { return rows = window.run(search); },
        [&](const std::vector<QString>& statements) { return StepPlain(plain, statements); });
    state.counters["rows"] = static_cast<double>(rows);
}

const bool kRegistered = [] {
    for (const SearchCase& search : kCases) {
        const auto indexed = [&search](benchmark::State& state) {
            RunSearch(state, search, true);
        };
        benchmark::RegisterBenchmark((std::string("Search/") + search.name).c_str(), indexed)
            ->Arg(5000)
            ->Arg(100000)
            ->Arg(1000000)
            ->Unit(benchmark::kMillisecond);
        // The same on a file without the index: how every search ran before it.
        const auto scanned = [&search](benchmark::State& state) {
            RunSearch(state, search, false);
        };
        benchmark::RegisterBenchmark((std::string("SearchScan/") + search.name).c_str(), scanned)
            ->Arg(5000)
            ->Arg(1000000)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// A user's correction of an entry followed by the next search: the entry editor's save (Edit,
// the name written, Post, Refresh) on the first entry found for ИВАН, then a search for
// ПЕТРОВА. The connection takes its own write over row by row; it does not read the table
// again. Baseline: the two searches' statements stepped through plain SQLite.
void SearchAfterEdit(benchmark::State& state) {
    const DirectoryFixture& directory = DirectoryFixture::withEntries(state.range(0));
    SearchWindow& window = SearchWindow::over(directory);
    SqliteDatabase plain(directory.databasePath(), SqliteOpenMode::ReadOnly);
    const SearchCase& ivan = kCases[0];
    const SearchCase& petrova = kCases[1];
    std::vector<QString> statements = Statements(ivan);
    for (const QString& statement : Statements(petrova)) {
        statements.push_back(statement);
    }
    const std::vector<std::vector<QString>> inputs{statements};
    int edits = 0;
    bench::RunWithRatio(
        state, inputs,
        [&](const std::vector<QString>&) {
            window.run(ivan);
            TMenu& menu = window.menu();
            menu.ADOQuery1->Edit();
            menu.ADOQuery1Fio->SetAsString(QStringLiteral("Иванов %1").arg(++edits % 2));
            menu.ADOQuery1->Post();
            menu.ADOQuery1->Refresh();
            return window.run(petrova);
        },
        [&](const std::vector<QString>& all) { return StepPlain(plain, all); });
}
BENCHMARK(SearchAfterEdit)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// ORDER BY Name as the provider sends it (the sort key of each row) against the same order
// through the collation (n log n ICU comparisons), on the whole directory.
long OpenOrdered(TADOQuery& query, const QString& orderBy) {
    query.Close();
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel"));
    query.SQL().Add(orderBy);
    query.Open();
    return query.RecordCount();
}

void OrderByName(benchmark::State& state) {
    EnsureApplication();
    TADOQuery query{DirectoryProvider()};
    query.SetConnectionString(DirectoryFixture::withEntries(state.range(0)).connectionString());
    const std::vector<int> inputs{0};
    bench::RunWithRatio(
        state, inputs, [&](int) { return OpenOrdered(query, QStringLiteral("ORDER BY Name")); },
        [&](int) { return OpenOrdered(query, QStringLiteral("ORDER BY Name COLLATE RU_NOCASE")); });
}
BENCHMARK(OrderByName)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// Reading the connection's copy of the searched texts, which the first search after start-up
// (or after a change to the file) pays, against stepping a plain read of the same columns.
// Counter `MB`: the memory the copy holds.
void SearchCacheRead(benchmark::State& state) {
    const DirectoryFixture& directory = DirectoryFixture::withEntries(state.range(0));
    SqliteDatabase database(directory.databasePath(), SqliteOpenMode::ReadOnly);
    RegisterSqlDialect(database.handle());
    const std::vector<int> inputs{0};
    std::size_t bytes = 0;
    bench::RunWithRatio(
        state, inputs,
        [&](int) {
            const TableSearchCache cache(database);
            bytes = cache.bytesHeld();
            return cache.size();
        },
        [&](int) {
            return StepPlain(database, {QStringLiteral("SELECT rowid, tel, fio, Name FROM tel")});
        });
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(SearchCacheRead)->Arg(5000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
