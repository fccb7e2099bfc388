#pragma once

#include <QString>

namespace testsupport {

// Puts a shell script into folder/name that logs its working folder and arguments to folder/name.log (one a line)
// and then runs body: a fake emulator, player or tool.
bool writeFakeTool(const QString& folder, const QString& name, const QString& body);

} // namespace testsupport
