#include "platform/PlayerProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

// Field 22 of /proc/PID/stat, the start time; fields are counted after the name in parentheses, which may
// itself hold blanks. The state (field 3) tells a process that has ended but is not yet reaped ('Z').
std::optional<quint64> startTicksOf(qint64 pid, bool* ended = nullptr)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() < 20)
        return std::nullopt;
    if (ended)
        *ended = fields.at(0) == "Z" || fields.at(0) == "X";
    return fields.at(19).toULongLong();
}

bool readAll(int fd, void* buffer, size_t size)
{
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

void writeAll(int fd, const void* data, size_t size)
{
    const auto* in = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, in, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        in += n;
        size -= size_t(n);
    }
}

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

std::optional<StartedPlayer> startPlayer(const QString& program, const QStringList& arguments,
                                         const QString& workingFolder, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<StartedPlayer> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    // Everything the child needs is made before the fork: after it, only system calls.
    const QByteArray file = QFile::encodeName(program);
    const QByteArray folder = QFile::encodeName(workingFolder);
    std::vector<QByteArray> words{file};
    for (const QString& a : arguments)
        words.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    int input[2];  // the player's input: nobody writes, and the player itself keeps the writing end open
    int report[2]; // the player's id, then the reason when it could not be started; closed by a started player
    if (::pipe2(input, O_CLOEXEC) != 0)
        return fail(errnoText(errno));
    if (::pipe2(report, O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(input[0]);
        ::close(input[1]);
        return fail(errnoText(e));
    }
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);

    const pid_t middle = ::fork();
    if (middle == 0) {
        // The middle process makes a session of its own and starts the player in it, then ends, so the player
        // is nobody's child here and never stays behind as an unreaped process.
        ::setsid();
        const pid_t player = ::fork();
        if (player == 0) {
            // The player starts with no signal blocked or ignored that it did not ask for.
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            for (const int s : {SIGHUP, SIGINT, SIGPIPE, SIGTERM})
                ::signal(s, SIG_DFL);
            ::dup2(input[0], STDIN_FILENO);
            // A copy without close-on-exec: the player holds the writing end, so its input never ends.
            if (::fcntl(input[1], F_DUPFD, 3) < 0)
                ::_exit(127);
            if (devNull >= 0) {
                ::dup2(devNull, STDOUT_FILENO);
                ::dup2(devNull, STDERR_FILENO);
            }
            int code = 0;
            if (!folder.isEmpty() && ::chdir(folder.constData()) != 0)
                code = errno;
            else {
                ::execv(file.constData(), argv.data());
                code = errno;
            }
            writeAll(report[1], &code, sizeof code);
            ::_exit(127);
        }
        const qint64 id = player;
        writeAll(report[1], &id, sizeof id);
        ::_exit(player > 0 ? 0 : 1);
    }
    ::close(input[0]);
    ::close(input[1]);
    ::close(report[1]);
    if (devNull >= 0)
        ::close(devNull);
    if (middle < 0) {
        const int e = errno;
        ::close(report[0]);
        return fail(errnoText(e));
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    qint64 id = 0;
    const bool haveId = readAll(report[0], &id, sizeof id) && id > 0;
    int code = 0;
    const bool execFailed = haveId && readAll(report[0], &code, sizeof code);
    ::close(report[0]);
    if (!haveId)
        return fail(QStringLiteral("the player process could not be made"));
    if (execFailed)
        return fail(errnoText(code));
    StartedPlayer started;
    started.pid = id;
    // A player that ended at once cannot be read any more; the id alone then never matches a later process.
    started.startTicks = startTicksOf(id).value_or(0);
    return started;
}

bool isPlayerRunning(const StartedPlayer& player)
{
    if (!player.isSet())
        return false;
    bool ended = false;
    const std::optional<quint64> ticks = startTicksOf(player.pid, &ended);
    return ticks && *ticks == player.startTicks && !ended;
}

void endPlayer(const StartedPlayer& player, int waitMs)
{
    if (!isPlayerRunning(player))
        return;
    QElapsedTimer timer;
    timer.start();
    // A player that does not end when asked is ended for good: two tunes never play over each other.
    for (const int signal : {SIGTERM, SIGKILL}) {
        ::kill(pid_t(player.pid), signal);
        while (isPlayerRunning(player) && timer.elapsed() < waitMs)
            QThread::msleep(10);
        if (!isPlayerRunning(player))
            return;
        timer.restart();
    }
}

} // namespace platform
