#pragma once

#include <QString>

namespace platform {

// Whether a file or folder exists, names matched without regard to case. With showMessages the
// finding is reported under the title "vintrax Error": "FILE NOT SET!" for an empty path,
// "FILE NOT FOUND: " + path when the folder is there but the file is not, "PATH NOT FOUND: " + path
// when the folder itself is missing. An existing folder counts as existing.
bool CheckPathExists(const QString& path, bool showMessages);

// A file whose permission bits grant write to nobody. The bits are read rather than asking the system
// whether this process may write (which always says yes to root). A missing file is not read-only.
bool isReadOnlyFile(const QString& path);

} // namespace platform
