// For the kill test: verifies a catalogue slowly, as the window would, in batches of 50.
//   verify_worker MDB GAMEFOLDER   prints "ready" once the run is set up, then "done" at its end and waits to be
//                                  killed
#include "data/Catalogue.h"
#include "maintenance/VerifyRun.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        std::fputs("usage: verify_worker MDB GAMEFOLDER\n", stderr);
        return 2;
    }
    catalogue::Catalogue cat;
    // A tiny page cache makes the engine write changed pages to the file before the commit, so a kill really can
    // leave a half-written file and a journal behind.
    if (!cat.open(args[0]).ok() || !cat.db().exec(QStringLiteral("PRAGMA cache_size = 2")))
        return 3;
    catalogue::GameStore store(cat.db());
    Settings settings;
    settings.GamesPath[0] = args[1];
    maintenance::VerifyRun run(cat.db(), store, settings, 50);
    std::puts("ready");
    std::fflush(stdout);
    while (!run.done()) {
        run.step(QDeadlineTimer(0));
        QThread::usleep(300);
    }
    std::puts(run.failure().isEmpty() ? "done" : "failed");
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}
