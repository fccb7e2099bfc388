// bmp2gif IN.bmp OUT.gif, run with an empty PATH; pictures made and checked with ImageMagick.

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

// A BMP put together field by field, for layouts ImageMagick does not write (CCS64 dumps, RLE4, top-down rows)
// and for damaged headers.
struct BmpLayout
{
    quint32 headerSize = 40;
    qint32 width = 0;
    qint32 height = 0;
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
QList<Rgb> distinctPalette()
{
    QList<Rgb> p;
    for (int i = 0; i < 256; ++i)
        p.append({quint8(i), quint8(255 - i), quint8((i * 7) & 0xFF)});
    return p;
}

// A CCS64-style 8-bit dump: width x height, bottom-up, one byte per pixel, every index in use.
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
        s.fileSize = 65078; // as the crop step writes it
    return buildBmp(s);
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
    const int entries = 2 << (static_cast<quint8>(gif[10]) & 7);
    return gif.mid(13, 3 * entries);
}

} // namespace

class TestBmp2GifTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertsImageMagickPictures_data();
    void convertsImageMagickPictures();
    void convertsTopDownRows();
    void convertsRle4();
    void convertsScreenDumps_data();
    void convertsScreenDumps();
    void writesIntoAnotherFolder();
    void refusesUnsupportedAndDamaged_data();
    void refusesUnsupportedAndDamaged();

private:
    // Converts in.bmp in dir, then checks with ImageMagick that the GIF has the size and the pixels of the BMP,
    // and that its colour table starts with the BMP's palette.
    void convertAndCheck(const QString& dir, const QByteArray& bmp, const QString& reference = {});
};

void TestBmp2GifTool::initTestCase()
{
    for (const char* program : {"convert", "identify", "compare"})
        QVERIFY2(haveProgram(QLatin1String(program)), "ImageMagick is needed to make and check the fixtures");
    QVERIFY2(QFile::exists(testsupport::toolPath(QStringLiteral("bmp2gif"))), "bmp2gif is not staged");
}

void TestBmp2GifTool::convertAndCheck(const QString& dir, const QByteArray& bmp, const QString& reference)
{
    QVERIFY(writeFile(dir + QStringLiteral("/in.bmp"), bmp));
    const testsupport::RunResult r =
        runTool(QStringLiteral("bmp2gif"), {QStringLiteral("in.bmp"), QStringLiteral("out.gif")}, dir);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err.constData());

    const QString against = reference.isEmpty() ? QStringLiteral("in.bmp") : reference;
    const testsupport::RunResult size =
        oracle(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%w %h|"), against}, dir);
    VERIFY_RAN(size);
    const testsupport::RunResult gifSize =
        oracle(QStringLiteral("identify"),
               {QStringLiteral("-format"), QStringLiteral("%m %w %h"), QStringLiteral("out.gif")}, dir);
    VERIFY_RAN(gifSize);
    QCOMPARE(gifSize.out, "GIF " + size.out.left(size.out.indexOf('|')));
    const testsupport::RunResult diff = oracle(
        QStringLiteral("compare"),
        {QStringLiteral("-metric"), QStringLiteral("AE"), against, QStringLiteral("out.gif"), QStringLiteral("null:")},
        dir);
    QVERIFY2(succeeded(diff) && diff.err.trimmed() == "0", qPrintable(describe(diff)));

    const QByteArray palette = bmpPalette(bmp);
    QCOMPARE(gifColourTable(readFile(dir + QStringLiteral("/out.gif"))).left(palette.size()), palette);
    QCOMPARE(entries(dir).filter(QStringLiteral(".gif")), QStringList{QStringLiteral("out.gif")});
}

void TestBmp2GifTool::convertsImageMagickPictures_data()
{
    QTest::addColumn<QStringList>("convertArgs");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("compression");
    const QStringList gradient{"-size", "64x48", "gradient:red-blue"};
    QTest::newRow("8-bit uncompressed") << gradient + QStringList{"-colors",   "200",  "-type",      "Palette",
                                                                  "-compress", "None", "BMP3:in.bmp"}
                                        << 8 << 0;
    QTest::newRow("8-bit RLE") << gradient + QStringList{"-colors", "200", "-type", "Palette", "BMP3:in.bmp"} << 8 << 1;
    QTest::newRow("8-bit odd width") << QStringList{"-size",      "37x23",     "gradient:green-yellow",
                                                    "-colors",    "50",        "-type",
                                                    "Palette",    "-compress", "None",
                                                    "BMP3:in.bmp"}
                                     << 8 << 0;
    QTest::newRow("4-bit") << gradient + QStringList{"-colors", "16", "-type", "Palette", "BMP3:in.bmp"} << 4 << 0;
    QTest::newRow("1-bit") << QStringList{"-size", "45x30",   "pattern:checkerboard", "-colors", "2",
                                          "-type", "Palette", "BMP3:in.bmp"}
                           << 1 << 0;
    QTest::newRow("OS/2 header") << gradient + QStringList{"-colors", "16", "-type", "Palette", "BMP2:in.bmp"} << 4
                                 << 0;
}

