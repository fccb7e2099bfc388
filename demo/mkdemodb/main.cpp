// Writes the demo catalogue to the given path, unless a catalogue is already there.
#include "DemoRows.h"
#include "data/Catalogue.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkdemodb CATALOGUE\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(target))
        return 0; // never over a catalogue someone may have used
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    QString error;
    bool ok = catalogue::createCatalogue(temp, &error);
    if (ok) {
        catalogue::Catalogue cat;
        ok = cat.open(temp).ok() && cat.db().beginTransaction() && fillDemoCatalogue(cat, &error) && cat.db().commit();
    }
    if (!ok || !QFile::rename(temp, target)) {
        QFile::remove(temp);
        std::fprintf(stderr, "mkdemodb: %s\n",
                     qPrintable(error.isEmpty() ? QStringLiteral("cannot write ") + target : error));
        return 1;
    }
    return 0;
}
