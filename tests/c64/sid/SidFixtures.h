#pragma once

// PSID tunes made here byte by byte. Song n holds one sawtooth note whose pitch rises with n, so sidplayfp
// renders every song differently.

#include <QByteArray>
#include <QString>

namespace sidtest {

struct Psid
{
    int version = 1; // 1: the 118-byte header; 2: six more header bytes
    int songs = 12;
    int startSong = 3;
    QByteArray name = "Harbour"; // each text stored as given, cut to 32 bytes
    QByteArray author = "A. Composer";
};

QByteArray psidTune(const Psid& tune = {});

// One second of the tune as a WAV from sidplayfp (power-on delay fixed, so equal input gives equal output);
// song 0 plays the tune's own start song. Empty when sidplayfp failed.
QByteArray renderWithSidplayfp(const QString& tunePath, int song = 0);

} // namespace sidtest
