#include "LhaWriter.h"

#include <array>

namespace demofiles {

namespace {

// A level-0 header is at most 257 bytes: its size byte counts everything after the first two bytes, and 22 of
// those are fixed fields.
constexpr int MaxNameBytes = 255 - 22;
constexpr quint8 ArchiveAttribute = 0x20;
constexpr int FirstDosYear = 1980;
constexpr int LastDosYear = 2107;

std::array<quint16, 256> crcTable()
{
    std::array<quint16, 256> table{};
    for (int i = 0; i < 256; ++i) {
        quint16 value = static_cast<quint16>(i);
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? static_cast<quint16>((value >> 1) ^ 0xA001) : static_cast<quint16>(value >> 1);
        table[size_t(i)] = value;
    }
    return table;
}

void appendU16(QByteArray& bytes, quint16 value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

void appendU32(QByteArray& bytes, quint32 value)
{
    appendU16(bytes, static_cast<quint16>(value & 0xFFFF));
    appendU16(bytes, static_cast<quint16>(value >> 16));
}

// MS-DOS time (2-second steps) then date (years from 1980).
void appendDosStamp(QByteArray& bytes, const QDateTime& stamp)
{
    const QDate d = stamp.date();
    const QTime t = stamp.time();
    appendU16(bytes, static_cast<quint16>((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2)));
    appendU16(bytes, static_cast<quint16>(((d.year() - FirstDosYear) << 9) | (d.month() << 5) | d.day()));
}

QString checkMember(const LhaMember& m)
{
    const QString name = QString::fromLatin1(m.name);
    if (m.name.isEmpty())
        return QStringLiteral("a member has no name");
    if (m.name.contains('\0'))
        return QStringLiteral("the name \"%1\" holds a zero byte").arg(name);
    if (m.name.size() > MaxNameBytes)
        return QStringLiteral("the name \"%1\" is longer than %2 bytes").arg(name).arg(MaxNameBytes);
    if (!m.modified.isValid() || m.modified.date().year() < FirstDosYear || m.modified.date().year() > LastDosYear)
        return QStringLiteral("the time stamp of \"%1\" is outside 1980 to 2107").arg(name);
    if (quint64(m.data.size()) > 0xFFFFFFFFu)
        return QStringLiteral("\"%1\" is too large for an LHA member").arg(name);
    return {};
}

} // namespace

quint16 lhaCrc16(const QByteArray& data)
{
    static const std::array<quint16, 256> table = crcTable();
    quint16 crc = 0;
    for (char c : data)
        crc = static_cast<quint16>((crc >> 8) ^ table[(crc ^ static_cast<quint8>(c)) & 0xFF]);
    return crc;
}

std::optional<QByteArray> buildLhaArchive(const QList<LhaMember>& members, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (members.isEmpty())
        return fail(QStringLiteral("an LHA archive needs at least one member"));
    QByteArray archive;
    for (const LhaMember& m : members) {
        const QString problem = checkMember(m);
        if (!problem.isEmpty())
            return fail(problem);
        QByteArray fields = "-lh0-";
        appendU32(fields, static_cast<quint32>(m.data.size())); // packed size: stored, so the same
        appendU32(fields, static_cast<quint32>(m.data.size()));
        appendDosStamp(fields, m.modified);
        fields += static_cast<char>(ArchiveAttribute);
        fields += '\0'; // header level 0
        fields += static_cast<char>(m.name.size());
        fields += m.name;
        appendU16(fields, lhaCrc16(m.data));
        quint8 checksum = 0;
        for (char c : fields)
            checksum = static_cast<quint8>(checksum + static_cast<quint8>(c));
        archive += static_cast<char>(fields.size());
        archive += static_cast<char>(checksum);
        archive += fields;
        archive += m.data;
    }
    archive += '\0';
    return archive;
}

} // namespace demofiles
