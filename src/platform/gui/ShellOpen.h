#pragma once

#include <QString>

namespace platform {

// The shell's "Open": hands a document, a folder or a web address to the desktop's default handler
// (QDesktopServices). A web or mail address is passed as it is; anything else is taken as a local
// file. The result is not examined, as nothing useful can be done when no handler accepts it.
void ShellOpen(const QString& target);

} // namespace platform
