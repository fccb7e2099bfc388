#pragma once

#include "c64/ZipCodeDecoder.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace c64 {

// Packs a 35-track D64 image into the four parts of a disk-packed Zip-Code set (index 0 holds "1!..."), in the
// layout decodeZipCodeSet reads. The first part carries the disk ID from the image's BAM. The sectors of a track
// are written in the interleaved order the C64 packers use (0, 11, 1, 12, ... on a 21-sector track); a sector of
// one byte value becomes a filled record, one with long runs a run-length packed record when that is shorter, and
// every other sector is stored. Refuses, with a reason, any image that is not a plain 35-track image: a 40-track
// image does not fit in four parts, and the set has no room for error bytes.
std::optional<std::array<QByteArray, kZipCodePartCount>> encodeZipCodeSet(const QByteArray& image,
                                                                          QString* error = nullptr);

} // namespace c64
