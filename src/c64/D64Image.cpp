#include "c64/D64Image.h"

#include "c64/D64Geometry.h"

#include <QSet>

namespace c64 {

using namespace d64;

std::optional<D64Image> D64Image::fromBytes(const QByteArray& bytes, QString* error)
{
    const int tracks = tracksForImageSize(bytes.size());
    if (tracks == 0) {
        if (error)
            *error = QStringLiteral("unknown D64 image size (%1 bytes)").arg(bytes.size());
        return std::nullopt;
    }
    return D64Image(bytes, tracks);
}

bool D64Image::hasErrorBytes() const
{
    return m_bytes.size() == Size35WithErrors || m_bytes.size() == Size40WithErrors;
}

std::optional<QByteArray> D64Image::sector(int track, int sector) const
{
    const std::optional<qint64> offset = sectorOffset(track, sector, m_tracks);
    if (!offset || *offset + SectorSize > m_bytes.size())
        return std::nullopt;
    return m_bytes.mid(*offset, SectorSize);
}

QByteArray D64Image::diskNameBytes() const
{
    return sector(DirectoryTrack, 0)->mid(0x90, 16);
}

QByteArray D64Image::diskId() const
{
    return sector(DirectoryTrack, 0)->mid(0xA2, 2);
}

Directory D64Image::directory() const
{
    return readDirectory([this](int t, int s) { return sector(t, s); }, m_tracks);
}

std::optional<QByteArray> D64Image::readFile(int track, int sectorNo, QString* error) const
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (track == 0)
        return fail(QStringLiteral("the file has no data blocks"));
    QByteArray data;
    QSet<int> used;
    int t = track;
    int s = sectorNo;
    while (true) {
        const std::optional<QByteArray> block = sector(t, s);
        if (!block)
            return fail(
                QStringLiteral("the file's chain leads to track %1, sector %2, outside the image").arg(t).arg(s));
        if (used.contains(t * 256 + s))
            return fail(QStringLiteral("the file's chain comes back to track %1, sector %2").arg(t).arg(s));
        used.insert(t * 256 + s);
        const int nextTrack = static_cast<quint8>(block->at(0));
        const int nextSector = static_cast<quint8>(block->at(1));
        if (nextTrack == 0) {
            // In the last block the second byte is the position of the last byte in use.
            if (nextSector >= 2)
                data.append(block->mid(2, nextSector - 1));
            return data;
        }
        data.append(block->mid(2));
        t = nextTrack;
        s = nextSector;
    }
}

} // namespace c64
