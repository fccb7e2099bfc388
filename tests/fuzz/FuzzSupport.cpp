#include "FuzzSupport.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

namespace fuzz {

namespace {

// Unlike the tests' scripted responder it keeps nothing: a fuzz run shows millions of messages.
struct AnswerByThemselves : platform::MessageBox::Backend
{
    platform::MessageBox::Button ask(const platform::MessageBox::Request& r) override { return r.defaultButton; }
};

} // namespace

QString scratchFolder()
{
    static const QString folder = QStringLiteral("%1/vintrax-fuzz-%2")
                                      .arg(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
                                      .arg(::getpid());
    return folder;
}

QString scratchFile(const QString& name, const uint8_t* data, size_t size)
{
    QDir folder(scratchFolder());
    folder.removeRecursively();
    folder.mkpath(QStringLiteral("."));
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytesOf(data, size)) != qint64(size) || !file.flush())
        fail("cannot write the scratch file", path);
    return path;
}

void setUp()
{
    static int argc = 1;
    static char name[] = "vintrax-fuzz";
    static char* argv[] = {name, nullptr};
    [[maybe_unused]] static QCoreApplication* app = new QCoreApplication(argc, argv);
    static AnswerByThemselves answers;
    platform::MessageBox::setBackend(&answers);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit cap{64 << 20, 64 << 20};
    setrlimit(RLIMIT_FSIZE, &cap);
    scratchFolder(); // made before the exit handler is registered, so that it outlives it
    std::atexit([] { QDir(scratchFolder()).removeRecursively(); });
}

void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "fuzz property failed: %s %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::setUp();
    return 0;
}
