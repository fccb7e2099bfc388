#pragma once

#include <QString>

namespace launch {

struct UnzipResult
{
    bool failed = false; // any damage, read error or refused member: the caller's UnzipFailed
    QString error;
    int filesWritten = 0;
};

// Extracts every member of a ZIP file into folder, in this process. Members land side by side under
// their base names only, so no stored path ("GAMES/ELITE.D64", "../x", "/etc/x", "C:\x") can place a
// file outside the folder; folders and links are skipped, an existing file of the same name (in any
// letter case) is overwritten. Each file is written under a temporary name and renamed when complete.
// A member larger than the limit below, or more than the total limit, is refused: C64 images are
// small, and a crafted archive must not fill the disk.
UnzipResult UnzipToFolder(const QString& folder, const QString& zipPath);

inline constexpr qint64 kUnzipMemberLimit = 64LL * 1024 * 1024;
inline constexpr qint64 kUnzipTotalLimit = 256LL * 1024 * 1024;

// The name a member is written under: its base name after either kind of separator; "" to skip it.
QString memberBaseName(const QString& storedName);

} // namespace launch
