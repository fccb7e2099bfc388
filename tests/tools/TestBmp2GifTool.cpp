// bmp2gif IN.bmp OUT.gif, run with an empty PATH from the picture's folder into another one. One table: pictures
// made by ImageMagick or laid out by hand (CCS64 dumps, RLE4, top-down rows, damaged headers), checked against
// ImageMagick's view of a reference picture, or refused with one reason line and an older GIF left alone.

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using testsupport::readFile;
using testsupport::writeFile;
using namespace tooltest;

namespace {

struct Rgb
{
    quint8 r, g, b;
};

// A BMP put together field by field, for layouts ImageMagick does not write and for damaged headers.
struct BmpLayout
{
    quint32 headerSize = 40;
    qint32 width = 8;
    qint32 height = 2;
    quint16 planes = 1;
    quint16 bitsPerPixel = 8;
    quint32 compression = 0;
    quint32 imageSize = 0;
    quint32 coloursUsed = 0;
    qint64 dataOffset = -1; // -1: right after the palette
    quint32 fileSize = 0;   // 0: the real size
    QList<Rgb> palette;
    QByteArray pixels;
};

void putLe(QByteArray& b, qsizetype at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

QByteArray buildBmp(const BmpLayout& s)
{
    // The 40-byte header's fields are always written; a shorter header size cuts them off again.
    QByteArray b(14 + qMax<quint32>(s.headerSize, 40), '\0');
    b[0] = 'B';
    b[1] = 'M';
    putLe(b, 14, s.headerSize, 4);
    putLe(b, 18, static_cast<quint32>(s.width), 4);
    putLe(b, 22, static_cast<quint32>(s.height), 4);
    putLe(b, 26, s.planes, 2);
    putLe(b, 28, s.bitsPerPixel, 2);
    putLe(b, 30, s.compression, 4);
    putLe(b, 34, s.imageSize, 4);
    putLe(b, 46, s.coloursUsed, 4);
    putLe(b, 50, s.coloursUsed, 4);
    b.truncate(14 + s.headerSize);
    for (const Rgb& c : s.palette)
        b.append(char(c.b)).append(char(c.g)).append(char(c.r)).append('\0');
    putLe(b, 10, s.dataOffset >= 0 ? static_cast<quint32>(s.dataOffset) : static_cast<quint32>(b.size()), 4);
    b += s.pixels;
    putLe(b, 2, s.fileSize ? s.fileSize : static_cast<quint32>(b.size()), 4);
    return b;
}

// 256 colours that all differ, so equal colours mean equal indices.
QList<Rgb> distinctPalette(int count = 256)
{
    QList<Rgb> p;
    for (int i = 0; i < count; ++i)
        p.append({quint8(i), quint8(255 - i), quint8((i * 7) & 0xFF)});
    return p;
}

// A CCS64-style 8-bit dump: bottom-up, one byte per pixel, every index in use; the crop step writes 65078 bytes.
QByteArray screenDump(int width, int height, qint64 dataOffset = -1)
{
    BmpLayout s;
    s.width = width;
    s.height = height;
    s.coloursUsed = 256;
    s.palette = distinctPalette();
    s.dataOffset = dataOffset;
    const int stride = (width + 3) & ~3;
    s.pixels = QByteArray(stride * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.pixels[y * stride + x] = static_cast<char>((x + 3 * y) & 0xFF);
    if (width == 320 && height == 200)
        s.fileSize = 65078;
    return buildBmp(s);
}

// A picture ImageMagick's convert writes (the arguments end in "BMP3:in.bmp" or "BMP2:in.bmp"); empty unless it has
// the bit depth and compression under test.
QByteArray magick(const QStringList& args, int bits, int compression = 0)
{
    QTemporaryDir dir;
    if (!succeeded(oracle(QStringLiteral("convert"), args, dir.path())))
        return {};
    const QByteArray bmp = readFile(dir.filePath(QStringLiteral("in.bmp")));
    const bool core = bmp.size() > 30 && qFromLittleEndian<quint32>(bmp.constData() + 14) == 12;
    const bool layout = bmp.size() > 34 && qFromLittleEndian<quint16>(bmp.constData() + (core ? 24 : 28)) == bits &&
                        (core || qFromLittleEndian<quint32>(bmp.constData() + 30) == quint32(compression));
    return layout ? bmp : QByteArray();
}

// The same picture with its rows stored top row first (negative height).
QByteArray topDown(const QByteArray& bmp, int stride)
{
    if (bmp.isEmpty())
        return {};
    const quint32 offset = qFromLittleEndian<quint32>(bmp.constData() + 10);
    const int height = qFromLittleEndian<qint32>(bmp.constData() + 22);
    QByteArray flipped = bmp.left(offset);
    putLe(flipped, 22, static_cast<quint32>(-height), 4);
    for (int y = height - 1; y >= 0; --y)
        flipped += bmp.mid(offset + y * stride, stride);
    return flipped;
}

// The palette of a BMP with a 40-byte or 12-byte info header, as RGB triples.
QByteArray bmpPalette(const QByteArray& bmp)
{
    const quint32 headerSize = qFromLittleEndian<quint32>(bmp.constData() + 14);
    const bool core = headerSize == 12;
    const int bits = qFromLittleEndian<quint16>(bmp.constData() + (core ? 24 : 28));
    quint32 count = core ? 0 : qFromLittleEndian<quint32>(bmp.constData() + 46);
    const int entry = core ? 3 : 4;
    const quint32 start = 14 + headerSize;
    if (count == 0)
        count = 1u << bits;
    if (core)
        count = qMin<quint32>(count, (qFromLittleEndian<quint32>(bmp.constData() + 10) - start) / 3);
    QByteArray rgb;
    for (quint32 i = 0; i < count; ++i) {
        const char* e = bmp.constData() + start + i * entry;
        rgb.append(e[2]).append(e[1]).append(e[0]);
    }
    return rgb;
}

// The global colour table of a GIF, as RGB triples.
QByteArray gifColourTable(const QByteArray& gif)
{
    if (gif.size() < 13 || !(static_cast<quint8>(gif[10]) & 0x80))
        return {};
    return gif.mid(13, 3 * (2 << (static_cast<quint8>(gif[10]) & 7)));
}

} // namespace

class TestBmp2GifTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void converts_data();
    void converts();
};

void TestBmp2GifTool::initTestCase()
{
    for (const char* program : {"convert", "identify", "compare"})
        QVERIFY2(haveProgram(QLatin1String(program)), "ImageMagick is needed to make and check the fixtures");
    QVERIFY2(QFile::exists(testsupport::toolPath(QStringLiteral("bmp2gif"))), "bmp2gif is not staged");
}

void TestBmp2GifTool::converts_data()
{
    QTest::addColumn<QByteArray>("bmp");
    QTest::addColumn<QByteArray>("reference"); // what ImageMagick compares the GIF with; empty: the BMP itself
    QTest::addColumn<QString>("refusal");      // empty: converts; else a part of the reason

    const QStringList gradient{"-size", "64x48", "gradient:red-blue", "-type", "Palette"};
    const QStringList bmp3{"-compress", "None", "BMP3:in.bmp"};
    QTest::newRow("8-bit") << magick(gradient + QStringList{"-colors", "200"} + bmp3, 8) << QByteArray() << "";
    QTest::newRow("8-bit RLE") << magick(gradient + QStringList{"-colors", "200", "BMP3:in.bmp"}, 8, 1) << QByteArray()
                               << "";
    QTest::newRow("4-bit") << magick(gradient + QStringList{"-colors", "16", "BMP3:in.bmp"}, 4) << QByteArray() << "";
    QTest::newRow("1-bit") << magick({"-size", "45x30", "pattern:checkerboard", "-colors", "2", "-type", "Palette",
                                      "BMP3:in.bmp"},
                                     1)
                           << QByteArray() << "";
    QTest::newRow("OS/2 header") << magick(gradient + QStringList{"-colors", "16", "BMP2:in.bmp"}, 4) << QByteArray()
                                 << "";
    // ImageMagick writes bottom-up rows; the same rows stored top row first make the same picture.
    const QByteArray small = magick({"-size", "30x20", "gradient:red-blue", "-colors", "100", "-type", "Palette",
                                     "-compress", "None", "BMP3:in.bmp"},
                                    8);
    QTest::newRow("top row first") << topDown(small, 32) << small << "";
    QTest::newRow("cropped screen dump 320 x 200") << screenDump(320, 200) << QByteArray() << "";
    QTest::newRow("dump, pixel offset 0") << screenDump(320, 200, 0) << screenDump(320, 200) << "";
    QTest::newRow("dump, pixel offset past the end") << screenDump(320, 200, 0x7FFFFFFF) << screenDump(320, 200) << "";

    BmpLayout rle4;
    rle4.bitsPerPixel = 4;
    rle4.compression = 2;
    rle4.height = 4;
    rle4.coloursUsed = 16;
    for (int i = 0; i < 16; ++i)
        rle4.palette.append({quint8(i * 16), quint8(255 - i * 16), quint8(i * 5)});
    // 8 x 4, bottom row first: runs of two alternating nibbles (high one first), literal pixels padded to 16 bits,
    // ends of line, a move to the right (the skipped pixels keep index 0) and the end of the bitmap.
    rle4.pixels = QByteArray::fromHex("0812 0000 0005 34567000 0302 0000 0002 0300 05ff 0000 0887 0001");
    rle4.imageSize = static_cast<quint32>(rle4.pixels.size());
    QTest::newRow("RLE4") << buildBmp(rle4) << QByteArray() << "";

    BmpLayout small8;
    small8.coloursUsed = 4;
    small8.palette = distinctPalette(4);
    small8.pixels = QByteArray(16, '\1');
    const QByteArray good = buildBmp(small8);
    const auto with = [&small8](auto change) {
        BmpLayout s = small8;
        change(s);
        return buildBmp(s);
    };
    const auto rle8 = [&with](const char* hex, quint32 imageSize = 0) {
        return with([=](BmpLayout& s) {
            s.compression = 1;
            s.pixels = QByteArray::fromHex(hex);
            s.imageSize = imageSize;
        });
    };
    const QByteArray none;
    QTest::newRow("not a BMP") << QByteArray("GIF89a not a bitmap") << none << "not a BMP";
    QTest::newRow("shorter than the file header") << good.left(12) << none << "too short";
    QTest::newRow("cut in the header") << good.left(30) << none << "cut off";
    QTest::newRow("cut in the palette") << good.left(60) << none << "palette cut off";
    QTest::newRow("cut in the pixels") << good.chopped(3) << none << "shorter";
    QTest::newRow("24-bit") << with([](BmpLayout& s) {
        s.bitsPerPixel = 24;
        s.coloursUsed = 0;
        s.palette.clear();
        s.pixels = QByteArray(48, '\x7f');
    }) << none << "24-bit";
    QTest::newRow("unknown header size") << with([](BmpLayout& s) { s.headerSize = 20; }) << none << "header size";
    QTest::newRow("no planes") << with([](BmpLayout& s) { s.planes = 0; }) << none << "planes";
    QTest::newRow("zero width") << with([](BmpLayout& s) { s.width = 0; }) << none << "not possible";
    QTest::newRow("huge size, little data")
        << with([](BmpLayout& s) { s.width = s.height = 60000; }) << none << "too large";
    QTest::newRow("more colours than bits") << with([](BmpLayout& s) { s.coloursUsed = 300; }) << none << "colours";
    QTest::newRow("bit fields") << with([](BmpLayout& s) { s.compression = 3; }) << none << "compression";
    QTest::newRow("RLE8 in a 4-bit picture") << with([](BmpLayout& s) {
        s.bitsPerPixel = 4;
        s.compression = 1;
    }) << none << "compression";
    QTest::newRow("RLE top row first") << with([](BmpLayout& s) {
        s.height = -2;
        s.compression = 1;
        s.pixels = QByteArray::fromHex("00010000");
    }) << none << "top row first";
    QTest::newRow("RLE run past the row") << rle8("09010001") << none << "RLE";
    QTest::newRow("RLE without end code") << rle8("08010000") << none << "end-of-bitmap";
    QTest::newRow("RLE size beyond the file") << rle8("08010001", 400) << none << "shorter";
}

void TestBmp2GifTool::converts()
{
    QFETCH(QByteArray, bmp);
    QFETCH(QByteArray, reference);
    QFETCH(QString, refusal);
    // The picture lies in the working folder; the GIF goes elsewhere by full path and replaces an older one.
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("work"));
    const QString shots = root.filePath(QStringLiteral("shots"));
    const QString gif = shots + QStringLiteral("/out.gif");
    QVERIFY(writeFile(work + QStringLiteral("/in.bmp"), bmp));
    QVERIFY(writeFile(root.filePath(QStringLiteral("ref.bmp")), reference.isEmpty() ? bmp : reference));
    QVERIFY(writeFile(gif, "old"));
    const testsupport::RunResult r = runTool(QStringLiteral("bmp2gif"), {"in.bmp", gif}, work);
    QCOMPARE(entries(work), QStringList{QStringLiteral("in.bmp")});
    QCOMPARE(entries(shots), QStringList{QStringLiteral("out.gif")});

