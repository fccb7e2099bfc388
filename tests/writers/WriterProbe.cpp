// Runs one of the program's in-process writers in a process of its own, for tests that need it run as another
// user (setpriv) or killed with SIGKILL in the middle of a rewrite.
//   vintrax_writer_probe config PATH VARIANT            rewrites C64.CFG once; the exit code is the ConfigWriteResult
//   vintrax_writer_probe config-loop PATH                rewrites it for ever, variants 0 and 1 in turn
//   vintrax_writer_probe unzip FOLDER ZIP                extracts the archive into FOLDER once
//   vintrax_writer_probe unzip-loop FOLDER ZIP0 ZIP1     extracts the two archives into FOLDER in turn, for ever
//   vintrax_writer_probe sid-loop PATH                   rewrites the tune's start song for ever, variants in turn
//   vintrax_writer_probe move-loop A B                   moves file A to B and back for ever ("ready" once it has
//                                                        moved both ways)
//   vintrax_writer_probe crop-loop PATH DUMP0 DUMP1      crops the two screen dumps into PATH in turn, for ever
//   vintrax_writer_probe check-loop FOLDER               rewrites the catalogue check record there for ever
// Each loop prints "ready" after its first rewrite. No message box is installed, so a message the writer shows goes
// to stderr.

#include "WriterProbe.h"

#include "c64/CcsScreenshot.h"
#include "c64/SidHeader.h"
#include "launch/UnzipToFolder.h"
#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace writerprobe;

namespace {

launch::ConfigWriteResult rewriteConfig(const QString& path, int variant)
{
    return launch::WriteEmulatorConfig(path, kConfigValues[variant & 1], kConfigLoadFolder, kConfigSecondGeneration);
}

// Every loop says "ready" once its first rewrite is done.
void readyAfterFirst(int i)
{
    if (i == 0) {
        std::puts("ready");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == QLatin1String("config") && args.size() == 3)
        return int(rewriteConfig(args[1], args[2].toInt()));
    if (mode == QLatin1String("config-loop") && args.size() == 2) {
        for (int i = 0;; ++i) {
            if (rewriteConfig(args[1], i) != launch::ConfigWriteResult::Written)
                return 1;
            readyAfterFirst(i);
        }
    }
    if (mode == QLatin1String("unzip") && args.size() == 3) {
        const launch::UnzipResult r = launch::UnzipToFolder(args[1], args[2]);
        if (r.failed)
            std::fprintf(stderr, "unzip: %s\n", qPrintable(r.error));
        return r.failed ? 1 : 0;
    }
    if (mode == QLatin1String("unzip-loop") && args.size() == 4) {
        for (int i = 0;; ++i) {
            const launch::UnzipResult r = launch::UnzipToFolder(args[1], args[2 + (i & 1)]);
            if (r.failed) {
                std::fprintf(stderr, "unzip: %s\n", qPrintable(r.error));
                return 1;
            }
            readyAfterFirst(i);
        }
    }
    if (mode == QLatin1String("sid-loop") && args.size() == 2) {
        for (int i = 0;; ++i) {
            const c64::SidWriteOutcome r = c64::WriteSidStartSong(args[1], kSidStartSongs[i & 1]);
            if (!r.ok()) {
                std::fprintf(stderr, "sid: %s\n", qPrintable(c64::sidWriteFailureMessage(args[1], r)));
                return 1;
            }
            readyAfterFirst(i);
        }
    }
    if (mode == QLatin1String("move-loop") && args.size() == 3) {
        for (int i = 0;; ++i) {
            const platform::FileOperationResult r = platform::moveFile(args[1 + (i & 1)], args[2 - (i & 1)]);
            if (!r.ok) {
                std::fprintf(stderr, "move: %s\n", qPrintable(r.reason));
                return 1;
            }
            if (i == 1) // moved both ways: each folder had a move into it
                readyAfterFirst(0);
        }
    }
    if (mode == QLatin1String("crop-loop") && args.size() == 4) {
        for (int i = 0;; ++i) {
            const c64::CropOutcome r = c64::CropScreenshot(args[2 + (i & 1)], args[1]);
            if (!r.ok) {
                std::fprintf(stderr, "crop: %s\n", qPrintable(r.error));
                return 1;
            }
            readyAfterFirst(i);
        }
    }
    for (int i = 0; mode == QLatin1String("check-loop") && args.size() == 2; ++i) {
        if (!rememberCheck(args[1], i & 1))
            return 1;
        readyAfterFirst(i);
    }
    std::fputs("usage: vintrax_writer_probe config PATH VARIANT | config-loop PATH | unzip FOLDER ZIP | "
               "unzip-loop FOLDER ZIP0 ZIP1 | sid-loop PATH | move-loop A B | crop-loop PATH DUMP0 DUMP1 | "
               "check-loop FOLDER\n",
               stderr);
    return 64;
}
