#include "SidFixtures.h"

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

namespace sidtest {

namespace {

constexpr quint16 kLoad = 0x1000;

// init: A holds the song (0-based); full volume, sustain at its peak, frequency high byte 0x10 + song, then
// sawtooth with the gate on. play does nothing: the note holds.
const unsigned char kCode[] = {
    0xAA,                         // TAX
    0xA9, 0x0F, 0x8D, 0x18, 0xD4, // LDA #$0F, STA $D418
    0xA9, 0x00, 0x8D, 0x05, 0xD4, // LDA #$00, STA $D405
    0xA9, 0xF0, 0x8D, 0x06, 0xD4, // LDA #$F0, STA $D406
    0xA9, 0x00, 0x8D, 0x00, 0xD4, // LDA #$00, STA $D400
    0x8A, 0x18, 0x69, 0x10,       // TXA, CLC, ADC #$10
    0x8D, 0x01, 0xD4,             // STA $D401
    0xA9, 0x21, 0x8D, 0x04, 0xD4, // LDA #$21, STA $D404
    0x60,                         // RTS
    0x60,                         // play: RTS
};
constexpr quint16 kPlay = kLoad + sizeof(kCode) - 1;

void put16(QByteArray& bytes, int offset, int value)
{
    qToBigEndian<quint16>(quint16(value), bytes.data() + offset);
}

QByteArray field(const QByteArray& text)
{
    return text.left(32) + QByteArray(32 - std::min<qsizetype>(32, text.size()), '\0');
}

} // namespace

QByteArray psidTune(const Psid& tune)
{
    const int headerSize = tune.version == 1 ? 0x76 : 0x7C;
    QByteArray bytes(22, '\0');
    bytes.replace(0, 4, "PSID");
    put16(bytes, 4, tune.version);
    put16(bytes, 6, headerSize);
    put16(bytes, 8, 0); // the data begins with its load address
    put16(bytes, 10, kLoad);
    put16(bytes, 12, kPlay);
    put16(bytes, 14, tune.songs);
    put16(bytes, 16, tune.startSong);
    bytes += field(tune.name) + field(tune.author) + field(tune.copyright);
    if (tune.version != 1)
        bytes += QByteArray("\x00\x14\x00\x00\x00\x00", 6); // PAL, 6581; no relocation
    bytes += char(kLoad & 0xff);
    bytes += char(kLoad >> 8);
    bytes += QByteArray(reinterpret_cast<const char*>(kCode), sizeof(kCode));
    return bytes;
}

QByteArray renderWithSidplayfp(const QString& tunePath, int song)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("tune.wav"));
    QStringList args{QStringLiteral("--delay=0"), QStringLiteral("-t1"), QStringLiteral("-w") + wav};
    if (song > 0)
        args << QStringLiteral("-o%1").arg(song);
    args << tunePath;
    if (!tooltest::succeeded(tooltest::oracle(QStringLiteral("sidplayfp"), args, dir.path())))
        return {};
    return testsupport::readFile(wav);
}

} // namespace sidtest
