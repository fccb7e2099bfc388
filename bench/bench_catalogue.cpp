// Catalogue speed on a 30,000-game catalogue: opening the database with its nine record sets,
// a full walk of the all-games view reading names and colours, and seeks by name.
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/Schema.h"
#include "data/Snapshot.h"

#include <QTemporaryDir>

#include "BenchCatalogue.h"
#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using bench::gameName;
using bench::kGames;

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    Fixture()
    {
        path = dir.filePath(QStringLiteral("Vintrax.mdb"));
        catalogue::createCatalogue(path);
        catalogue::Catalogue cat;
        cat.open(path);
        bench::addBenchGames(cat.db());
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenWithNineRecordsets(benchmark::State& state)
{
    const QString path = fixture().path;
    for (auto _ : state) {
        catalogue::Catalogue cat;
        cat.open(path);
        cat.games().setIndex(QStringLiteral("Name"));
        benchmark::DoNotOptimize(cat.probeLayout());
    }
}
BENCHMARK(BM_OpenWithNineRecordsets)->Unit(benchmark::kMillisecond);

void BM_WalkAllGamesView(benchmark::State& state)
{
    catalogue::Catalogue cat;
    cat.open(fixture().path);
    for (auto _ : state) {
        catalogue::Snapshot s = catalogue::Snapshot::fromView(cat.db(), catalogue::kGameNameList);
        qint64 sum = 0;
        for (s.moveFirst(); !s.eof(); s.moveNext()) {
            sum += s.value(0).toString().size();
            sum += s.value(1).toLongLong();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_WalkAllGamesView)->Unit(benchmark::kMillisecond);

void BM_WalkGamesTable(benchmark::State& state)
{
    catalogue::Catalogue cat;
    cat.open(fixture().path);
    auto& games = cat.games();
    games.setIndex(QStringLiteral("Name"));
    for (auto _ : state) {
        qint64 sum = 0;
        for (games.moveFirst(); !games.eof(); games.moveNext())
            sum += games.text(QStringLiteral("Name")).size() + static_cast<qint64>(games.percentPosition());
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_WalkGamesTable)->Unit(benchmark::kMillisecond);

void BM_SeekByName(benchmark::State& state)
{
    catalogue::Catalogue cat;
    cat.open(fixture().path);
    auto& games = cat.games();
    games.setIndex(QStringLiteral("Name"));
    std::mt19937 rng(42);
    std::vector<QString> keys;
    for (int i = 0; i < 10000; ++i)
        keys.push_back(gameName(static_cast<int>(rng() % kGames)).toUpper());
    for (auto _ : state) {
        int found = 0;
        for (const QString& k : keys)
            found += games.seek(k) ? 1 : 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
    state.counters["us_per_seek"] =
        benchmark::Counter(static_cast<double>(state.iterations() * keys.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_SeekByName)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
