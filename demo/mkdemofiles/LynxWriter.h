#pragma once

#include "c64/CbmFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace c64 {

// Builds a Lynx archive: a one-line BASIC program telling a C64 user what the file is, the text directory (block
// count and signature, file count, then per file its name padded with shifted blanks, blocks, type letter and bytes
// used in the last block plus one), then the files, each starting on a 254-byte block boundary. An empty file is
// listed with 0 blocks. The archive is meant to be dissolved onto one 1541 disk, so it refuses, with a reason, no
// files, more than 144 files, files that would not fit on the disk, REL files, and names that are empty, longer
// than 16 bytes or hold a carriage return or a shifted blank.
std::optional<QByteArray> buildLynx(const CbmFileList& files, QString* error = nullptr);

} // namespace c64
