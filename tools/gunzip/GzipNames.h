#pragma once

#include <QByteArray>
#include <QString>

// Finds the original file name kept in the first member header of a gzip file (the FNAME field).
// head holds the file's leading bytes. Returns false with a reason when the header is not gzip or is cut off;
// storedName stays empty when no name was stored.
bool readStoredName(const QByteArray& head, QByteArray* storedName, QString* error);

// The stored name reduced to a plain file name: the part after the last '/' or '\'. Empty when nothing usable
// is left ("", "." or "..", or control characters that would garble a folder listing).
QString storedBaseName(const QByteArray& storedName);

// The input name without its compression suffix (.gz, -gz, .z, -z, _z in any case; .tgz and .taz give .tar).
// Empty when the name has none of these suffixes.
QString strippedName(const QString& fileName);

// The name the decompressed file gets: the stored base name, or the stripped input name when none was stored
// (or when the stored one would overwrite the input itself). Empty with a reason when neither works.
QString chooseOutputName(const QString& inputFileName, const QByteArray& storedName, QString* error);
