// Unpacking a ZIP flat into the working folder: names, hostile paths and links, damaged and refused archives.
#include "ArchiveFixtures.h"
#include "TestFolders.h"
#include "launch/UnzipToFolder.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace launch;
using namespace testsupport;

class TestUnzipToFolder : public QObject
{
    Q_OBJECT

private slots:
    void membersLandFlatByBaseName();
    void storedPathsCannotEscapeTheFolder();
    void existingFilesAreOverwrittenInAnyCase();
    void damagedArchivesFail_data();
    void damagedArchivesFail();
    void zerosCompressWellButStayWithinLimits();
    void refusedArchivesNameTheCause_data();
    void refusedArchivesNameTheCause();
    void linksInTheFolderAreNotFollowed();
};

void TestUnzipToFolder::membersLandFlatByBaseName()
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("games.zip");
    QVERIFY(zipWithTool(zip, {{"GAMES/ELITE.D64", QByteArray(174848, 'e')},
                              {"GAMES/DOCS/README.TXT", "read me"},
                              {"My Game \"2\" $(id).prg", programBytes(1)}}));
    const QString out = dir.filePath("W");
    QDir().mkpath(out);
    const UnzipResult r = UnzipToFolder(out, zip);
    QVERIFY2(!r.failed, qPrintable(r.error));
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
             QStringList({"ELITE.D64", "My Game \"2\" $(id).prg", "README.TXT"}));
    QCOMPARE(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(readFile(out + "/ELITE.D64").size(), 174848);
    QCOMPARE(readFile(out + "/My Game \"2\" $(id).prg"), programBytes(1));
}

void TestUnzipToFolder::storedPathsCannotEscapeTheFolder()
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("evil.zip");
    QVERIFY(writeZipWithNames(zip, {{"../escaped.prg", "a"},
                                    {"/tmp/vintrax-absolute-escape.prg", "b"},
                                    {"C:\\WINDOWS\\win.prg", "c"},
                                    {"..", "d"},
                                    {"sub/../../up.prg", "e"}}));
    const QString out = dir.filePath("deep/W");
    QDir().mkpath(out);
    const UnzipResult r = UnzipToFolder(out, zip);
    QVERIFY2(!r.failed, qPrintable(r.error));
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
             QStringList({"escaped.prg", "up.prg", "vintrax-absolute-escape.prg", "win.prg"}));
    QVERIFY(!QFile::exists(dir.filePath("deep/escaped.prg")));
    QVERIFY(!QFile::exists(dir.filePath("up.prg")));
    QVERIFY(!QFile::exists("/tmp/vintrax-absolute-escape.prg"));
}

void TestUnzipToFolder::existingFilesAreOverwrittenInAnyCase()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("W");
    QVERIFY(writeFile(out + "/elite.d64", "old"));
    const QString zip = dir.filePath("a.zip");
    QVERIFY(zipWithTool(zip, {{"ELITE.D64", "new"}}));
    QVERIFY(!UnzipToFolder(out, zip).failed);
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList({"elite.d64"}));
    QCOMPARE(readFile(out + "/elite.d64"), QByteArray("new"));
}

void TestUnzipToFolder::damagedArchivesFail_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("corrupted data") << "corrupted";
    QTest::newRow("not a zip") << "junk";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("missing") << "missing";
}

void TestUnzipToFolder::damagedArchivesFail()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString zip = dir.filePath("bad.zip");
    QByteArray data(20000, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((i * 7 + i / 13) & 0xff);
    QVERIFY(zipWithTool(zip, {{"GAME.D64", data}}));
    QByteArray bytes = readFile(zip);
    if (kind == "truncated")
        bytes.truncate(bytes.size() / 2);
    else if (kind == "corrupted")
        bytes[bytes.size() / 3] = char(bytes[bytes.size() / 3] ^ 0x55);
    else if (kind == "junk")
        bytes = QByteArray(5000, 'x');
    else if (kind == "empty")
        bytes.clear();
    if (kind == "missing")
        QFile::remove(zip);
    else
        QVERIFY(writeFile(zip, bytes));
    const QString out = dir.filePath("W");
    QDir().mkpath(out);
    const UnzipResult r = UnzipToFolder(out, zip);
    QVERIFY(r.failed);
    QVERIFY(!r.error.isEmpty());
    // A member that could not be read whole is not left behind half-written.
    if (kind != "truncated")
        QCOMPARE(QDir(out).entryList(QDir::Files), QStringList());
}

