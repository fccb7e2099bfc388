#pragma once

#include <QString>

namespace platform {

// Rename, move and delete of a user's file. Each either does all of its work or leaves the file where and as
// it was, and says why with the system's own reason ("Permission denied", "Read-only file system", "File name
// too long"). None of them ever replaces an existing file.
struct FileOperationResult
{
    bool ok = false;
    QString reason; // empty on success
};

// Renames or moves source to target (a full path) on one file system; refuses when target exists.
FileOperationResult renameFile(const QString& source, const QString& target);

// Moves source to target, also onto another file system: there the file is copied to a temporary name beside
// target, synced, its size compared with the source's, renamed into place, and only then is the source
// deleted. When any step fails the copy is removed again and the source stays. The copy is hidden
// (".vintrax-move-" and six letters or digits); one a killed move left behind is removed by the next move into that
// folder.
FileOperationResult moveFile(const QString& source, const QString& target);

// Deletes a file for good (no recycle bin).
FileOperationResult deleteFile(const QString& path);

} // namespace platform
