// Zip-Code sets: the decoder on hand-made parts, in one table: every record kind, the padding real sets use, and one
// row for each way it refuses a damaged part (its own message each). (zip2disk's word on a damaged set is asked in
// test_image_tools, and the demo's encoder is checked through courier.zip by the staged demo files test.)

#include "C64Fixtures.h"
#include "c64/ZipCodeDecoder.h"

#include <QTest>

#include <functional>

using namespace c64test;

namespace {

// One sector record of a part: kind 0 stored, 1 filled, 2 packed (3 is not defined); data is everything after the
// two header bytes.
struct Record
{
    int kind, track, sector;
    QByteArray data;
};

Record packedRecord(int track, int sector, char mark, const QByteArray& packed)
{
    return {2, track, sector, QByteArray(1, char(packed.size())) + mark + packed};
}

// The records of a part (tracks 1-8, 9-16, 17-25, 26-35) in plain sector order: filled where a sector holds one byte
// value, stored otherwise.
QList<Record> plainRecords(const QByteArray& image, int part)
{
    static const int firstTrack[5] = {1, 9, 17, 26, 36};
    QList<Record> records;
    for (int t = firstTrack[part - 1]; t < firstTrack[part]; ++t) {
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            const QByteArray sector = image.mid(sectorOffset(t, s), 256);
            const bool filled = sector.count(sector.at(0)) == 256;
            records << Record{filled ? 1 : 0, t, s, filled ? sector.left(1) : sector};
        }
    }
    return records;
}

QByteArray encodePart(int part, const QList<Record>& records)
{
    QByteArray out = part == 1 ? QByteArray("\xfe\x03"
                                            "64")
                               : QByteArray("\x00\x04", 2);
    for (const Record& r : records)
        out.append(char((r.kind << 6) | (r.track & 0x3f))).append(char(r.sector)).append(r.data);
    return out;
}

// A D64 image whose sectors all differ, with a few single-value sectors among them.
QByteArray patternImage()
{
    QByteArray image(174848, '\0');
    for (int t = 1; t <= 35; ++t) {
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            char* p = image.data() + sectorOffset(t, s);
            for (int i = 0; i < 256; ++i)
                p[i] = (t + s) % 7 == 0 ? char(t * 7 + s) : char(t * 31 + s * 17 + i * (t % 5 + 1));
        }
    }
    return image;
}

} // namespace

using PartRecords = std::array<QList<Record>, 4>;
using Mutation = std::function<void(PartRecords&, QByteArray&)>; // the records, the image expected

Q_DECLARE_METATYPE(Mutation)

class TestZipCode : public QObject
{
    Q_OBJECT

private slots:
    // Hand-made sets of the pattern image, changed by a row: accepted (part 0) with the image expected, or refused
    // with the part and its own reason.
    void decodesHandMadeParts_data()
    {
        QTest::addColumn<Mutation>("mutation");  // a change to the records and the image expected, or none
        QTest::addColumn<QByteArray>("padding"); // appended to every part
        QTest::addColumn<int>("keep");           // bytes kept of the refused part after encoding, or -1
        QTest::addColumn<int>("chop");           // bytes then cut off its end
        QTest::addColumn<int>("part");           // the part refused; 0: accepted
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* tag, const Mutation& mutation, int part = 0, const QString& reason = {},
                            int keep = -1, int chop = 0, const QByteArray& padding = {}) {
            QTest::newRow(tag) << mutation << padding << keep << chop << part << reason;
        };
        row("plain set", {});
        row("padding after the last sector", {}, 0, {}, -1, 0, QByteArray(128, '\x1a'));
        // Track 18 sector 4 (part 3, the fourth record after the 21 of track 17) packed behind a mark.
        const auto runs = [](char mark, const QByteArray& packed, const QByteArray& expected) {
            return Mutation([=](PartRecords& p, QByteArray& image) {
                p[2][21 + 4] = packedRecord(18, 4, mark, packed);
                image.replace(sectorOffset(18, 4), 256, expected);
            });
        };
        const QByteArray literals = QByteArray("\x01\x02\x03\x04", 4);
        row("one run fills the sector", runs('\xfe', QByteArray("\xfe\xff\x20\x20", 4), QByteArray(256, ' ')));
        row("literals around a run", runs('\x80', literals + QByteArray("\x80\xf8\x00", 3) + literals,
                                          literals + QByteArray(248, '\0') + literals));
        row("a run of the mark's own value",
            runs('\x80', QByteArray("\x80\x80\x80\x80\x80\x11", 6), QByteArray(128, '\x80') + QByteArray(128, '\x11')));

