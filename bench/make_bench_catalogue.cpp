// Makes the catalogue of a start-up measurement (startup-under-x.sh): a copy of the staged demo catalogue
// with the benchmark games added, as bench_gamelist and bench_startup make theirs.
//
//     make_bench_catalogue FROM TO COUNT
//
// Prints two lines: the number of games in the all-games view (what the window caption counts), and the
// game a start selects (the first playable one from the middle of the list on, as bench_startup picks it).
#include "BenchCatalogue.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/Snapshot.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool countOk = false;
    const int count = args.size() == 4 ? args[3].toInt(&countOk) : 0;
    if (!countOk || count < 0) {
        std::fprintf(stderr, "usage: make_bench_catalogue FROM TO COUNT\n");
        return 2;
    }
    QFile::remove(args[2]);
    if (!QFile::copy(args[1], args[2]) || !QFile::setPermissions(args[2], QFile::ReadOwner | QFile::WriteOwner)) {
        std::fprintf(stderr, "cannot copy %s to %s\n", qPrintable(args[1]), qPrintable(args[2]));
        return 1;
    }
    catalogue::Database db;
    if (!db.open(args[2]).ok() || (count > 0 && !bench::addBenchGames(db, count))) {
        std::fprintf(stderr, "cannot add the games to %s\n", qPrintable(args[2]));
        return 1;
    }
    catalogue::Snapshot rows = catalogue::Snapshot::fromView(db, catalogue::kGameNameList);
    QString selected;
    for (int row = rows.recordCount() / 2; row < rows.recordCount() && selected.isEmpty(); ++row) {
        const qint64 colour = rows.valueAt(row, 1).toLongLong();
        if (colour == catalogue::kBlack || colour == catalogue::kBlue)
            selected = rows.valueAt(row, 0).toString();
    }
    std::printf("%d\n%s\n", rows.recordCount(), selected.toUtf8().constData());
    return 0;
}
