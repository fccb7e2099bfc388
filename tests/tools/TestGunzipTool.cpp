// gunzip -d -q FILE, run with an empty PATH on files made by the real gzip.

#include "TestFolders.h"
#include "ToolTestHelpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testsupport::readFile;
using testsupport::writeFile;
using namespace tooltest;

class TestGunzipTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void restoresStoredName_data();
    void restoresStoredName();
    void stripsSuffixWithoutStoredName_data();
    void stripsSuffixWithoutStoredName();
    void refusesUnknownSuffix();
    void storedNameCannotLeaveFolder_data();
    void storedNameCannotLeaveFolder();
    void joinedMembersAndPadding();
    void neverReplacesWhatIsThere_data();
    void neverReplacesWhatIsThere();
    void refusesOutputBeyondTheLimit();
    void refusesTruncated_data();
    void refusesTruncated();
    void refusesDamaged_data();
    void refusesDamaged();
    void refusesJunk_data();
    void refusesJunk();
    void refusesNestedGzip();
    void usageErrors_data();
    void usageErrors();
    void refusesMissingFileAndFolder();

private:
    // What the real gzip makes of data kept in a file called name; with storeName false no name is kept (-n).
    QByteArray gzipOf(const QByteArray& data, const QString& name, bool storeName = true);
    // Runs gunzip on a file that must be refused and checks that it stayed alone and unchanged.
    void expectRefused(const QString& fileName, const QByteArray& bytes, const QString& reasonPart = {});
};

namespace {

// gzip output without a stored name, given one: the FNAME flag set and the name put after the fixed header.
QByteArray withStoredName(QByteArray gz, const QByteArray& name)
{
    gz[3] = static_cast<char>(gz[3] | 0x08);
    gz.insert(10, name + '\0');
    return gz;
}

} // namespace

void TestGunzipTool::initTestCase()
{
    QVERIFY2(haveProgram(QStringLiteral("gzip")), "the gzip program is needed to make the fixtures");
    QVERIFY2(QFile::exists(testsupport::toolPath(QStringLiteral("gunzip"))), "gunzip is not staged");
}

QByteArray TestGunzipTool::gzipOf(const QByteArray& data, const QString& name, bool storeName)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(name), data);
    QStringList args{QStringLiteral("-c")};
    if (!storeName)
        args << QStringLiteral("-n");
    const testsupport::RunResult r = oracle(QStringLiteral("gzip"), args << name, dir.path());
    return succeeded(r) ? r.out : QByteArray();
}

void TestGunzipTool::expectRefused(const QString& fileName, const QByteArray& bytes, const QString& reasonPart)
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(fileName), bytes));
    const testsupport::RunResult r =
        runTool(QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), fileName}, dir.path());
    QString why;
    QVERIFY2(isCleanFailure(r, QStringLiteral("gunzip"), &why), qPrintable(why));
    if (!reasonPart.isEmpty())
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(reasonPart), r.err.constData());
    QCOMPARE(entries(dir.path()), QStringList{fileName});
    QCOMPARE(readFile(dir.filePath(fileName)), bytes);
}

void TestGunzipTool::restoresStoredName_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("archiveName");
    QTest::newRow("small program") << textBytes(20) << "elite.prg"
                                   << "ELITE.GZ";
    QTest::newRow("empty file") << QByteArray() << "empty.prg"
                                << "EMPTY.GZ";
    QTest::newRow("incompressible image") << noiseBytes(200000, 1) << "game.d64"
                                          << "GAME.GZ";
    QTest::newRow("large text") << textBytes(12000) << "notes.txt"
                                << "notes.txt.gz";
}

void TestGunzipTool::restoresStoredName()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, storedName);
    QFETCH(QString, archiveName);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(archiveName), gzipOf(content, storedName)));

    const testsupport::RunResult r =
        runTool(QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), archiveName}, dir.path());
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err.constData());
    QCOMPARE(entries(dir.path()), QStringList{storedName});
    QCOMPARE(readFile(dir.filePath(storedName)), content);
}

