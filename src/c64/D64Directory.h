#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace c64::d64 {

// Reads one 256-byte sector; nothing when the sector lies outside the image or cannot be read.
using SectorReader = std::function<std::optional<QByteArray>(int track, int sector)>;

// One used slot of a directory sector (type byte not 0).
struct DirEntry
{
    quint8 type = 0;
    QByteArray name; // 16 bytes as stored, padding included
    quint8 track = 0;
    quint8 sector = 0;
    quint16 blocks = 0;
};

enum class DirectoryEnd
{
    Complete,    // the chain ended with a link track of 0
    SectorLimit, // the chain went on after 18 sectors, more than track 18 can hold
    BadLink,     // a link pointed outside the image
    Loop,        // a link pointed back to a sector already read
    Unreadable,  // a linked sector lies beyond the end of the file
};

struct Directory
{
    QList<DirEntry> entries;
    DirectoryEnd end = DirectoryEnd::Complete;
    int stopTrack = 0; // the link that ended a damaged chain
    int stopSector = 0;

    bool isComplete() const { return end == DirectoryEnd::Complete; }
    // Why the listing is incomplete, in words for the user; empty when complete.
    QString problem() const;
};

constexpr int MaxDirectorySectors = 18;
constexpr int EntriesPerSector = 8;
constexpr int EntrySize = 32;

// Walks the directory chain from 18/1. tracks is the image's track count: a link beyond it, or to a sector the
// track does not have, ends the walk, as does a loop or the 18-sector limit.
Directory readDirectory(const SectorReader& readSector, int tracks);

// The text a directory listing shows after the 16-character name, e.g. " PRG", " PRG<", " @0:PRG", " *PRG", " ?".
QString typeText(quint8 typeByte);

// Name bytes as text, byte for byte (Latin-1), the padding byte 0xA0 shown as a blank.
QString nameText(const QByteArray& bytes);

} // namespace c64::d64
