#include "files/ArchiveRename.h"

#include "launch/clsC64Game.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QDir>
#include <QFile>

namespace files {

QStringList archiveRenameCandidates(const QString& workFolder)
{
    QDir dir(workFolder);
    return dir.entryList({QStringLiteral("*.d64"), QStringLiteral("*.t64"), QStringLiteral("*.prg"),
                          QStringLiteral("*.p00"), QStringLiteral("*.p01"), QStringLiteral("*.tap")},
                         QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString renamedArchiveName(const QString& chosenFile, const QString& archiveName)
{
    const qsizetype dot = chosenFile.lastIndexOf(QLatin1Char('.'));
    // Candidates always carry an ending; a bare name still gets the archive's ending after a dot.
    const QString stem = dot >= 0 ? chosenFile.left(dot + 1) : chosenFile + QLatin1Char('.');
    return stem + archiveName.right(3);
}

ArchiveRenameOutcome renameArchiveAfter(ArchiveHandover& handover, const QString& chosenFile)
{
    const QString newName = renamedArchiveName(chosenFile, handover.ArchiveName);
    const QString target = platform::joinPath(handover.ArchiveFolder, newName);
    if (!platform::ShortPathName(target).isEmpty())
        return ArchiveRenameOutcome::AlreadyExists;
    const QString source = platform::ShortPathName(platform::joinPath(handover.ArchiveFolder, handover.ArchiveName));
    if (source.isEmpty() || !QFile::rename(source, target))
        return ArchiveRenameOutcome::Failed;
    handover.ArchiveRenameCancelled = false;
    handover.ArchiveName = newName.toUpper();
    return ArchiveRenameOutcome::Renamed;
}

} // namespace files
