#pragma once

#include <QByteArray>
#include <QString>

namespace c64 {

// Writes a whole file under a temporary name beside it and renames it into place only when everything was written,
// so the target is either the complete new file or untouched. On failure *error holds the reason.
bool saveBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace c64