void TestBmp2GifTool::convertsImageMagickPictures()
{
    QFETCH(QStringList, convertArgs);
    QFETCH(int, bits);
    QFETCH(int, compression);
    QTemporaryDir dir;
    VERIFY_RAN(oracle(QStringLiteral("convert"), convertArgs, dir.path()));
    const QByteArray bmp = readFile(dir.filePath(QStringLiteral("in.bmp")));
    const bool core = qFromLittleEndian<quint32>(bmp.constData() + 14) == 12;
    // The fixture really has the layout under test.
    QCOMPARE(int(qFromLittleEndian<quint16>(bmp.constData() + (core ? 24 : 28))), bits);
    if (!core)
        QCOMPARE(int(qFromLittleEndian<quint32>(bmp.constData() + 30)), compression);
    convertAndCheck(dir.path(), bmp);
}

void TestBmp2GifTool::convertsTopDownRows()
{
    // ImageMagick writes bottom-up rows; the same picture stored top row first (negative height) must convert to
    // the same GIF as the original.
    QTemporaryDir dir;
    VERIFY_RAN(oracle(QStringLiteral("convert"),
                      {"-size", "30x20", "gradient:red-blue", "-colors", "100", "-type", "Palette", "-compress", "None",
                       "BMP3:orig.bmp"},
                      dir.path()));
    const QByteArray orig = readFile(dir.filePath(QStringLiteral("orig.bmp")));
    const quint32 offset = qFromLittleEndian<quint32>(orig.constData() + 10);
    const int height = qFromLittleEndian<qint32>(orig.constData() + 22);
    const int stride = 32; // 30 bytes padded
    QByteArray flipped = orig.left(offset);
    putLe(flipped, 22, static_cast<quint32>(-height), 4);
    for (int y = height - 1; y >= 0; --y)
        flipped += orig.mid(offset + y * stride, stride);
    convertAndCheck(dir.path(), flipped, QStringLiteral("orig.bmp"));
}

void TestBmp2GifTool::convertsRle4()
{
    // 8 x 4, bottom row first: runs, literal pixels, end of line, a move to the right and end of bitmap.
    BmpLayout s;
    s.width = 8;
    s.height = 4;
    s.bitsPerPixel = 4;
    s.compression = 2;
    s.coloursUsed = 16;
    for (int i = 0; i < 16; ++i)
        s.palette.append({quint8(i * 16), quint8(255 - i * 16), quint8(i * 5)});
    s.pixels = QByteArray::fromHex("0812"          // row 0: 8 pixels alternating 1, 2
                                   "0000"          // end of line
                                   "0005 34567000" // row 1: 5 literal pixels 3, 4, 5, 6, 7 (padded to 16 bits)
                                   "0302"          // then 0, 2, 0
                                   "0000"          // end of line
                                   "0002 0300"     // row 2: move right by 3 (the skipped pixels keep index 0)
                                   "05ff 0000"     // 5 pixels of 15; end of line
                                   "0887"          // row 3: 8, 7, 8, 7, ...
                                   "0001");        // end of bitmap
    s.imageSize = static_cast<quint32>(s.pixels.size());
    QTemporaryDir dir;
    convertAndCheck(dir.path(), buildBmp(s));
}

void TestBmp2GifTool::convertsScreenDumps_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<qint64>("dataOffset");
    QTest::newRow("cropped 320 x 200") << 320 << 200 << qint64(-1);
    QTest::newRow("cropped, pixel offset 0") << 320 << 200 << qint64(0);
    QTest::newRow("cropped, pixel offset past the end") << 320 << 200 << qint64(0x7FFFFFFF);
    QTest::newRow("whole emulator picture 504 x 312") << 504 << 312 << qint64(-1);
}

void TestBmp2GifTool::convertsScreenDumps()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(qint64, dataOffset);
    QTemporaryDir dir;
    // The reference for ImageMagick always has the right offset; the pixels follow the palette in every variant.
    QVERIFY(writeFile(dir.filePath(QStringLiteral("ref.bmp")), screenDump(width, height)));
    const QByteArray bmp = screenDump(width, height, dataOffset);
    if (width == 320)
        QCOMPARE(bmp.size(), 65078);
    convertAndCheck(dir.path(), bmp, QStringLiteral("ref.bmp"));
    // All 256 entries, exactly.
    const QByteArray table = gifColourTable(readFile(dir.filePath(QStringLiteral("out.gif"))));
    QCOMPARE(table.size(), 768);
    QCOMPARE(table, bmpPalette(bmp));
}

