#include "c64/ZipCodeDecoder.h"

#include "c64/D64Geometry.h"

#include <bitset>
#include <cstring>

namespace c64 {

namespace {

constexpr int kSectorSize = d64::SectorSize;
constexpr int kMaxSectorsPerTrack = 21;

struct PartLayout
{
    int firstTrack;
    int lastTrack;
    int headerSize; // load address, plus the disk ID in the first part
};

constexpr PartLayout kPartLayouts[kZipCodePartCount] = {{1, 8, 4}, {9, 16, 2}, {17, 25, 2}, {26, 35, 2}};

enum RecordKind
{
    Stored = 0,
    Filled = 1,
    Packed = 2
};

// Walks one part's bytes; every read is checked against the end of the part.
class PartReader
{
public:
    explicit PartReader(const QByteArray& data) : m_data(data) {}

    qsizetype position() const { return m_pos; }
    bool skip(qsizetype n) { return take(n) != nullptr; }

    // The next n bytes, or nullptr when the part ends before them.
    const unsigned char* take(qsizetype n)
    {
        if (n > m_data.size() - m_pos)
            return nullptr;
        const auto* p = reinterpret_cast<const unsigned char*>(m_data.constData()) + m_pos;
        m_pos += n;
        return p;
    }

private:
    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

// Expands a run-length packed block: a byte equal to the mark starts a run (mark, count, value); every other
// byte stands for itself. A run of count 0 adds nothing.
bool unpackRuns(const unsigned char* packed, int length, unsigned char mark, unsigned char* sector, QString* error)
{
    int out = 0;
    for (int i = 0; i < length;) {
        int count = 1;
        unsigned char value = packed[i];
        if (value == mark) {
            if (length - i < 3) {
                *error = QStringLiteral("its packed data ends inside a run");
                return false;
            }
            count = packed[i + 1];
            value = packed[i + 2];
            i += 3;
        } else {
            ++i;
        }
        if (count > kSectorSize - out) {
            *error = QStringLiteral("its packed data expands beyond 256 bytes");
            return false;
        }
        std::memset(sector + out, value, size_t(count));
        out += count;
    }
    if (out != kSectorSize) {
        *error = QStringLiteral("its packed data expands to only %1 of 256 bytes").arg(out);
        return false;
    }
    return true;
}

// Reads the data of one record (after its two header bytes) into sector.
bool readRecordData(PartReader& reader, int kind, unsigned char* sector, QString* error)
{
    const QString cutShort = QStringLiteral("the part ends inside it");
    switch (kind) {
    case Stored: {
        const unsigned char* data = reader.take(kSectorSize);
        if (!data) {
            *error = cutShort;
            return false;
        }
        std::memcpy(sector, data, kSectorSize);
        return true;
    }
    case Filled: {
        const unsigned char* fill = reader.take(1);
        if (!fill) {
            *error = cutShort;
            return false;
        }
        std::memset(sector, *fill, kSectorSize);
        return true;
    }
    case Packed: {
        const unsigned char* head = reader.take(2);
        const unsigned char* packed = head ? reader.take(head[0]) : nullptr;
        if (!packed) {
            *error = cutShort;
            return false;
        }
        return unpackRuns(packed, head[0], head[1], sector, error);
    }
    default:
        *error = QStringLiteral("it uses the unknown packing kind %1").arg(kind);
        return false;
    }
}

QString describeWrongTrack(int track, int found, int recordsSeen, int lastTrackOfPart)
{
    if (found > track && found <= lastTrackOfPart) {
        return QStringLiteral("track %1 has only %2 of its %3 sectors")
            .arg(track)
            .arg(recordsSeen)
            .arg(d64::sectorsInTrack(track));
    }
    return QStringLiteral("a sector of track %1 was found where track %2 was expected").arg(found).arg(track);
}

bool decodePart(const QByteArray& data, const PartLayout& layout, char* image, QString* error)
{
    PartReader reader(data);
    if (!reader.skip(layout.headerSize)) {
        *error = QStringLiteral("it is too short (%1 bytes)").arg(data.size());
        return false;
    }
    unsigned char sector[kSectorSize];
    for (int track = layout.firstTrack; track <= layout.lastTrack; ++track) {
        const int sectorCount = d64::sectorsInTrack(track);
        std::bitset<kMaxSectorsPerTrack> seen;
        for (int i = 0; i < sectorCount; ++i) {
            const qsizetype at = reader.position();
            const unsigned char* header = reader.take(2);
            if (!header) {
                *error =
                    QStringLiteral("it ends after %1 of the %2 sectors of track %3").arg(i).arg(sectorCount).arg(track);
                return false;
            }
            const int kind = header[0] >> 6;
            const int foundTrack = header[0] & 0x3f;
            const int sectorNumber = header[1];
            if (foundTrack != track) {
                *error = describeWrongTrack(track, foundTrack, i, layout.lastTrack) +
                         QStringLiteral(" (at byte %1)").arg(at);
                return false;
            }
            if (sectorNumber >= sectorCount) {
                *error = QStringLiteral("track %1 has no sector %2 (at byte %3)").arg(track).arg(sectorNumber).arg(at);
                return false;
            }
            if (seen.test(size_t(sectorNumber))) {
                *error = QStringLiteral("sector %1 of track %2 is given twice (at byte %3)")
                             .arg(sectorNumber)
                             .arg(track)
                             .arg(at);
                return false;
            }
            seen.set(size_t(sectorNumber));
            QString why;
            if (!readRecordData(reader, kind, sector, &why)) {
                *error = QStringLiteral("sector %1 of track %2 (at byte %3) is damaged: %4")
                             .arg(sectorNumber)
                             .arg(track)
                             .arg(at)
                             .arg(why);
                return false;
            }
            // Track and sector were checked above, so the offset always exists.
            std::memcpy(image + *d64::sectorOffset(track, sectorNumber, d64::StandardTracks), sector, kSectorSize);
        }
    }
    return true;
}

} // namespace

ZipCodeDecodeResult decodeZipCodeSet(const std::array<QByteArray, kZipCodePartCount>& parts)
{
    ZipCodeDecodeResult result;
    QByteArray image(kZipCodeImageSize, '\0');
    for (int i = 0; i < kZipCodePartCount; ++i) {
        if (!decodePart(parts[size_t(i)], kPartLayouts[i], image.data(), &result.error)) {
            result.failedPart = i + 1;
            return result;
        }
    }
    result.ok = true;
    result.image = image;
    return result;
}

} // namespace c64
