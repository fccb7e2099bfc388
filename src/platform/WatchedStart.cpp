#include "platform/WatchedStart.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

#include <memory>

namespace platform {

bool startWatched(const Command& command, const QString& workingFolder,
                  std::function<void(const QString& errorOutput, int exitCode)> onEarlyFailure, int watchMs)
{
    auto errorFile = std::make_shared<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("vintrax-start-XXXXXX")));
    if (!errorFile->open())
        errorFile.reset(); // no room for the error output: the program still starts, its stderr is ours

    auto* process = new QProcess;
    process->setProgram(command.program);
    process->setArguments(command.arguments);
    process->setWorkingDirectory(workingFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    if (errorFile)
        process->setStandardErrorFile(errorFile->fileName());
    else
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }

    // The watch: shared by the exit handler and the timer, it ends at the first of the two.
    auto watching = std::make_shared<bool>(true);
    QObject::connect(process, &QProcess::finished, process,
                     [process, errorFile, watching, onEarlyFailure](int exitCode, QProcess::ExitStatus status) {
                         const bool failed = status == QProcess::CrashExit || exitCode != 0;
                         if (*watching && failed && onEarlyFailure) {
                             QByteArray text;
                             if (errorFile) {
                                 errorFile->seek(0);
                                 text = errorFile->readAll();
                             }
                             *watching = false;
                             onEarlyFailure(QString::fromLocal8Bit(text).trimmed(),
                                            status == QProcess::CrashExit ? -1 : exitCode);
                         }
                         *watching = false;
                         process->deleteLater();
                     });
    QTimer::singleShot(watchMs, process, [watching, errorFile]() mutable {
        *watching = false;
        if (errorFile)
            errorFile->remove(); // the still running program keeps writing to its own handle of the unnamed file
    });
    return true;
}

} // namespace platform
