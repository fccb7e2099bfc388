// The in-process ZIP extraction into the working folder: whatever the archive holds, it fails with a reason or leaves
// only plain files within the member limit, side by side in the folder it was given.
#include "FuzzSupport.h"
#include "c64/ArchiveLimits.h"
#include "launch/UnzipToFolder.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString archive = fuzz::scratchFile(QStringLiteral("game.zip"), data, size);
    const QString folder = QDir(fuzz::scratchFolder()).filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    const launch::UnzipResult r = launch::UnzipToFolder(folder, archive);
    if (r.failed && r.error.isEmpty())
        fuzz::fail("a failed extraction without a reason");
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    if (QDir(fuzz::scratchFolder()).entryList(all).size() != 2) // game.zip and out
        fuzz::fail("a member landed outside the folder");
    for (const QFileInfo& f : QDir(folder).entryInfoList(all)) {
        if (!f.isFile() || f.isSymLink() || f.size() > c64::kArchiveMemberLimit)
            fuzz::fail("not a plain file within the limit", f.fileName());
    }
    return 0;
}
