// maketape TAPENAME FILE...: puts raw C64 program files (each starting with its load address) into
// TAPENAME.t64 in the current folder. Exit code 0 on success; otherwise 1 with a one-line reason on stderr and
// no output file.

#include "MakeTape.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString error;
    if (args.size() < 2)
        error = QStringLiteral("usage: maketape TAPENAME FILE...");
    else if (maketape::makeTape(args.first(), args.mid(1), &error))
        return 0;
    std::fprintf(stderr, "maketape: %s\n", qPrintable(error));
    return 1;
}
