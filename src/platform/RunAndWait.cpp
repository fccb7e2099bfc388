#include "platform/RunAndWait.h"

#include <QEventLoop>
#include <QProcess>

namespace platform {

QString CommandInterpreterPrefix()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("COMSPEC") + QStringLiteral(" /C ");
#else
    return {};
#endif
}

Command throughCommandInterpreter(const Command& command)
{
#ifdef Q_OS_WIN
    QStringList args{QStringLiteral("/C"), command.program};
    args += command.arguments;
    return {qEnvironmentVariable("COMSPEC"), args};
#else
    return command;
#endif
}

void RunAndWait(const Command& command, const QString& workingFolder, WindowMode mode)
{
    Q_UNUSED(mode); // no child window to hide or minimise here
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(workingFolder);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart || process.state() == QProcess::NotRunning)
            loop.quit();
    });
    process.start();
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace platform
