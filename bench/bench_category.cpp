// The category browser on the 30,000-game catalogue, whose games spread over publishers (the largest with about
// 2,000), offscreen in this process with the main window loaded as the program loads it. Each sample ends once the
// window's pending events (the lists' repaint) have run.
//
// BM_CategoryOpenOnPublisher: View > "Game Publishers..." with a game of the largest publisher selected: the window
// made and shown, the publishers listed, the publisher's games found and the game chosen among them. The window is
// closed between samples, outside the measurement.
// BM_CategorySwitch: in the open browser, the genres button, then back to publishers: each switch is one sample.
// BM_CategoryFind: a find for "the" over the main window's list and the tunes, with the result shown.
// BM_LookupIndexesMade: what the first opening of a run adds on a catalogue made before the browser: the seven
// indexes of Games it reads through, made anew in each sample.
#include "BenchMain.h"
#include "BenchProgram.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/LookupKinds.h"
#include "data/Schema.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>

namespace {

bench::BenchProgram& program()
{
    static bench::BenchProgram p;
    return p;
}

QWidget* browser()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmVTRXCategory") && w->isVisible())
            return w;
    return nullptr;
}

int foundRows()
{
    return browser()->findChild<QListView*>(QStringLiteral("lstFound"))->model()->rowCount();
}

// The main window on a game of the largest publisher; nullptr (with the reason given) when the program did not load.
app::Program* mainWindowOnBigPublisher(benchmark::State& state)
{
    app::Program* running = program().error().isEmpty() ? program().running() : nullptr;
    if (!running || !running->host()->selectGame(bench::gameName(1))) {
        state.SkipWithError("the window did not load");
        return nullptr;
    }
    return running;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_CategoryOpenOnPublisher(benchmark::State& state)
{
    app::Program* running = mainWindowOnBigPublisher(state);
    if (!running)
        return;
    auto* opener = running->mainWindow()->findChild<QAction*>(QStringLiteral("mnuViewPublishers"));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        opener->trigger();
        QCoreApplication::processEvents();
        state.SetIterationTime(secondsSince(start));
        if (!browser() || foundRows() < 1900) {
            state.SkipWithError("the publisher's games were not listed");
            break;
        }
        state.counters["games"] = foundRows();
        browser()->close();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CategoryOpenOnPublisher)->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

void BM_CategorySwitch(benchmark::State& state)
{
    app::Program* running = mainWindowOnBigPublisher(state);
    if (!running)
        return;
    running->mainWindow()->findChild<QAction*>(QStringLiteral("mnuViewPublishers"))->trigger();
    QCoreApplication::processEvents();
    int sample = 0;
    for (auto _ : state) {
        QAction* to = browser()->findChild<QAction*>(++sample % 2 ? QStringLiteral("btngenres")
                                                                  : QStringLiteral("btnpublishers"));
        const auto start = std::chrono::steady_clock::now();
        to->trigger();
        QCoreApplication::processEvents();
        state.SetIterationTime(secondsSince(start));
        if (!to->isChecked() || foundRows() < 1900) {
            state.SkipWithError("the category's games were not listed");
            break;
        }
    }
    browser()->close();
}
BENCHMARK(BM_CategorySwitch)->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

void BM_CategoryFind(benchmark::State& state)
{
    app::Program* running = mainWindowOnBigPublisher(state);
    if (!running)
        return;
    app::runCommand(*running->host(), QStringLiteral("cmdReport"));
    QCoreApplication::processEvents();
    QLineEdit* text = browser()->findChild<QComboBox*>(QStringLiteral("cboFind"))->lineEdit();
    for (auto _ : state) {
        text->setText(QStringLiteral("the"));
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(text, Qt::Key_Return);
        QCoreApplication::processEvents();
        state.SetIterationTime(secondsSince(start));
        if (!browser()->windowTitle().startsWith(QStringLiteral("FIND - 'THE'")) || foundRows() < 1000) {
            state.SkipWithError("nothing was found");
            break;
        }
        state.counters["found"] = foundRows();
    }
    browser()->close();
}
BENCHMARK(BM_CategoryFind)->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

void BM_LookupIndexesMade(benchmark::State& state)
{
    app::Program* running = mainWindowOnBigPublisher(state);
    if (!running)
        return;
    catalogue::Database& db = running->state().catalogue.db();
    for (auto _ : state) {
        for (const catalogue::LookupInfo& kind : catalogue::lookupKinds())
            db.exec(QStringLiteral("DROP INDEX IF EXISTS \"Games_%1\"").arg(QString(kind.gameField).replace(' ', '_')));
        const auto start = std::chrono::steady_clock::now();
        const bool made = catalogue::createLookupIndexes(db);
        state.SetIterationTime(secondsSince(start));
        if (!made) {
            state.SkipWithError("the indexes were not made");
            break;
        }
    }
}
BENCHMARK(BM_LookupIndexesMade)->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

} // namespace

int main(int argc, char** argv)
{
    // Offscreen wherever the benchmark runs, with an instance lock of its own.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    const int result = runBenchmarks(argc, argv);
    program().closeWindow();
    return result;
}
