#pragma once

#include "ToolRunner.h"
#include "c64/CbmFile.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <array>

// C64 fixtures made and checked by independent programs (cc1541, cbmconvert, disk2zip, zip2disk).
namespace c64test {

// cc1541's own directory listing of an image (taken from a copy, since cc1541 may rewrite what it opens); names as
// cc1541 prints them (PETSCII letters in lower case), types as "prg", "seq<", "*prg", ...
struct Cc1541Entry
{
    int blocks = 0;
    QString name;
    QString type;
};
struct Cc1541Listing
{
    bool ok = false;
    QString diskName;
    QList<Cc1541Entry> entries;
    int blocksFree = -1;
};
Cc1541Listing cc1541List(const QByteArray& image);

// The image cc1541 -q makes in a scratch folder holding the given files (name -> contents).
QByteArray cc1541Image(const QStringList& args, const QMap<QString, QByteArray>& files = {});

// Every file of a container ("-d" disk image, "-t" tape, "-l" Lynx) as cbmconvert extracts it: native name ->
// contents, empty when cbmconvert failed (the reason goes to the test log). A Lynx archive cbmconvert makes of native
// files, in the order given (names end in ".prg", ".seq", ...).
QMap<QString, QByteArray> cbmconvertExtract(const QString& inputOption, const QByteArray& container,
                                            const QString& containerName);
using NamedFiles = QList<QPair<QString, QByteArray>>;
QByteArray cbmconvertLynx(const NamedFiles& files);

// The native file name cbmconvert writes for a Commodore file (lower case, ".prg", ".seq", ...); a list's files.
QString nativeName(const c64::CbmFile& file);
QMap<QString, QByteArray> asNativeFiles(const c64::CbmFileList& files);

// Every file and folder under root but outside skip (relative to root), sorted, each file with its size and
// modification time: shows any change a run made there.
QStringList tree(const QString& root, const QString& skip = {});

// Zip-Code: sectors per track of a 35-track disk, and where a sector lies in a D64 image.
int sectorsPerTrack(int track);
qsizetype sectorOffset(int track, int sector);

// A fresh D64 made by cc1541 holding files of repeatable content (runs of equal bytes, zero stretches, noise), and
// the four parts ("1!game" .. "4!game") disk2zip packs it into.
using Parts = std::array<QByteArray, 4>;
struct SampleSet
{
    QByteArray image;
    Parts parts;
};
SampleSet makeSampleSet(const QList<int>& fileSizes, quint32 seed);

// Writes the parts into dir as 1!base .. 4!base; what zip2disk makes of them (empty when it refused the set).
bool writeParts(const QString& dir, const Parts& parts, const QString& base);
QByteArray unpackWithZip2disk(const QString& dir, const QString& base);

} // namespace c64test
