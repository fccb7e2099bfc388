// Reading Lynx archives: ones made by cbmconvert, hand-made header variants, and damaged ones that must be refused.

#include "C64Fixtures.h"
#include "c64/LynxArchive.h"

#include <QTest>

using namespace c64;

namespace {

constexpr int Block = 254;

struct HandEntry
{
    QByteArray name;
    QByteArray type; // "P", "S", "R", ...
    QByteArray data;
    int recordLength = 0;
};

// A Lynx archive laid out by hand. numberFormat turns a number into its directory text (with or without blanks,
// leading zeros); the stub is optional. The directory block count covers the stub and directory, as the format has it.
QByteArray handLynx(
    const QList<HandEntry>& entries, bool withStub,
    const std::function<QByteArray(int)>& numberFormat = [](int n) { return " " + QByteArray::number(n) + " "; })
{
    QByteArray stub;
    if (withStub) {
        // 10 PRINT"LYNX": one BASIC line at $0801, linked to an end marker.
        stub = QByteArray("\x01\x08\x0E\x08\x0A\x00\x99\"LYNX\"\x00\x00\x00", 17);
    }
    QByteArray dir;
    for (const HandEntry& e : entries) {
        dir += e.name + QByteArray(16 - e.name.size(), char(0xA0)) + '\r';
        const int blocks = (e.data.size() + Block - 1) / Block;
        dir += numberFormat(blocks) + '\r' + e.type + '\r';
        if (e.type == "R")
            dir += numberFormat(e.recordLength) + '\r';
        dir += numberFormat(e.data.size() - (blocks - 1) * Block + 1) + '\r';
    }
    QByteArray head = stub + '\r' + numberFormat(1) + " *LYNX XV  BY TEST\r" + numberFormat(entries.size()) + '\r';
    const int dirBlocks = (head.size() + dir.size() + Block - 1) / Block;
    head = stub + '\r' + numberFormat(dirBlocks) + " *LYNX XV  BY TEST\r" + numberFormat(entries.size()) + '\r';
    QByteArray archive = head + dir;
    archive.append(QByteArray(dirBlocks * Block - archive.size(), '\0'));
    for (int i = 0; i < entries.size(); ++i) {
        archive += entries[i].data;
        if (i + 1 < entries.size())
            archive.append(QByteArray((Block - entries[i].data.size() % Block) % Block, '\0'));
    }
    return archive;
}

QString parseError(const QByteArray& bytes)
{
    QString error;
    return LynxArchive::parse(bytes, &error) ? QStringLiteral("(accepted)") : error;
}

} // namespace

class TestLynxArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsCbmconvertArchive();
    void longDirectory();
    void headerVariants_data();
    void headerVariants();
    void relEntryHasRecordLength();
    void refusals_data();
    void refusals();

private:
    c64test::NamedFiles m_files;
    QByteArray m_archive;
};

void TestLynxArchive::initTestCase()
{
    QVERIFY2(tooltest::haveProgram(QStringLiteral("cbmconvert")), "cbmconvert is needed to make the fixtures");
    m_files = {{"game.prg", tooltest::program(0x0801, 3000, 1)}, {"exact.prg", tooltest::noiseBytes(254, 2)},
               {"twoblk.seq", tooltest::noiseBytes(508, 3)},     {"empty.prg", QByteArray()},
               {"user.usr", tooltest::noiseBytes(255, 4)},       {"last.prg", tooltest::program(0x0801, 100, 5)}};
    m_archive = c64test::cbmconvertLynx(m_files);
    QVERIFY(!m_archive.isEmpty());
}

void TestLynxArchive::readsCbmconvertArchive()
{
    QString error;
    const std::optional<LynxArchive> archive = LynxArchive::parse(m_archive, &error);
    QVERIFY2(archive, qPrintable(error));
    QVERIFY(archive->signature.contains("LYNX"));
    const std::optional<CbmFileList> files = readLynxFiles(m_archive, &error);
    QVERIFY2(files, qPrintable(error));
    QCOMPARE(files->size(), m_files.size());
    const QList<FileType> types{FileType::Prg, FileType::Prg, FileType::Seq,
                                FileType::Prg, FileType::Usr, FileType::Prg};
    for (int i = 0; i < m_files.size(); ++i) {
        const QString base = m_files[i].first.section(QLatin1Char('.'), 0, 0).toUpper();
        QCOMPARE(QString::fromLatin1(files->at(i).name), base);
        QCOMPARE(files->at(i).type, types[i]);
        QVERIFY2(files->at(i).data == m_files[i].second, qPrintable(base));
    }
    QCOMPARE(archive->entries[0].blocks, 12);
    QCOMPARE(archive->entries[0].lastBlockValue, 3002 - 11 * 254 + 1);
}

void TestLynxArchive::longDirectory()
{
    c64test::NamedFiles many;
    for (int i = 0; i < 40; ++i)
        many.append({QStringLiteral("file%1.prg").arg(i), tooltest::program(0x0801, i * 37, i)});
    const QByteArray bytes = c64test::cbmconvertLynx(many);
    const std::optional<LynxArchive> archive = LynxArchive::parse(bytes);
    QVERIFY(archive);
    QVERIFY(archive->directoryBlocks > 1);
    const CbmFileList files = readLynxFiles(bytes).value();
    QCOMPARE(files.size(), 40);
    for (int i = 0; i < 40; ++i)
        QVERIFY(files[i].data == many[i].second);
}

