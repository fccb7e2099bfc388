#include "WindowFixture.h"

#include "ProcessRunner.h"
#include "browser/GameListActions.h"
#include "browser/StartupSequence.h"
#include "data/settings/SettingsStore.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListView>
#include <QMainWindow>
#include <QTest>

namespace windowtest {

namespace {

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

WindowFixture::WindowFixture()
{
    m_valid = m_valid && copyTree(testsupport::stageDir() + QStringLiteral("/Demo"), programFile("Demo"));
    presetSettings({{QStringLiteral("GamesPath"), programFile("Demo/Games")},
                    {QStringLiteral("MusicPath"), programFile("Demo/Music")},
                    {QStringLiteral("ShowPrefs"), QStringLiteral("False")},
                    {QStringLiteral("V13Start"), QStringLiteral("True")}});
}

WindowFixture::~WindowFixture()
{
    m_program.reset();
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

QAction* action(QWidget* window, const char* name)
{
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

QString selectedGame(QWidget* window)
{
    auto* list = control<QListView>(window, "lstGames");
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
}

QStringList detailValueLabels()
{
    return {QStringLiteral("lblName"),      QStringLiteral("lblPublisher"),  QStringLiteral("lblYear"),
            QStringLiteral("lblMusician"),  QStringLiteral("lblGenre"),      QStringLiteral("lblPlayers"),
            QStringLiteral("lblRating"),    QStringLiteral("lblDifficulty"), QStringLiteral("lblTrainer"),
            QStringLiteral("lblHighScore"), QStringLiteral("lblDocFile"),    QStringLiteral("lblComment"),
            QStringLiteral("lblGameFile"),  QStringLiteral("lblMusicFile"),  QStringLiteral("lblTimesPlayed"),
            QStringLiteral("lblLastPlayed")};
}

bool clickGame(QWidget* window, const QString& name)
{
    auto* list = control<QListView>(window, "lstGames");
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->scrollTo(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found.first()).center());
    return selectedGame(window) == name;
}

} // namespace windowtest

namespace windowtest {

const QAbstractItemModel& gameList(QWidget* window)
{
    return *control<QListView>(window, "lstGames")->model();
}

QString gameText(QWidget* window, int row)
{
    return gameList(window).index(row, 0).data().toString();
}

const browser::Scroller& scroller(QWidget* window)
{
    return *window->findChild<browser::Scroller*>(QStringLiteral("tmrScroller"));
}

} // namespace windowtest
