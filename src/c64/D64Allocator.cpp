#include "c64/D64Allocator.h"

#include "c64/D64Geometry.h"

#include <bit>

namespace c64::d64 {

D64Allocator::D64Allocator()
{
    for (int t = 1; t <= StandardTracks; ++t)
        m_free[t] = (1u << sectorsInTrack(t)) - 1;
}

bool D64Allocator::isFree(int track, int sector) const
{
    if (track < 1 || track > StandardTracks || sector < 0 || sector >= sectorsInTrack(track))
        return false;
    return (m_free[track] >> sector) & 1u;
}

void D64Allocator::markUsed(int track, int sector)
{
    if (isFree(track, sector))
        m_free[track] &= ~(1u << sector);
}

int D64Allocator::freeOnTrack(int track) const
{
    if (track < 1 || track > StandardTracks)
        return 0;
    return std::popcount(m_free[track]);
}

int D64Allocator::freeBlocks() const
{
    int total = 0;
    for (int t = 1; t <= StandardTracks; ++t) {
        if (t != DirectoryTrack)
            total += freeOnTrack(t);
    }
    return total;
}

int D64Allocator::stepSector(int sector, int interleave, int sectorsOnTrack)
{
    // Past the end of the track the 1541 goes back one sector further than the plain remainder, so that repeated
    // steps visit every sector of the track before coming back.
    int next = sector + interleave;
    if (next >= sectorsOnTrack) {
        next -= sectorsOnTrack;
        if (next > 0)
            --next;
    }
    return next;
}

std::optional<BlockAddress> D64Allocator::takeFrom(int track, int start)
{
    const int count = sectorsInTrack(track);
    for (int i = 0; i < count; ++i) {
        const int s = (start + i) % count;
        if (isFree(track, s)) {
            markUsed(track, s);
            return BlockAddress{track, s};
        }
    }
    return std::nullopt;
}

std::optional<BlockAddress> D64Allocator::firstFileBlock()
{
    for (int distance = 1; distance < DirectoryTrack; ++distance) {
        for (int track : {DirectoryTrack - distance, DirectoryTrack + distance}) {
            if (track >= 1 && track <= StandardTracks && freeOnTrack(track) > 0)
                return takeFrom(track, 0);
        }
    }
    return std::nullopt;
}

std::optional<BlockAddress> D64Allocator::nextFileBlock(BlockAddress previous)
{
    if (freeOnTrack(previous.track) > 0)
        return takeFrom(previous.track, stepSector(previous.sector, FileInterleave, sectorsInTrack(previous.track)));
    // Outward on the same side of the directory first, then the other side from the directory outward.
    const int direction = previous.track < DirectoryTrack ? -1 : 1;
    for (int t = previous.track + direction; t >= 1 && t <= StandardTracks; t += direction) {
        if (freeOnTrack(t) > 0)
            return takeFrom(t, 0);
    }
    for (int t = DirectoryTrack - direction; t >= 1 && t <= StandardTracks; t -= direction) {
        if (freeOnTrack(t) > 0)
            return takeFrom(t, 0);
    }
    return std::nullopt;
}

std::optional<BlockAddress> D64Allocator::nextDirectoryBlock(BlockAddress previous)
{
    if (freeOnTrack(DirectoryTrack) == 0)
        return std::nullopt;
    return takeFrom(DirectoryTrack, stepSector(previous.sector, DirectoryInterleave, sectorsInTrack(DirectoryTrack)));
}

void D64Allocator::writeBam(QByteArray& bamSector) const
{
    for (int t = 1; t <= StandardTracks; ++t) {
        const int base = 4 * t;
        bamSector[base] = static_cast<char>(freeOnTrack(t));
        bamSector[base + 1] = static_cast<char>(m_free[t] & 0xFF);
        bamSector[base + 2] = static_cast<char>((m_free[t] >> 8) & 0xFF);
        bamSector[base + 3] = static_cast<char>((m_free[t] >> 16) & 0xFF);
    }
}

} // namespace c64::d64
