// mkdemofiles STAGEDIR: writes the demo games and tunes the demo catalogue names into STAGEDIR/Demo, and its
// screenshots into STAGEDIR/Screenshots, each only
// when it is not there yet. Exit code 0 when every missing file was written; otherwise 1 with one line per
// failure on stderr.

#include "DemoFileWriter.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: mkdemofiles STAGEDIR\n");
        return 2;
    }
    const demofiles::DemoWriteReport report = demofiles::writeMissingDemoFiles(args.first(), demofiles::demoFiles());
    for (const QString& failure : report.failed)
        std::fprintf(stderr, "mkdemofiles: %s\n", qPrintable(failure));
    return report.failed.isEmpty() ? 0 : 1;
}
