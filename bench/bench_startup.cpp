// The main window on a 30,000-game catalogue, offscreen:
//
// BM_StartUpToWindowShown: the whole program as a new process. This executable runs itself again with
// kAsProgram, and the child does what runVintrax() does up to its event loop: settings file, instance
// lock, splash, main window load (list of the saved view filled, the saved game selected, window shown).
// Time runs on CLOCK_BOOTTIME from the moment the parent asks QProcess to start the child until the
// load has returned in the child; the child stamps its own milestones on the same clock and prints
// them. The kernel's own start time of the child (/proc/self/stat, clock ticks) is reported alongside,
// and so are the moment the game list was first drawn (a long list is drawn before all of it is read,
// so this comes before the load returns) and the processor time used by then and by the load's end.
// One unmeasured start goes first, so the files are in the page cache.
//
// BM_ViewSwitchAllPlayableAll: in this process, the window loaded as above; one switch is a click on
// cmdGamesOnly and then on cmdAll, with the selected game restored in both views. With paint:1 the
// window's pending events (the repaint of the list) are run after each click as well. With written:1
// the catalogue counts as written before each click (as after a game was played), so every list is
// read from the file again; with written:0 a view switched back to shows the rows it was read with.
#include "BenchCatalogue.h"
#include "BenchMain.h"

#include "app/AppState.h"
#include "app/Program.h"
#include "browser/StartupSequence.h"
#include "browser/gui/GameListBox.h"
#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/Snapshot.h"
#include "data/settings/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace {

const char kAsProgram[] = "--as-program";
const char kReadyTag[] = "VINTRAX-LOADED";

qint64 clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

qint64 bootTimeNs()
{
    return clockNs(CLOCK_BOOTTIME);
}

// When the kernel started this process, on CLOCK_BOOTTIME: field 22 of /proc/self/stat, in clock ticks
// (10 ms here). -1 when it cannot be read.
qint64 processStartNs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name in field 2 may hold blanks and parentheses: count fields after its closing one.
    const int nameEnd = line.lastIndexOf(')');
    const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
    const int startTimeField = 22 - 3; // the list begins with field 3
    if (nameEnd < 0 || fields.size() <= startTimeField)
        return -1;
    bool ok = false;
    const qint64 ticks = fields[startTimeField].toLongLong(&ok);
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!ok || ticksPerSecond <= 0)
        return -1;
    return ticks * (1000000000 / ticksPerSecond);
}

GameListBox* gameList(QMainWindow& window)
{
    return window.findChild<GameListBox*>(QStringLiteral("lstGames"));
}

// Stamps the first drawing of the game list: the moment the user sees the list.
class FirstListDrawing : public QObject
{
public:
    qint64 at = 0;
    qint64 cpu = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (at == 0 && event->type() == QEvent::Paint && watched->parent() &&
            watched->parent()->objectName() == QLatin1String("lstGames")) {
            at = bootTimeNs();
            cpu = clockNs(CLOCK_PROCESS_CPUTIME_ID);
        }
        return false;
    }
};

