#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace platform {

// Opens path for reading only when it is a regular file (a link to one counts). A FIFO, a device or a socket that
// carries a file's name is refused without waiting: it is opened without blocking and looked at before anything
// is read from it. False with the reason in *error ("PATH is not a regular file", or the system's reason).
bool openRegularFile(QFile& file, const QString& path, QString* error = nullptr);

// The whole content of a regular file of at most maxBytes bytes. Nothing, with the reason in *error, for a file
// that cannot be read, is no regular file, or is larger: a reader of small files (settings, an emulator's
// configuration) never takes a huge or endless file into memory.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error = nullptr);

} // namespace platform
