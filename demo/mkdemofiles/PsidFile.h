#pragma once

#include <QByteArray>

namespace demofiles {

constexpr int PsidV2HeaderSize = 0x7C;

// The fields of a version 2 PSID header that a tune sets; the rest are fixed: load address 0 (the C64 data starts
// with its own load address), every song timed by the video frame, PAL clock and the 6581 SID.
struct PsidHeader
{
    quint16 initAddress = 0;
    quint16 playAddress = 0;
    quint16 songs = 1;
    quint16 startSong = 1;
    QByteArray name; // the three texts are cut to 31 bytes so each field keeps a closing zero
    QByteArray author;
    QByteArray released;
};

// A whole PSID file: the 124-byte header (numbers big-endian) followed by the C64 program, load address first.
QByteArray buildPsid(const PsidHeader& header, const QByteArray& program);

} // namespace demofiles
