#pragma once

#include <QString>
#include <QStringList>

struct ArchiveHandover;

namespace files {

// The game files of the working folder an archive could be renamed after, in name order.
QStringList archiveRenameCandidates(const QString& workFolder);

// The archive's new name: the chosen file's name up to and including its last ".", then the archive's
// own three-letter ending ("ELITE.D64" chosen in "GAMES.ZIP" gives "ELITE.ZIP").
QString renamedArchiveName(const QString& chosenFile, const QString& archiveName);

enum class ArchiveRenameOutcome
{
    Renamed,
    AlreadyExists,
    Failed
};

// Renames the archive in its folder after the chosen file and updates the hand-over values: the
// cancelled flag is cleared and ArchiveName becomes the new name in upper case.
ArchiveRenameOutcome renameArchiveAfter(ArchiveHandover& handover, const QString& chosenFile);

} // namespace files
