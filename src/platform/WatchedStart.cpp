#include "platform/WatchedStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

#include <memory>
#include <utility>

namespace platform {

namespace {

// What the exit handler and the timers share; the first of them to know how the start went tells it.
struct Watch
{
    std::function<void(const WatchedOutcome&)> onSettled;
    std::unique_ptr<QTemporaryFile> errorFile;
    QString readyFile;
    bool ready = false;
    bool settled = false;

    void settle(const WatchedOutcome& outcome)
    {
        if (std::exchange(settled, true))
            return;
        // The still running program keeps writing to its own handle of the unnamed file.
        if (errorFile)
            errorFile->remove();
        if (!readyFile.isEmpty())
            QFile::remove(readyFile);
        if (onSettled)
            onSettled(outcome);
    }
    // The ready file is polled: a program that said so just before it ended may not have been seen yet.
    bool saidReady() const { return ready || (!readyFile.isEmpty() && QFileInfo::exists(readyFile)); }
    QString errorOutput() const
    {
        if (!errorFile || !errorFile->seek(0))
            return {};
        return QString::fromLocal8Bit(errorFile->readAll()).trimmed();
    }
};

} // namespace

bool startWatched(const Command& command, const QString& workingFolder,
                  std::function<void(const WatchedOutcome&)> onSettled, const WatchOptions& options)
{
    auto watch = std::make_shared<Watch>();
    watch->onSettled = std::move(onSettled);
    watch->errorFile = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("vintrax-start-XXXXXX")));
    if (!watch->errorFile->open())
        watch->errorFile.reset(); // no room for the error output: the program still starts, its stderr is ours

    auto* process = new QProcess;
    process->setProgram(command.program);
    process->setArguments(command.arguments);
    process->setWorkingDirectory(workingFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    if (watch->errorFile)
        process->setStandardErrorFile(watch->errorFile->fileName());
    else
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    // Without a temporary file there is no ready file either: the watch then counts from the start.
    if (!options.readyVariable.isEmpty() && watch->errorFile) {
        watch->readyFile = watch->errorFile->fileName() + QStringLiteral(".ready");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(options.readyVariable, watch->readyFile);
        process->setProcessEnvironment(environment);
    }
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }

    QObject::connect(process, &QProcess::finished, process,
                     [process, watch](int exitCode, QProcess::ExitStatus status) {
                         WatchedOutcome outcome;
                         outcome.failed = status == QProcess::CrashExit || exitCode != 0;
                         if (outcome.failed) {
                             outcome.beforeReady = !watch->saidReady();
                             outcome.errorOutput = watch->errorOutput();
                             outcome.exitCode = status == QProcess::CrashExit ? -1 : exitCode;
                         }
                         watch->settle(outcome);
                         process->deleteLater();
                     });
    const auto beginWatch = [process, watch, watchMs = options.watchMs] {
        if (std::exchange(watch->ready, true))
            return;
        QTimer::singleShot(watchMs, process, [watch] { watch->settle({}); });
    };
    if (watch->readyFile.isEmpty()) {
        beginWatch();
        return true;
    }
    auto* poll = new QTimer(process);
    QObject::connect(poll, &QTimer::timeout, process, [poll, watch, beginWatch] {
        if (!QFileInfo::exists(watch->readyFile))
            return;
        poll->stop();
        beginWatch();
    });
    poll->start(50);
    QTimer::singleShot(options.readyLimitMs, process, [poll, beginWatch] {
        poll->stop();
        beginWatch();
    });
    return true;
}

} // namespace platform
