#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace demofiles {

// A one-voice tune: init silences the SID, sets full volume, the envelope and a half-width pulse; every call of
// play counts down the frames of the current note, lets its gate go two frames before the end and then starts
// the next note of the loop with a new frequency.
struct Melody
{
    QByteArray name;
    QByteArray author;
    QByteArray released;
    QList<int> notes;       // MIDI note numbers (60 is middle C), played in a loop; 1 to 255 of them
    int framesPerNote = 8;  // 3 to 255
    quint8 waveform = 0x40; // control register bits without the gate: 0x10 triangle, 0x20 saw, 0x40 pulse
    quint8 attackDecay = 0x09;
    quint8 sustainRelease = 0xA2;
};

constexpr quint16 MelodyLoadAddress = 0x1000;

// The SID frequency register value for a MIDI note on a PAL machine.
quint16 sidFrequency(int midiNote);

// The whole PSID file of the tune; nothing, with the reason, for a note list or note length out of range.
std::optional<QByteArray> buildMelodyTune(const Melody& melody, QString* error = nullptr);

} // namespace demofiles
