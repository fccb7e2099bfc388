// zip2d64 SETBASE OUT.d64
// Expands the Zip-Code set 1!SETBASE .. 4!SETBASE found in the working folder (names matched without regard to
// letter case) into the 35-track D64 image OUT.d64. The image appears only when the whole set decoded; otherwise
// the exit code is non-zero, one line on stderr gives the reason, and no file is created or changed.

#include "c64/ZipCodeSet.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: zip2d64 SETBASE OUT.d64\n", stderr);
        return 2;
    }
    const QString setBase = QFile::decodeName(argv[1]);
    const QString outPath = QFile::decodeName(argv[2]);
    QString error;
    if (!c64::convertZipCodeSet(QDir::currentPath(), setBase, outPath, &error)) {
        std::fprintf(stderr, "zip2d64: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
