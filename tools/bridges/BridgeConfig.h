#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What the emulator bridges need from the emulator's "C64.CFG" and from a game image.
namespace bridges {

// The value of the first "$LOADPATH=" line (the key compared case-sensitively); nothing when there is none.
std::optional<QByteArray> loadPathOf(const QByteArray& config);

// The configuration with every "$LOADPATH=" line given the new value. Every other byte stays as it is, line ends
// included, so the emulator finds its file exactly as before apart from that line.
QByteArray withLoadPath(const QByteArray& config, const QByteArray& value);

// The native emulator's joystick options for the ports the program wrote (the "$CONTROLPORTn=" and
// "$CONTROLPORTnMODE=" lines): "-joydev1", device, "-joydev2", device. A port left unplugged gets device 0; a PC
// joystick the emulator's first or second host joystick (4, 5); key sets 1 and 2 the emulator's key sets (2, 3) and
// key set 3 its numeric pad (1). A port whose lines are missing or hold unknown values is left out.
QStringList joystickOptions(const QByteArray& config);

// The name of the entry the emulator is to start, for an autostart of "image:name": the entry at that position of
// the image's listing (which counts every listed entry, whatever its type), its padding removed, and its letters as
// the emulator's command line takes them (it turns ASCII into PETSCII: lower case becomes the unshifted letters the
// C64 shows as capitals, upper case the shifted ones). Empty for a one-program file (PRG, P00, P01, TAP), which is
// started as a whole. False with the reason in *error when the image cannot be read or holds no such entry.
bool entryName(const QString& imagePath, int index, QByteArray* name, QString* error);

} // namespace bridges
