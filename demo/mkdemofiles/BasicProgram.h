#pragma once

#include <QByteArray>
#include <QList>

namespace demofiles {

constexpr quint16 BasicStart = 0x0801;

// A tokenised C64 BASIC program at $0801, load address first, that prints one line of text per BASIC line:
// 10 PRINT"...", 20 PRINT"...". The texts are PETSCII (upper-case letters are plain ASCII capitals) and must
// not hold a double quote or a zero byte.
QByteArray basicPrintProgram(const QList<QByteArray>& lines);

// Repeatable filler that looks like game data: runs of one value between stretches of varied bytes.
QByteArray fillerBytes(int size, quint32 seed);

// A demo game: a BASIC program that prints its title and a note, followed by fillerSize bytes of filler.
QByteArray demoProgram(const QByteArray& title, int fillerSize);

} // namespace demofiles
