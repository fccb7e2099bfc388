#pragma once

#include "c64/D64Geometry.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace c64 {

// A disk-packed Zip-Code set is four files, "1!NAME" to "4!NAME", holding tracks 1-8, 9-16, 17-25 and 26-35 of a
// 35-track 1541 disk. Each part starts with a two-byte load address (the first part also with the two-byte disk ID
// of the sector headers); then every sector of its tracks follows as one record, track by track, the sectors of a
// track in any order. A record is a header byte (packing kind in bits 6-7, track in bits 0-5), the sector number,
// and then either 256 stored bytes, one fill byte, or a run-length packed block (length, mark byte, packed bytes).
constexpr int kZipCodePartCount = 4;
constexpr qsizetype kZipCodeImageSize = d64::Size35;

struct ZipCodeDecodeResult
{
    bool ok = false;
    QByteArray image;   // the 35-track D64 image when ok
    int failedPart = 0; // 1 to 4 when the set was refused
    QString error;      // why, in one line
};

// Decodes the four parts (index 0 holds "1!...") into a D64 image. Nothing in the parts is trusted: a set with a
// record for the wrong track, a sector number the track does not have, a sector given twice or left out, a record
// cut short, an unknown packing kind, or a packed block that does not expand to exactly 256 bytes is refused.
// Bytes after the last sector of a part are ignored (transfer programs often pad files to a block size).
ZipCodeDecodeResult decodeZipCodeSet(const std::array<QByteArray, kZipCodePartCount>& parts);

} // namespace c64
