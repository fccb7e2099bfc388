#pragma once

#include <QByteArray>

#include <optional>

namespace c64 {

// Bounds-checked little-endian reads from a byte buffer: a read past the end yields nothing instead of garbage.
inline std::optional<quint8> readU8(const QByteArray& bytes, qint64 offset)
{
    if (offset < 0 || offset >= bytes.size())
        return std::nullopt;
    return static_cast<quint8>(bytes[offset]);
}

inline std::optional<quint16> readU16(const QByteArray& bytes, qint64 offset)
{
    if (offset < 0 || offset + 2 > bytes.size())
        return std::nullopt;
    return static_cast<quint16>(static_cast<quint8>(bytes[offset]) | (static_cast<quint8>(bytes[offset + 1]) << 8));
}

inline std::optional<quint32> readU32(const QByteArray& bytes, qint64 offset)
{
    if (offset < 0 || offset + 4 > bytes.size())
        return std::nullopt;
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    return value;
}

inline void putU16(QByteArray& bytes, qint64 offset, quint16 value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

inline void putU32(QByteArray& bytes, qint64 offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace c64
