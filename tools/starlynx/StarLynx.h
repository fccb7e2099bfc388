#pragma once

#include <QByteArray>
#include <QString>

namespace starlynx {

// Converts the Lynx archive at lynxPath into a new disk image at outPath (written only when complete). Returns
// false with a one-line reason in *error when the archive is unreadable or damaged or its files do not fit a disk.
bool extractToD64(const QString& lynxPath, const QString& outPath, QString* error);

// The disk name for an archive: its file name without the last extension, upper case, at most 16 characters.
QByteArray diskNameFor(const QString& lynxPath);

} // namespace starlynx