void TestGunzipTool::stripsSuffixWithoutStoredName_data()
{
    QTest::addColumn<QString>("archiveName");
    QTest::addColumn<QString>("expected");
    QTest::newRow(".GZ") << "GAME.GZ"
                         << "GAME";
    QTest::newRow(".gz") << "game.prg.gz"
                         << "game.prg";
    QTest::newRow(".z") << "game.z"
                        << "game";
    QTest::newRow("-GZ") << "Game-GZ"
                         << "Game";
    QTest::newRow("-z") << "game-z"
                        << "game";
    QTest::newRow("_Z") << "game_Z"
                        << "game";
    QTest::newRow(".tgz") << "demo.tgz"
                          << "demo.tar";
    QTest::newRow(".TAZ") << "DEMO.TAZ"
                          << "DEMO.tar";
}

void TestGunzipTool::stripsSuffixWithoutStoredName()
{
    QFETCH(QString, archiveName);
    QFETCH(QString, expected);
    const QByteArray content = textBytes(50);
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    QVERIFY(writeFile(dir.filePath(archiveName), gzipOf(content, QStringLiteral("x"), false)));

    // Called with a full path from another folder, as the launcher does: the output lands beside the file.
    const testsupport::RunResult r =
        runTool(QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), dir.filePath(archiveName)},
                elsewhere.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(entries(dir.path()), QStringList{expected});
    QCOMPARE(readFile(dir.filePath(expected)), content);
    QCOMPARE(entries(elsewhere.path()), QStringList());
}

void TestGunzipTool::refusesUnknownSuffix()
{
    expectRefused(QStringLiteral("game.bin"), gzipOf(textBytes(5), QStringLiteral("x"), false),
                  QStringLiteral("unknown suffix"));
}

void TestGunzipTool::storedNameCannotLeaveFolder_data()
{
    QTest::addColumn<QByteArray>("storedName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("parent folders") << QByteArray("../../evil.prg") << "evil.prg";
    QTest::newRow("absolute path") << QByteArray("/tmp/evil.prg") << "evil.prg";
    QTest::newRow("DOS parent folders") << QByteArray("..\\..\\evil.prg") << "evil.prg";
    QTest::newRow("DOS drive and folder") << QByteArray("C:\\GAMES\\ELITE.PRG") << "ELITE.PRG";
    QTest::newRow("dot dot") << QByteArray("..") << "x";
    QTest::newRow("dot") << QByteArray(".") << "x";
    QTest::newRow("folder only") << QByteArray("games/") << "x";
    QTest::newRow("the archive itself") << QByteArray("x.gz") << "x";
    QTest::newRow("control character") << QByteArray("bad\nname") << "x";
}

void TestGunzipTool::storedNameCannotLeaveFolder()
{
    QFETCH(QByteArray, storedName);
    QFETCH(QString, expected);
    const QByteArray content = textBytes(30);
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("a/b/work"));
    QVERIFY(writeFile(work + QStringLiteral("/x.gz"),
                      withStoredName(gzipOf(content, QStringLiteral("x"), false), storedName)));

    const testsupport::RunResult r =
        runTool(QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), QStringLiteral("x.gz")}, work);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QCOMPARE(entries(work), QStringList{expected});
    QCOMPARE(readFile(work + QLatin1Char('/') + expected), content);
    QCOMPARE(entries(root.filePath(QStringLiteral("a"))), QStringList{QStringLiteral("b")});
    QCOMPARE(entries(root.filePath(QStringLiteral("a/b"))), QStringList{QStringLiteral("work")});
}

