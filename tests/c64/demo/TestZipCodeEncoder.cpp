// Zip-Code sets from our encoder: decoded by our decoder and by zip2disk to the very image they were made from,
// for images that need every record kind, with the sector order and disk ID a C64 packer writes.

#include "c64/ZipCodeEncoder.h"

#include "DiskTestHelpers.h"
#include "TestFolders.h"
#include "c64/D64Geometry.h"
#include "c64/D64Writer.h"

#include <QTemporaryDir>
#include <QTest>

using namespace c64;

namespace {

constexpr int Sector = 256;

qint64 at(int track, int sector)
{
    return *d64::sectorOffset(track, sector, d64::StandardTracks);
}

// The records of one part, as (kind, track, sector), read by hand from the layout.
struct RecordHead
{
    int kind;
    int track;
    int sector;
};

QList<RecordHead> recordHeads(const QByteArray& part, int partNumber)
{
    QList<RecordHead> heads;
    qsizetype pos = partNumber == 1 ? 4 : 2;
    while (pos + 2 <= part.size()) {
        const int kind = quint8(part[pos]) >> 6;
        heads.append({kind, quint8(part[pos]) & 0x3F, quint8(part[pos + 1])});
        pos += kind == 0 ? 2 + Sector : kind == 1 ? 3 : 4 + quint8(part[pos + 2]);
    }
    return heads;
}

std::array<QByteArray, 4> encoded(const QByteArray& image)
{
    QString error;
    const auto parts = encodeZipCodeSet(image, &error);
    if (!parts)
        qWarning("encodeZipCodeSet refused: %s", qPrintable(error));
    return parts.value_or(std::array<QByteArray, 4>{});
}

QByteArray zip2disk(const std::array<QByteArray, 4>& parts, QString* why)
{
    QTemporaryDir dir;
    for (int i = 0; i < 4; ++i)
        testsupport::writeFile(dir.filePath(QStringLiteral("%1!set").arg(i + 1)), parts[size_t(i)]);
    const testsupport::RunResult r =
        disktest::oracle(QStringLiteral("zip2disk"), {QStringLiteral("set"), QStringLiteral("out.d64")}, dir.path());
    *why = disktest::describe(r);
    return disktest::succeeded(r) ? testsupport::readFile(dir.filePath(QStringLiteral("out.d64"))) : QByteArray();
}

// Sectors chosen to need each record kind and the packing edge cases.
QByteArray edgeCaseImage()
{
    QByteArray image = disktest::noise(int(d64::Size35), 99); // noise: stored records
    auto sector = [&image](int t, int s) { return image.data() + at(t, s); };
    std::fill(sector(1, 0), sector(1, 0) + Sector, '\0');           // filled with zeros
    std::fill(sector(8, 20), sector(8, 20) + Sector, char(0xFF));   // filled, last sector of a part
    std::fill(sector(35, 16), sector(35, 16) + Sector, char(0x5A)); // filled, last sector of the disk
    // A run of 255 and one other byte: the longest run a packed record can hold.
    std::fill(sector(9, 0), sector(9, 0) + 255, char(7));
    sector(9, 0)[255] = 1;
    // Runs of exactly three (left as they are) next to runs of four (packed), each of its own value.
    char* s = sector(17, 3);
    for (int i = 0, k = 0; i < Sector; ++k) {
        const int run = std::min(k % 2 ? 4 : 3, Sector - i);
        std::fill(s + i, s + i + run, char(10 + k));
        i += run;
    }
    // Every byte value once: no byte is free to mark a run, and there is nothing to pack anyway.
    char* all = sector(26, 5);
    for (int i = 0; i < Sector; ++i)
        all[i] = char(i);
    // A sector holding only short runs, where packing is no gain.
    char* pairs = sector(20, 4);
    for (int i = 0; i < Sector; ++i)
        pairs[i] = char(i / 2);
    return image;
}

} // namespace

class TestZipCodeEncoder : public QObject
{
    Q_OBJECT

private slots:
    void decodesToTheSameImage_data();
    void decodesToTheSameImage();
    void recordKinds();
    void sectorOrderAndHeader();
    void refusals_data();
    void refusals();
};

void TestZipCodeEncoder::decodesToTheSameImage_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("blank disk") << QByteArray(int(d64::Size35), '\0');
    QTest::newRow("noise on every sector") << disktest::noise(int(d64::Size35), 5);
    QTest::newRow("edge-case sectors") << edgeCaseImage();
    CbmFileList files;
    for (int i = 0; i < 6; ++i)
        files.append(CbmFile{QByteArray("GAME ") + QByteArray::number(i), FileType::Prg,
                             disktest::program(0x0801, 1000 + 4000 * i, i) + QByteArray(300 * i, char(i))});
    QTest::newRow("disk made by our writer") << buildD64("ZIPPED", "ZC", files).value_or(QByteArray());
    QTest::newRow("disk made by cc1541") << disktest::cc1541Image(
        {QStringLiteral("-n"), QStringLiteral("ORACLE"), QStringLiteral("-i"), QStringLiteral("or"),
         QStringLiteral("-f"), QStringLiteral("ONE"), QStringLiteral("-w"), QStringLiteral("one.prg")},
        {{QStringLiteral("one.prg"), disktest::program(0x1000, 20000, 3)}});
}

