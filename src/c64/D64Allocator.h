#pragma once

#include <QByteArray>

#include <array>
#include <optional>

namespace c64::d64 {

struct BlockAddress
{
    int track = 0;
    int sector = 0;
};

// Block bookkeeping of a fresh 35-track disk, choosing blocks the way a 1541 does: files start on the track nearest
// the directory (17, 19, 16, 20, ...), follow each other on a track ten sectors apart and move outward when a track
// is full; directory sectors on track 18 are three apart.
class D64Allocator
{
public:
    static constexpr int FileInterleave = 10;
    static constexpr int DirectoryInterleave = 3;

    D64Allocator();

    bool isFree(int track, int sector) const;
    void markUsed(int track, int sector);
    int freeOnTrack(int track) const;
    // Free blocks outside the directory track, the figure a directory listing shows.
    int freeBlocks() const;

    std::optional<BlockAddress> firstFileBlock();
    std::optional<BlockAddress> nextFileBlock(BlockAddress previous);
    std::optional<BlockAddress> nextDirectoryBlock(BlockAddress previous);

    // Writes the per-track free counts and bitmaps into bytes 4..0x8F of a BAM sector.
    void writeBam(QByteArray& bamSector) const;

private:
    // The first free sector of the track at or after start, wrapping round; marks it used.
    std::optional<BlockAddress> takeFrom(int track, int start);
    static int stepSector(int sector, int interleave, int sectorsOnTrack);

    std::array<quint32, 36> m_free{}; // bit s of m_free[t] set when track t, sector s is free
};

} // namespace c64::d64