void TestGunzipTool::joinedMembersAndPadding()
{
    const QByteArray first = textBytes(400);
    const QByteArray second = noiseBytes(70000, 2);
    const QByteArray joined = gzipOf(first, QStringLiteral("first.prg")) + gzipOf(second, QStringLiteral("second"));
    {
        // Like gzip, members joined with cat decode one after the other, under the first member's name.
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("J.GZ")), joined));
        const testsupport::RunResult r = runTool(
            QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), QStringLiteral("J.GZ")}, dir.path());
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("first.prg")});
        QCOMPARE(readFile(dir.filePath(QStringLiteral("first.prg"))), first + second);
    }
    {
        // Zero bytes after the data, as block-based copies leave them, are ignored.
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("P.GZ")), joined + QByteArray(700, '\0')));
        const testsupport::RunResult r = runTool(
            QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), QStringLiteral("P.GZ")}, dir.path());
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("first.prg"))), first + second);
    }
    // Anything else after the data is refused (gzip only warns about it).
    expectRefused(QStringLiteral("T.GZ"), gzipOf(first, QStringLiteral("first.prg")) + "trailing garbage");
    // A member whose checksum does not cover its part of the joined output.
    QByteArray damaged = joined;
    const qsizetype firstSize = gzipOf(first, QStringLiteral("first.prg")).size();
    damaged[firstSize - 7] = static_cast<char>(damaged[firstSize - 7] ^ 0x01);
    expectRefused(QStringLiteral("D.GZ"), damaged);
}

void TestGunzipTool::neverReplacesWhatIsThere_data()
{
    QTest::addColumn<QString>("existing");
    QTest::newRow("file") << "file";
    QTest::newRow("folder") << "folder";
    QTest::newRow("link to a file outside") << "link";
    QTest::newRow("dangling link") << "dangling";
}

// The program empties the working folder before it unpacks, so a file of the output's name was not made by this
// archive: it is neither replaced nor followed.
void TestGunzipTool::neverReplacesWhatIsThere()
{
    QFETCH(QString, existing);
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("W"));
    const QString target = work + QStringLiteral("/elite.prg");
    const QString outside = dir.filePath(QStringLiteral("outside.prg"));
    QVERIFY(writeFile(outside, "the user's own file"));
    const QByteArray gz = gzipOf(textBytes(10), QStringLiteral("elite.prg"));
    QVERIFY(writeFile(work + QStringLiteral("/E.GZ"), gz));
    if (existing == QLatin1String("file"))
        QVERIFY(writeFile(target, "old"));
    else if (existing == QLatin1String("folder"))
        QVERIFY(QDir(work).mkdir(QStringLiteral("elite.prg")));
    else
        QVERIFY(
            QFile::link(existing == QLatin1String("link") ? outside : dir.filePath(QStringLiteral("nowhere")), target));

    const testsupport::RunResult r =
        runTool(QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), QStringLiteral("E.GZ")}, work);
    QString why;
    QVERIFY2(isCleanFailure(r, QStringLiteral("gunzip"), &why), qPrintable(why));
    QVERIFY2(r.err.contains("elite.prg already exists"), r.err.constData());
    QCOMPARE(entries(work), (QStringList{QStringLiteral("E.GZ"), QStringLiteral("elite.prg")}));
    QCOMPARE(readFile(work + QStringLiteral("/E.GZ")), gz);
    QCOMPARE(readFile(outside), QByteArray("the user's own file"));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
    if (existing == QLatin1String("file"))
        QCOMPARE(readFile(target), QByteArray("old"));
}

void TestGunzipTool::refusesOutputBeyondTheLimit()
{
    // 64 MB and one byte of zeros: a C64 game is never that large, and the gzip file is tiny.
    const QByteArray gz = gzipOf(QByteArray(64 * 1024 * 1024 + 1, '\0'), QStringLiteral("zeros.prg"));
    QVERIFY(!gz.isEmpty() && gz.size() < 1024 * 1024);
    expectRefused(QStringLiteral("ZEROS.GZ"), gz, QStringLiteral("more than 64 MB"));
}

void TestGunzipTool::refusesTruncated_data()
{
    QTest::addColumn<int>("cutFromEnd");
    QTest::addColumn<int>("keep");
    // keep >= 0 keeps that many bytes from the start; otherwise cutFromEnd bytes go from the end.
    QTest::newRow("inside the header") << 0 << 6;
    QTest::newRow("right after the header") << 0 << 10;
    QTest::newRow("inside the data") << 0 << 40000;
    QTest::newRow("trailer missing") << 8 << -1;
    QTest::newRow("trailer half there") << 3 << -1;
    QTest::newRow("last byte missing") << 1 << -1;
}

