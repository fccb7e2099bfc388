#include "c64/D64Directory.h"

#include "c64/D64Geometry.h"
#include "c64/LittleEndian.h"

#include <QSet>

namespace c64::d64 {

namespace {

DirEntry entryAt(const QByteArray& sector, int index)
{
    const int base = index * EntrySize;
    DirEntry e;
    e.type = *readU8(sector, base + 2);
    e.track = *readU8(sector, base + 3);
    e.sector = *readU8(sector, base + 4);
    e.name = sector.mid(base + 5, 16);
    e.blocks = *readU16(sector, base + 30);
    return e;
}

} // namespace

Directory readDirectory(const SectorReader& readSector, int tracks)
{
    Directory dir;
    int track = DirectoryTrack;
    int sector = 1;
    QSet<int> visited;
    for (int count = 0;; ++count) {
        if (count == MaxDirectorySectors) {
            dir.end = DirectoryEnd::SectorLimit;
            break;
        }
        if (!sectorOffset(track, sector, tracks)) {
            dir.end = DirectoryEnd::BadLink;
            break;
        }
        const int key = track * 256 + sector;
        if (visited.contains(key)) {
            dir.end = DirectoryEnd::Loop;
            break;
        }
        visited.insert(key);
        const std::optional<QByteArray> data = readSector(track, sector);
        if (!data || data->size() != SectorSize) {
            dir.end = DirectoryEnd::Unreadable;
            break;
        }
        for (int i = 0; i < EntriesPerSector; ++i) {
            DirEntry e = entryAt(*data, i);
            if (e.type != 0)
                dir.entries.append(e);
        }
        const int nextTrack = static_cast<quint8>(data->at(0));
        const int nextSector = static_cast<quint8>(data->at(1));
        if (nextTrack == 0)
            return dir;
        track = nextTrack;
        sector = nextSector;
    }
    dir.stopTrack = track;
    dir.stopSector = sector;
    return dir;
}

QString Directory::problem() const
{
    const QString where = QStringLiteral("track %1, sector %2").arg(stopTrack).arg(stopSector);
    switch (end) {
    case DirectoryEnd::Complete:
        return {};
    case DirectoryEnd::SectorLimit:
        return QStringLiteral("The directory goes on past 18 sectors; the rest is not listed.");
    case DirectoryEnd::BadLink:
        return QStringLiteral("The directory links to %1, outside the image; the listing stops there.").arg(where);
    case DirectoryEnd::Loop:
        return QStringLiteral("The directory links back to %1, which it already read; the listing stops there.")
            .arg(where);
    case DirectoryEnd::Unreadable:
        return QStringLiteral("The image ends before %1; the listing stops there.").arg(where);
    }
    return {};
}

QString typeText(quint8 typeByte)
{
    static const char* const names[] = {"DEL", "SEQ", "PRG", "USR", "REL"};
    const int kind = typeByte & 0x0F;
    const int flags = typeByte & 0xF0;
    if (typeByte == 0 || kind > 4)
        return QStringLiteral(" ?");
    const QString name = QLatin1String(names[kind]);
    switch (flags) {
    case 0x80:
        return QLatin1Char(' ') + name;
    case 0xC0:
        return QLatin1Char(' ') + name + QLatin1Char('<');
    case 0xA0:
        return QStringLiteral(" @0:") + name;
    case 0x00:
        return kind == 0 ? QStringLiteral(" ?") : QStringLiteral(" *") + name;
    default:
        return QStringLiteral(" ?");
    }
}

QString nameText(const QByteArray& bytes)
{
    QString text = QString::fromLatin1(bytes);
    text.replace(QChar(0xA0), QLatin1Char(' '));
    return text;
}

} // namespace c64::d64
