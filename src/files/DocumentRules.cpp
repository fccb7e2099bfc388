#include "files/DocumentRules.h"

#include "data/CatalogueNames.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShellOpenRefusal.h"
#include "platform/ShortPathName.h"

#include <QFileInfo>

namespace files {

DocBrowseStart docBrowseStart(const QString& docFile, const QString& programFolder)
{
    if (docFile.isEmpty() || docFile == catalogue::kNone)
        return {programFolder, {}};
    const QString existing = platform::ShortPathName(docFile);
    if (!existing.isEmpty() && QFileInfo(existing).isFile())
        return {platform::FolderOfPath(existing), platform::FileNameOfPath(existing)};
    const QString folder = platform::ShortPathName(platform::FolderOfPath(docFile));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return {folder, {}};
    return {programFolder, {}};
}

QString docFileValue(const QString& folder, const QString& fileName)
{
    return fileName.isEmpty() ? catalogue::kNone : platform::joinPath(folder, fileName);
}

bool ViewDocument(const QString& docFile, const std::function<bool(const QString&)>& shellOpen)
{
    const QString path = docFile == catalogue::kNone ? QString() : docFile;
    if (!platform::CheckPathExists(path, true))
        return false;
    const QString existing = platform::ShortPathName(path);
    const QString target = existing.isEmpty() ? path : existing;
    if (shellOpen && shellOpen(target))
        return true;
    platform::MessageBox::exclamation(platform::shellOpenRefusedMessage(target));
    return false;
}

} // namespace files
