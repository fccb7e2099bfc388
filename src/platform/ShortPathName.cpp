#include "platform/ShortPathName.h"

#include "platform/PathNames.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <optional>

namespace platform {

namespace {

// One folder's entries by their case-folded form (most forms have one spelling), and which of them are folders.
// Entries that do not lead anywhere (a dangling link) are left out, as a lookup would not find them.
struct Listing
{
    QMultiHash<QString, QString> spellings;
    QSet<QString> folders;

    // The spellings of name, sorted.
    QStringList of(const QString& name) const
    {
        QStringList names = spellings.values(name.toCaseFolded());
        names.sort();
        return names;
    }
};

struct ListingCache
{
    QHash<QString, Listing> listings;
    // A folder as asked for -> the folder as it is on disk; nullopt when there is none.
    QHash<QString, std::optional<QString>> folders;
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
        // The entry's type comes with the listing: only links cost a look at what they lead to.
        const QFileInfo info = it.fileInfo();
        if (!info.exists())
            continue;
        const QString name = it.fileName();
        listing.spellings.insert(name.toCaseFolded(), name);
        if (info.isDir())
            listing.folders.insert(name);
    }
    return listing;
}

const Listing& cachedListing(const QString& folder)
{
    auto it = t_cache->listings.find(folder);
    if (it == t_cache->listings.end()) {
        it = t_cache->listings.insert(folder, readListing(folder));
        ++t_cache->listingsRead;
    }
    return *it;
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

// A path with "/" separators cut before its last part: the folder ("" for the current one, "/" for the root)
// and the part. Separators in a row count as one; trailing ones are ignored.
std::pair<QString, QString> splitLast(const QString& native)
{
    qsizetype end = native.size();
    while (end > 0 && native.at(end - 1) == u'/')
        --end;
    const qsizetype cut = native.lastIndexOf(u'/', end - 1);
    qsizetype folderEnd = cut;
    while (folderEnd > 0 && native.at(folderEnd - 1) == u'/')
        --folderEnd;
    const QString folder = cut < 0 ? QString() : folderEnd == 0 ? QStringLiteral("/") : native.left(folderEnd);
    return {folder, native.mid(cut + 1, end - cut - 1)};
}

// Inside a scope: a folder (with "/" separators) as it is on disk, each folder looked up once for the scope.
std::optional<QString> cachedFolder(const QString& folder)
{
    if (folder.isEmpty() || folder == u'/')
        return folder;
    auto it = t_cache->folders.constFind(folder);
    if (it != t_cache->folders.constEnd())
        return *it;
    std::optional<QString> found;
    const auto [parentText, part] = splitLast(folder);
    if (part.isEmpty()) {
        found = cachedFolder(parentText);
    } else if (const std::optional<QString> parent = cachedFolder(parentText)) {
        if (QFileInfo(child(*parent, part)).isDir()) {
            found = child(*parent, part);
        } else {
            const Listing& listing = cachedListing(*parent);
            for (const QString& spelling : listing.of(part))
                if (listing.folders.contains(spelling)) {
                    found = child(*parent, spelling);
                    break;
                }
        }
    }
    t_cache->folders.insert(folder, found);
    return found;
}

// Inside a scope the file is looked up in its folder's listing, with no call to the file system once the folder is
// known; a name the listing lacks is still tried as it is spelt (a file made since the listing was read). A folder
// found missing stays missing for the scope.
QString cachedLookup(const QString& path)
{
    QString native = path;
    native.replace(u'\\', u'/');
    const auto [folderText, name] = splitLast(native);
    if (name.isEmpty()) // the root, or nothing
        return QFileInfo::exists(path) ? path : QString();
    const std::optional<QString> folder = cachedFolder(folderText);
    if (!folder)
        return {};
    const Listing& listing = cachedListing(*folder);
    const QString folded = name.toCaseFolded();
    if (listing.spellings.contains(folded, name))
        return child(*folder, name);
    if (const qsizetype spellings = listing.spellings.count(folded); spellings > 0)
        return child(*folder, spellings == 1 ? listing.spellings.value(folded) : listing.of(name).constFirst());
    return QFileInfo::exists(child(*folder, name)) ? child(*folder, name) : QString();
}

} // namespace

QString ShortPathName(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (t_cache)
        return cachedLookup(path);
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
        for (const QString& spelling : readListing(resolved).of(part)) {
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
    if (t_cache) {
        t_cache->listings.clear();
        t_cache->folders.clear();
    }
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
