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
//
// BM_EditingCommand: the editing commands, from the name dialog's button to the row selected and the panel shown
// (below).
//
// BM_GameEdit: in the same window on the all-games view, one game added, renamed or removed through the game
// store, from the call until the list has the row selected (the new or renamed game, or the row after the removed
// one) and the panel shows it; with paint:1 until the window's pending events have run as well. What each sample
// changes is put back outside the measurement.
#include "BenchCatalogue.h"
#include "BenchMain.h"
#include "BenchProgram.h"

#include "app/Program.h"
#include "appstate/AppState.h"
#include "browser/StartupSequence.h"
#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/GameFields.h"
#include "data/GameStore.h"
#include "data/Snapshot.h"
#include "data/settings/SettingsStore.h"
#include "editing/NewGame.h"
#include "platform/gui/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

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

platform::ListBox* gameList(QMainWindow& window)
{
    return window.findChild<platform::ListBox*>(QStringLiteral("lstGames"));
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
    app::Program program(*store, platform::currentFolders(platform::FolderLayout::ProgramFolder));
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

using bench::BenchProgram;

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
    platform::ListBox* list = gameList(window);
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

// The program loaded on the all-games view; nullptr, and the benchmark skipped, when it did not load so.
app::Program* programOnAllGames(benchmark::State& state)
{
    BenchProgram& bench = *program();
    app::Program* running = bench.error().isEmpty() ? bench.running() : nullptr;
    if (!running || running->state().settings.WhatListBox != 0) {
        state.SkipWithError("the window did not load on the all-games view");
        return nullptr;
    }
    return running;
}

void BM_GameEdit(benchmark::State& state)
{
    app::Program* running = programOnAllGames(state);
    if (!running)
        return;
    QMainWindow* window = running->mainWindow();
    catalogue::GameStore& store = running->state().gameStore;
    const auto shows = [window](const QString& name) {
        return selectedGame(*window) == name && window->findChild<QLabel*>(QStringLiteral("lblName"))->text() == name;
    };
    const int edit = int(state.range(0));
    const bool paint = state.range(1) != 0;
    int sample = 0;
    for (auto _ : state) {
        const QString name = QStringLiteral("Bench Game %1").arg(++sample);
        const QString renamed = QStringLiteral("Zz Renamed ") + name;
        qint64 rowid = -1;
        if (edit != 0) { // the game to rename or remove, selected
            rowid = store.addGame(editing::newGameValues(name, catalogue::kNone, 0, false, Settings{})).rowid;
            QCoreApplication::processEvents();
        }
        const auto start = std::chrono::steady_clock::now();
        catalogue::GameStoreResult result;
        if (edit == 0)
            result = store.addGame(editing::newGameValues(name, catalogue::kNone, 0, false, Settings{}));
        else if (edit == 1)
            result = store.renameGame(rowid, renamed);
        else
            result = store.removeGame(rowid);
        if (paint)
            QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        const QString after = selectedGame(*window); // after a removal, the row that took its place
        if (!result.ok() || !shows(edit == 0 ? name : edit == 1 ? renamed : after) || (edit == 2 && after == name)) {
            state.SkipWithError("the list or the panel did not follow the change");
            break;
        }
        if (edit != 2)
            store.removeGame(result.rowid);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_GameEdit)
    ->ArgNames({"edit", "paint"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Apply([](benchmark::internal::Benchmark* b) { singleRuns(b, 20); });

// Runs act on the modal dialog the next command opens (once it is up), then lets the command go on.
void whenDialogOpens(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            act(dialog);
    });
}

// BM_EditingCommand: the editing commands as the user runs them on the all-games view (every prompt after an add
// off, no confirmation of a removal): a game added from the name dialog's Add, renamed from the name dialog's OK,
// removed from the menu entry, each until the list has the row selected and the panel shows it. The time counts from
// the button's click (the menu entry's trigger for a removal) until it returned; flow_ms until the whole command
// returned. A refill of the view fails the run.
void BM_EditingCommand(benchmark::State& state)
{
    app::Program* running = programOnAllGames(state);
    if (!running)
        return;
    QMainWindow* window = running->mainWindow();
    app::AppState& app = running->state();
    app.settings.RemoveConfirmFlag = 0;
    for (int Settings::*prompt :
         {&Settings::PromptOnAddFlag, &Settings::PromptOnAddMusicFN, &Settings::PromptOnAddSSFN,
          &Settings::PromptOnAddPublisher, &Settings::PromptOnAddYear, &Settings::PromptOnAddMusician,
          &Settings::PromptOnAddGenre, &Settings::PromptOnAddPlayers, &Settings::PromptOnAddRating,
          &Settings::PromptOnAddDifficulty, &Settings::PromptOnAddComment, &Settings::PromptOnAddDocFile,
          &Settings::PromptOnAddTrained, &Settings::PromptOnAddHighScore})
        app.settings.*prompt = 0;
    app.settings.GamesPath[0] = QStringLiteral("/games"); // the file dialog is answered by the stand-in below
    app.ChooseNewGameFile = [] { return app::GameFileChoice{catalogue::kNone, 0, false}; };
    int refills = 0;
    QObject counter;
    QObject::connect(&app.gameStore, &catalogue::GameStore::gamesChanged, &counter, [&refills] { ++refills; });
    auto* list = gameList(*window);
    const auto command = [window](const char* name) {
        window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    // Types the name into the name dialog and clicks its button, timed.
    const auto answer = [](const QString& name, const char* button, double& clickMs) {
        whenDialogOpens([name, button, &clickMs](QWidget* dialog) {
            dialog->findChild<QLineEdit*>()->setText(name);
            const auto start = std::chrono::steady_clock::now();
            dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
            clickMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        });
    };
    const int edit = int(state.range(0));
    const int rows = list->model()->rowCount();
    int sample = 0;
    for (auto _ : state) {
        const QString name = QStringLiteral("Bench Edit %1").arg(++sample);
        double clickMs = 0;
        if (edit != 0) { // the game to rename or remove, added and selected outside the measurement
            answer(name, "cmdAdd", clickMs);
            command("mnuFileAddGame");
        }
        const QString expected = edit == 1 ? QStringLiteral("Zz ") + name : name;
        if (edit != 2)
            answer(expected, edit == 0 ? "cmdAdd" : "cmdOK", clickMs);
        const auto start = std::chrono::steady_clock::now();
        command(edit == 0 ? "mnuFileAddGame" : edit == 1 ? "mnuEditName" : "mnuFileRemove");
        const double flowMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime((edit == 2 ? flowMs : clickMs) / 1000.0);
        state.counters["flow_ms"] = flowMs;
        const QString selected = selectedGame(*window);
        const bool shown = window->findChild<QLabel*>(QStringLiteral("lblName"))->text() == selected;
        if (!shown || refills != 0 || (edit == 2 ? selected == name : selected != expected)) {
            state.SkipWithError("the list or the panel did not follow the change, or the view was read again");
            break;
        }
        if (edit != 2)
            command("mnuFileRemove");
        if (list->model()->rowCount() != rows) {
            state.SkipWithError("the list did not come back to its rows");
            break;
        }
    }
}
BENCHMARK(BM_EditingCommand)->ArgName("edit")->Arg(0)->Arg(1)->Arg(2)->Apply([](benchmark::internal::Benchmark* b) {
    singleRuns(b, 20);
});

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