// The child: the program's start as runVintrax() makes it, then the stamps on stdout. No message box
// backend is installed, so a start that goes wrong prints its message and ends instead of waiting
// offscreen for an answer; installing one costs nothing measurable.
int runAsProgram(int argc, char** argv)
{
    const qint64 entered = bootTimeNs();
    QApplication app(argc, argv);
    const qint64 appMade = bootTimeNs();
    QApplication::setOrganizationName(QStringLiteral("Vintrax"));
    QApplication::setApplicationName(QStringLiteral("Vintrax"));

    const std::unique_ptr<QSettings> store = openSettingsStore(defaultSettingsPath());
    app::Program program(*store);
    FirstListDrawing drawing;
    app.installEventFilter(&drawing);
    const bool started = program.start();
    const qint64 loaded = bootTimeNs();
    const qint64 cpuLoaded = clockNs(CLOCK_PROCESS_CPUTIME_ID);
    if (!started)
        return 1;
    QMainWindow* main = program.mainWindow();
    // A list shown whole at once is drawn once the window is exposed, after the load.
    QCoreApplication::processEvents();
    QElapsedTimer waited;
    waited.start();
    while (drawing.at == 0 && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 painted = bootTimeNs();
    app.removeEventFilter(&drawing);

    std::printf("%s kernel=%lld main=%lld app=%lld drawn=%lld loaded=%lld painted=%lld cpudrawn=%lld cpu=%lld rows=%d "
                "view=%d\n",
                kReadyTag, static_cast<long long>(processStartNs()), static_cast<long long>(entered),
                static_cast<long long>(appMade), static_cast<long long>(drawing.at), static_cast<long long>(loaded),
                static_cast<long long>(painted), static_cast<long long>(drawing.cpu), static_cast<long long>(cpuLoaded),
                gameList(*main)->model()->rowCount(), program.state().settings.WhatListBox);
    std::fflush(stdout);
    // The user's exit, so the settings file is left as a real session leaves it.
    main->close();
    return 0;
}

// A program folder (the four tools, the staged catalogue with 30,000 games added), a settings file
// that starts without first-run notes on the all-games view with a game in the middle of the list
// selected, and a runtime folder for the children's instance lock.
class BenchProgram
{
public:
    BenchProgram() { m_error = build(); }
    ~BenchProgram() { closeWindow(); }

    const QString& error() const { return m_error; }
    const QString& currentGame() const { return m_currentGame; }

    QProcessEnvironment childEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.*=false"));
        env.insert(QStringLiteral("VINTRAX_HOME"), path("program"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("runtime-child"));
        return env;
    }

    // The program loaded in this process, as the child loads it; nullptr when the start ended.
    app::Program* running()
    {
        if (!m_program && m_error.isEmpty()) {
            qputenv("VINTRAX_HOME", path("program").toLocal8Bit());
            m_store = openSettingsStore(iniPath());
            m_program = std::make_unique<app::Program>(*m_store);
            if (!m_program->start())
                m_error = QStringLiteral("the window did not load");
        }
        return m_error.isEmpty() ? m_program.get() : nullptr;
    }

    // Must run while the application object still exists.
    void closeWindow()
    {
        if (m_program && m_program->mainWindow())
            m_program->mainWindow()->close();
        m_program.reset();
        m_store.reset();
    }

private:
    QString path(const char* relative) const { return m_root.filePath(QString::fromLatin1(relative)); }
    QString iniPath() const { return path("config/Vintrax/Vintrax.ini"); }

    QString build()
    {
        if (!m_root.isValid())
            return QStringLiteral("no temporary folder");
        QDir root(m_root.path());
        for (const char* folder :
             {"program/Conversion", "program/Screenshots", "program/CURRGAME", "config/Vintrax", "runtime-child"}) {
            if (!root.mkpath(QString::fromLatin1(folder)))
                return QStringLiteral("cannot make %1").arg(QLatin1String(folder));
        }
        // Qt refuses a runtime folder that others may enter.
        QFile::setPermissions(path("runtime-child"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString& tool : browser::requiredConversionTools()) {
            const QString from = QDir(QStringLiteral(VINTRAX_TOOLS_DIR)).filePath(tool);
            if (!QFile::copy(from, QDir(path("program/Conversion")).filePath(tool)))
                return QStringLiteral("cannot copy %1 (build the vintrax_stage target)").arg(from);
        }
        const QString catalogueFile = path("program/Vintrax.mdb");
        const QString staged = QDir(QStringLiteral(VINTRAX_STAGE_DIR)).filePath(catalogue::kFileName);
        if (!QFile::copy(staged, catalogueFile))
            return QStringLiteral("cannot copy %1 (build the vintrax_stage target)").arg(staged);
        QFile::setPermissions(catalogueFile, QFile::ReadOwner | QFile::WriteOwner);

        catalogue::Database db;
        if (!db.open(catalogueFile).ok() || !bench::addBenchGames(db))
            return QStringLiteral("cannot add the games to %1").arg(catalogueFile);
        m_currentGame = playableGameInTheMiddle(db);
        db.close();
        if (m_currentGame.isEmpty())
            return QStringLiteral("no playable game in the list");

        QSettings ini(iniPath(), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Startup"));
        ini.setValue(QStringLiteral("ShowPrefs"), QStringLiteral("False"));
        ini.setValue(QStringLiteral("V13Start"), QStringLiteral("True"));
        ini.setValue(QStringLiteral("WhatListBox"), 0);
        ini.setValue(QStringLiteral("CurrentGame"), m_currentGame);
        ini.endGroup();
        ini.sync();
        return ini.status() == QSettings::NoError ? QString() : QStringLiteral("cannot write %1").arg(iniPath());
    }

    // The first game with a game file from the middle of the all-games list on: it stays selected in the
    // playable view, so both halves of a switch restore the selection.
    static QString playableGameInTheMiddle(catalogue::Database& db)
    {
        catalogue::Snapshot rows = catalogue::Snapshot::fromView(db, catalogue::kGameNameList);
        for (int row = rows.recordCount() / 2; row < rows.recordCount(); ++row) {
            const qint64 colour = rows.valueAt(row, 1).toLongLong();
            if (colour == catalogue::kBlack || colour == catalogue::kBlue)
                return rows.valueAt(row, 0).toString();
        }
        return {};
    }

    QTemporaryDir m_root;
    QString m_error;
    QString m_currentGame;
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<app::Program> m_program;
};

std::unique_ptr<BenchProgram>& program()
{
    static std::unique_ptr<BenchProgram> p;
    if (!p)
        p = std::make_unique<BenchProgram>();
    return p;
}

double msBetween(qint64 fromNs, qint64 toNs)
{
    return double(toNs - fromNs) / 1e6;
}

// One start of the program in a child process, in milliseconds from the parent's request.
struct StartUpRun
{
    QString error;
    double toMain = 0;          // dynamic loading and static set-up until main()
    double toApp = 0;           // ... QApplication made
    double toLoaded = 0;        // ... the main window's load returned: shown, list filled, game selected
    double toPainted = 0;       // ... and the events after it run until the list was drawn
    double toDrawn = 0;         // ... the game list first drawn (the user sees it)
    double cpuToDrawn = 0;      // the processor time the child had used when the list was first drawn
    double cpuToLoaded = 0;     // ... and when its load returned
    double kernelToLoaded = -1; // from the kernel's start time of the child (10 ms steps)
    int rows = 0;
};

StartUpRun startProgramOnce(const BenchProgram& bench)
{
    StartUpRun run;
    QProcess child;
    child.setProcessEnvironment(bench.childEnvironment());
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QString::fromLatin1(kAsProgram)});
    const qint64 asked = bootTimeNs();
    child.start();
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        run.error = QStringLiteral("the program did not end within a minute");
        return run;
    }
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError()).trimmed();
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        if (!line.startsWith(kReadyTag))
            continue;
        QHash<QByteArray, qint64> stamp;
        for (const QByteArray& field : line.split(' ')) {
            const int eq = field.indexOf('=');
            if (eq > 0)
                stamp.insert(field.left(eq), field.mid(eq + 1).toLongLong());
        }
        run.toMain = msBetween(asked, stamp.value("main"));
        run.toApp = msBetween(asked, stamp.value("app"));
        run.toLoaded = msBetween(asked, stamp.value("loaded"));
        run.toPainted = msBetween(asked, stamp.value("painted"));
        run.cpuToLoaded = msBetween(0, stamp.value("cpu"));
        run.toDrawn = msBetween(asked, stamp.value("drawn"));
        run.cpuToDrawn = msBetween(0, stamp.value("cpudrawn"));
        if (stamp.value("kernel") > 0)
            run.kernelToLoaded = msBetween(stamp.value("kernel"), stamp.value("loaded"));
        run.rows = int(stamp.value("rows"));
        if (run.rows < bench::kGames)
            run.error = QStringLiteral("the list holds %1 rows").arg(run.rows);
        else if (!errors.isEmpty())
            run.error = QStringLiteral("the program said: %1").arg(errors);
        return run;
    }
    run.error = QStringLiteral("the start ended (exit code %1): %2").arg(child.exitCode()).arg(errors);
    return run;
}

