#pragma once

#include <QtGlobal>

#include <optional>

namespace c64::d64 {

constexpr int SectorSize = 256;
constexpr int DirectoryTrack = 18;
constexpr int MaxTracks = 40;
constexpr int StandardTracks = 35;

// The four image sizes a 1541 image comes in: 35 or 40 tracks, each with or without one error byte per sector.
constexpr qint64 Size35 = 174848;
constexpr qint64 Size35WithErrors = 175531;
constexpr qint64 Size40 = 196608;
constexpr qint64 Size40WithErrors = 197376;

// Sectors on a track (21, 19, 18 or 17 by zone); 0 for a track outside 1..40.
int sectorsInTrack(int track);

// Total sectors of an image with the given number of tracks (683 for 35, 768 for 40).
int totalSectors(int tracks);

// Byte offset of a track/sector inside an image of the given track count; nothing when either is out of range.
std::optional<qint64> sectorOffset(int track, int sector, int tracks = MaxTracks);

// 35 or 40 for the four known image sizes, 0 for any other size.
int tracksForImageSize(qint64 size);

} // namespace c64::d64