void TestGunzipTool::refusesTruncated()
{
    QFETCH(int, cutFromEnd);
    QFETCH(int, keep);
    const QByteArray gz = gzipOf(noiseBytes(100000, 3), QStringLiteral("game.d64"));
    expectRefused(QStringLiteral("GAME.GZ"), keep >= 0 ? gz.left(keep) : gz.left(gz.size() - cutFromEnd));
}

void TestGunzipTool::refusesDamaged_data()
{
    QTest::addColumn<bool>("compressible");
    QTest::addColumn<int>("fromEnd");
    QTest::newRow("CRC in the trailer") << false << 6;
    QTest::newRow("length in the trailer") << false << 2;
    QTest::newRow("stored block data") << false << 50000;
    QTest::newRow("compressed data") << true << 3000;
}

void TestGunzipTool::refusesDamaged()
{
    QFETCH(bool, compressible);
    QFETCH(int, fromEnd);
    QByteArray gz = gzipOf(compressible ? textBytes(3000) : noiseBytes(100000, 4), QStringLiteral("game.prg"));
    QVERIFY(gz.size() > fromEnd);
    gz[gz.size() - fromEnd] = static_cast<char>(gz[gz.size() - fromEnd] ^ 0x20);
    expectRefused(QStringLiteral("GAME.GZ"), gz);
}

void TestGunzipTool::refusesJunk_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("random bytes") << noiseBytes(5000, 5);
    QTest::newRow("text") << QByteArray("10 PRINT \"HELLO\"\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("zip signature") << QByteArray("PK\x03\x04") + noiseBytes(300, 6);
    QTest::newRow("gzip magic alone") << QByteArray("\x1f\x8b");
    QTest::newRow("unknown method") << QByteArray("\x1f\x8b\x07\x00\x00\x00\x00\x00\x00\x03", 10) + noiseBytes(50, 7);
}

void TestGunzipTool::refusesJunk()
{
    QFETCH(QByteArray, bytes);
    expectRefused(QStringLiteral("junk.gz"), bytes);
}

void TestGunzipTool::refusesNestedGzip()
{
    // gunzip would leave the inner .gz; libarchive would unpack both layers, so the tool refuses instead.
    const QByteArray inner = gzipOf(textBytes(10), QStringLiteral("game.prg"));
    expectRefused(QStringLiteral("GAME.GZ"), gzipOf(inner, QStringLiteral("game.prg.gz")),
                  QStringLiteral("gzip data inside gzip data"));
}

void TestGunzipTool::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("options only") << QStringList{"-d", "-q"};
    QTest::newRow("two files") << QStringList{"-d", "-q", "a.gz", "b.gz"};
    QTest::newRow("unknown option") << QStringList{"-x", "a.gz"};
}

void TestGunzipTool::usageErrors()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.gz")), gzipOf("data", QStringLiteral("a"))));
    const testsupport::RunResult r = runTool(QStringLiteral("gunzip"), args, dir.path());
    QString why;
    QVERIFY2(isUsageFailure(r, QStringLiteral("gunzip"), &why), qPrintable(why));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("a.gz")});
}

void TestGunzipTool::refusesMissingFileAndFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.gz")));
    for (const QString& name : {QStringLiteral("missing.gz"), QStringLiteral("folder.gz")}) {
        const testsupport::RunResult r =
            runTool(QStringLiteral("gunzip"), {QStringLiteral("-d"), QStringLiteral("-q"), name}, dir.path());
        QString why;
        QVERIFY2(isCleanFailure(r, QStringLiteral("gunzip"), &why), qPrintable(name + QStringLiteral(": ") + why));
    }
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("folder.gz")});
}

QTEST_GUILESS_MAIN(TestGunzipTool)
#include "TestGunzipTool.moc"
