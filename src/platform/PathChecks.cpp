#include "platform/PathChecks.h"

#include "platform/MessageBox.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

void report(const QString& text)
{
    MessageBox::show(text, kErrorTitle, MessageBox::Exclamation, MessageBox::Ok);
}

bool folderOfPathExists(const QString& path)
{
    const QString folder = FolderOfPath(path);
    if (folder.isEmpty())
        return true; // a bare name lives in the current folder, which is always there
    const QString resolved = ShortPathName(folder);
    return !resolved.isEmpty() && QFileInfo(resolved).isDir();
}

} // namespace

bool CheckPathExists(const QString& path, bool showMessages)
{
    if (path.isEmpty()) {
        if (showMessages)
            report(QStringLiteral("FILE NOT SET!"));
        return false;
    }
    if (!ShortPathName(path).isEmpty())
        return true;
    if (showMessages) {
        if (folderOfPathExists(path))
            report(QStringLiteral("FILE NOT FOUND: ") + path);
        else
            report(QStringLiteral("PATH NOT FOUND: ") + path);
    }
    return false;
}

bool isReadOnlyFile(const QString& path)
{
    const QString existing = ShortPathName(path);
    if (existing.isEmpty())
        return false;
    const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(QFile::permissions(existing) & writeBits);
}

} // namespace platform
