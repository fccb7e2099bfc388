#include "PsidFile.h"

namespace demofiles {

namespace {

constexpr int TextFieldSize = 32;
constexpr quint16 ClockPal = 1 << 2;
constexpr quint16 Sid6581 = 1 << 4;

void putBigEndian16(QByteArray& bytes, int offset, quint16 value)
{
    bytes[offset] = static_cast<char>(value >> 8);
    bytes[offset + 1] = static_cast<char>(value & 0xFF);
}

void putText(QByteArray& bytes, int offset, const QByteArray& text)
{
    const QByteArray cut = text.left(TextFieldSize - 1);
    bytes.replace(offset, cut.size(), cut);
}

} // namespace

QByteArray buildPsid(const PsidHeader& header, const QByteArray& program)
{
    QByteArray bytes(PsidV2HeaderSize, '\0');
    bytes.replace(0, 4, "PSID");
    putBigEndian16(bytes, 0x04, 2);
    putBigEndian16(bytes, 0x06, PsidV2HeaderSize);
    putBigEndian16(bytes, 0x08, 0);
    putBigEndian16(bytes, 0x0A, header.initAddress);
    putBigEndian16(bytes, 0x0C, header.playAddress);
    putBigEndian16(bytes, 0x0E, header.songs);
    putBigEndian16(bytes, 0x10, header.startSong);
    // Bytes 0x12-0x15, the speed bits, stay 0: every song is played once per video frame.
    putText(bytes, 0x16, header.name);
    putText(bytes, 0x36, header.author);
    putText(bytes, 0x56, header.released);
    putBigEndian16(bytes, 0x76, ClockPal | Sid6581);
    // Relocation page, page count and the second SID address (0x78-0x7B) stay 0: no relocation, one SID.
    return bytes + program;
}

} // namespace demofiles
