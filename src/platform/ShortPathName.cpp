#include "platform/ShortPathName.h"

#include "platform/PathNames.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace platform {

namespace {

// One folder's entry names, grouped by their case-folded form, each group sorted.
using Listing = QHash<QString, QStringList>;

struct ListingCache
{
    QHash<QString, Listing> folders;
    int depth = 0;
    long listingsRead = 0;
};

thread_local ListingCache* t_cache = nullptr;

Listing readListing(const QString& folder)
{
    Listing listing;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        listing[name.toCaseFolded()].append(name);
    }
    for (QStringList& names : listing)
        names.sort();
    return listing;
}

QStringList spellingsOf(const QString& folder, const QString& name)
{
    const QString key = name.toCaseFolded();
    if (!t_cache)
        return readListing(folder).value(key);
    auto it = t_cache->folders.find(folder);
    if (it == t_cache->folders.end()) {
        it = t_cache->folders.insert(folder, readListing(folder));
        ++t_cache->listingsRead;
    }
    return it->value(key);
}

QString child(const QString& resolved, const QString& name)
{
    if (resolved.isEmpty())
        return name;
    return resolved.endsWith(u'/') ? resolved + name : resolved + u'/' + name;
}

// A component in the middle of a path must be a folder to lead anywhere.
bool usable(const QString& path, bool last)
{
    const QFileInfo info(path);
    return info.exists() && (last || info.isDir());
}

} // namespace

QString ShortPathName(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo::exists(path))
        return path;

    QString native = path;
    native.replace(u'\\', u'/');
    const QStringList parts = native.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    QString resolved = native.startsWith(u'/') ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        const bool last = i == parts.size() - 1;
        const QString exact = child(resolved, part);
        if (usable(exact, last)) {
            resolved = exact;
            continue;
        }
        bool found = false;
        for (const QString& spelling : spellingsOf(resolved, part)) {
            if (spelling == part)
                continue;
            const QString candidate = child(resolved, spelling);
            if (usable(candidate, last)) {
                resolved = candidate;
                found = true;
                break;
            }
        }
        if (!found)
            return {};
    }
    return resolved;
}

QString resolvePathCase(const QString& path)
{
    const QString existing = ShortPathName(path);
    if (!existing.isEmpty())
        return existing;
    const QString folder = FolderOfPath(path);
    const QString name = FileNameOfPath(path);
    if (folder.isEmpty() || name.isEmpty())
        return path;
    const QString resolvedFolder = ShortPathName(folder);
    if (resolvedFolder.isEmpty() || !QFileInfo(resolvedFolder).isDir())
        return path;
    return child(resolvedFolder, name);
}

PathCacheScope::PathCacheScope()
{
    if (!t_cache)
        t_cache = new ListingCache;
    ++t_cache->depth;
}

PathCacheScope::~PathCacheScope()
{
    if (--t_cache->depth == 0) {
        delete t_cache;
        t_cache = nullptr;
    }
}

bool PathCacheScope::isActive()
{
    return t_cache != nullptr;
}

void PathCacheScope::forgetListings()
{
    if (t_cache)
        t_cache->folders.clear();
}

long PathCacheScope::listingsRead()
{
    return t_cache ? t_cache->listingsRead : 0;
}

QString existingStoredFile(const QString& folder, const QString& stored)
{
    const QString path = storedNameToPath(folder, stored);
    const QString found = path.isEmpty() ? QString() : ShortPathName(path);
    return !found.isEmpty() && QFileInfo(found).isFile() ? found : QString();
}

} // namespace platform
