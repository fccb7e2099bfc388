// The decoder against zip2disk on damaged copies of a real set: for every damage both must either refuse the set
// or produce the same image, byte for byte.

#include "ZipCodeFixtures.h"
#include "c64/ZipCodeDecoder.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zipcodetest;

class TestZipCodeOracle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void agreesWithZip2disk_data();
    void agreesWithZip2disk();

private:
    QTemporaryDir m_dir;
    SampleSet m_sample;
};

namespace {

enum Damage
{
    FlipBit,
    SetByte,
    Truncate,
    DeleteBytes,
    InsertBytes,
    RecordHeader,
    PackedLength,
    SwapRecords
};

// Where each record of a well-formed part starts.
QList<qsizetype> recordStarts(const QByteArray& part, int partNumber)
{
    QList<qsizetype> starts;
    qsizetype pos = partNumber == 1 ? 4 : 2;
    while (pos + 2 <= part.size()) {
        starts << pos;
        const int kind = quint8(part.at(pos)) >> 6;
        pos += kind == 0 ? 258 : kind == 1 ? 3 : 4 + quint8(part.at(pos + 2));
    }
    return starts;
}

void damage(std::array<QByteArray, 4>& parts, Damage kind, QRandomGenerator& rng)
{
    const int index = int(rng.bounded(4));
    QByteArray& part = parts[size_t(index)];
    const QList<qsizetype> starts = recordStarts(part, index + 1);
    const qsizetype pos = qsizetype(rng.bounded(quint32(part.size())));
    switch (kind) {
    case FlipBit:
        part[pos] = char(part[pos] ^ (1 << rng.bounded(8)));
        break;
    case SetByte:
        part[pos] = char(rng.bounded(256));
        break;
    case Truncate:
        part.truncate(pos);
        break;
    case DeleteBytes:
        part.remove(pos, 1 + rng.bounded(3));
        break;
    case InsertBytes:
        for (int n = 1 + int(rng.bounded(3)); n > 0; --n)
            part.insert(pos, char(rng.bounded(256)));
        break;
    case RecordHeader: {
        const qsizetype at = starts[rng.bounded(int(starts.size()))] + rng.bounded(2);
        part[at] = char(rng.bounded(256));
        break;
    }
    case PackedLength: {
        QList<qsizetype> packed;
        for (qsizetype s : starts) {
            if (quint8(part.at(s)) >> 6 == 2)
                packed << s;
        }
        if (packed.isEmpty())
            return;
        const qsizetype at = packed[rng.bounded(int(packed.size()))] + 2;
        part[at] = char(quint8(part[at]) + (rng.bounded(2) ? 1 : -1));
        break;
    }
    case SwapRecords: {
        // Two neighbouring records change places: fine within a track, refused across a track boundary.
        const int i = int(rng.bounded(int(starts.size()) - 1));
        const qsizetype a = starts[i], b = starts[i + 1];
        const qsizetype end = i + 2 < starts.size() ? starts[i + 2] : part.size();
        part.replace(a, end - a, part.mid(b, end - b) + part.mid(a, b - a));
        break;
    }
    }
}

} // namespace

void TestZipCodeOracle::initTestCase()
{
    for (const char* program : {"cc1541", "disk2zip", "zip2disk"})
        QVERIFY2(haveProgram(QString::fromLatin1(program)), qPrintable(QStringLiteral("%1 is needed").arg(program)));
    QString error;
    m_sample = makeSampleSet(m_dir.path(), {2500, 30000, 900, 40000, 6000}, 3, &error);
    QVERIFY2(!m_sample.image.isEmpty(), qPrintable(error));
}

void TestZipCodeOracle::agreesWithZip2disk_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint32>("seed");

    const char* names[] = {"bit flip",       "byte set",      "truncation",    "bytes deleted",
                           "bytes inserted", "record header", "packed length", "records swapped"};
    for (int kind = FlipBit; kind <= SwapRecords; ++kind) {
        for (quint32 seed = 1; seed <= 25; ++seed)
            QTest::addRow("%s %u", names[kind], seed) << kind << seed;
    }
}

void TestZipCodeOracle::agreesWithZip2disk()
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

QTEST_GUILESS_MAIN(TestZipCodeOracle)
#include "TestZipCodeOracle.moc"
