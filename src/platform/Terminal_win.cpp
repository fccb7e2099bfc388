#include "platform/Terminal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace platform {

// A "dosprmpt.pif" in the folder is started when there is one, else the command interpreter COMSPEC names.
bool OpenTerminal(const QString& folder, QString* error)
{
    const QString pif = QDir(folder).filePath(QStringLiteral("dosprmpt.pif"));
    QString program =
        QFile::exists(pif) ? pif : QProcessEnvironment::systemEnvironment().value(QStringLiteral("COMSPEC"));
    if (program.isEmpty())
        program = QStringLiteral("cmd.exe");
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(folder);
    if (!process.startDetached()) {
        if (error)
            *error = QStringLiteral("The command prompt could not be started: ") + program;
        return false;
    }
    return true;
}

} // namespace platform
