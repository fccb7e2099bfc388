#pragma once

#include <QString>

namespace platform {

// Collections copied from Windows often hold names in another letter case than the catalogue or the
// settings give them. These routines find the file that is really there.

// The existing path that path names, each component matched without regard to case where the exact
// one is missing; "" when nothing matches. Both "\" and "/" are accepted as separators. An exact
// component wins over other spellings; among several spellings none of which is exact, the first in
// sorted order is taken. Every command line, open, write, rename and delete works on what this returns.
QString ShortPathName(const QString& path);

// The file a stored name (see storedNameToPath) leads to below folder as it is on disk; "" when there is
// none or the name leads to a folder.
QString existingStoredFile(const QString& folder, const QString& stored);

// For a file about to be written: the existing file as ShortPathName finds it; failing that the
// case-resolved folder joined with the given file name; failing that path unchanged.
QString resolvePathCase(const QString& path);

// While an object of this class lives, lookups answer from directory listings that are kept and reused
// (a verify of 30,000 games must not read a folder again for every file): each folder is found once, and a
// file is looked up in its folder's listing without asking the file system again. A name the listing lacks is
// still tried as it is spelt, so a file made meanwhile under its exact name in a known folder is found; one
// removed meanwhile, and a folder found missing, stay as they were seen until the scope ends. Scopes may nest; the
// cache goes when the outermost one ends, so outside any scope nothing stale is ever used. The cache belongs to the
// thread that opened the scope.
class PathCacheScope
{
public:
    PathCacheScope();
    ~PathCacheScope();
    PathCacheScope(const PathCacheScope&) = delete;
    PathCacheScope& operator=(const PathCacheScope&) = delete;

    static bool isActive();
    // Drops the cached listings of the open scope, after this program itself changed a folder.
    static void forgetListings();
    // How many directory listings the open scope has read (0 outside a scope), for tests and benchmarks.
    static long listingsRead();
};

} // namespace platform
