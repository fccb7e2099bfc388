#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// Whether a folder lies inside another, and where. Both are compared as the real folders they lead to
// (links followed, letter case as on the disk, found as ShortPathName finds them), name by name: a sibling
// whose name merely begins with the other's name ("/games2" beside "/games") is outside.

// The names of folder below root ({} for root itself); nothing when folder is not inside root or either
// does not exist.
std::optional<QStringList> componentsBelow(const QString& folder, const QString& root);

// Whether folder is root or lies below it.
bool folderInside(const QString& folder, const QString& root);

} // namespace platform
