// LHA archives from our writer: listed, tested and extracted by jlha and extracted by the staged lha tool, with
// damaged copies caught by their checksums, and refusals for what a level-0 header cannot carry.

#include "LhaWriter.h"

#include "DiskTestHelpers.h"
#include "TestFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace demofiles;

namespace {

const QDateTime kStamp(QDate(1991, 2, 3), QTime(4, 5, 6));

QByteArray built(const QList<LhaMember>& members)
{
    QString error;
    const std::optional<QByteArray> archive = buildLhaArchive(members, &error);
    if (!archive)
        qWarning("buildLhaArchive refused: %s", qPrintable(error));
    return archive.value_or(QByteArray());
}

QList<LhaMember> sampleMembers()
{
    QByteArray allValues;
    for (int i = 0; i < 256 * 4; ++i)
        allValues.append(char(i));
    return {{"FROSTBYTE.PRG", disktest::noise(2300, 1), kStamp},
            {"EMPTY.TXT", {}, kStamp},
            {"ALLBYTES.BIN", allValues, kStamp},
            {QByteArray(120, 'L') + ".PRG", disktest::noise(70000, 2), kStamp}};
}

// Extracts with jlha in a fresh folder; file name -> contents.
QMap<QString, QByteArray> jlhaExtract(const QByteArray& archive, QString* why)
{
    QTemporaryDir dir;
    testsupport::writeFile(dir.filePath(QStringLiteral("a.lzh")), archive);
    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    const testsupport::RunResult r =
        disktest::oracle(QStringLiteral("jlha"), {QStringLiteral("-x"), dir.filePath(QStringLiteral("a.lzh"))}, out);
    *why = disktest::describe(r) + QString::fromLocal8Bit(r.out);
    QMap<QString, QByteArray> files;
    if (disktest::succeeded(r)) {
        for (const QString& name : QDir(out).entryList(QDir::Files))
            files.insert(name, testsupport::readFile(QDir(out).filePath(name)));
    }
    return files;
}

QMap<QString, QByteArray> asMap(const QList<LhaMember>& members)
{
    QMap<QString, QByteArray> map;
    for (const LhaMember& m : members)
        map.insert(QString::fromLatin1(m.name), m.data);
    return map;
}

} // namespace

class TestLhaWriter : public QObject
{
    Q_OBJECT

private slots:
    void crcOfKnownText();
    void jlhaExtractsEveryMember();
    void jlhaTestsAndLists();
    void stagedToolExtracts();
    void damageIsCaught_data();
    void damageIsCaught();
    void headerLayout();
    void refusals_data();
    void refusals();
};

void TestLhaWriter::crcOfKnownText()
{
    QCOMPARE(lhaCrc16("123456789"), quint16(0xBB3D));
    QCOMPARE(lhaCrc16({}), quint16(0));
}

void TestLhaWriter::jlhaExtractsEveryMember()
{
    const QList<LhaMember> members = sampleMembers();
    QString why;
    QCOMPARE(jlhaExtract(built(members), &why), asMap(members));
}

void TestLhaWriter::jlhaTestsAndLists()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("a.lzh")), built(sampleMembers())));
    const testsupport::RunResult test = disktest::oracle(QStringLiteral("jlha"), {"-t", "a.lzh"}, dir.path());
    VERIFY_RAN(test);
    const QString tested = QString::fromLocal8Bit(test.out);
    QCOMPARE(tested.count(QStringLiteral("Tested")), 4);

    const testsupport::RunResult list = disktest::oracle(QStringLiteral("jlha"), {"-l", "a.lzh"}, dir.path());
    VERIFY_RAN(list);
    const QString listing = QString::fromLocal8Bit(list.out);
    QVERIFY2(listing.contains(QStringLiteral("Feb 03  1991 FROSTBYTE.PRG")), qPrintable(listing));
    QVERIFY2(listing.contains(QStringLiteral("2300 100.0%")), qPrintable(listing));
}

void TestLhaWriter::stagedToolExtracts()
{
    const QList<LhaMember> members = sampleMembers();
    QTemporaryDir dir;
    QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("GAME.LHA")), built(members)));
    const testsupport::RunResult r =
        disktest::runTool(QStringLiteral("lha"), {QStringLiteral("e"), QStringLiteral("/m"), "GAME.LHA"}, dir.path());
    VERIFY_RAN(r);
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
        if (name != QStringLiteral("GAME.LHA"))
            files.insert(name, testsupport::readFile(dir.filePath(name)));
    }
    QCOMPARE(files, asMap(members));
}

