#include "c64/T64Image.h"

#include "c64/LittleEndian.h"

#include <algorithm>
#include <vector>

namespace c64 {

std::optional<T64Directory> T64Directory::parse(const QByteArray& bytes, QString* error)
{
    if (bytes.size() < T64HeaderSize) {
        if (error)
            *error = bytes.isEmpty()
                         ? QStringLiteral("the tape image is empty")
                         : QStringLiteral("the tape image is too short for its header (%1 bytes)").arg(bytes.size());
        return std::nullopt;
    }
    T64Directory dir;
    dir.version = *readU16(bytes, 32);
    dir.maxEntries = *readU16(bytes, 34);
    dir.usedEntries = *readU16(bytes, 36);
    dir.tapeName = bytes.mid(40, 24);
    for (int i = 0; i < dir.usedEntries; ++i) {
        const qint64 base = T64HeaderSize + qint64(i) * T64EntrySize;
        if (base + T64EntrySize > bytes.size()) {
            dir.truncated = true;
            break;
        }
        T64Entry e;
        e.entryType = *readU8(bytes, base);
        e.fileType = *readU8(bytes, base + 1);
        e.startAddress = *readU16(bytes, base + 2);
        e.endAddress = *readU16(bytes, base + 4);
        e.offset = *readU32(bytes, base + 8);
        e.name = bytes.mid(base + 16, 16);
        dir.entries.append(e);
    }
    // Each entry's data runs at most to the next data in the file, whatever order the entries list it in.
    std::vector<quint32> offsets;
    offsets.reserve(size_t(dir.entries.size()));
    for (const T64Entry& e : dir.entries)
        offsets.push_back(e.offset);
    std::sort(offsets.begin(), offsets.end());
    for (T64Entry& e : dir.entries) {
        const auto next = std::upper_bound(offsets.begin(), offsets.end(), e.offset);
        if (next != offsets.end())
            e.nextOffset = *next;
    }
    return dir;
}

std::optional<QByteArray> t64FileData(const QByteArray& tape, const T64Directory& dir, int index, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (index < 0 || index >= dir.entries.size())
        return fail(QStringLiteral("there is no entry %1 on the tape").arg(index));
    const T64Entry& e = dir.entries[index];
    const qint64 begin = e.offset;
    if (begin >= tape.size())
        return fail(QStringLiteral("the data of entry %1 lies beyond the end of the tape image").arg(index));
    qint64 limit = tape.size();
    if (e.nextOffset)
        limit = std::min<qint64>(limit, *e.nextOffset);
    if (e.endAddress > e.startAddress)
        limit = std::min<qint64>(limit, begin + (e.endAddress - e.startAddress));
    QByteArray out(2, '\0');
    putU16(out, 0, e.startAddress);
    out.append(tape.mid(begin, limit - begin));
    return out;
}

QString t64NameText(const QByteArray& bytes)
{
    QString text = QString::fromLatin1(bytes);
    int end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace c64
