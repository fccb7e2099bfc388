// Runs a catalogue upgrade slowly and tells its progress on stdout, so that a test can kill it half-way.
#include "data/Catalogue.h"
#include "data/DatabaseUpgrade.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    catalogue::Catalogue cat;
    if (!cat.open(QString::fromLocal8Bit(argv[1])).ok())
        return 3;
    // A tiny page cache makes the engine write changed pages to the file before the commit,
    // so the kill really leaves a half-written file behind.
    cat.db().exec(QStringLiteral("PRAGMA cache_size = 2"));
    catalogue::UpgradeProgress progress;
    int rows = 0;
    progress.row = [&rows](const QString&, double) {
        std::printf("row %d\n", ++rows);
        std::fflush(stdout);
        QThread::msleep(2);
    };
    const bool addTrained = cat.probeLayout() == catalogue::Layout::LacksTrained;
    return catalogue::upgradeCatalogue(cat, addTrained, PortDefaults{}, progress).ok ? 0 : 1;
}
