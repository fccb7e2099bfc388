#include "files/GameFileRules.h"

#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "data/settings/Settings.h"
#include "launch/PlayCurrentGame.h"
#include "platform/FolderBelow.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QFileInfo>

#include <algorithm>

namespace files {

namespace {

// A listed entry that is a program worth booting. Directory rows of line-drawing bytes (0xC0, shown as
// "À"), of dashes, and loaders are skipped.
bool bootableEntry(const QString& entry)
{
    static const QString lines(16, QChar(0x00C0));
    static const QString dashes(16, QLatin1Char('-'));
    static const QString loader = QStringLiteral("LOADER") + QString(10, QLatin1Char(' '));
    return entry.contains(QStringLiteral(" PRG")) && !entry.contains(lines) && !entry.contains(dashes) &&
           !entry.contains(loader);
}

} // namespace

QString readingStatus(launch::ArchiveKind kind)
{
    switch (kind) {
    case launch::ArchiveKind::Zip:
        return QStringLiteral("READING ZIP FILE");
    case launch::ArchiveKind::Gz:
        return QStringLiteral("READING GZ FILE");
    case launch::ArchiveKind::Lha:
        return QStringLiteral("READING LHA/LZH ARCHIVE");
    case launch::ArchiveKind::Lynx:
        return QStringLiteral("READING LYNX ARCHIVE");
    }
    return {};
}

GameFileStart gameFileStart(bool addingGame, const QString& storedFilename, const Settings& settings,
                            const QString& rememberedRoot, const QString& rememberedFolder)
{
    const QString first = settings.GamesPath[0];
    GameFileStart start{first, first, {}, {}};
    if (addingGame) {
        if (platform::folderInside(rememberedFolder, rememberedRoot))
            start = {rememberedRoot, rememberedFolder, {}, {}};
        return start;
    }
    if (storedFilename.isEmpty() || storedFilename == catalogue::kNone)
        return start;
    const launch::FoundGameFile found = launch::findGameFile(settings, storedFilename);
    if (found.folderIndex < 0) {
        start.notFoundMessage = launch::fileNotFoundInGamePathsMessage(storedFilename);
        return start;
    }
    start.root = settings.GamesPath[size_t(found.folderIndex)];
    start.folder = platform::FolderOfPath(found.path);
    start.fileName = platform::FileNameOfPath(found.path);
    return start;
}

QString missingGamesFolderMessage(const QString& folder)
{
    const QString found = platform::ShortPathName(folder);
    if (!found.isEmpty() && QFileInfo(found).isDir())
        return {};
    return QStringLiteral("This Games Path does not exist:\n\n") + folder;
}

int preselectedEntry(const QStringList& entries, bool gamesOwnFile, int storedIndex)
{
    if (entries.isEmpty())
        return -1;
    if (gamesOwnFile && storedIndex >= 0 && storedIndex < entries.size())
        return storedIndex;
    const auto found = std::find_if(entries.cbegin(), entries.cend(), bootableEntry);
    return found == entries.cend() ? 0 : int(found - entries.cbegin());
}

QString storedGameName(const QString& folder, const QString& fileName, const QString& root)
{
    const std::optional<QStringList> below = platform::componentsBelow(folder, root);
    if (!below || fileName.isEmpty())
        return {};
    return platform::storedNameOf((*below + QStringList{fileName}).join(QLatin1Char('/')));
}

QString gameFileCaption(const QString& gameName)
{
    return QStringLiteral("Filename for '") + gameName + QStringLiteral("'...");
}

catalogue::FieldValues noGameFileValues(const QString& musicFilename)
{
    return {{catalogue::field::Filename, catalogue::kNone},
            {catalogue::field::FA, false},
            {catalogue::field::FilenameIndex, 0},
            {catalogue::field::CCode, catalogue::colourCodeFor(catalogue::kNone, musicFilename)}};
}

catalogue::FieldValues gameFileValues(const QString& storedName, int entry, const QString& musicFilename)
{
    return {{catalogue::field::Filename, storedName},
            {catalogue::field::FA, true},
            {catalogue::field::FilenameIndex, std::max(entry, 0)},
            {catalogue::field::CCode, catalogue::colourCodeFor(storedName, musicFilename)}};
}

catalogue::FieldValues unlinkedGameFileValues()
{
    return {{catalogue::field::Filename, catalogue::kNone}, {catalogue::field::FilenameIndex, 0}};
}

} // namespace files
