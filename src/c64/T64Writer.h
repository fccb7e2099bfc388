#pragma once

#include "c64/CbmFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace c64 {

// Builds a tape image from C64 program files, each starting with its two-byte load address. tapeName is cut to 24
// bytes and padded with blanks, entry names to 16. Refuses, with a reason, no files, a file shorter than its load
// address, and a file that would load past $FFFF.
std::optional<QByteArray> buildT64(const QByteArray& tapeName, const CbmFileList& files, QString* error = nullptr);

} // namespace c64
