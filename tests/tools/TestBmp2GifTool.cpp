// bmp2gif IN.bmp OUT.gif, run with an empty PATH from the picture's folder into another one. One table: pictures
// made by ImageMagick or laid out by paletteBmp (screen dumps, RLE4, top-down rows, damaged headers), checked against
// ImageMagick's view of a reference picture, or refused with one reason line and an older GIF left alone.

#include "BmpFiles.h"
#include "TestFolders.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using testsupport::paletteBmp;
using testsupport::readFile;
using testsupport::writeFile;
using namespace tooltest;

namespace {

// The picture with a little-endian header field (bytes long, at offset) set to value.
QByteArray patched(QByteArray bmp, int offset, quint32 value, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i)
        bmp[offset + i] = char(value >> (8 * i));
    return bmp;
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

} // namespace

class TestBmp2GifTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* program : {"convert", "identify", "compare"})
            QVERIFY2(haveProgram(QLatin1String(program)), "ImageMagick is needed to make and check the fixtures");
    }

    void converts_data()
    {
        QTest::addColumn<QByteArray>("bmp");
        QTest::addColumn<QByteArray>("reference"); // what ImageMagick compares the GIF with; empty: the BMP itself
        QTest::addColumn<QString>("refusal");      // empty: converts; else a part of the reason

        const auto converted = [](const char* tag, const QByteArray& bmp, const QByteArray& reference = {}) {
            QTest::newRow(tag) << bmp << reference << QString();
        };
        const auto refused = [](const char* tag, const QByteArray& bmp, const QString& reason) {
            QTest::newRow(tag) << bmp << QByteArray() << reason;
        };
        const QStringList gradient{"-size", "64x48", "gradient:red-blue", "-type", "Palette"};
        const QStringList bmp3{"-compress", "None", "BMP3:in.bmp"};
        converted("8-bit", magick(gradient + QStringList{"-colors", "200"} + bmp3, 8));
        converted("8-bit RLE", magick(gradient + QStringList{"-colors", "200", "BMP3:in.bmp"}, 8, 1));
        converted(
            "1-bit",
            magick({"-size", "45x30", "pattern:checkerboard", "-colors", "2", "-type", "Palette", "BMP3:in.bmp"}, 1));
        converted("OS/2 header", magick(gradient + QStringList{"-colors", "16", "BMP2:in.bmp"}, 4));
        // A CCS64 dump after the crop step: 320 x 200, every index of 256 colours in use, 65078 bytes.
        const QByteArray dump = paletteBmp(320, 200, 8);
        converted("cropped screen dump 320 x 200", dump);
        converted("dump, pixel offset 0", patched(dump, 10, 0), dump);
        // ImageMagick writes bottom-up rows; the same rows stored top row first make the same picture.
        const QByteArray bottomUp = paletteBmp(30, 20, 8);
        QByteArray rows;
        for (int y = 19; y >= 0; --y)
            rows += bottomUp.mid(bottomUp.size() - (20 - y) * 32, 32);
        converted("top row first", paletteBmp(30, -20, 8, rows), bottomUp);
        // 8 x 4, bottom row first: runs of two alternating nibbles (high one first), literal pixels padded to 16 bits,
        // ends of line, a move to the right (the skipped pixels keep index 0) and the end of the bitmap.
        const QByteArray rle4 = QByteArray::fromHex("0812 0000 0005 34567000 0302 0000 0002 0300 05ff 0000 0887 0001");
        converted("RLE4", paletteBmp(8, 4, 4, rle4, false, 2));

        const QByteArray good = paletteBmp(8, 2, 8);
        const auto rle8 = [](const char* hex, int height = 2) {
            return paletteBmp(8, height, 8, QByteArray::fromHex(hex), false, 1);
        };
        refused("not a BMP", QByteArray("GIF89a not a bitmap"), "not a BMP");
        refused("shorter than the file header", good.left(12), "too short");
        refused("cut in the header", good.left(30), "cut off");
        refused("cut in the palette", good.left(60), "palette cut off");
        refused("cut in the pixels", good.chopped(3), "shorter");
        refused("24-bit", patched(good, 28, 24, 2), "24-bit");
        refused("unknown header size", patched(good, 14, 20), "header size");
        refused("no planes", patched(good, 26, 0, 2), "planes");
        refused("zero width", patched(good, 18, 0), "not possible");
        refused("huge size, little data", patched(patched(good, 18, 60000), 22, 60000), "too large");
        refused("more colours than bits", patched(good, 46, 300), "colours");
        refused("bit fields", patched(good, 30, 3), "compression");
        refused("RLE top row first", rle8("00010000", -2), "top row first");
        refused("RLE run past the row", rle8("09010001"), "RLE");
        refused("RLE without end code", rle8("08010000"), "end-of-bitmap");
        refused("RLE size beyond the file", patched(rle8("08010001"), 34, 400), "shorter");
    }

    void converts()
    {
        QFETCH(QByteArray, bmp);
        QFETCH(QByteArray, reference);
        QFETCH(QString, refusal);
        // The picture lies in the working folder; the GIF goes elsewhere by full path and replaces an older one.
        QTemporaryDir root;
        const QString work = root.filePath("work"), shots = root.filePath("shots"), gif = shots + "/out.gif";
        QVERIFY(writeFile(work + "/in.bmp", bmp) && writeFile(gif, "old"));
        QVERIFY(writeFile(root.filePath("ref.bmp"), reference.isEmpty() ? bmp : reference));
        const testsupport::RunResult r = runTool("bmp2gif", {"in.bmp", gif}, work);
        QCOMPARE(entries(work), QStringList{"in.bmp"});
        QCOMPARE(entries(shots), QStringList{"out.gif"});

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
        // ImageMagick sees a GIF of the reference's size, and no pixel differs.
        const testsupport::RunResult size = oracle("identify", {"-format", "%w %h|", "ref.bmp"}, root.path());
        const testsupport::RunResult gifSize = oracle("identify", {"-format", "%m %w %h", gif}, root.path());
        VERIFY_RAN(gifSize);
        QCOMPARE(gifSize.out, "GIF " + size.out.left(size.out.indexOf('|')));
        const testsupport::RunResult diff = oracle("compare", {"-metric", "AE", "ref.bmp", gif, "null:"}, root.path());
        QVERIFY2(succeeded(diff) && diff.err.trimmed() == "0", qPrintable(describe(diff)));
    }
};

QTEST_GUILESS_MAIN(TestBmp2GifTool)
#include "TestBmp2GifTool.moc"
