#pragma once

#include <QString>
#include <QStringList>

namespace c64 {

enum class ImageKind
{
    D64,
    T64,
    P00,
    P01,
    PRG,
    TAP,
    Unknown,
};

// What the game file dialog shows for an image: the disk or tape name (or the kind of a single-program file),
// one line per directory entry in the order the emulator counts them, and whether the image could not be read
// in full (with the reason).
struct ImageListing
{
    ImageKind kind = ImageKind::Unknown;
    QString name;
    QStringList entries;
    bool partial = false;
    QString problem;
};

// The kind by file name: ".d64"/".t64" in any letter case; ".p00", ".p01", ".prg", ".tap" only all lower or all
// upper case (a mixed-case ".Prg" is not recognised).
ImageKind imageKindOf(const QString& path);

// Reads the listing of a D64 or T64 image (only its BAM and directory sectors, or its header and directory
// entries); the other kinds are named, not read. Names are taken byte for byte as Latin-1.
ImageListing listImage(const QString& imagePath);

} // namespace c64
