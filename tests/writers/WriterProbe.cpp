// Runs one of the program's in-process writers in a process of its own, for tests that need it run as another
// user (setpriv) or killed with SIGKILL in the middle of a rewrite: "config PATH VARIANT" rewrites C64.CFG once (the
// exit code is the ConfigWriteResult), "unzip FOLDER ZIP" extracts once; the loops rewrite for ever, the variants in
// turn, and print "ready" after their first rewrite: "config-loop PATH", "unzip-loop FOLDER ZIP0 ZIP1", "sid-loop
// PATH", "crop-loop PATH DUMP0 DUMP1", "check-loop FOLDER", "move-loop A B" (A to B and back, ready once it has
// moved both ways). No message box is installed, so a message the writer shows goes to stderr.

#include "WriterProbe.h"

#include "c64/CcsScreenshot.h"
#include "c64/SidHeader.h"
#include "launch/UnzipToFolder.h"
#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <functional>

using namespace writerprobe;

namespace {

// A failure names the writer and its reason on stderr and ends the probe with exit code 1.
int failed(const QString& why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    return 1;
}

// Runs rewrite(0), rewrite(1), ... for ever, until one fails (a non-null reason); says "ready" once rewrite(readyAt)
// is done.
int loop(const std::function<QString(int)>& rewrite, int readyAt = 0)
{
    for (int i = 0;; ++i) {
        if (const QString why = rewrite(i); !why.isNull())
            return failed(why);
        if (i == readyAt) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

launch::ConfigWriteResult rewriteConfig(const QString& path, int variant)
{
    return launch::WriteEmulatorConfig(path, kConfigValues[variant & 1], kConfigLoadFolder, kConfigSecondGeneration);
}

QString unzip(const QString& folder, const QString& zip)
{
    const launch::UnzipResult r = launch::UnzipToFolder(folder, zip);
    return r.failed ? "unzip: " + r.error : QString();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments().mid(1);
    const auto is = [&a](const char* mode, int count) {
        return a.value(0) == QLatin1String(mode) && a.size() == count;
    };
    if (is("config", 3))
        return int(rewriteConfig(a[1], a[2].toInt()));
    if (is("config-loop", 2))
        return loop([&](int i) {
            return rewriteConfig(a[1], i) == launch::ConfigWriteResult::Written ? QString() : "config: not written";
        });
    if (is("unzip", 3)) {
        const QString why = unzip(a[1], a[2]);
        return why.isNull() ? 0 : failed(why);
    }
    if (is("unzip-loop", 4))
        return loop([&](int i) { return unzip(a[1], a[2 + (i & 1)]); });
    if (is("sid-loop", 2))
        return loop([&](int i) {
            const c64::SidWriteOutcome r = c64::WriteSidStartSong(a[1], kSidStartSongs[i & 1]);
            return r.ok() ? QString() : "sid: " + c64::sidWriteFailureMessage(a[1], r);
        });
    if (is("move-loop", 3)) // ready once moved both ways: each folder has had a move into it
        return loop(
            [&](int i) {
                const platform::FileOperationResult r = platform::moveFile(a[1 + (i & 1)], a[2 - (i & 1)]);
                return r.ok ? QString() : "move: " + r.reason;
            },
            1);
    if (is("crop-loop", 4))
        return loop([&](int i) {
            const c64::CropOutcome r = c64::CropScreenshot(a[2 + (i & 1)], a[1]);
            return r.ok ? QString() : "crop: " + r.error;
        });
    if (is("check-loop", 2))
        return loop([&](int i) { return rememberCheck(a[1], i & 1) ? QString() : "check: not written"; });
    failed("usage: vintrax_writer_probe MODE ARGUMENTS, the modes as WriterProbe.cpp lists them");
    return 64;
}
