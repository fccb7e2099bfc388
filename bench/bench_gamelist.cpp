// Game list speed on a 30,000-game catalogue: a view switch all -> playable -> all as the main window
// does it (the SQL or stored query, the model fill with progress, the selection restore), with the
// catalogue unchanged between switches (written:0, the lists read before are reused) and with a write
// before each (written:1, every list is read again); the start-up fill, and a type-ahead search that
// has to walk the whole list.
#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"
#include "platform/TypeAhead.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/ListRows.h"
#include "data/Schema.h"

#include <QTemporaryDir>

#include "BenchCatalogue.h"
#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

using bench::gameName;
using bench::kGames;

struct Fixture
{
    QTemporaryDir dir;
    catalogue::Database db;
    Fixture()
    {
        const QString path = dir.filePath(QStringLiteral("Vintrax.mdb"));
        catalogue::createCatalogue(path);
        db.open(path);
        bench::addBenchGames(db);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// One FillGameList: open the view, fill with a progress callback, restore the selection.
int switchTo(browser::GameListModel& model, browser::GameListView view, const QString& selected)
{
    const catalogue::ListRows rows = browser::openGameListSource(fixture().db, view, browser::GameListSource::Button);
    int progressCalls = 0;
    model.fill(rows, [&progressCalls](int) { ++progressCalls; });
    const browser::ListSelection sel = browser::selectionAfterRefill(
        selected, selected, model.rowCount(), [&model](const QString& name) { return model.rowOf(name); });
    return sel.row + progressCalls;
}

void BM_ViewSwitchAllPlayableAll(benchmark::State& state)
{
    browser::GameListModel model;
    // A game near the end of the list, so the selection restore walks nearly every row.
    const QString selected = gameName(kGames - 2);
    const bool written = state.range(0) != 0;
    for (auto _ : state) {
        if (written)
            fixture().db.noteWrite();
        int sum = switchTo(model, browser::GameListView::Playable, selected);
        if (written)
            fixture().db.noteWrite();
        sum += switchTo(model, browser::GameListView::All, selected);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ViewSwitchAllPlayableAll)->ArgName("written")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StartUpFillAllGames(benchmark::State& state)
{
    browser::GameListModel model;
    for (auto _ : state) {
        fixture().db.noteWrite(); // a start reads the list from the file
        const catalogue::ListRows rows =
            browser::openGameListSource(fixture().db, browser::GameListView::All, browser::GameListSource::StartUp);
        model.fill(rows);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_StartUpFillAllGames)->Unit(benchmark::kMillisecond);

void BM_TypeAheadMissOverWholeList(benchmark::State& state)
{
    browser::GameListModel model;
    const catalogue::ListRows rows =
        browser::openGameListSource(fixture().db, browser::GameListView::All, browser::GameListSource::StartUp);
    model.fill(rows);
    quint32 ticks = 0;
    platform::TypeAhead search([&ticks] { return ticks; });
    for (auto _ : state) {
        ticks += 5000; // always a fresh search from the top
        benchmark::DoNotOptimize(
            search.keyPress('Y', model.rowCount(), 0, [&model](int row) { return model.textAt(row); }));
    }
}
BENCHMARK(BM_TypeAheadMissOverWholeList)->Unit(benchmark::kMicrosecond);

// The two halves of a switch apart: the catalogue query, and the model fill from rows already read.
void BM_OpenPlayableSqlOnly(benchmark::State& state)
{
    for (auto _ : state) {
        fixture().db.noteWrite();
        const catalogue::ListRows rows =
            browser::openGameListSource(fixture().db, browser::GameListView::Playable, browser::GameListSource::Button);
        benchmark::DoNotOptimize(rows.rows().size());
    }
}
BENCHMARK(BM_OpenPlayableSqlOnly)->Unit(benchmark::kMillisecond);
void BM_FillFromReadRowsOnly(benchmark::State& state)
{
    const catalogue::ListRows rows =
        browser::openGameListSource(fixture().db, browser::GameListView::All, browser::GameListSource::Button);
    browser::GameListModel model;
    for (auto _ : state) {
        model.fill(rows);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_FillFromReadRowsOnly)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    // the 30,000 inserts stay out of the first measurement
    return runBenchmarks(argc, argv, [] { fixture(); });
}
