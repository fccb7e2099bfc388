#pragma once

#include <QString>

namespace platform {

// The shell's "Open": hands a document, a folder or a web address to the desktop's default handler
// (QDesktopServices). A web or mail address is passed as it is; anything else is taken as a local
// file. False when the target is empty or no handler accepted it.
bool ShellOpen(const QString& target);

} // namespace platform
