#pragma once

// PSID tunes made here byte by byte: song n holds one sawtooth note whose pitch rises with n, so sidplayfp renders
// every song differently.

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QtEndian>

namespace sidtest {

// Version 1: the 118-byte header; 2: six more header bytes. The name is stored as given, cut to 32 bytes.
inline QByteArray psidTune(int version = 1, int songs = 12, int startSong = 3, const QByteArray& name = "Harbour")
{
    QByteArray bytes = QByteArray("PSID").leftJustified(22, '\0');
    const int fields[] = {version, version == 1 ? 0x76 : 0x7C, 0, 0x1000, 0x1022, songs, startSong};
    for (int i = 0; i < 7; ++i)
        qToBigEndian<quint16>(quint16(fields[i]), bytes.data() + 4 + 2 * i);
    for (const QByteArray& text : {name, QByteArray("A. Composer"), QByteArray("1987 Vintrax")})
        bytes += text.left(32).leftJustified(32, '\0');
    if (version != 1)
        bytes += QByteArray("\x00\x14\x00\x00\x00\x00", 6); // PAL, 6581, no relocation
    // Load address $1000; init (A = song - 1): TAX; volume and sustain 15; frequency high byte $10 + A; sawtooth,
    // gate on; RTS. play ($1022): RTS.
    return bytes + QByteArray::fromHex("0010AAA90F8D18D4A9008D05D4A9F08D06D4A9008D00D48A1869108D01D4A9218D04D46060");
}

// One second of the tune as a WAV (power-on delay fixed, so equal input gives equal output); song 0 plays the
// tune's own start song. Empty when sidplayfp failed.
inline QByteArray renderWithSidplayfp(const QString& tunePath, int song = 0)
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
