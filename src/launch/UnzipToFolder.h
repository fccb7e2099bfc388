#pragma once

#include <QString>

namespace launch {

struct UnzipResult
{
    bool failed = false;      // any damage, read error, refused member or refused write: the caller's UnzipFailed
    bool writeFailed = false; // the folder refused a file (full disk, no permission, a folder in the way)
    QString error;            // never empty when failed
    int filesWritten = 0;
};

// Extracts every member of a ZIP file into folder, in this process. Members land side by side under
// their base names only, so no stored path ("GAMES/ELITE.D64", "../x", "/etc/x", "C:\x") can place a
// file outside the folder; folders and links are skipped, an existing file of the same name (in any
// letter case) is overwritten. Each file is written under a temporary name and renamed when complete, but not
// synced: the folder holds copies that the next start makes again.
// Refused with a reason, since C64 games need none of them: a member larger than the per-member limit, more
// than the total limit, more members than the count limit (c64/ArchiveLimits.h), and a member name holding
// control characters.
UnzipResult UnzipToFolder(const QString& folder, const QString& zipPath);

// The name a member is written under: its base name after either kind of separator; "" to skip it.
QString memberBaseName(const QString& storedName);

} // namespace launch