void TestLynxArchive::headerVariants_data()
{
    QTest::addColumn<bool>("withStub");
    QTest::addColumn<int>("format");
    QTest::newRow("stub, blanks round numbers") << true << 0;
    QTest::newRow("no stub") << false << 0;
    QTest::newRow("no blanks") << true << 1;
    QTest::newRow("leading zeros and many blanks") << true << 2;
}

void TestLynxArchive::headerVariants()
{
    QFETCH(bool, withStub);
    QFETCH(int, format);
    const std::function<QByteArray(int)> formats[] = {
        [](int n) { return " " + QByteArray::number(n) + " "; },
        [](int n) { return QByteArray::number(n); },
        [](int n) { return "   00" + QByteArray::number(n) + "  "; },
    };
    const QList<HandEntry> entries{{"ONE", "P", tooltest::noiseBytes(600, 1)},
                                   {"TWO", "S", tooltest::noiseBytes(254, 2)},
                                   {"THREE", "U", tooltest::noiseBytes(1, 3)}};
    const QByteArray bytes = handLynx(entries, withStub, formats[format]);
    QString error;
    const std::optional<CbmFileList> files = readLynxFiles(bytes, &error);
    QVERIFY2(files, qPrintable(error));
    QCOMPARE(files->size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(files->at(i).name, entries[i].name);
        QVERIFY(files->at(i).data == entries[i].data);
    }
    QCOMPARE(files->at(1).type, FileType::Seq);
    QCOMPARE(files->at(2).type, FileType::Usr);
}

void TestLynxArchive::relEntryHasRecordLength()
{
    const QByteArray bytes = handLynx({{"REC", "R", tooltest::noiseBytes(700, 1), 64}, {"P", "P", "xy"}}, true);
    const std::optional<LynxArchive> archive = LynxArchive::parse(bytes);
    QVERIFY(archive);
    QCOMPARE(archive->entries[0].type, FileType::Rel);
    QCOMPARE(archive->entries[0].recordLength, 64);
    QCOMPARE(archive->entries[0].size, 700);
    QCOMPARE(readLynxFiles(bytes)->at(1).data, QByteArray("xy"));
}

void TestLynxArchive::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good =
        handLynx({{"ONE", "P", tooltest::noiseBytes(600, 1)}, {"TWO", "P", tooltest::noiseBytes(90, 2)}}, true);
    auto replaced = [&good](const QByteArray& what, const QByteArray& with) {
        QByteArray b = good;
        const qsizetype at = b.indexOf(what);
        return at < 0 ? QByteArray() : b.replace(at, what.size(), with);
    };
    QTest::newRow("empty") << QByteArray() << "no Lynx directory header";
    QTest::newRow("junk") << tooltest::noiseBytes(5000, 9) << "";
    QTest::newRow("no signature") << replaced("*LYNX", "*LYNQ") << "no Lynx signature";
    QTest::newRow("no directory size") << replaced(" 1  *LYNX", " x  *LYNX") << "no directory size";
    QTest::newRow("zero directory size") << replaced("\r 1  *LYNX", "\r 0  *LYNX") << "no directory size";
    QTest::newRow("absurd file count") << replaced("TEST\r 2 \r", "TEST\r 99999 \r") << "claims 99999 files";
    QTest::newRow("count beyond the entries") << replaced("TEST\r 2 \r", "TEST\r 9 \r") << "directory entry 3";
    QTest::newRow("count not a number") << replaced("TEST\r 2 \r", "TEST\r two \r") << "no file count";
    QTest::newRow("name over 16 bytes") << replaced("ONE\xA0", "ONE\xA0\xA0") << "entry 1 has no valid name";
    QTest::newRow("unknown type") << replaced("\rP\r", "\rX\r") << "unknown file type";
    QTest::newRow("last block too big") << replaced(" 91 ", " 256 ") << "entry 2 has no valid last-block size";
    QTest::newRow("negative block count") << replaced(" 3 \rP", " -3 \rP") << "entry 1 has no valid block count";
    QTest::newRow("truncated data") << good.chopped(1) << "ends inside the data of \"TWO\"";
    QTest::newRow("cut in the directory") << good.left(40) << "";
    QList<HandEntry> twenty;
    for (int i = 0; i < 20; ++i)
        twenty.append({"F" + QByteArray::number(i), "P", "ab"});
    QByteArray overrun = handLynx(twenty, true);
    QVERIFY(overrun.contains("\r 3  *LYNX"));
    QTest::newRow("directory overruns its blocks")
        << overrun.replace("\r 3  *LYNX", "\r 1  *LYNX") << "longer than the 1 blocks its header gives";
}

void TestLynxArchive::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString error = parseError(bytes);
    QVERIFY2(error != QStringLiteral("(accepted)"), "a damaged archive was accepted");
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!readLynxFiles(bytes));
}

QTEST_GUILESS_MAIN(TestLynxArchive)
#include "TestLynxArchive.moc"
