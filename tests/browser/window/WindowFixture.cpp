#include "WindowFixture.h"

#include "ArchiveFixtures.h"
#include "ProcessRunner.h"
#include "browser/GameListActions.h"
#include "browser/StartupSequence.h"
#include "data/settings/SettingsStore.h"
#include "platform/Folders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QTest>

namespace windowtest {

namespace {

// Where each emulator sits, the file configured for it, the file its command line runs and its configuration.
struct EmulatorLayout
{
    const char *folder, *program, *logged, *config, *setting;
};

const EmulatorLayout kLayouts[] = {
    {"CCS64 v19", "CCS64.EXE", "ccsdpmi.exe", "C64.CFG", "CCS64Path"},
    {"CCS64 v20", "ccs64.exe", "ccs64.exe", "c64.cfg", "CCS642Path"},
    {"CCS64 Win", "CCS64DX.EXE", "CCS64DX.EXE", "C64.CFG", "DirectXPath"},
};

// The centre of the row showing name on the list's viewport, scrolled into sight; (-1, -1) when there is none.
QPoint rowCentre(QWidget* window, const QString& name)
{
    auto* list = control<QListView>(window, "lstGames");
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return {-1, -1};
    list->scrollTo(found.first());
    return list->visualRect(found.first()).center();
}

} // namespace

WindowFixture::WindowFixture()
{
    m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    m_valid = m_folder.isValid() && m_config.isValid() && m_runtime.isValid();
    const platform::Folders folders = platform::Folders::inProgramFolder(programPath());
    for (const QString& tool : browser::requiredConversionTools())
        m_valid = m_valid && QFile::copy(testsupport::toolPath(tool), folders.conversionTool(tool));
    const QString demo = testsupport::stageDir() + QStringLiteral("/Demo");
    m_valid = m_valid && QFile::copy(testsupport::stageDir() + "/Vintrax.mdb", folders.catalogue) &&
              QFile::setPermissions(folders.catalogue, QFile::ReadOwner | QFile::WriteOwner) &&
              testsupport::runOracle("cp", {"-r", demo, programFile("Demo")}, programPath()).exitCode == 0;
    presetSettings({{"GamesPath", programFile("Demo/Games")}, {"MusicPath", programFile("Demo/Music")}});
    presetSettings({{"ShowPrefs", "False"}, {"V13Start", "True"}});
}

WindowFixture::~WindowFixture()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    exit();
    qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
}

void WindowFixture::presetSettings(const QVariantMap& values) const
{
    QSettings ini(iniPath(), QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        ini.setValue(QStringLiteral("Startup/") + it.key(), it.value());
}

void WindowFixture::removeSetting(const QString& key) const
{
    QSettings(iniPath(), QSettings::IniFormat).remove(QStringLiteral("Startup/") + key);
}

QVariant WindowFixture::storedValue(const QString& key) const
{
    return QSettings(iniPath(), QSettings::IniFormat).value(QStringLiteral("Startup/") + key);
}

QString WindowFixture::sql(const QString& statement) const
{
    const testsupport::RunResult run = testsupport::runOracle(
        QStringLiteral("sqlite3"), {QStringLiteral("-bail"), programFile(QStringLiteral("Vintrax.mdb")), statement},
        programPath());
    return QString::fromUtf8(run.exitCode == 0 && run.err.isEmpty() ? run.out : "sqlite3: " + run.err).trimmed();
}

QMainWindow* WindowFixture::start()
{
    if (!m_valid)
        return nullptr;
    m_store = openSettingsStore(iniPath());
    browser::MainWindowOptions options;
    options.typeAheadClock = [this] { return clock ? clock() : platform::TypeAhead::systemClock()(); };
    options.random01 = [this] { return random ? random() : browser::systemRandom()(); };
    m_program = std::make_unique<app::Program>(
        *m_store, platform::currentFolders(platform::FolderLayout::ProgramFolder), options);
    if (!m_program->start())
        return nullptr;
    return m_program->mainWindow();
}

QMainWindow* WindowFixture::startOn(const QString& game, const QVariantMap& settings)
{
    presetSettings(settings);
    presetSettings({{QStringLiteral("CurrentGame"), game}});
    QMainWindow* w = start();
    if (w)
        clickGame(w, game);
    return w;
}

void WindowFixture::exit()
{
    if (m_program && m_program->mainWindow())
        m_program->mainWindow()->close();
    m_program.reset();
    m_store.reset();
}

PlayFixture::PlayFixture()
{
    QVariantMap paths;
    for (int kind = 0; kind < 3; ++kind) {
        const QString dir = emulatorFolder(kind);
        const QString program = QString::fromLatin1(kLayouts[kind].program);
        m_valid = m_valid && testsupport::writeFakeTool(dir, program, QString()) &&
                  testsupport::writeFakeTool(dir, QString::fromLatin1(kLayouts[kind].logged), QString()) &&
                  testsupport::writeFile(QDir(dir).filePath(kLayouts[kind].config),
                                         "$JOYSTICK1PC=9\r\n$CONTROLPORT1=9\r\n$LOADPATH=C:\\\r\n");
        paths.insert(QString::fromLatin1(kLayouts[kind].setting), QDir(dir).filePath(program));
    }
    presetSettings(paths);
}

QString PlayFixture::emulatorFolder(int kind) const
{
    return programFile(QStringLiteral("Emulators/") + QString::fromLatin1(kLayouts[kind].folder));
}

bool PlayFixture::started(int kind) const
{
    return !testsupport::readFile(emulatorFolder(kind) + u'/' + kLayouts[kind].logged + ".log").isEmpty();
}

QStringList PlayFixture::waitForStart(int kind) const
{
    QStringList lines;
    const auto logged = [&] { // the folder, the arguments
        lines = QString::fromUtf8(testsupport::readFile(emulatorFolder(kind) + u'/' + kLayouts[kind].logged + ".log"))
                    .split(u'\n', Qt::SkipEmptyParts);
        return lines.size() >= (kind == 0 ? 3 : 2);
    };
    return QTest::qWaitFor(logged, 10000) ? lines : QStringList();
}

QAction* action(QWidget* window, const char* name)
{
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

QString labelText(QWidget* window, const char* name)
{
    const QLabel* label = control<QLabel>(window, name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

QString selectedGame(QWidget* window)
{
    auto* list = control<QListView>(window, "lstGames");
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
}

bool clickGame(QWidget* window, const QString& name)
{
    const QPoint at = rowCentre(window, name);
    if (at.x() < 0)
        return false;
    QTest::mouseClick(control<QListView>(window, "lstGames")->viewport(), Qt::LeftButton, {}, at);
    return selectedGame(window) == name;
}

void doubleClickGame(QWidget* window, const QString& name)
{
    // What a user's double-click sends: press, release, double-click, release.
    QWidget* viewport = control<QListView>(window, "lstGames")->viewport();
    const QPoint at = rowCentre(window, name);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

void rightClickGame(QWidget* window, const QString& name)
{
    QTest::mouseClick(control<QListView>(window, "lstGames")->viewport(), Qt::RightButton, {}, rowCentre(window, name));
}

const QAbstractItemModel& gameList(QWidget* window)
{
    return *control<QListView>(window, "lstGames")->model();
}

const browser::Scroller& scroller(QWidget* window)
{
    return *window->findChild<browser::Scroller*>(QStringLiteral("tmrScroller"));
}

} // namespace windowtest
