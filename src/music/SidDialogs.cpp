#include "music/SidDialogs.h"

#include "c64/SidHeader.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "data/settings/Settings.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QDir>
#include <QFileInfo>

namespace music {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#endif

// The real folder a path leads to (links followed, letter case as on the disk), split into its names.
QStringList realComponents(const QString& folder)
{
    const QString existing = platform::ShortPathName(folder);
    const QString real = existing.isEmpty() ? QString() : QFileInfo(existing).canonicalFilePath();
    if (real.isEmpty())
        return {};
    return QDir::fromNativeSeparators(real).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The names of folder below musicPath; nothing when folder is not inside it.
std::optional<QStringList> componentsBelow(const QString& folder, const QString& musicPath)
{
    const QStringList music = realComponents(musicPath);
    const QStringList inner = realComponents(folder);
    if (music.isEmpty() && !QFileInfo(musicPath).isRoot())
        return std::nullopt;
    if (inner.size() < music.size() || (inner.isEmpty() && !QFileInfo(folder).exists()))
        return std::nullopt;
    for (qsizetype i = 0; i < music.size(); ++i)
        if (inner.at(i).compare(music.at(i), kNameCase) != 0)
            return std::nullopt;
    return inner.mid(music.size());
}

} // namespace

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
    return componentsBelow(folder, musicPath).has_value();
}

QString storedTuneName(const QString& folder, const QString& fileName, const QString& musicPath)
{
    const std::optional<QStringList> below = componentsBelow(folder, musicPath);
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
