// zip2disk as the oracle: our encoder's sets (it only makes the demo's courier.zip, so only that they unpack is
// checked, not how it packs) unpack to the image they were made from, by zip2disk and by our decoder; and on damaged
// copies of a real set both must either refuse the set or produce the same image, byte for byte.

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
