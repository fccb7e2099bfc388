// Zip-Code sets. The decoder on hand-made parts: every record kind, the paddings real sets use, and one row for each
// way it refuses a damaged part (its own message each). zip2disk as the oracle: on damaged copies of a real set both
// must either refuse the set or produce the same image, byte for byte. (The demo's encoder is checked through
// courier.zip by the staged demo files test.)

#include "C64Fixtures.h"
#include "c64/ZipCodeDecoder.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace c64test;

using PartRecords = std::array<QList<Record>, 4>;
using Mutation = std::function<void(PartRecords&)>;

Q_DECLARE_METATYPE(Mutation)

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

void damage(Parts& parts, Damage kind, QRandomGenerator& rng)
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

} // namespace

class TestZipCode : public QObject
{
    Q_OBJECT

private slots:
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
        Parts parts = m_sample.parts;
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

    void acceptsWhatRealSetsContain_data()
    {
        // Sectors out of order within a track come from disk2zip itself (tests of zip2d64 and the zip2disk oracle).
        QTest::addColumn<QByteArray>("padding");
        QTest::newRow("plain set") << QByteArray();
        QTest::newRow("padding after the last sector") << QByteArray(128, '\x1a');
        QTest::newRow("a whole extra record after the last sector") << QByteArray("\x41\x00\x55", 3);
    }

