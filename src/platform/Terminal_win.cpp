#include "platform/Terminal.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

namespace platform {

// A "dosprmpt.pif" in the folder when there is one, else the command interpreter COMSPEC names.
QString terminalProgram(const QString& folder)
{
    const QString pif = QDir(folder).filePath(QStringLiteral("dosprmpt.pif"));
    if (QFile::exists(pif))
        return pif;
    const QString comspec = QProcessEnvironment::systemEnvironment().value(QStringLiteral("COMSPEC"));
    return comspec.isEmpty() ? QStringLiteral("cmd.exe") : comspec;
}

} // namespace platform
