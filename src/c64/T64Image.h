#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace c64 {

constexpr int T64HeaderSize = 64;
constexpr int T64EntrySize = 32;

struct T64Entry
{
    quint8 entryType = 0; // 1 for a normal tape file
    quint8 fileType = 0;  // 1541 type byte, 0x82 for PRG
    quint16 startAddress = 0;
    quint16 endAddress = 0; // first address after the loaded data
    quint32 offset = 0;     // of the data, from the start of the tape file
    QByteArray name;        // 16 bytes as stored, blank padding included
    // Where the next entry's data starts: the smallest offset of any entry above this one's, or none.
    // Filled by T64Directory::parse, so that reading every entry costs no more than reading the directory.
    std::optional<quint32> nextOffset;
};

// The directory of a tape image. It is read from whatever bytes are given: a file cut short yields the entries it
// still holds in full and is marked truncated. The used-entry count is the full 16-bit field.
struct T64Directory
{
    quint16 version = 0;
    quint16 maxEntries = 0;
    quint16 usedEntries = 0;
    QByteArray tapeName; // 24 bytes as stored
    QList<T64Entry> entries;
    bool truncated = false;

    // Nothing, with the reason in *error, when the bytes cannot even hold the 64-byte header.
    static std::optional<T64Directory> parse(const QByteArray& bytes, QString* error = nullptr);
};

// The contents of one entry as a C64 file: the two load address bytes, then the data. The stored end address is
// not trusted: the data runs to the next entry's data, to the end of the file or to the end address, whichever
// comes first (a common tape writer stored a wrong end address of $C3C6 for every file).
std::optional<QByteArray> t64FileData(const QByteArray& tape, const T64Directory& dir, int index,
                                      QString* error = nullptr);

// Name bytes as text byte for byte (Latin-1), trailing blanks removed; 0xA0 stays as it is.
QString t64NameText(const QByteArray& bytes);

} // namespace c64
