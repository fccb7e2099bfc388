#include "c64/D64Geometry.h"

namespace c64::d64 {

int sectorsInTrack(int track)
{
    if (track < 1 || track > MaxTracks)
        return 0;
    if (track <= 17)
        return 21;
    if (track <= 24)
        return 19;
    if (track <= 30)
        return 18;
    return 17;
}

int totalSectors(int tracks)
{
    int total = 0;
    for (int t = 1; t <= tracks && t <= MaxTracks; ++t)
        total += sectorsInTrack(t);
    return total;
}

std::optional<qint64> sectorOffset(int track, int sector, int tracks)
{
    if (track < 1 || track > tracks || track > MaxTracks)
        return std::nullopt;
    if (sector < 0 || sector >= sectorsInTrack(track))
        return std::nullopt;
    return static_cast<qint64>(totalSectors(track - 1) + sector) * SectorSize;
}

int tracksForImageSize(qint64 size)
{
    switch (size) {
    case Size35:
    case Size35WithErrors:
        return StandardTracks;
    case Size40:
    case Size40WithErrors:
        return MaxTracks;
    default:
        return 0;
    }
}

} // namespace c64::d64