void TestZipCodeEncoder::decodesToTheSameImage()
{
    QFETCH(QByteArray, image);
    QCOMPARE(image.size(), d64::Size35);
    const std::array<QByteArray, 4> parts = encoded(image);
    QVERIFY(!parts[0].isEmpty());

    const ZipCodeDecodeResult ours = decodeZipCodeSet(parts);
    QVERIFY2(ours.ok, qPrintable(ours.error));
    QVERIFY(ours.image == image);

    QString why;
    const QByteArray theirs = zip2disk(parts, &why);
    QVERIFY2(!theirs.isEmpty(), qPrintable(why));
    QVERIFY(theirs == image);
}

void TestZipCodeEncoder::recordKinds()
{
    const QByteArray image = edgeCaseImage();
    const std::array<QByteArray, 4> parts = encoded(image);
    QMap<QPair<int, int>, int> kindOf;
    for (int p = 0; p < 4; ++p) {
        for (const RecordHead& h : recordHeads(parts[size_t(p)], p + 1))
            kindOf.insert({h.track, h.sector}, h.kind);
    }
    QCOMPARE(kindOf.size(), d64::totalSectors(d64::StandardTracks));
    QCOMPARE(kindOf.value({1, 0}), 1);
    QCOMPARE(kindOf.value({8, 20}), 1);
    QCOMPARE(kindOf.value({35, 16}), 1);
    QCOMPARE(kindOf.value({9, 0}), 2);
    QCOMPARE(kindOf.value({17, 3}), 2);
    QCOMPARE(kindOf.value({26, 5}), 0);
    QCOMPARE(kindOf.value({20, 4}), 0);
    QCOMPARE(kindOf.value({2, 2}), 0);

    // A blank disk is all fill records: three bytes a sector after the part headers.
    const std::array<QByteArray, 4> blank = encoded(QByteArray(int(d64::Size35), '\0'));
    QCOMPARE(blank[0].size(), 4 + 168 * 3);
    QCOMPARE(blank[1].size(), 2 + 168 * 3);
    QCOMPARE(blank[2].size(), 2 + 172 * 3);
    QCOMPARE(blank[3].size(), 2 + 175 * 3);
}

void TestZipCodeEncoder::sectorOrderAndHeader()
{
    CbmFileList files{CbmFile{"X", FileType::Prg, "\x01\x08"}};
    const QByteArray image = buildD64("ORDER", "Q7", files).value_or(QByteArray());
    const std::array<QByteArray, 4> parts = encoded(image);
    QCOMPARE(parts[0].left(4), QByteArray("\xFE\x03Q7"));
    for (int p = 1; p < 4; ++p)
        QCOMPARE(parts[size_t(p)].left(2), QByteArray("\x00\x04", 2));

    auto sectorsOfTrack = [&parts](int part, int track) {
        QList<int> order;
        for (const RecordHead& h : recordHeads(parts[size_t(part - 1)], part)) {
            if (h.track == track)
                order.append(h.sector);
        }
        return order;
    };
    // Each sector is followed by the one half a turn on, the way the C64 packers read a track.
    QCOMPARE(sectorsOfTrack(1, 1),
             (QList<int>{0, 11, 1, 12, 2, 13, 3, 14, 4, 15, 5, 16, 6, 17, 7, 18, 8, 19, 9, 20, 10}));
    QCOMPARE(sectorsOfTrack(3, 18), (QList<int>{0, 10, 1, 11, 2, 12, 3, 13, 4, 14, 5, 15, 6, 16, 7, 17, 8, 18, 9}));
    QCOMPARE(sectorsOfTrack(4, 26), (QList<int>{0, 9, 1, 10, 2, 11, 3, 12, 4, 13, 5, 14, 6, 15, 7, 16, 8, 17}));
    QCOMPARE(sectorsOfTrack(4, 35), (QList<int>{0, 9, 1, 10, 2, 11, 3, 12, 4, 13, 5, 14, 6, 15, 7, 16, 8}));
}

void TestZipCodeEncoder::refusals_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << "not the size of a disk image";
    QTest::newRow("one byte short") << QByteArray(int(d64::Size35) - 1, '\0') << "not the size of a disk image";
    QTest::newRow("error bytes") << QByteArray(int(d64::Size35WithErrors), '\0') << "without error bytes";
    QTest::newRow("40 tracks") << QByteArray(int(d64::Size40), '\0') << "35-track";
}

void TestZipCodeEncoder::refusals()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, reason);
    QString error;
    QVERIFY(!encodeZipCodeSet(image, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestZipCodeEncoder)
#include "TestZipCodeEncoder.moc"
