#include "WindowFixture.h"

#include "ArchiveFixtures.h"
#include "ProcessRunner.h"
#include "browser/GameListActions.h"
#include "browser/StartupSequence.h"
#include "data/settings/SettingsStore.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QTest>

namespace windowtest {

namespace {

struct EmulatorLayout
{
    const char* folder;
    const char* program; // the configured file
    const char* logged;  // the file the command line runs
    const char* config;
    const char* configText;
    const char* setting;
};

const EmulatorLayout kLayouts[] = {
    {"CCS64 v19", "CCS64.EXE", "ccsdpmi.exe", "C64.CFG",
     "$JOYSTICK1PC=9\r\n$JOYSTICK2PC=9\r\n$JOYSTICK1KEY=9\r\n$JOYSTICK2KEY=9\r\n$LOADPATH=C:\\\r\n$SOUND=1\r\n",
     "CCS64Path"},
    {"CCS64 v20", "ccs64.exe", "ccs64.exe", "c64.cfg",
     "$CONTROLPORT1=9\r\n$CONTROLPORT2=9\r\n$CONTROLPORT1MODE=9\r\n$CONTROLPORT2MODE=9\r\n$LOADPATH=C:\\\r\n",
     "CCS642Path"},
    {"CCS64 Win", "CCS64DX.EXE", "CCS64DX.EXE", "C64.CFG",
     "$CONTROLPORT1=9\r\n$CONTROLPORT2=9\r\n$CONTROLPORT1MODE=9\r\n$CONTROLPORT2MODE=9\r\n$LOADPATH=C:\\\r\n",
     "DirectXPath"},
};

QModelIndex rowIndex(QWidget* window, const QString& name)
{
    const QAbstractItemModel& model = gameList(window);
    const QModelIndexList found = model.match(model.index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found.first();
}

// The row's centre on the list's viewport, scrolled into sight.
QPoint rowCentre(QWidget* window, const QString& name)
{
    auto* list = control<QListView>(window, "lstGames");
    const QModelIndex index = rowIndex(window, name);
    list->scrollTo(index);
    return list->visualRect(index).center();
}

} // namespace

WindowFixture::WindowFixture()
{
    m_valid =
        m_valid && testsupport::runOracle(
                       QStringLiteral("cp"),
                       {QStringLiteral("-r"), testsupport::stageDir() + QStringLiteral("/Demo"), programFile("Demo")},
                       programPath())
                           .exitCode == 0;
    presetSettings({{QStringLiteral("GamesPath"), programFile("Demo/Games")},
                    {QStringLiteral("MusicPath"), programFile("Demo/Music")},
                    {QStringLiteral("ShowPrefs"), QStringLiteral("False")},
                    {QStringLiteral("V13Start"), QStringLiteral("True")}});
}

WindowFixture::~WindowFixture()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    exit();
}

QString WindowFixture::editCatalogue(const QString& sql) const
{
    const testsupport::RunResult run = testsupport::runOracle(
        QStringLiteral("sqlite3"), {QStringLiteral("-bail"), platform::catalogueFilePath(), sql}, programPath());
    if (!run.started)
        return QStringLiteral("sqlite3 did not start");
    if (run.exitCode != 0 || !run.err.isEmpty())
        return QString::fromLocal8Bit(run.err).trimmed() + QStringLiteral(" (exit %1)").arg(run.exitCode);
    return {};
}

QList<QStringList> WindowFixture::queryCatalogue(const QString& sql) const
{
    // ASCII mode separates fields and rows by control characters no catalogue text contains.
    const testsupport::RunResult run = testsupport::runOracle(
        QStringLiteral("sqlite3"), {QStringLiteral("-ascii"), platform::catalogueFilePath(), sql}, programPath());
    QList<QStringList> rows;
    if (run.exitCode != 0)
        return rows;
    for (const QString& row : QString::fromUtf8(run.out).split(QChar(0x1e), Qt::SkipEmptyParts))
        rows.append(row.split(QChar(0x1f)));
    return rows;
}

QString WindowFixture::stored(const QString& game, const QString& field) const
{
    return queryCatalogue(QStringLiteral("SELECT \"%1\" FROM Games WHERE Name = '%2'")
                              .arg(field, QString(game).replace(u'\'', QStringLiteral("''"))))
        .value(0)
        .value(0);
}

QMainWindow* WindowFixture::start()
{
    m_store = openSettingsStore(iniPath());
    browser::MainWindowOptions options;
    options.typeAheadClock = [this] { return clock ? clock() : browser::TypeAhead::systemClock()(); };
    options.random01 = [this] { return random ? random() : browser::systemRandom()(); };
    m_program = std::make_unique<app::Program>(*m_store, options);
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

QMainWindow* WindowFixture::window() const
{
    return m_program ? m_program->mainWindow() : nullptr;
}

void WindowFixture::exit()
{
    if (QMainWindow* w = window())
        w->close();
    m_program.reset();
    m_store.reset();
}

PlayFixture::PlayFixture()
{
    QVariantMap paths;
    for (int kind = 0; kind < 3; ++kind) {
        const EmulatorLayout& l = kLayouts[kind];
        const QString dir = emulatorFolder(kind);
        const QString program = QString::fromLatin1(l.program);
        m_valid = m_valid && testsupport::writeFakeTool(dir, program, QString());
        if (program != QLatin1String(l.logged))
            m_valid = m_valid && testsupport::writeFakeTool(dir, QString::fromLatin1(l.logged), QString());
        m_valid = m_valid && testsupport::writeFile(configPath(kind), l.configText);
        paths.insert(QString::fromLatin1(l.setting), QDir(dir).filePath(program));
    }
    presetSettings(paths);
}

QString PlayFixture::emulatorFolder(int kind) const
{
    return programFile(QStringLiteral("Emulators/") + QString::fromLatin1(kLayouts[kind].folder));
}

QString PlayFixture::configPath(int kind) const
{
    return QDir(emulatorFolder(kind)).filePath(QString::fromLatin1(kLayouts[kind].config));
}

bool PlayFixture::started(int kind) const
{
    return QFile::exists(QDir(emulatorFolder(kind)).filePath(QString::fromLatin1(kLayouts[kind].logged) + ".log"));
}

QStringList PlayFixture::waitForStart(int kind) const
{
    const QString log = QDir(emulatorFolder(kind)).filePath(QString::fromLatin1(kLayouts[kind].logged) + ".log");
    const int lineCount = kind == 0 ? 3 : 2; // the folder, the arguments
    QStringList lines;
    const bool logged = QTest::qWaitFor(
        [&] {
            lines = QString::fromUtf8(testsupport::readFile(log)).split(u'\n', Qt::SkipEmptyParts);
            return lines.size() >= lineCount;
        },
        10000);
    return logged ? lines : QStringList();
}

bool PlayFixture::anyStartedWithin(int milliseconds) const
{
    return QTest::qWaitFor([this] { return started(0) || started(1) || started(2); }, milliseconds);
}

QString configLine(const QString& configPath, const QString& key)
{
    for (const QByteArray& line : testsupport::readFile(configPath).split('\n')) {
        const QString l = QString::fromUtf8(line).remove(u'\r');
        if (l.startsWith(key))
            return l;
    }
    return {};
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
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
    if (!rowIndex(window, name).isValid())
        return false;
    const QPoint at = rowCentre(window, name);
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
