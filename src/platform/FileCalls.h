#pragma once

// The system calls behind SaveFile and the file operations, one file per platform. Each returns 0 or the system's
// error number.

#include <QString>

namespace platform::filecalls {

int createNew(const QString& path, int* fd); // never an existing file; permissions as any new file gets them
int copyPermissions(int fd, const QString& from);
int writeAll(int fd, const char* data, qint64 size);
int syncFile(int fd);
int closeFile(int fd);
int replace(const QString& from, const QString& to); // in one step, over an existing file
int syncFolder(const QString& folder);               // so that a name renamed into it survives a crash
void removeFile(const QString& path);
QString errorText(int errorNumber);

} // namespace platform::filecalls
