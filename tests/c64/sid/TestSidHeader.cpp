// The PSID header: the texts, song count and start song as read, the files that have no header, and the start
// song rewritten in place of the old file, checked byte by byte and by ear (sidplayfp renders the rewritten tune
// as the untouched one played from the new song).

#include "SidFixtures.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "c64/SidHeader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace c64;
using sidtest::Psid;
using sidtest::psidTune;
using testsupport::readFile;
using testsupport::writeFile;

class TestSidHeader : public QObject
{
    Q_OBJECT

private slots:
    void readsHeader_data();
    void readsHeader();
    void fileWithoutHeaderLeavesValues_data();
    void fileWithoutHeaderLeavesValues();
    void rewritesOnlyTheStartSong_data();
    void rewritesOnlyTheStartSong();
    void refusedRewriteKeepsTheTune_data();
    void refusedRewriteKeepsTheTune();
    void rewriteOnReadOnlyDiskKeepsTheTune();
    void rewrittenTunePlaysTheNewStartSong_data();
    void rewrittenTunePlaysTheNewStartSong();
};

namespace {

QByteArray withName(const QByteArray& nameField)
{
    Psid p;
    p.name = nameField;
    return psidTune(p);
}

QByteArray withSongs(int songs, int start)
{
    Psid p;
    p.songs = songs;
    p.startSong = start;
    return psidTune(p);
}

} // namespace

void TestSidHeader::readsHeader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("songs");
    QTest::addColumn<int>("startSong");
    QTest::addRow("32 characters give 31") << withName(QByteArray(32, 'X')) << QString(31, 'X') << 12 << 3;
    QTest::addRow("zero bytes skipped") << withName(QByteArray("AB\0CD", 5)) << "ABCD" << 12 << 3;
    QTest::addRow("Latin-1 bytes") << withName("Caf\xe9") << QString::fromLatin1("Caf\xe9") << 12 << 3;
    QTest::addRow("high bit read unsigned") << withSongs(0x8001, 0xFFFF) << "Harbour" << 0x8001 << 0xFFFF;
    QTest::addRow("start song 256") << withSongs(256, 256) << "Harbour" << 256 << 256;
    QTest::addRow("short file reads zeros") << QByteArray("PSID\x00\x01\x00\x76", 8) << "" << 0 << 0;
    QTest::addRow("cut in the name") << psidTune().left(26) << "Harb" << 12 << 3;
    QTest::addRow("version 2") << psidTune(Psid{2, 5, 2, "Two", "A. Composer", "1987 Vintrax"}) << "Two" << 5 << 2;
}

void TestSidHeader::readsHeader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(int, songs);
    QFETCH(int, startSong);
    QTemporaryDir dir;
    const QString path = dir.filePath("tune.sid");
    QVERIFY(writeFile(path, bytes));
    QString n = "old", a = "old", c = "old";
    int start = -1, count = -1;
    QVERIFY(ReadSidHeader(path, n, a, c, start, count));
    QCOMPARE(n, name);
    QCOMPARE(count, songs);
    QCOMPARE(start, startSong);
    const bool full = bytes.size() >= SidHeaderSize;
    QCOMPARE(a, full ? QStringLiteral("A. Composer") : QString());
    QCOMPARE(c, full ? QStringLiteral("1987 Vintrax") : QString());
}

void TestSidHeader::fileWithoutHeaderLeavesValues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow(".mus file") << "tune.mus" << QByteArray("\x00\x10\x34\x12", 4) + QByteArray(200, 'x');
    QTest::addRow(".dat half of a two-part tune") << "tune.dat" << QByteArray(300, '\x60');
    QTest::addRow("text named .sid") << "notes.sid" << QByteArray("This is no tune at all\n");
    QTest::addRow("lower-case magic") << "tune.sid" << QByteArray("psid") + psidTune().mid(4);
    QTest::addRow("empty") << "empty.sid" << QByteArray();
    QTest::addRow("missing") << "" << QByteArray();
}

void TestSidHeader::fileWithoutHeaderLeavesValues()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(file.isEmpty() ? QStringLiteral("missing.sid") : file);
    if (!file.isEmpty())
        QVERIFY(writeFile(path, bytes));
    QString n = "Old name", a = "Old author", c = "Old copyright";
    int start = 7, count = 9;
    QVERIFY(!ReadSidHeader(path, n, a, c, start, count));
    QCOMPARE(QStringList({n, a, c}), QStringList({"Old name", "Old author", "Old copyright"}));
    QCOMPARE(start, 7);
    QCOMPARE(count, 9);
}

void TestSidHeader::rewritesOnlyTheStartSong_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("song");
    QTest::addColumn<QByteArray>("stored");
    QTest::addRow("v1, song 256") << 1 << 256 << QByteArray("\x01\x00", 2);
    QTest::addRow("v1, song 3") << 1 << 3 << QByteArray("\x00\x03", 2);
    QTest::addRow("v1, song 255") << 1 << 255 << QByteArray("\x00\xff", 2);
    QTest::addRow("v2, song 5") << 2 << 5 << QByteArray("\x00\x05", 2);
    QTest::addRow("v2, song 1") << 2 << 1 << QByteArray("\x00\x01", 2);
}

