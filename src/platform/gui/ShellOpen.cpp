#include "platform/gui/ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

namespace {

QUrl urlFor(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    // A one-letter scheme is a Windows drive ("C:\..."), not an address.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    if (QFileInfo::exists(target))
        return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return QUrl::fromUserInput(target);
}

} // namespace

bool ShellOpen(const QString& target)
{
    if (target.trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(urlFor(target));
}

} // namespace platform