void TestUnzipToFolder::zerosCompressWellButStayWithinLimits()
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("zeros.zip");
    QVERIFY(zipWithTool(zip, {{"ZEROS.PRG", QByteArray(10 * 1024 * 1024, '\0')}}));
    QVERIFY(QFileInfo(zip).size() < 100 * 1024);
    const QString out = dir.filePath("W");
    QDir().mkpath(out);
    const UnzipResult r = UnzipToFolder(out, zip);
    QVERIFY(!r.failed);
    QCOMPARE(QFileInfo(out + "/ZEROS.PRG").size(), 10 * 1024 * 1024);
}

void TestUnzipToFolder::refusedArchivesNameTheCause_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // a part of the reported error
    QTest::newRow("too many members") << QString("many") << QString("more than 10000 members");
    QTest::newRow("start of heading in a name") << QString("name \x01") << QString("holds control characters");
    QTest::newRow("line feed in a name") << QString("name \n") << QString("holds control characters");
    QTest::newRow("delete in a name") << QString("name \x7f") << QString("holds control characters");
    QTest::newRow("C1 control in a name") << QString("name \u0085") << QString("holds control characters");
    QTest::newRow("skipped member cut off") << QString("cut skip") << QString("cannot skip sub/..: ");
}

void TestUnzipToFolder::refusedArchivesNameTheCause()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString zip = dir.filePath("refused.zip");
    if (kind == "many") {
        QList<QPair<QString, QByteArray>> members;
        for (int i = 0; i <= 10000; ++i)
            members.append({QStringLiteral("F%1.PRG").arg(i), QByteArray()});
        QVERIFY(writeZipWithNames(zip, members));
    } else if (kind == "cut skip") {
        // A member that is not extracted ("sub/.." names no file), cut off inside its data, which does not
        // compress.
        QByteArray noise(60000, '\0');
        QRandomGenerator random(7);
        for (char& c : noise)
            c = char(random.bounded(256));
        QVERIFY(writeZipWithNames(zip, {{"sub/..", noise}, {"GAME.PRG", programBytes(2)}}));
        QVERIFY(writeFile(zip, readFile(zip).left(30000)));
    } else {
        QVERIFY(writeZipWithNames(zip, {{"GAME.PRG", programBytes(1)}, {"docs/" + kind + ".txt", "x"}}));
    }
    const QString out = dir.filePath("W");
    QDir().mkpath(out);
    const UnzipResult r = UnzipToFolder(out, zip);
    QVERIFY(r.failed);
    QVERIFY2(r.error.contains(reason), qPrintable(r.error));
    QVERIFY2(!r.error.endsWith(": "), qPrintable(r.error));
    QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void TestUnzipToFolder::linksInTheFolderAreNotFollowed()
{
    QTemporaryDir dir;
    const QString outside = dir.filePath("outside.d64");
    QVERIFY(writeFile(outside, "the user's own file"));
    const QString out = dir.filePath("W");
    QDir().mkpath(out);
    QVERIFY(QFile::link(outside, out + "/elite.d64"));
    QVERIFY(QFile::link(dir.filePath("nowhere"), out + "/INTRO.PRG"));
    const QString zip = dir.filePath("a.zip");
    QVERIFY(zipWithTool(zip, {{"ELITE.D64", "disk"}, {"INTRO.PRG", "intro"}}));

    const UnzipResult r = UnzipToFolder(out, zip);
    QVERIFY2(!r.failed, qPrintable(r.error));
    QCOMPARE(readFile(outside), QByteArray("the user's own file"));
    QVERIFY(!QFile::exists(dir.filePath("nowhere")));
    QVERIFY(!QFileInfo(out + "/elite.d64").isSymLink());
    QVERIFY(!QFileInfo(out + "/INTRO.PRG").isSymLink());
    QCOMPARE(readFile(out + "/elite.d64"), QByteArray("disk"));
    QCOMPARE(readFile(out + "/INTRO.PRG"), QByteArray("intro"));
}

QTEST_GUILESS_MAIN(TestUnzipToFolder)
#include "TestUnzipToFolder.moc"