double maxOf(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}
double minOf(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// Every sample is one start or one switch, timed by the benchmark itself; the report gives median,
// minimum and maximum over the samples.
void singleRuns(benchmark::internal::Benchmark* b, int samples)
{
    b->UseManualTime()
        ->Iterations(1)
        ->Repetitions(samples)
        ->ComputeStatistics("min", minOf)
        ->ComputeStatistics("max", maxOf)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
}

void BM_StartUpToWindowShown(benchmark::State& state)
{
    const BenchProgram& bench = *program();
    if (!bench.error().isEmpty()) {
        state.SkipWithError(bench.error().toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        const StartUpRun run = startProgramOnce(bench);
        if (!run.error.isEmpty()) {
            state.SkipWithError(run.error.toStdString().c_str());
            break;
        }
        state.SetIterationTime(run.toLoaded / 1000.0);
        state.counters["to_main_ms"] = run.toMain;
        state.counters["to_app_ms"] = run.toApp;
        state.counters["to_painted_ms"] = run.toPainted;
        state.counters["cpu_to_loaded_ms"] = run.cpuToLoaded;
        state.counters["to_list_drawn_ms"] = run.toDrawn;
        state.counters["cpu_to_list_drawn_ms"] = run.cpuToDrawn;
        state.counters["kernel_start_to_loaded_ms"] = run.kernelToLoaded;
    }
}
BENCHMARK(BM_StartUpToWindowShown)->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

QString selectedGame(QMainWindow& window)
{
    GameListBox* list = gameList(window);
    return list->model()->index(list->selectedRow(), 0).data().toString();
}

void BM_ViewSwitchAllPlayableAll(benchmark::State& state)
{
    BenchProgram& bench = *program();
    app::Program* running = bench.error().isEmpty() ? bench.running() : nullptr;
    QMainWindow* window = running ? running->mainWindow() : nullptr;
    if (!window) {
        state.SkipWithError(bench.error().isEmpty() ? "the window did not load" : bench.error().toStdString().c_str());
        return;
    }
    auto* cmdAll = window->findChild<QPushButton*>(QStringLiteral("cmdAll"));
    auto* cmdGamesOnly = window->findChild<QPushButton*>(QStringLiteral("cmdGamesOnly"));
    const bool paint = state.range(0) != 0;
    const bool written = state.range(1) != 0;
    catalogue::Database& db = running->state().catalogue.db();
    const auto click = [paint, written, &db](QPushButton* button) {
        if (written)
            db.noteWrite();
        button->click();
        if (paint)
            QCoreApplication::processEvents();
    };

    // An unmeasured switch, checked to end where it began, with the game selected in both views.
    QCoreApplication::processEvents();
    click(cmdGamesOnly);
    const auto view = [running] { return running->state().settings.WhatListBox; };
    const auto rows = [window] { return gameList(*window)->model()->rowCount(); };
    const bool playableKept = view() == browser::gameListViewNumber(browser::GameListView::Playable) &&
                              selectedGame(*window) == bench.currentGame() && rows() < bench::kGames;
    click(cmdAll);
    if (!playableKept || view() != browser::gameListViewNumber(browser::GameListView::All) ||
        selectedGame(*window) != bench.currentGame() || rows() < bench::kGames) {
        state.SkipWithError("the switch did not keep the selected game");
        return;
    }

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        click(cmdGamesOnly);
        click(cmdAll);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_ViewSwitchAllPlayableAll)
    ->ArgNames({"paint", "written"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], kAsProgram) == 0)
        return runAsProgram(argc, argv);

    // The window is measured offscreen wherever the benchmark runs. This process has a runtime folder of
    // its own: the instance lock of its window must not turn the children away.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    const int result = runBenchmarks(argc, argv, [] {
        // The catalogue is built and the program started once, outside every measurement.
        if (program()->error().isEmpty())
            startProgramOnce(*program());
    });
    program().reset();
    return result;
}
