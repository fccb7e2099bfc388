#pragma once

#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <vector>

struct ExtractedMember
{
    std::unique_ptr<QTemporaryFile> data; // closed, under a temporary name in the destination folder
    QString name;
};

// Decompresses every file member of the archive into temporary files in folder, checking each one's length and
// CRC. Directory entries and symbolic links are skipped. Any damage, truncation or unsupported method fails
// with a reason, and so do a write the disk refuses and an archive beyond the limits of c64/ArchiveLimits.h
// (per member, in total, in members); the temporary files vanish with the list.
bool extractMembers(const QString& archivePath, const QString& folder, std::vector<ExtractedMember>* members,
                    QString* error);

// Gives every extracted member its own name in folder, replacing files of that name. A later member of the same
// name wins, as it would when extracting one after the other.
bool moveIntoPlace(std::vector<ExtractedMember>& members, const QString& folder, QString* error);