    if (!refusal.isEmpty()) {
        QString why;
        QVERIFY2(isCleanFailure(r, "bmp2gif", &why), qPrintable(why));
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(refusal), r.err.constData());
        QCOMPARE(readFile(gif), QByteArray("old"));
        return;
    }
    QVERIFY2(!bmp.isEmpty(), "ImageMagick did not make the picture under test");
    VERIFY_RAN(r);
    QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err.constData());
    const testsupport::RunResult size =
        oracle(QStringLiteral("identify"), {"-format", "%w %h|", "ref.bmp"}, root.path());
    const testsupport::RunResult gifSize =
        oracle(QStringLiteral("identify"), {"-format", "%m %w %h", gif}, root.path());
    VERIFY_RAN(gifSize);
    QCOMPARE(gifSize.out, "GIF " + size.out.left(size.out.indexOf('|')));
    const testsupport::RunResult diff =
        oracle(QStringLiteral("compare"), {"-metric", "AE", "ref.bmp", gif, "null:"}, root.path());
    QVERIFY2(succeeded(diff) && diff.err.trimmed() == "0", qPrintable(describe(diff)));

    // The colour table is the BMP's palette, padded to the next power of two (a GIF holds 2 to 256 entries).
    const QByteArray palette = bmpPalette(bmp);
    int colours = 2;
    while (colours * 3 < palette.size())
        colours *= 2;
    const QByteArray table = gifColourTable(readFile(gif));
    QCOMPARE(table.size(), colours * 3);
    QCOMPARE(table.left(palette.size()), palette);
}

QTEST_GUILESS_MAIN(TestBmp2GifTool)
#include "TestBmp2GifTool.moc"
