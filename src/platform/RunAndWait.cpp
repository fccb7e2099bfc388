#include "platform/RunAndWait.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace platform {

namespace {
constexpr qsizetype kKeptErrorOutput = 4096;
} // namespace

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

std::optional<int> RunAndWait(const Command& command, const QString& workingFolder, WindowMode mode, int limitMs,
                              QString* errorOutput)
{
    Q_UNUSED(mode); // no child window to hide or minimise here
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(workingFolder);
    process.setProcessChannelMode(errorOutput ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    QByteArray errors;
    if (errorOutput) {
        // Only the end is kept: a program that writes without end cannot fill the memory.
        QObject::connect(&process, &QProcess::readyReadStandardError, [&process, &errors] {
            errors = (errors + process.readAllStandardError()).right(kKeptErrorOutput);
        });
    }
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart || process.state() == QProcess::NotRunning)
            loop.quit();
    });
    bool overTime = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        overTime = true;
        loop.quit();
    });
    process.start();
    if (process.state() == QProcess::NotRunning)
        return std::nullopt;
    if (limitMs >= 0)
        limit.start(limitMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (errorOutput) {
        errors += process.readAllStandardError();
        *errorOutput = QString::fromLocal8Bit(errors.right(kKeptErrorOutput)).trimmed();
    }
    if (overTime) {
        process.kill();
        process.waitForFinished(5000);
        return std::nullopt;
    }
    if (process.error() == QProcess::FailedToStart || process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return process.exitCode();
}

} // namespace platform
