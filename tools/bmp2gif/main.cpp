// bmp2gif IN.bmp OUT.gif
// Converts a palette BMP into a GIF with the same palette and pixel indices. OUT.gif is written under a temporary
// name and renamed at the end, so it appears (or is replaced) only when the conversion succeeded; otherwise one
// line on stderr gives the reason.

#include "BmpReader.h"
#include "GifWriter.h"
#include "platform/SaveFile.h"

#include <QFile>

#include <cstdio>

namespace {

// Palette BMPs are small; this only keeps a mistaken argument from being read into memory.
constexpr qint64 kMaxInputSize = 256ll * 1024 * 1024;

int fail(const QString& file, const QString& reason)
{
    std::fprintf(stderr, "bmp2gif: %s: %s\n", qPrintable(file), qPrintable(reason));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || argv[1][0] == '\0' || argv[2][0] == '\0') {
        std::fputs("usage: bmp2gif IN.bmp OUT.gif\n", stderr);
        return 2;
    }
    const QString inPath = QFile::decodeName(argv[1]);
    const QString outPath = QFile::decodeName(argv[2]);

    QFile in(inPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(inPath, in.errorString());
    if (in.size() > kMaxInputSize)
        return fail(inPath, QStringLiteral("file too large for a palette BMP"));
    const QByteArray bmp = in.readAll();
    if (bmp.size() != in.size())
        return fail(inPath, QStringLiteral("read error: %1").arg(in.errorString()));

    IndexedImage image;
    QString error;
    if (!readBmp(bmp, &image, &error))
        return fail(inPath, error);
    QByteArray gif;
    if (!encodeGif(image, &gif, &error))
        return fail(inPath, error);

    if (!platform::saveFile(outPath, gif, &error))
        return fail(outPath, error);
    return 0;
}
