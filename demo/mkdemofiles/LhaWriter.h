#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace demofiles {

struct LhaMember
{
    QByteArray name; // as stored, e.g. "FROSTBYTE.PRG"
    QByteArray data;
    QDateTime modified; // local time, 1980 to 2107
};

// The CRC-16 LHA keeps of each member (polynomial 0x8005 bit-reversed, starting at 0).
quint16 lhaCrc16(const QByteArray& data);

// An LHA archive of stored (-lh0-) members with level-0 headers (header checksum, MS-DOS time stamp, archive
// attribute, CRC-16 of the data), ended by a zero byte. Refuses, with a reason, no members, a name that is empty,
// holds a zero byte or is longer than a level-0 header can carry (233 bytes), and a time stamp MS-DOS cannot hold.
std::optional<QByteArray> buildLhaArchive(const QList<LhaMember>& members, QString* error = nullptr);

} // namespace demofiles
