// starlynx x LYNXFILE OUT.d64: writes every file of a Lynx archive onto a new 35-track disk image. Exit code 0 on
// success; otherwise 1 with a one-line reason on stderr and no output file.

#include "StarLynx.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString error;
    if (args.size() != 3 || args.first().compare(QLatin1String("x"), Qt::CaseInsensitive) != 0)
        error = QStringLiteral("usage: starlynx x LYNXFILE OUT.d64");
    else if (starlynx::extractToD64(args.at(1), args.at(2), &error))
        return 0;
    std::fprintf(stderr, "starlynx: %s\n", qPrintable(error));
    return 1;
}
