#pragma once

// PSID tunes made here, byte by byte, for the header, dialog and player tests. Each song of a tune holds one
// sawtooth note whose pitch rises with the song number, so sidplayfp renders every song differently.

#include <QByteArray>

namespace sidtest {

struct Psid
{
    int version = 1; // 1: the 118-byte header; 2: six more header bytes before the data
    int songs = 12;
    int startSong = 3;
    QByteArray name = "Harbour";
    QByteArray author = "A. Composer";
    QByteArray copyright = "1987 Vintrax";
};

// Texts are stored as given, up to 32 bytes each (longer ones are cut), zero-filled.
QByteArray psidTune(const Psid& tune = {});

// Renders one second of the tune to a WAV with sidplayfp (power-on delay fixed, so equal input gives equal
// output); song 0 plays the tune's own start song. Empty when sidplayfp failed.
QByteArray renderWithSidplayfp(const QString& tunePath, int song = 0);

} // namespace sidtest
