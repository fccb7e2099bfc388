// mkicons FOLDER ID SIZE...: writes the program's icon as FOLDER/<SIZE>x<SIZE>/apps/ID.png for each size, the
// layout of an icon theme. Exit code 0 when all were written.
#include "help/ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: mkicons FOLDER ID SIZE...\n");
        return 2;
    }
    for (const QString& sizeText : args.mid(2)) {
        const int size = sizeText.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[0]).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, args[1]);
        if (size <= 0 || !QDir().mkpath(folder) || !help::programIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "mkicons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
