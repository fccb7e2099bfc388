#include "c64/D64Writer.h"

#include "c64/D64Allocator.h"
#include "c64/D64Directory.h"
#include "c64/D64Geometry.h"
#include "c64/LittleEndian.h"

namespace c64 {

using namespace d64;

namespace {

constexpr char Pad = static_cast<char>(0xA0);

QByteArray padded(const QByteArray& bytes, int size)
{
    QByteArray out = bytes.left(size);
    out.append(QByteArray(size - out.size(), Pad));
    return out;
}

// Fills the BAM sector apart from the bitmaps: directory link, DOS version, name, ID and DOS type.
void writeBamHeader(QByteArray& bam, const QByteArray& diskName, const QByteArray& diskId)
{
    bam[0] = DirectoryTrack;
    bam[1] = 1;
    bam[2] = 0x41;
    bam.replace(0x90, 16, padded(diskName, 16));
    bam[0xA0] = Pad;
    bam[0xA1] = Pad;
    bam.replace(0xA2, 2, padded(diskId, 2));
    bam[0xA4] = Pad;
    bam[0xA5] = '2';
    bam[0xA6] = 'A';
    for (int i = 0xA7; i <= 0xAA; ++i)
        bam[i] = Pad;
}

} // namespace

int blocksForLength(qint64 length)
{
    return length == 0 ? 1 : static_cast<int>((length + BlockDataSize - 1) / BlockDataSize);
}

std::optional<QByteArray> buildD64(const QByteArray& diskName, const QByteArray& diskId, const CbmFileList& files,
                                   QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (files.size() > MaxDiskFiles)
        return fail(QStringLiteral("%1 files do not fit in one disk directory (at most %2)")
                        .arg(files.size())
                        .arg(MaxDiskFiles));
    qint64 needed = 0;
    for (const CbmFile& f : files) {
        if (f.type == FileType::Rel)
            return fail(QStringLiteral("relative (REL) files cannot be put on the disk"));
        needed += blocksForLength(f.data.size());
    }
    if (needed > DiskBlocks)
        return fail(QStringLiteral("the files need %1 blocks but a disk holds only %2").arg(needed).arg(DiskBlocks));

    QByteArray image(Size35, '\0');
    auto put = [&image](BlockAddress at, const QByteArray& block) {
        image.replace(*sectorOffset(at.track, at.sector, StandardTracks), SectorSize, block);
    };

    D64Allocator blocks;
    blocks.markUsed(DirectoryTrack, 0);
    blocks.markUsed(DirectoryTrack, 1);

    // Directory sectors first, as many as the entries need, chained with the directory interleave.
    QList<BlockAddress> dirSectors{{DirectoryTrack, 1}};
    while (dirSectors.size() * EntriesPerSector < files.size())
        dirSectors.append(*blocks.nextDirectoryBlock(dirSectors.last()));
    QList<QByteArray> dirData(dirSectors.size(), QByteArray(SectorSize, '\0'));
    for (int i = 0; i < dirSectors.size(); ++i) {
        const bool last = i + 1 == dirSectors.size();
        dirData[i][0] = static_cast<char>(last ? 0 : dirSectors[i + 1].track);
        dirData[i][1] = static_cast<char>(last ? 0xFF : dirSectors[i + 1].sector);
    }

    for (int n = 0; n < files.size(); ++n) {
        const CbmFile& file = files[n];
        const int count = blocksForLength(file.data.size());
        QList<BlockAddress> chain{*blocks.firstFileBlock()};
        while (chain.size() < count)
            chain.append(*blocks.nextFileBlock(chain.last()));
        for (int b = 0; b < count; ++b) {
            QByteArray block(SectorSize, '\0');
            const QByteArray part = file.data.mid(qint64(b) * BlockDataSize, BlockDataSize);
            block.replace(2, part.size(), part);
            if (b + 1 < count) {
                block[0] = static_cast<char>(chain[b + 1].track);
                block[1] = static_cast<char>(chain[b + 1].sector);
            } else {
                block[0] = 0;
                block[1] = static_cast<char>(part.size() + 1);
            }
            put(chain[b], block);
        }
        QByteArray& dir = dirData[n / EntriesPerSector];
        const int base = (n % EntriesPerSector) * EntrySize;
        dir[base + 2] = static_cast<char>(0x80 | static_cast<int>(file.type));
        dir[base + 3] = static_cast<char>(chain.first().track);
        dir[base + 4] = static_cast<char>(chain.first().sector);
        dir.replace(base + 5, 16, padded(file.name, 16));
        putU16(dir, base + 30, static_cast<quint16>(count));
    }
    for (int i = 0; i < dirSectors.size(); ++i)
        put(dirSectors[i], dirData[i]);

    QByteArray bam(SectorSize, '\0');
    writeBamHeader(bam, diskName, diskId);
    blocks.writeBam(bam);
    put({DirectoryTrack, 0}, bam);
    return image;
}

} // namespace c64
