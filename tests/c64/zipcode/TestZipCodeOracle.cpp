// zip2disk as the oracle: our encoder's sets (it makes the demo's courier.zip) unpack to the image they were made
// from, by zip2disk and by our decoder; and on damaged copies of a real set both must either refuse the set or
// produce the same image, byte for byte.

#include "C64Fixtures.h"
#include "c64/D64Writer.h"
#include "c64/ZipCodeDecoder.h"
#include "c64/ZipCodeEncoder.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace c64test;

namespace {

// Five kinds of damage to one part of a real set, each placed by the seeded generator.
enum Damage
{
    FlipBit,
    Truncate,
    RecordHeader,
    PackedLength,
    SwapRecords
};

void damage(std::array<QByteArray, 4>& parts, Damage kind, QRandomGenerator& rng)
{
    const int index = int(rng.bounded(4));
    QByteArray& part = parts[size_t(index)];
    QList<qsizetype> starts;
    QList<qsizetype> packed;
    for (const RecordHead& head : recordHeads(part, index + 1)) {
        starts << head.pos;
        if (head.kind == 2)
            packed << head.pos;
    }
    const qsizetype pos = qsizetype(rng.bounded(quint32(part.size())));
    if (kind == FlipBit) {
        part[pos] = char(part[pos] ^ (1 << rng.bounded(8)));
    } else if (kind == Truncate) {
        part.truncate(pos);
    } else if (kind == RecordHeader) {
        part[starts[rng.bounded(int(starts.size()))] + rng.bounded(2)] = char(rng.bounded(256));
    } else if (kind == PackedLength && !packed.isEmpty()) {
        const qsizetype at = packed[rng.bounded(int(packed.size()))] + 2;
        part[at] = char(quint8(part[at]) + (rng.bounded(2) ? 1 : -1));
    } else if (kind == SwapRecords) {
        // Two neighbouring records change places: fine within a track, refused across a track boundary.
        const int i = int(rng.bounded(int(starts.size()) - 1));
        const qsizetype a = starts[i], b = starts[i + 1];
        const qsizetype end = i + 2 < starts.size() ? starts[i + 2] : part.size();
        part.replace(a, end - a, part.mid(b, end - b) + part.mid(a, b - a));
    }
}

// Sectors chosen to need each record kind and the packing edge cases, among noise (stored records).
QByteArray edgeCaseImage()
{
    QByteArray image = tooltest::noiseBytes(174848, 99);
    const auto sector = [&image](int t, int s) { return image.data() + sectorOffset(t, s); };
    std::fill(sector(1, 0), sector(1, 0) + 256, '\0');           // filled with zeros
    std::fill(sector(8, 20), sector(8, 20) + 256, char(0xFF));   // filled, last sector of a part
    std::fill(sector(35, 16), sector(35, 16) + 256, char(0x5A)); // filled, last sector of the disk
    std::fill(sector(9, 0), sector(9, 0) + 255, char(7));        // the longest run a packed record holds
    for (int i = 0, k = 0; i < 256; ++k) { // runs of three (left as they are) next to runs of four (packed)
        const int run = std::min(k % 2 ? 4 : 3, 256 - i);
        std::fill(sector(17, 3) + i, sector(17, 3) + i + run, char(10 + k));
        i += run;
    }
    for (int i = 0; i < 256; ++i) {
        sector(26, 5)[i] = char(i);     // every byte value: no byte is free to mark a run
        sector(20, 4)[i] = char(i / 2); // only short runs, where packing is no gain
    }
    return image;
}

} // namespace