    void acceptsWhatRealSetsContain()
    {
        QFETCH(QByteArray, padding);
        const QByteArray image = patternImage();
        Parts parts = encode(plainSet(image));
        for (QByteArray& part : parts)
            part.append(padding);
        // Load address and disk ID are whatever the packing machine used; they do not reach the image.
        parts[0][0] = '\x12';
        parts[0][2] = 'Q';
        parts[3][1] = '\x77';
        const c64::ZipCodeDecodeResult result = c64::decodeZipCodeSet(parts);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.failedPart, 0);
        QVERIFY(result.image == image);
    }

    void unpacksRuns_data()
    {
        QTest::addColumn<char>("mark");
        QTest::addColumn<QByteArray>("packed");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray literals = QByteArray("\x01\x02\x03\x04", 4);
        QTest::newRow("one run fills the sector")
            << char('\xfe') << QByteArray("\xfe\xff\x20\x20", 4) << QByteArray(256, ' ');
        QTest::newRow("literals around a run") << char('\x80') << literals + QByteArray("\x80\xf8\x00", 3) + literals
                                               << literals + QByteArray(248, '\0') + literals;
        QTest::newRow("a run of the mark's own value") << char('\x80') << QByteArray("\x80\x80\x80\x80\x80\x11", 6)
                                                       << QByteArray(128, '\x80') + QByteArray(128, '\x11');
        QTest::newRow("an empty run adds nothing")
            << char('\x07') << QByteArray("\x07\x00\x09\x07\x80\x01\x07\x80\x02", 9)
            << QByteArray(128, '\x01') + QByteArray(128, '\x02');
    }

    void unpacksRuns()
    {
        QFETCH(char, mark);
        QFETCH(QByteArray, packed);
        QFETCH(QByteArray, expected);
        QByteArray image = patternImage();
        PartRecords records = plainSet(image);
        // Track 18 sector 4 lies in part 3, fourth record after the 21 of track 17.
        records[2][21 + 4] = packedRecord(18, 4, mark, packed);
        image.replace(sectorOffset(18, 4), 256, expected);
        const c64::ZipCodeDecodeResult result = c64::decodeZipCodeSet(encode(records));
        QVERIFY2(result.ok, qPrintable(result.error));
        QVERIFY(result.image.mid(sectorOffset(18, 4), 256) == expected);
        QVERIFY(result.image == image);
    }

    void refusesDamagedParts_data()
    {
        QTest::addColumn<Mutation>("mutation"); // a change to the records, or none
        QTest::addColumn<int>("part");          // the part refused
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("keep"); // bytes kept of that part after encoding, or -1
        QTest::addColumn<int>("chop"); // bytes then cut off its end
        const auto row = [](const char* tag, const Mutation& mutation, int part, const QString& reason, int keep = -1,
                            int chop = 0) { QTest::newRow(tag) << mutation << part << reason << keep << chop; };
        // The record at index in a part gets another sector or track number.
        const auto sector = [](int part, int index, int value) {
            return Mutation([=](PartRecords& p) { p[size_t(part - 1)][index].sector = value; });
        };
        const auto track = [](int part, int index, int value) {
            return Mutation([=](PartRecords& p) { p[size_t(part - 1)][index].track = value; });
        };
        row(
            "sector left out", [](PartRecords& p) { p[0].removeAt(30); }, 1, "track 2 has only 20 of its 21 sectors");
        row(
            "last sector of the part left out", [](PartRecords& p) { p[3].removeLast(); }, 4,
            "ends after 16 of the 17 sectors of track 35");
        row("sector given twice", sector(2, 5, 3), 2, "sector 3 of track 9 is given twice");
        row("sector beyond a 21-sector track", sector(1, 20, 21), 1, "track 1 has no sector 21");
        row("sector beyond track 35", sector(4, 174, 17), 4, "track 35 has no sector 17");
        row("track 0", track(1, 0, 0), 1, "a sector of track 0 was found where track 1 was expected");
        row("track 36", track(4, 170, 36), 4, "a sector of track 36 was found where track 35 was expected");
        row(
            "unknown packing kind", [](PartRecords& p) { p[2][40].kind = 3; }, 3, "unknown packing kind 3");
        // Track 1 sector 5 packed with the given bytes after the mark 0x80.
        const auto packed = [](const QByteArray& bytes) {
            return Mutation([=](PartRecords& p) { p[0][5] = packedRecord(1, 5, '\x80', bytes); });
        };
        row("packed data too long", packed("\x80\xff\x01\x80\x02\x01"), 1, "expands beyond 256 bytes");
        row("packed data too short", packed("\x80\xfe\x01"), 1, "expands to only 254 of 256 bytes");
        row("run cut after its count", packed(QByteArray("\x80\xff\x01\x01\x80\x00", 6)), 1, "ends inside a run");
        row("first part without its disk ID", {}, 1, "too short (3 bytes)", 3);
        row("first part with its header only", {}, 1, "ends after 0 of the 21 sectors of track 1", 4);
        row("one byte of a record header", {}, 2, "ends after 0 of the 21 sectors of track 9", 3);
        // In the pattern image track 35 sector 16 is stored and track 25 sector 17 is filled.
        row("stored sector cut short", {}, 4,
            "sector 16 of track 35 (at byte 38264) is damaged: the part ends inside it", -1, 1);
        row("fill byte missing", {}, 3, "sector 17 of track 25", -1, 1);
    }

    void refusesDamagedParts()
    {
        QFETCH(Mutation, mutation);
        QFETCH(int, part);
        QFETCH(QString, reason);
        QFETCH(int, keep);
        QFETCH(int, chop);
        PartRecords records = plainSet(patternImage());
        if (mutation)
            mutation(records);
        Parts parts = encode(records);
        QByteArray& damaged = parts[size_t(part - 1)];
        if (keep >= 0)
            damaged.truncate(keep);
        damaged.chop(chop);
        const c64::ZipCodeDecodeResult result = c64::decodeZipCodeSet(parts);
        QVERIFY(!result.ok);
        QVERIFY(result.image.isEmpty());
        QCOMPARE(result.failedPart, part);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    }

private:
    static PartRecords plainSet(const QByteArray& image)
    {
        PartRecords records;
        for (int part = 1; part <= 4; ++part)
            records[size_t(part - 1)] = plainRecords(image, part);
        return records;
    }

    static Parts encode(const PartRecords& records)
    {
        Parts parts;
        for (int part = 1; part <= 4; ++part)
            parts[size_t(part - 1)] = encodePart(part, records[size_t(part - 1)]);
        return parts;
    }

    SampleSet m_sample;
};

QTEST_GUILESS_MAIN(TestZipCode)
#include "TestZipCode.moc"
