#pragma once

#include <QString>
#include <QStringList>

namespace maketape {

// Writes tapeName + ".t64" in the current folder from the raw files named in files. Returns false with a one-line
// reason in *error when an argument is unusable or a file cannot be read; nothing is written then.
bool makeTape(const QString& tapeName, const QStringList& files, QString* error);

// The tape entry name a file gets: its own name without a ".prg" ending, upper case, at most 16 characters.
QByteArray entryNameFor(const QString& path);

} // namespace maketape
