#include "platform/PathNames.h"

#include <QRegularExpression>
#include <QStringList>

namespace platform {

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

qsizetype lastSeparator(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return i;
    }
    return -1;
}

bool hasDriveLetter(const QString& path)
{
    return path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter();
}

QChar separatorFor(const QString& folder)
{
    if (hasDriveLetter(folder) || (folder.contains(u'\\') && !folder.contains(u'/')))
        return u'\\';
    return u'/';
}

} // namespace

QString FileNameOfPath(const QString& path)
{
    const qsizetype p = lastSeparator(path);
    return p < 0 ? path : path.mid(p + 1);
}

QString FolderOfPath(const QString& path)
{
    const qsizetype p = lastSeparator(path);
    if (p < 0)
        return {};
    if (p == 0 && path.at(0) == u'/')
        return QStringLiteral("/");
    return path.left(p);
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (name.isEmpty())
        return folder;
    if (isSeparator(folder.back()))
        return folder + name;
    return folder + separatorFor(folder) + name;
}

QString storedNameToPath(const QString& folder, const QString& stored)
{
    static const QRegularExpression kSeparators(QStringLiteral("[\\\\/]+"));
    const QStringList parts = stored.split(kSeparators, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    const QString sep = folder.isEmpty() ? QStringLiteral("/") : QString(separatorFor(folder));
    return joinPath(folder, parts.join(sep));
}

QString storedNameOf(const QString& relativePath)
{
    QString stored = relativePath;
    stored.replace(u'/', u'\\');
    return stored;
}

} // namespace platform
