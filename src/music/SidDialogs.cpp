#include "music/SidDialogs.h"

#include "c64/SidHeader.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "data/settings/Settings.h"
#include "platform/FolderBelow.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"


namespace music {

QString sidTuneCaption(const QString& gameName)
{
    return QStringLiteral("Sid Tune for '") + gameName + QStringLiteral("'...");
}

SidFileStart sidFileStart(bool addMode, const QString& musicFilename, const Settings& settings)
{
    SidFileStart start{settings.MusicPath, kNewTunesPattern, {}, false};
    if (addMode || musicFilename.isEmpty() || musicFilename == catalogue::kNone)
        return start;
    const QString tune = platform::storedNameToPath(settings.MusicPath, musicFilename);
    if (tune.isEmpty() || !platform::CheckPathExists(tune, false))
        return start;
    const QString existing = platform::ShortPathName(tune);
    start.folder = platform::FolderOfPath(existing.isEmpty() ? tune : existing);
    start.pattern = kAllTunesPattern;
    start.fileName = platform::FileNameOfPath(musicFilename);
    start.runEnabled = !settings.SidplayWPath.isEmpty();
    return start;
}

bool insideMusicFolder(const QString& folder, const QString& musicPath)
{
    return platform::componentsBelow(folder, musicPath).has_value();
}

QString storedTuneName(const QString& folder, const QString& fileName, const QString& musicPath)
{
    const std::optional<QStringList> below = platform::componentsBelow(folder, musicPath);
    if (!below || fileName.isEmpty())
        return {};
    return platform::storedNameOf((*below + QStringList{fileName}).join(QLatin1Char('/')));
}

QStringList tuneEntries(int songs)
{
    QStringList entries;
    for (int song = 1; song <= std::min(songs, c64::SidHighestSong); ++song)
        entries << QString::number(song);
    return entries;
}

int startSongEntry(int startSong, int entryCount)
{
    return startSong >= 1 && startSong <= entryCount ? startSong - 1 : -1;
}

bool startSongChanged(int selectedEntry, int startSong)
{
    return selectedEntry >= 0 && selectedEntry != startSong - 1;
}

bool changeStartSong(const QString& path, int song)
{
    const c64::SidWriteOutcome outcome = c64::WriteSidStartSong(path, song);
    if (!outcome.ok())
        platform::MessageBox::exclamation(c64::sidWriteFailureMessage(path, outcome));
    return outcome.ok();
}

catalogue::FieldValues tuneFieldValues(const QString& storedName, const QString& gameFilename)
{
    const QString stored = storedName.isEmpty() ? catalogue::kNone : storedName;
    return {{catalogue::field::MusicFilename, stored},
            {catalogue::field::SA, !storedName.isEmpty()},
            {catalogue::field::CCode, catalogue::colourCodeFor(gameFilename, stored)}};
}

} // namespace music
