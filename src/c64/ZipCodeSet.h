#pragma once

#include "c64/ZipCodeDecoder.h"

#include <QString>

#include <array>

namespace c64 {

struct ZipCodeSetFiles
{
    bool ok = false;
    std::array<QString, kZipCodePartCount> paths; // absolute paths of "1!BASE" to "4!BASE" when ok
    QString error;
};

// Finds the four parts of the set SETBASE among the plain files of folder. Names are matched without regard to
// letter case ("1!game" serves for "1!GAME"); an exact match wins when several files differ only in case. Only
// the folder's own entries are considered, so a base holding a "/" finds nothing, and an entry that is a symbolic
// link or not a plain file is refused rather than followed out of the folder.
ZipCodeSetFiles findZipCodeSet(const QString& folder, const QString& setBase);

// Reads a part, bounded: a valid part is far smaller than the limit and whatever follows its last sector is
// ignored anyway.
bool readZipCodePart(const QString& path, QByteArray* data, QString* error);

// Finds, reads and decodes the set in folder and writes the D64 image to outPath (relative to folder unless
// absolute). The image appears under its name only when everything succeeded; an existing file of that name is
// replaced only then.
bool convertZipCodeSet(const QString& folder, const QString& setBase, const QString& outPath, QString* error);

} // namespace c64
