#pragma once

#include "ProcessRunner.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace zipcodetest {

// Sectors per track of a 35-track disk, and where a sector lies in a D64 image.
int sectorsPerTrack(int track);
qsizetype sectorOffset(int track, int sector);

// One sector record of a Zip-Code part, written by hand: kind 0 stored, 1 filled, 2 packed (3 is not defined).
struct Record
{
    int kind;
    int track;
    int sector;
    QByteArray data; // everything after the two header bytes
};

Record storedRecord(int track, int sector, const QByteArray& bytes256);
Record filledRecord(int track, int sector, char fill);
Record packedRecord(int track, int sector, char mark, const QByteArray& packed);

// The records of a part, in plain sector order, for the given D64 image: filled where a sector holds one byte
// value, stored otherwise.
QList<Record> plainRecords(const QByteArray& image, int part);
QByteArray encodePart(int part, const QList<Record>& records, const QByteArray& loadAndId = {});

// A D64 image whose sectors all differ, with a few single-value sectors among them.
QByteArray patternImage();

// Counts of stored, filled and packed records in a part made by another program.
std::array<int, 3> recordKinds(const QByteArray& part, int partNumber);

// Independent programs used to make and check fixtures.
bool haveProgram(const QString& program);
testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir);
QString describe(const testsupport::RunResult& r);

// Writes files with repeatable pseudo-random content (runs of equal bytes, zero stretches, noise) into dir and
// puts them on a fresh D64 made by cc1541; returns the image, or an empty array with *error set.
QByteArray makeDiskWithCc1541(const QString& dir, const QList<int>& fileSizes, quint32 seed, QString* error);

// Packs dir/image into dir/1!base .. dir/4!base with disk2zip; returns the four parts (empty on failure).
std::array<QByteArray, 4> packWithDisk2zip(const QString& dir, const QString& imageName, const QString& base,
                                           QString* error, const QStringList& options = {});

// A disk made by cc1541 and its Zip-Code set made by disk2zip (parts "1!game" .. "4!game" in dir).
struct SampleSet
{
    QByteArray image;
    std::array<QByteArray, 4> parts;
};
SampleSet makeSampleSet(const QString& dir, const QList<int>& fileSizes, quint32 seed, QString* error);

// Writes the parts into dir under the names 1!base .. 4!base.
bool writeParts(const QString& dir, const std::array<QByteArray, 4>& parts, const QString& base);

// What zip2disk makes of the set base in dir: the image, or an empty array when it refused the set.
QByteArray unpackWithZip2disk(const QString& dir, const QString& base);

} // namespace zipcodetest
