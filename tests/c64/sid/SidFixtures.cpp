#include "SidFixtures.h"

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QtEndian>

namespace sidtest {

QByteArray psidTune(const Psid& tune)
{
    // At $1000, init (A = song - 1): TAX; volume 15, sustain 15; frequency high byte $10 + A; sawtooth, gate
    // on; RTS. play ($1022): RTS.
    const QByteArray code =
        QByteArray::fromHex("AAA90F8D18D4A9008D05D4A9F08D06D4A9008D00D48A1869108D01D4A9218D04D46060");
    QByteArray bytes(22, '\0');
    bytes.replace(0, 4, "PSID");
    const int fields[] = {tune.version, tune.version == 1 ? 0x76 : 0x7C, 0, 0x1000, 0x1022, tune.songs, tune.startSong};
    for (int i = 0; i < 7; ++i)
        qToBigEndian<quint16>(quint16(fields[i]), bytes.data() + 4 + 2 * i);
    for (const QByteArray& text : {tune.name, tune.author, QByteArray("1987 Vintrax")})
        bytes += text.left(32).leftJustified(32, '\0');
    if (tune.version != 1)
        bytes += QByteArray("\x00\x14\x00\x00\x00\x00", 6); // PAL, 6581, no relocation
    return bytes + QByteArray("\x00\x10", 2) + code;        // the load address, then the code
}

QByteArray renderWithSidplayfp(const QString& tunePath, int song)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("tune.wav"));
    QStringList args{QStringLiteral("--delay=0"), QStringLiteral("-t1"), QStringLiteral("-w") + wav, tunePath};
    if (song > 0)
        args.prepend(QStringLiteral("-o%1").arg(song));
    const bool ran = tooltest::succeeded(tooltest::oracle(QStringLiteral("sidplayfp"), args, dir.path()));
    return ran ? testsupport::readFile(wav) : QByteArray();
}

} // namespace sidtest
