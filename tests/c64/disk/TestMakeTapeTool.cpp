// maketape TAPENAME FILE..., run as a child process with an empty PATH; its tapes are read back by cbmconvert.

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/ImageListing.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace c64;
using testsupport::readFile;
using testsupport::writeFile;

class TestMakeTapeTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void makesTapeFromRawFiles();
    void singleFileAsTheLauncherCallsIt();
    void entryNames_data();
    void entryNames();
    void refusals_data();
    void refusals();
    void failureKeepsOldTape();
};

void TestMakeTapeTool::initTestCase()
{
    QVERIFY2(tooltest::haveProgram(QStringLiteral("cbmconvert")), "cbmconvert is needed to check the tapes");
    QVERIFY2(QFile::exists(testsupport::toolPath(QStringLiteral("maketape"))), "maketape is not staged");
}

void TestMakeTapeTool::makesTapeFromRawFiles()
{
    QTemporaryDir work;
    QTemporaryDir elsewhere;
    const QByteArray game = tooltest::program(0x0801, 30000, 1);
    const QByteArray intro = tooltest::program(0x1000, 500, 2);
    const QByteArray text = "\x01\x08hello";
    writeFile(work.filePath(QStringLiteral("game.prg")), game);
    writeFile(work.filePath(QStringLiteral("sub/intro.PRG")), intro);
    writeFile(elsewhere.filePath(QStringLiteral("readme.txt")), text);
    const QStringList before = tooltest::entries(work.path());

    const testsupport::RunResult r =
        tooltest::runTool(QStringLiteral("maketape"),
                          {QStringLiteral("vtrxmktp"), QStringLiteral("game.prg"), QStringLiteral("sub/intro.PRG"),
                           elsewhere.filePath(QStringLiteral("readme.txt"))},
                          work.path());
    VERIFY_RAN(r);
    QVERIFY(r.out.isEmpty() && r.err.isEmpty());
    QCOMPARE(tooltest::entries(work.path()), QStringList(before) << QStringLiteral("vtrxmktp.t64"));
    QCOMPARE(tooltest::entries(elsewhere.path()), QStringList({QStringLiteral("readme.txt")}));

    const QByteArray tape = readFile(work.filePath(QStringLiteral("vtrxmktp.t64")));
    QString why;
    const QMap<QString, QByteArray> extracted =
        c64test::cbmconvertExtract(QStringLiteral("-t"), tape, QStringLiteral("vtrxmktp.t64"), &why);
    QVERIFY2(extracted.size() == 3, qPrintable(why));
    QVERIFY(extracted.value(QStringLiteral("game.prg")) == game);
    QVERIFY(extracted.value(QStringLiteral("intro.prg")) == intro);
    QVERIFY(extracted.value(QStringLiteral("readme.txt.prg")) == text);

    const ImageListing listing = listImage(work.filePath(QStringLiteral("vtrxmktp.t64")));
    QCOMPARE(listing.name, QStringLiteral("VTRXMKTP"));
    QCOMPARE(listing.entries, QStringList({"GAME", "INTRO", "README.TXT"}));
}

void TestMakeTapeTool::singleFileAsTheLauncherCallsIt()
{
    QTemporaryDir work;
    const QByteArray raw = tooltest::program(0x0801, 1000, 3);
    writeFile(work.filePath(QStringLiteral("ELITE")), raw);
    VERIFY_RAN(tooltest::runTool(QStringLiteral("maketape"), {QStringLiteral("vtrxmktp"), QStringLiteral("ELITE")},
                                 work.path()));
    const QMap<QString, QByteArray> extracted = c64test::cbmconvertExtract(
        QStringLiteral("-t"), readFile(work.filePath(QStringLiteral("vtrxmktp.t64"))), QStringLiteral("t.t64"));
    QCOMPARE(extracted.keys(), QStringList({QStringLiteral("elite.prg")}));
    QVERIFY(extracted.first() == raw);
}