        // The record at index in a part gets another sector or track number, or is packed with the given bytes.
        const auto set = [](int part, int index, int Record::*field, int value) {
            return Mutation([=](PartRecords& p, QByteArray&) { p[size_t(part - 1)][index].*field = value; });
        };
        const auto packed = [](const QByteArray& bytes) {
            return Mutation([=](PartRecords& p, QByteArray&) { p[0][5] = packedRecord(1, 5, '\x80', bytes); });
        };
        row(
            "sector left out", [](PartRecords& p, QByteArray&) { p[0].removeAt(30); }, 1,
            "track 2 has only 20 of its 21 sectors");
        row("sector given twice", set(2, 5, &Record::sector, 3), 2, "sector 3 of track 9 is given twice");
        row("sector beyond a 21-sector track", set(1, 20, &Record::sector, 21), 1, "track 1 has no sector 21");
        row("track 0", set(1, 0, &Record::track, 0), 1, "a sector of track 0 was found where track 1 was expected");
        row("unknown packing kind", set(3, 40, &Record::kind, 3), 3, "unknown packing kind 3");
        row("packed data too long", packed("\x80\xff\x01\x80\x02\x01"), 1, "expands beyond 256 bytes");
        row("packed data too short", packed("\x80\xfe\x01"), 1, "expands to only 254 of 256 bytes");
        row("run cut after its count", packed(QByteArray("\x80\xff\x01\x01\x80\x00", 6)), 1, "ends inside a run");
        row("first part without its disk ID", {}, 1, "too short (3 bytes)", 3);
        // In the pattern image track 35 sector 16 is stored and track 25 sector 17 is filled.
        row("stored sector cut short", {}, 4,
            "sector 16 of track 35 (at byte 38264) is damaged: the part ends inside it", -1, 1);
        row("fill byte missing", {}, 3, "sector 17 of track 25", -1, 1);
    }

    void decodesHandMadeParts()
    {
        QFETCH(Mutation, mutation);
        QFETCH(QByteArray, padding);
        QFETCH(int, keep);
        QFETCH(int, chop);
        QFETCH(int, part);
        QFETCH(QString, reason);
        QByteArray image = patternImage();
        PartRecords records;
        for (int n = 1; n <= 4; ++n)
            records[size_t(n - 1)] = plainRecords(image, n);
        if (mutation)
            mutation(records, image);
        Parts parts;
        for (int n = 1; n <= 4; ++n)
            parts[size_t(n - 1)] = encodePart(n, records[size_t(n - 1)]) + padding;
        if (part == 0) {
            // Load address and disk ID are whatever the packing machine used; they do not reach the image.
            parts[0][0] = '\x12';
            parts[0][2] = 'Q';
            parts[3][1] = '\x77';
        } else {
            QByteArray& damaged = parts[size_t(part - 1)];
            damaged.truncate(keep < 0 ? damaged.size() : keep);
            damaged.chop(chop);
        }
        const c64::ZipCodeDecodeResult result = c64::decodeZipCodeSet(parts);
        QCOMPARE(result.failedPart, part);
        QVERIFY2(result.ok == (part == 0) && result.error.contains(reason), qPrintable(result.error));
        QVERIFY(result.image == (part == 0 ? image : QByteArray()));
    }
};

QTEST_GUILESS_MAIN(TestZipCode)
#include "TestZipCode.moc"
