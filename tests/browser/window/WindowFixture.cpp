#include "WindowFixture.h"

#include "ProcessRunner.h"
#include "ProgramFolder.h"
#include "StartupSequence.h"
#include "frmVTRXMain.h"
#include "frmVTRXSplash.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListView>
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
    m_window.reset();
    m_splash.reset();
    m_instance.reset();
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

frmVTRXMain* WindowFixture::start()
{
    m_store = openSettingsStore(iniPath());
    m_instance = std::make_unique<platform::SingleInstance>();
    m_splash = std::make_unique<frmVTRXSplash>(*m_instance, *m_store);
    m_window.reset(m_splash->Form_Load());
    return m_window.get();
}

void WindowFixture::exit()
{
    if (m_window)
        m_window->close();
    m_window.reset();
    m_splash.reset();
    m_store.reset();
    m_instance.reset();
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
