#pragma once

#include <QIODevice>
#include <QString>

namespace platform {

// Writes all of data to device (a file opened Unbuffered, so that every write reaches the system at once). False
// with the reason in *error. A file that took part of a write before the system refused the rest reports no reason
// (Qt's "Unknown error"): the rest is written again until the system refuses it with its own reason ("No space left
// on device").
bool writeWhole(QIODevice& device, const char* data, qint64 size, QString* error);

} // namespace platform