void TestLhaWriter::damageIsCaught_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("what");
    // The first member's header is 24 + 13 bytes; its data follows.
    QTest::newRow("data byte") << 24 + 13 + 100 << "CRC";
    QTest::newRow("name byte") << 22 + 2 << "header checksum";
}

void TestLhaWriter::damageIsCaught()
{
    QFETCH(int, offset);
    QByteArray archive = built({{"FROSTBYTE.PRG", disktest::noise(500, 3), kStamp}});
    archive[offset] = char(archive[offset] ^ 0x40);
    QTemporaryDir dir;
    QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("GAME.LHA")), archive));
    const testsupport::RunResult r =
        disktest::runTool(QStringLiteral("lha"), {QStringLiteral("e"), QStringLiteral("/m"), "GAME.LHA"}, dir.path());
    QVERIFY2(!disktest::succeeded(r), qPrintable(disktest::describe(r)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("GAME.LHA")});
}

void TestLhaWriter::headerLayout()
{
    const QByteArray data = "HELLO";
    const QByteArray archive = built({{"A.PRG", data, kStamp}});
    QCOMPARE(archive.size(), 24 + 5 + 5 + 1);
    QCOMPARE(quint8(archive[0]), quint8(22 + 5));
    int sum = 0;
    for (int i = 2; i < 24 + 5; ++i)
        sum += quint8(archive[i]);
    QCOMPARE(quint8(archive[1]), quint8(sum & 0xFF));
    QCOMPARE(archive.mid(2, 5), QByteArray("-lh0-"));
    QCOMPARE(archive.mid(7, 8), QByteArray("\x05\0\0\0\x05\0\0\0", 8));
    // 04:05:06 on 3 Feb 1991 in MS-DOS form: time (4 << 11 | 5 << 5 | 3), date (11 << 9 | 2 << 5 | 3).
    QCOMPARE(archive.mid(15, 4), QByteArray("\xA3\x20\x43\x16", 4));
    QCOMPARE(archive.mid(19, 3), QByteArray("\x20\x00\x05", 3));
    QCOMPARE(archive.mid(22, 5), QByteArray("A.PRG"));
    const quint16 crc = lhaCrc16(data);
    QCOMPARE(archive.mid(27, 2), QByteArray(1, char(crc & 0xFF)) + char(crc >> 8));
    QCOMPARE(archive.mid(29, 5), data);
    QCOMPARE(archive.right(1), QByteArray(1, '\0'));
}

void TestLhaWriter::refusals_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QDateTime>("stamp");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty name") << QByteArray() << kStamp << "no name";
    QTest::newRow("zero byte") << QByteArray("A\0B", 3) << kStamp << "zero byte";
    QTest::newRow("234-byte name") << QByteArray(234, 'N') << kStamp << "longer than 233";
    QTest::newRow("1979") << QByteArray("A") << QDateTime(QDate(1979, 12, 31), QTime(23, 59)) << "1980 to 2107";
    QTest::newRow("2108") << QByteArray("A") << QDateTime(QDate(2108, 1, 1), QTime(0, 0)) << "1980 to 2107";
    QTest::newRow("no time") << QByteArray("A") << QDateTime() << "1980 to 2107";
}

void TestLhaWriter::refusals()
{
    QFETCH(QByteArray, name);
    QFETCH(QDateTime, stamp);
    QFETCH(QString, reason);
    QString error;
    QVERIFY(!buildLhaArchive({{name, "x", stamp}}, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!buildLhaArchive({}, &error));
    QVERIFY2(error.contains(QStringLiteral("at least one member")), qPrintable(error));

    // The longest name a level-0 header carries is accepted and read back by jlha.
    const QList<LhaMember> longest{{QByteArray(229, 'M') + ".PRG", "x", kStamp}};
    QString why;
    QCOMPARE(jlhaExtract(built(longest), &why).keys(), QStringList{QString(longest[0].name)});
}

QTEST_GUILESS_MAIN(TestLhaWriter)
#include "TestLhaWriter.moc"