void TestSidHeader::rewritesOnlyTheStartSong()
{
    QFETCH(int, version);
    QFETCH(int, song);
    QFETCH(QByteArray, stored);
    QTemporaryDir dir;
    const QString path = dir.filePath("tune.sid");
    Psid p;
    p.version = version;
    p.songs = 256;
    const QByteArray old = psidTune(p);
    QVERIFY(writeFile(path, old));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    const SidWriteOutcome outcome = WriteSidStartSong(path, song);
    QVERIFY2(outcome.ok(), qPrintable(sidWriteFailureMessage(path, outcome)));
    QByteArray expected = old;
    expected.replace(SidStartSongOffset, 2, stored);
    QCOMPARE(readFile(path), expected);
    QCOMPARE(tooltest::entries(dir.path()), QStringList({"tune.sid"}));
    QCOMPARE(QFile::permissions(path) & 0x0777, 0x0640); // user read and write, group read
}

void TestSidHeader::refusedRewriteKeepsTheTune_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("song");
    QTest::addColumn<QString>("readOnly"); // "file", "folder" or ""
    QTest::addColumn<int>("result");
    const QByteArray tune = psidTune();
    QTest::addRow("song 0") << tune << 0 << "" << int(SidWriteResult::BadSong);
    QTest::addRow("song 257") << tune << 257 << "" << int(SidWriteResult::BadSong);
    QTest::addRow("shorter than the header") << tune.left(117) << 2 << "" << int(SidWriteResult::NotPsid);
    QTest::addRow("no PSID magic") << QByteArray(400, 'x') << 2 << "" << int(SidWriteResult::NotPsid);
    QTest::addRow("read-only file") << tune << 2 << "file" << int(SidWriteResult::ReadOnly);
    QTest::addRow("read-only folder") << tune << 2 << "folder" << int(SidWriteResult::ReadOnly);
    QTest::addRow("missing file") << QByteArray() << 2 << "" << int(SidWriteResult::NotFound);
}

void TestSidHeader::refusedRewriteKeepsTheTune()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, song);
    QFETCH(QString, readOnly);
    QFETCH(int, result);
    QTemporaryDir dir;
    const QString path = dir.filePath("tune.sid");
    if (!bytes.isEmpty())
        QVERIFY(writeFile(path, bytes));
    const auto r = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (readOnly == "file")
        QFile::setPermissions(path, r);
    if (readOnly == "folder")
        QFile::setPermissions(dir.path(), r | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);

    const SidWriteOutcome outcome = WriteSidStartSong(path, song);
    QFile::setPermissions(dir.path(), r | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(int(outcome.result), result);
    QVERIFY(!sidWriteFailureMessage(path, outcome).isEmpty());
    if (!bytes.isEmpty())
        QCOMPARE(readFile(path), bytes);
    QVERIFY(!QFile::exists(path + ".vtrx"));
}

// The temporary file cannot be created: the tune stays, and the failure is reported, not taken for success.
void TestSidHeader::rewriteOnReadOnlyDiskKeepsTheTune()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tune.sid");
    const QByteArray old = psidTune();
    QVERIFY(writeFile(path, old));
    testsupport::ReadOnlyFolder readOnly(dir.path());
    if (!readOnly.isValid())
        QSKIP(qPrintable(readOnly.whyNot()));
    const SidWriteOutcome outcome = WriteSidStartSong(path, 5);
    QCOMPARE(outcome.result, SidWriteResult::Failed);
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(readFile(path), old);
    QCOMPARE(tooltest::entries(dir.path()), QStringList({"tune.sid"}));
}

void TestSidHeader::rewrittenTunePlaysTheNewStartSong_data()
{
    QTest::addColumn<int>("version");
    QTest::addRow("version 1") << 1;
    QTest::addRow("version 2") << 2;
}

void TestSidHeader::rewrittenTunePlaysTheNewStartSong()
{
    QFETCH(int, version);
    if (!tooltest::haveProgram("sidplayfp"))
        QFAIL("sidplayfp is not installed (scripts/setup.sh installs it)");
    QTemporaryDir dir;
    Psid p;
    p.version = version;
    const QString untouched = dir.filePath("untouched.sid");
    const QString rewritten = dir.filePath("rewritten.sid");
    QVERIFY(writeFile(untouched, psidTune(p)) && writeFile(rewritten, psidTune(p)));
    QVERIFY(WriteSidStartSong(rewritten, 7).ok());

    const QByteArray asRewritten = sidtest::renderWithSidplayfp(rewritten);
    const QByteArray fromSong7 = sidtest::renderWithSidplayfp(untouched, 7);
    const QByteArray asBefore = sidtest::renderWithSidplayfp(untouched);
    QVERIFY(asRewritten.size() > 44100);
    QVERIFY(asRewritten == fromSong7);
    QVERIFY(asRewritten != asBefore);
}

QTEST_GUILESS_MAIN(TestSidHeader)
#include "TestSidHeader.moc"