class TestZipCodeOracle : public QObject
{
    Q_OBJECT

private slots:
    void encoderRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("blank disk") << QByteArray(174848, '\0');
        QTest::newRow("edge-case sectors") << edgeCaseImage();
        c64::CbmFileList files;
        for (int i = 0; i < 6; ++i)
            files.append(c64::CbmFile{QByteArray("GAME ") + QByteArray::number(i), c64::FileType::Prg,
                                      tooltest::program(0x0801, 1000 + 4000 * i, i) + QByteArray(300 * i, char(i))});
        QTest::newRow("disk made by our writer") << c64::buildD64("ZIPPED", "ZC", files).value_or(QByteArray());
        QTest::newRow("disk made by cc1541") << m_sample.image;
    }

    void encoderRoundTrip()
    {
        QFETCH(QByteArray, image);
        QString error;
        const std::optional<Parts> parts = c64::encodeZipCodeSet(image, &error);
        QVERIFY2(parts, qPrintable(error));
        const c64::ZipCodeDecodeResult ours = c64::decodeZipCodeSet(*parts);
        QVERIFY2(ours.ok, qPrintable(ours.error));
        QVERIFY(ours.image == image);
        QTemporaryDir dir;
        QVERIFY(writeParts(dir.path(), *parts, QStringLiteral("set")));
        QVERIFY(unpackWithZip2disk(dir.path(), QStringLiteral("set")) == image);
    }

    // The record kind each sector needs, and the header and sector order a C64 packer writes.
    void encoderLayout()
    {
        const Parts parts = c64::encodeZipCodeSet(edgeCaseImage()).value();
        QMap<QPair<int, int>, int> kinds;
        for (int p = 1; p <= 4; ++p) {
            for (const RecordHead& head : recordHeads(parts[size_t(p - 1)], p))
                kinds.insert({head.track, head.sector}, head.kind);
        }
        QCOMPARE(kinds.size(), 683);
        const QList<QPair<QPair<int, int>, int>> expected{{{1, 0}, 1},  {{8, 20}, 1}, {{35, 16}, 1}, {{9, 0}, 2},
                                                          {{17, 3}, 2}, {{26, 5}, 0}, {{20, 4}, 0},  {{2, 2}, 0}};
        for (const auto& [at, kind] : expected)
            QCOMPARE(kinds.value(at), kind);

        // The disk ID goes into the first part; each sector is followed by the one half a turn on.
        const Parts set = c64::encodeZipCodeSet(
                              c64::buildD64("ORDER", "Q7", {c64::CbmFile{"X", c64::FileType::Prg, "\x01\x08"}}).value())
                              .value();
        QCOMPARE(set[0].left(4), QByteArray("\xFE\x03Q7"));
        QCOMPARE(set[3].left(2), QByteArray("\x00\x04", 2));
        const auto order = [&set](int part, int track) {
            QList<int> sectors;
            for (const RecordHead& head : recordHeads(set[size_t(part - 1)], part)) {
                if (head.track == track)
                    sectors.append(head.sector);
            }
            return sectors;
        };
        QCOMPARE(order(1, 1), (QList<int>{0, 11, 1, 12, 2, 13, 3, 14, 4, 15, 5, 16, 6, 17, 7, 18, 8, 19, 9, 20, 10}));
        QCOMPARE(order(4, 35), (QList<int>{0, 9, 1, 10, 2, 11, 3, 12, 4, 13, 5, 14, 6, 15, 7, 16, 8}));
    }

    void encoderRefusals_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << 0 << "not the size of a disk image";
        QTest::newRow("one byte short") << 174847 << "not the size of a disk image";
        QTest::newRow("error bytes") << 175531 << "without error bytes";
        QTest::newRow("40 tracks") << 196608 << "35-track";
    }

    void encoderRefusals()
    {
        QFETCH(int, size);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!c64::encodeZipCodeSet(QByteArray(size, '\0'), &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    void initTestCase()
    {
        m_sample = makeSampleSet({2500, 30000, 900, 40000, 6000}, 3);
        QVERIFY(!m_sample.image.isEmpty() && !m_sample.parts[3].isEmpty());
    }

    void agreesWithZip2disk_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<quint32>("seed");

        const char* names[] = {"bit flip", "truncation", "record header", "packed length", "records swapped"};
        for (int kind = FlipBit; kind <= SwapRecords; ++kind) {
            for (quint32 seed = 1; seed <= 2; ++seed)
                QTest::addRow("%s %u", names[kind], seed) << kind << seed;
        }
    }

    void agreesWithZip2disk()
    {
        QFETCH(int, kind);
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed * 100 + quint32(kind));
        std::array<QByteArray, 4> parts = m_sample.parts;
        damage(parts, Damage(kind), rng);

        QTemporaryDir dir;
        QVERIFY(writeParts(dir.path(), parts, QStringLiteral("game")));
        const QByteArray reference = unpackWithZip2disk(dir.path(), QStringLiteral("game"));
        const c64::ZipCodeDecodeResult ours = c64::decodeZipCodeSet(parts);
        QVERIFY2(ours.ok == !reference.isEmpty(), qPrintable(QStringLiteral("zip2disk %1, we %2: %3")
                                                                 .arg(reference.isEmpty() ? "refused" : "accepted",
                                                                      ours.ok ? "accepted" : "refused", ours.error)));
        if (ours.ok)
            QVERIFY(ours.image == reference);
    }

private:
    SampleSet m_sample;
};

QTEST_GUILESS_MAIN(TestZipCodeOracle)
#include "TestZipCodeOracle.moc"
