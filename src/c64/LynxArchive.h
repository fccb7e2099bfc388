#pragma once

#include "c64/CbmFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace c64 {

struct LynxEntry
{
    QByteArray name; // PETSCII, 0xA0 padding removed
    FileType type = FileType::Prg;
    int blocks = 0;         // 254-byte blocks the file takes in the archive
    int lastBlockValue = 0; // bytes used in the last block, plus one
    int recordLength = 0;   // REL files only
    qint64 offset = 0;      // of the data inside the archive
    qint64 size = 0;        // bytes of data
};

// A Lynx archive: an optional BASIC stub, then a text directory (block count, signature, file count, then per file
// name, blocks, type, [record length,] last-block size, each ended by a carriage return), then the files, each
// starting on a 254-byte block boundary counted from the start of the archive.
struct LynxArchive
{
    int directoryBlocks = 0;
    QByteArray signature;
    QList<LynxEntry> entries;

    // Nothing, with the reason in *error, for a missing signature, a directory that does not parse, numbers out of
    // range, or data that the archive does not hold in full.
    static std::optional<LynxArchive> parse(const QByteArray& bytes, QString* error = nullptr);
};

// Every file of the archive with its contents, in directory order.
std::optional<CbmFileList> readLynxFiles(const QByteArray& bytes, QString* error = nullptr);

} // namespace c64
