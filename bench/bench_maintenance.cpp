// The maintenance runs on a large collection, driven from the event loop as their windows drive them: the
// verification and the missing-files search over 30,000 games (each with its own file, all in the third of the
// five game folders; every game names a tune and a screenshot, half of them on disk), and the reset of every
// play counter. Goals: each run under 500 ms in total with no gap between event-loop turns over 100 ms, the
// reset under 100 ms. The verification is also measured at 100,000 games, and on a collection made on Windows
// (names stored in upper case with backslashes, on disk in lower case).
#include "appstate/AppState.h"
#include "data/Schema.h"
#include "maintenance/CatalogueResets.h"
#include "maintenance/gui/frmNotFound.h"
#include "maintenance/gui/frmVerify.h"
#include "platform/Folders.h"

#include "BenchCatalogue.h"
#include "BenchMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

void touch(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write("x", 1) != 1)
        qFatal("cannot write %s", qPrintable(path));
}

// A program folder with the catalogue, five game folders, the tunes and the screenshots.
struct Collection
{
    QTemporaryDir dir;
    std::unique_ptr<app::AppState> state;

    Collection(int games, bool windowsNames)
    {
        QDir root(dir.path());
        for (const char* sub : {"Games0", "Games1", "Games2", "Games3", "Games4", "Music", "Screenshots"})
            root.mkdir(QString::fromLatin1(sub));
        root.mkpath(QStringLiteral("Games2/disks"));
        auto gameFile = [windowsNames](int i) {
            return windowsNames ? QStringLiteral("DISKS\\GAME%1.D64").arg(i, 6, 10, QLatin1Char('0'))
                                : QStringLiteral("disks\\game%1.d64").arg(i, 6, 10, QLatin1Char('0'));
        };
        auto tune = [](int i) { return QStringLiteral("tune%1.sid").arg(i, 6, 10, QLatin1Char('0')); };
        for (int i = 0; i < games; ++i) {
            touch(root.filePath(QStringLiteral("Games2/disks/game%1.d64").arg(i, 6, 10, QLatin1Char('0'))));
            if (i % 2) {
                touch(root.filePath(QStringLiteral("Music/") + tune(i)));
                touch(root.filePath(QStringLiteral("Screenshots/shot%1.gif").arg(i)));
            }
        }
        const QString path = root.filePath(QStringLiteral("Vintrax.mdb"));
        if (!catalogue::createCatalogue(path))
            qFatal("cannot create the catalogue");
        state = std::make_unique<app::AppState>(platform::Folders::inProgramFolder(dir.path()));
        if (!state->catalogue.open(path).ok() || !bench::addBenchGames(state->catalogue.db(), games, gameFile, tune) ||
            !state->catalogue.db().exec(QStringLiteral("UPDATE Games SET \"Screenshot Filename\" = 'shot' || "
                                                       "(rowid - 1) || '.gif', TimesPlayed = 0")))
            qFatal("cannot fill the catalogue");
        state->catalogueOpened();
        for (int i = 0; i < 5; ++i)
            state->settings.GamesPath[size_t(i)] = root.filePath(QStringLiteral("Games%1").arg(i));
        state->settings.MusicPath = root.filePath(QStringLiteral("Music"));
    }
};

// The collections made so far, kept for the benchmarks that follow. main() lets them go while the application
// still runs: their state needs it, and each takes its temporary folder (a quarter of a gigabyte) with it.
std::map<std::pair<int, bool>, std::unique_ptr<Collection>>& collections()
{
    static std::map<std::pair<int, bool>, std::unique_ptr<Collection>> made;
    return made;
}

Collection& collection(int games, bool windowsNames = false)
{
    auto& c = collections()[{games, windowsNames}];
    if (!c)
        c = std::make_unique<Collection>(games, windowsNames);
    return *c;
}

// Runs the window's search from its Start button to its end; the longest time between two turns of the event
// loop, in milliseconds.
double runWindow(ReportWindow& window)
{
    window.show();
    QEventLoop loop;
    QElapsedTimer sinceTurn;
    qint64 longest = 0;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTurn.restart());
        if (!window.isRunning())
            loop.quit();
    });
    window.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
    sinceTurn.start();
    probe.start();
    loop.exec();
    return double(longest);
}

template <typename Window> void measureWindow(benchmark::State& bench, Collection& c, bool clearFlags)
{
    double longestGap = 0;
    int rows = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        if (clearFlags)
            c.state->catalogue.db().exec(QStringLiteral("UPDATE Games SET FA = 0, SA = 0"));
        Window window(*c.state, nullptr);
        bench.ResumeTiming();
        longestGap = std::max(longestGap, runWindow(window));
        rows = window.report().rowCount();
    }
    bench.counters["longest gap ms"] = longestGap;
    bench.counters["rows"] = rows;
}

// Every game's flags change, so every row is written, in batches of 500.
void BM_Verify(benchmark::State& bench)
{
    measureWindow<frmVerify>(bench, collection(int(bench.range(0)), bench.range(1) != 0), true);
}
BENCHMARK(BM_Verify)->Args({bench::kGames, 0})->Args({bench::kGames, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Verify)->Args({100000, 0})->Iterations(2)->Unit(benchmark::kMillisecond);

// Nothing changed since the last verification: nothing is written.
void BM_VerifyAgain(benchmark::State& bench)
{
    measureWindow<frmVerify>(bench, collection(bench::kGames), false);
}
BENCHMARK(BM_VerifyAgain)->Unit(benchmark::kMillisecond);

void BM_MissingFiles(benchmark::State& bench)
{
    measureWindow<frmNotFound>(bench, collection(bench::kGames), false);
}
BENCHMARK(BM_MissingFiles)->Unit(benchmark::kMillisecond);

// Every game played before: every row is written, in one transaction.
void BM_ResetTimesPlayed(benchmark::State& bench)
{
    Collection& c = collection(bench::kGames);
    for (auto _ : bench) {
        bench.PauseTiming();
        c.state->catalogue.db().exec(QStringLiteral("UPDATE Games SET TimesPlayed = 3, DateLastPlayed = '01-02-1990'"));
        bench.ResumeTiming();
        maintenance::ResetRun run(c.state->catalogue.db(), c.state->gameStore, maintenance::ResetKind::TimesPlayed);
        while (!run.done())
            run.step(QDeadlineTimer(20));
        if (run.rowsChanged() != bench::kGames)
            qFatal("the reset changed %d rows", run.rowsChanged());
    }
}
BENCHMARK(BM_ResetTimesPlayed)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int result = runBenchmarks(argc, argv);
    collections().clear();
    return result;
}
