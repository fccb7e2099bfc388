#include "maintenance/MissingFilesRun.h"

#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "maintenance/FileChecks.h"

namespace maintenance {

namespace field = catalogue::field;

QStringList missingFilesColumns()
{
    return {QStringLiteral("File Type"), QStringLiteral("Game/Tune Name"), QStringLiteral("Location")};
}

MissingFilesRun::MissingFilesRun(catalogue::Database& db, const Settings& settings, const QString& screenshotsFolder)
    : m_settings(settings), m_screenshots(screenshotsFolder),
      m_games(db, QStringLiteral("Games"),
              {field::Name, field::Filename, field::MusicFilename, field::ScreenshotFilename}),
      m_tunes(db, QStringLiteral("Music"), {field::Name, field::Filename})
{
    m_listings.emplace();
}

MissingFilesRun::~MissingFilesRun() = default;

// A step ends between two file tests at the earliest (the first test in a folder reads its listing).
void MissingFilesRun::step(const QDeadlineTimer& deadline)
{
    while (!done()) {
        if (!m_onTunes && m_part == 0 && m_games.eof()) {
            if (!m_games.lastError().isEmpty())
                return end(m_games.lastError());
            m_onTunes = true;
            setPercent(0);
        }
        if (m_onTunes && m_tunes.eof()) {
            end(m_tunes.lastError());
            break;
        }
        m_onTunes ? checkTune() : checkGame();
        if (deadline.hasExpired())
            break;
    }
}

// One of the game's three files per call: its game file, its tune, its screenshot.
void MissingFilesRun::checkGame()
{
    const QString name = m_games.text(field::Name);
    if (m_part == 0) {
        const QString file = m_games.text(field::Filename);
        if (catalogue::namesAFile(file) && !gameFileFound(m_settings, file))
            addRow(QStringLiteral("Game Filename"), name, gameFileLocation(file));
    } else if (m_part == 1) {
        const QString tune = m_games.text(field::MusicFilename);
        if (catalogue::namesAFile(tune) && !fileFoundBelow(m_settings.MusicPath, tune))
            addRow(QStringLiteral("Sid Filename"), name, locationBelow(m_settings.MusicPath, tune));
    } else {
        const QString screenshot = m_games.text(field::ScreenshotFilename);
        if (catalogue::namesAFile(screenshot) && !fileFoundBelow(m_screenshots, screenshot))
            addRow(QStringLiteral("Screenshot"), name, locationBelow(m_screenshots, screenshot));
        m_games.moveNext();
        setPercent(m_games.percentPosition());
    }
    m_part = (m_part + 1) % 3;
}

void MissingFilesRun::checkTune()
{
    const QString name = m_tunes.text(field::Name);
    const QString file = m_tunes.text(field::Filename);
    if (catalogue::namesAFile(file) && !fileFoundBelow(m_settings.MusicPath, file))
        addRow(QStringLiteral("Sid-Tune DataBase"), name, locationBelow(m_settings.MusicPath, file));
    m_tunes.moveNext();
    setPercent(m_tunes.percentPosition());
}

void MissingFilesRun::end(const QString& failure)
{
    m_listings.reset();
    if (failure.isEmpty()) {
        setPercent(100);
        setDone();
    } else {
        fail(QStringLiteral("The search stopped: the vintrax database could not be read:\n%1").arg(failure));
    }
}

void MissingFilesRun::stop()
{
    if (!done())
        end();
}

} // namespace maintenance
