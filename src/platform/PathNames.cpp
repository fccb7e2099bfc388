#include "platform/PathNames.h"

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
    // Runs of separators become one; leading and trailing ones go. (A verification calls this for every file of
    // the catalogue, so the name is copied once rather than split and joined.)
    const QChar sep = folder.isEmpty() ? u'/' : separatorFor(folder);
    QString relative;
    relative.reserve(stored.size());
    for (const QChar c : stored) {
        if (!isSeparator(c))
            relative += c;
        else if (!relative.isEmpty() && relative.back() != sep)
            relative += sep;
    }
    if (!relative.isEmpty() && relative.back() == sep)
        relative.chop(1);
    if (relative.isEmpty())
        return {};
    return joinPath(folder, relative);
}

QString storedNameOf(const QString& relativePath)
{
    QString stored = relativePath;
    stored.replace(u'/', u'\\');
    return stored;
}

} // namespace platform