void TestMakeTapeTool::entryNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("entry");
    QTest::newRow("lower case") << QStringLiteral("elite") << QStringLiteral("ELITE");
    QTest::newRow(".prg stripped") << QStringLiteral("elite.prg") << QStringLiteral("ELITE");
    QTest::newRow(".PRG stripped") << QStringLiteral("ELITE.PRG") << QStringLiteral("ELITE");
    QTest::newRow("other ending kept") << QStringLiteral("elite.seq") << QStringLiteral("ELITE.SEQ");
    QTest::newRow("cut to 16") << QStringLiteral("a very long file name.prg") << QStringLiteral("A VERY LONG FILE");
    QTest::newRow("shell characters are inert")
        << QStringLiteral("$(touch x); 'q' \"w\"") << QStringLiteral("$(TOUCH X); 'Q'");
    QTest::newRow("only .prg") << QStringLiteral(".prg") << QStringLiteral("");
}

void TestMakeTapeTool::entryNames()
{
    QFETCH(QString, fileName);
    QFETCH(QString, entry);
    QTemporaryDir work;
    writeFile(work.filePath(fileName), tooltest::program(0x0801, 10, 4));
    VERIFY_RAN(tooltest::runTool(QStringLiteral("maketape"), {QStringLiteral("t"), fileName}, work.path()));
    QCOMPARE(listImage(work.filePath(QStringLiteral("t.t64"))).entries, QStringList({entry}));
    QCOMPARE(tooltest::entries(work.path()), QStringList({fileName, QStringLiteral("t.t64")}));
}

void TestMakeTapeTool::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QStringList({"vtrxmktp", "good.prg", "absent.prg"})
                                  << QStringLiteral("absent.prg: no such file");
    QTest::newRow("empty file") << QStringList({"vtrxmktp", "empty.prg"}) << QStringLiteral("too short");
    QTest::newRow("one byte") << QStringList({"vtrxmktp", "one.prg"}) << QStringLiteral("(1 bytes");
    QTest::newRow("folder") << QStringList({"vtrxmktp", "folder"}) << QStringLiteral("no such file");
    QTest::newRow("past $FFFF") << QStringList({"vtrxmktp", "high.prg"})
                                << QStringLiteral("past the end of C64 memory");
    QTest::newRow("tape name with a path")
        << QStringList({"../escape", "good.prg"}) << QStringLiteral("not a plain file name");
    QTest::newRow("tape name empty") << QStringList({"", "good.prg"}) << QStringLiteral("not a plain file name");
}

void TestMakeTapeTool::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reason);
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("work"));
    writeFile(QDir(work).filePath(QStringLiteral("good.prg")), tooltest::program(0x0801, 100, 5));
    writeFile(QDir(work).filePath(QStringLiteral("empty.prg")), QByteArray());
    writeFile(QDir(work).filePath(QStringLiteral("one.prg")), QByteArray(1, '\1'));
    writeFile(QDir(work).filePath(QStringLiteral("high.prg")), tooltest::program(0xE000, 8192, 6));
    QDir(work).mkpath(QStringLiteral("folder"));
    QString why;
    QVERIFY2(tooltest::refusedCleanly(QStringLiteral("maketape"), args, root.path(), reason, &why), qPrintable(why));
}

void TestMakeTapeTool::failureKeepsOldTape()
{
    QTemporaryDir work;
    writeFile(work.filePath(QStringLiteral("vtrxmktp.t64")), "old tape");
    writeFile(work.filePath(QStringLiteral("a.prg")), tooltest::program(0x0801, 10, 7));
    const testsupport::RunResult r =
        tooltest::runTool(QStringLiteral("maketape"),
                          {QStringLiteral("vtrxmktp"), QStringLiteral("a.prg"), QStringLiteral("b.prg")}, work.path());
    QVERIFY(!tooltest::succeeded(r));
    QCOMPARE(readFile(work.filePath(QStringLiteral("vtrxmktp.t64"))), QByteArray("old tape"));

    // A successful run replaces it.
    VERIFY_RAN(tooltest::runTool(QStringLiteral("maketape"), {QStringLiteral("vtrxmktp"), QStringLiteral("a.prg")},
                                 work.path()));
    QCOMPARE(listImage(work.filePath(QStringLiteral("vtrxmktp.t64"))).entries, QStringList({"A"}));
    QCOMPARE(tooltest::entries(work.path()), QStringList({"a.prg", "vtrxmktp.t64"}));
}

QTEST_GUILESS_MAIN(TestMakeTapeTool)
#include "TestMakeTapeTool.moc"
