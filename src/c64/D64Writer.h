#pragma once

#include "c64/CbmFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace c64 {

constexpr int MaxDiskFiles = 144;
constexpr int DiskBlocks = 664;
constexpr int BlockDataSize = 254;

// Blocks a file of the given length takes on a 1541 disk (an empty file still takes one).
int blocksForLength(qint64 length);

// Builds a standard 35-track image holding the files in the given order. diskName is PETSCII (cut to 16 bytes),
// diskId two PETSCII bytes. Refuses, with a reason, more than 144 files, files that do not fit, and REL files.
std::optional<QByteArray> buildD64(const QByteArray& diskName, const QByteArray& diskId, const CbmFileList& files,
                                   QString* error = nullptr);

} // namespace c64