void TestBmp2GifTool::writesIntoAnotherFolder()
{
    QTemporaryDir work;
    QTemporaryDir screenshots;
    QVERIFY(writeFile(work.filePath(QStringLiteral("shot.bmp")), screenDump(320, 200)));
    QVERIFY(writeFile(screenshots.filePath(QStringLiteral("vtrxTemp.gif")), "old"));
    const testsupport::RunResult r = runTool(
        QStringLiteral("bmp2gif"),
        {work.filePath(QStringLiteral("shot.bmp")), screenshots.filePath(QStringLiteral("vtrxTemp.gif"))}, work.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(entries(screenshots.path()), QStringList{QStringLiteral("vtrxTemp.gif")});
    QCOMPARE(entries(work.path()), QStringList{QStringLiteral("shot.bmp")});
    QVERIFY(readFile(screenshots.filePath(QStringLiteral("vtrxTemp.gif"))).startsWith("GIF8"));
}

void TestBmp2GifTool::refusesUnsupportedAndDamaged_data()
{
    QTest::addColumn<QByteArray>("bmp");
    QTest::addColumn<QString>("reasonPart");

    BmpLayout small;
    small.width = 8;
    small.height = 2;
    small.coloursUsed = 4;
    small.palette = distinctPalette().mid(0, 4);
    small.pixels = QByteArray(16, '\1');
    const QByteArray good = buildBmp(small);
    const auto with = [&small](auto change) {
        BmpLayout s = small;
        change(s);
        return buildBmp(s);
    };

    QTest::newRow("not a BMP") << QByteArray("GIF89a not a bitmap") << "not a BMP";
    QTest::newRow("empty file") << QByteArray() << "not a BMP";
    QTest::newRow("shorter than the file header") << good.left(12) << "too short";
    QTest::newRow("cut in the header") << good.left(30) << "cut off";
    QTest::newRow("cut in the palette") << good.left(60) << "palette cut off";
    QTest::newRow("cut in the pixels") << good.left(good.size() - 3) << "shorter";
    QTest::newRow("24-bit") << with([](BmpLayout& s) {
        s.bitsPerPixel = 24;
        s.coloursUsed = 0;
        s.palette.clear();
        s.pixels = QByteArray(48, '\x7f');
    }) << "24-bit";
    QTest::newRow("unknown header size") << with([](BmpLayout& s) { s.headerSize = 20; }) << "header size";
    QTest::newRow("no planes") << with([](BmpLayout& s) { s.planes = 0; }) << "planes";
    QTest::newRow("zero width") << with([](BmpLayout& s) { s.width = 0; }) << "not possible";
    QTest::newRow("zero height") << with([](BmpLayout& s) { s.height = 0; }) << "not possible";
    QTest::newRow("wider than a GIF") << with([](BmpLayout& s) { s.width = 70000; }) << "not possible";
    QTest::newRow("huge size, little data") << with([](BmpLayout& s) {
        s.width = 60000;
        s.height = 60000;
    }) << "too large";
    QTest::newRow("more colours than bits") << with([](BmpLayout& s) { s.coloursUsed = 300; }) << "colours";
    QTest::newRow("bit fields") << with([](BmpLayout& s) { s.compression = 3; }) << "compression";
    QTest::newRow("RLE8 in a 4-bit picture") << with([](BmpLayout& s) {
        s.bitsPerPixel = 4;
        s.compression = 1;
    }) << "compression";
    QTest::newRow("RLE top row first") << with([](BmpLayout& s) {
        s.height = -2;
        s.compression = 1;
        s.pixels = QByteArray::fromHex("00010000");
    }) << "top row first";
    QTest::newRow("RLE run past the row") << with([](BmpLayout& s) {
        s.compression = 1;
        s.pixels = QByteArray::fromHex("09010001");
    }) << "RLE";
    QTest::newRow("RLE past the last row") << with([](BmpLayout& s) {
        s.compression = 1;
        s.pixels = QByteArray::fromHex("0000 0000 0000 0801 0001");
    }) << "RLE";
    QTest::newRow("RLE without end code") << with([](BmpLayout& s) {
        s.compression = 1;
        s.pixels = QByteArray::fromHex("08010000");
    }) << "end-of-bitmap";
    QTest::newRow("RLE size beyond the file") << with([](BmpLayout& s) {
        s.compression = 1;
        s.pixels = QByteArray::fromHex("08010001");
        s.imageSize = 400;
    }) << "shorter";
}

void TestBmp2GifTool::refusesUnsupportedAndDamaged()
{
    QFETCH(QByteArray, bmp);
    QFETCH(QString, reasonPart);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("in.bmp")), bmp));
    const QStringList args{QStringLiteral("in.bmp"), QStringLiteral("out.gif")};
    testsupport::RunResult r = runTool(QStringLiteral("bmp2gif"), args, dir.path());
    QString why;
    QVERIFY2(isCleanFailure(r, QStringLiteral("bmp2gif"), &why), qPrintable(why));
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(reasonPart), r.err.constData());
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("in.bmp")});

    // An older GIF of that name survives the failed conversion.
    QVERIFY(writeFile(dir.filePath(QStringLiteral("out.gif")), "old"));
    r = runTool(QStringLiteral("bmp2gif"), args, dir.path());
    QVERIFY(r.exitCode != 0);
    QCOMPARE(readFile(dir.filePath(QStringLiteral("out.gif"))), QByteArray("old"));
    QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("in.bmp"), QStringLiteral("out.gif")}));
}

QTEST_GUILESS_MAIN(TestBmp2GifTool)
#include "TestBmp2GifTool.moc"
