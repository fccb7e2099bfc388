#include "ZipCodeEncoder.h"

#include "c64/D64Geometry.h"
#include "c64/LittleEndian.h"

#include <QList>

#include <bitset>

namespace c64 {

namespace {

constexpr int kSectorSize = d64::SectorSize;
constexpr int kFirstTrack[kZipCodePartCount] = {1, 9, 17, 26};
constexpr int kLastTrack[kZipCodePartCount] = {8, 16, 25, 35};
// Where a C64 packer loads each part: the first one two bytes lower, to make room for the disk ID.
constexpr quint16 kFirstPartLoad = 0x03FE;
constexpr quint16 kOtherPartLoad = 0x0400;
constexpr int kBamIdOffset = 0xA2;

enum RecordKind
{
    Stored = 0,
    Filled = 1,
    Packed = 2
};

// A run is only worth packing when it is longer than the three bytes (mark, count, value) that describe it.
constexpr int kShortestPackedRun = 4;

// 0, h, 1, h + 1, ... with h half the track rounded up: each sector is followed by the one half a turn away.
QList<int> sectorOrder(int sectorCount)
{
    const int half = (sectorCount + 1) / 2;
    QList<int> order;
    for (int i = 0; i < half; ++i) {
        order.append(i);
        if (i + half < sectorCount)
            order.append(i + half);
    }
    return order;
}

// The run-length packed form of a sector (without the length and mark bytes), or nothing when it would not be
// shorter than storing the sector, or when every byte value occurs so that no mark byte is free.
std::optional<QByteArray> packRuns(const QByteArray& sector, char* mark)
{
    std::bitset<256> used;
    for (char c : sector)
        used.set(static_cast<quint8>(c));
    if (used.all())
        return std::nullopt;
    int freeValue = 0;
    while (used.test(size_t(freeValue)))
        ++freeValue;
    *mark = static_cast<char>(freeValue);

    QByteArray packed;
    for (int i = 0; i < kSectorSize;) {
        int run = 1;
        while (i + run < kSectorSize && sector[i + run] == sector[i])
            ++run;
        if (run >= kShortestPackedRun) {
            // A sector that is not one fill value holds no run of 256, so the count always fits in a byte.
            packed += *mark;
            packed += static_cast<char>(run);
            packed += sector[i];
        } else {
            packed += sector.mid(i, run);
        }
        i += run;
    }
    // Length and mark byte included, the packed form must beat the 256 stored bytes.
    if (packed.size() + 2 >= kSectorSize)
        return std::nullopt;
    return packed;
}

void appendRecord(QByteArray& part, int track, int sector, const QByteArray& data)
{
    auto header = [&part, track, sector](RecordKind kind) {
        part += static_cast<char>((kind << 6) | track);
        part += static_cast<char>(sector);
    };
    if (data.count(data[0]) == kSectorSize) {
        header(Filled);
        part += data[0];
        return;
    }
    char mark = 0;
    if (const std::optional<QByteArray> packed = packRuns(data, &mark)) {
        header(Packed);
        part += static_cast<char>(packed->size());
        part += mark;
        part += *packed;
        return;
    }
    header(Stored);
    part += data;
}

} // namespace

std::optional<std::array<QByteArray, kZipCodePartCount>> encodeZipCodeSet(const QByteArray& image, QString* error)
{
    if (image.size() != kZipCodeImageSize) {
        if (error) {
            *error = d64::tracksForImageSize(image.size()) == 0
                         ? QStringLiteral("%1 bytes is not the size of a disk image").arg(image.size())
                         : QStringLiteral("only a plain 35-track image without error bytes can be Zip-Coded");
        }
        return std::nullopt;
    }
    const qint64 bam = *d64::sectorOffset(d64::DirectoryTrack, 0, d64::StandardTracks);
    std::array<QByteArray, kZipCodePartCount> parts;
    for (int p = 0; p < kZipCodePartCount; ++p) {
        QByteArray& part = parts[size_t(p)];
        part = QByteArray(2, '\0');
        putU16(part, 0, p == 0 ? kFirstPartLoad : kOtherPartLoad);
        if (p == 0)
            part += image.mid(bam + kBamIdOffset, 2);
        for (int track = kFirstTrack[p]; track <= kLastTrack[p]; ++track) {
            for (int sector : sectorOrder(d64::sectorsInTrack(track))) {
                const qint64 at = *d64::sectorOffset(track, sector, d64::StandardTracks);
                appendRecord(part, track, sector, image.mid(at, kSectorSize));
            }
        }
    }
    return parts;
}

} // namespace c64
