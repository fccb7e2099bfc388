// The in-process ZIP extraction into the working folder: whatever the archive holds, it either fails with a reason or
// leaves only plain files, side by side in the folder it was given, none beyond the limits of one member.
#include "FuzzSupport.h"
#include "c64/ArchiveLimits.h"
#include "launch/UnzipToFolder.h"

#include <QDir>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString archive = fuzz::scratchFile(QStringLiteral("game.zip"), data, size);
    const QString folder = QDir(fuzz::scratchFolder()).filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    const launch::UnzipResult r = launch::UnzipToFolder(folder, archive);
    if (r.failed && r.error.isEmpty())
        fuzz::fail("a failed extraction without a reason");
    const QStringList outside = QDir(fuzz::scratchFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (outside.size() != 2) // game.zip and out
        fuzz::fail("a member landed outside the folder", outside.join(QLatin1Char(',')));
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!r.failed && files.size() > r.filesWritten)
        fuzz::fail("more files than members written");
    for (const QFileInfo& f : files) {
        if (!f.isFile() || f.isSymLink())
            fuzz::fail("something that is not a plain file", f.fileName());
        if (f.size() > c64::kArchiveMemberLimit)
            fuzz::fail("a member beyond the limit", f.fileName());
    }
    return 0;
}
