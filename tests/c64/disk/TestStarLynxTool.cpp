// starlynx x LYNXFILE OUT.d64, run as a child process with an empty PATH, on Lynx archives made by cbmconvert; the
// disk images it writes are read back by cbmconvert and cc1541.

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/ImageListing.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace c64;
using testsupport::readFile;
using testsupport::writeFile;

class TestStarLynxTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertsArchive();
    void pathsAndDiskName_data();
    void pathsAndDiskName();
    void refusals_data();
    void refusals();
    void failureKeepsOldImage();

private:
    c64test::NamedFiles m_files;
    QByteArray m_archive;
};

void TestStarLynxTool::initTestCase()
{
    QVERIFY2(tooltest::haveProgram(QStringLiteral("cbmconvert")), "cbmconvert is needed for the fixtures");
    QVERIFY2(tooltest::haveProgram(QStringLiteral("cc1541")), "cc1541 is needed to check the images");
    QVERIFY2(QFile::exists(testsupport::toolPath(QStringLiteral("starlynx"))), "starlynx is not staged");
    m_files = {{"game.prg", tooltest::program(0x0801, 40000, 1)},
               {"level1.seq", tooltest::noiseBytes(254 * 3, 2)},
               {"hiscore.usr", tooltest::noiseBytes(17, 3)},
               {"intro.prg", tooltest::program(0x0801, 252, 4)},
               {"music.prg", tooltest::program(0x1000, 4000, 5)}};
    m_archive = c64test::cbmconvertLynx(m_files);
    QVERIFY(!m_archive.isEmpty());
}

void TestStarLynxTool::convertsArchive()
{
    QTemporaryDir work;
    writeFile(work.filePath(QStringLiteral("ARCH.LNX")), m_archive);
    const testsupport::RunResult r = tooltest::runTool(
        QStringLiteral("starlynx"), {QStringLiteral("x"), QStringLiteral("ARCH.LNX"), QStringLiteral("vtrxmkd6.d64")},
        work.path());
    VERIFY_RAN(r);
    QVERIFY(r.out.isEmpty() && r.err.isEmpty());
    QCOMPARE(tooltest::entries(work.path()), QStringList({"ARCH.LNX", "vtrxmkd6.d64"}));
    const QByteArray image = readFile(work.filePath(QStringLiteral("vtrxmkd6.d64")));
    QCOMPARE(image.size(), 174848);

    QString why;
    const QMap<QString, QByteArray> extracted =
        c64test::cbmconvertExtract(QStringLiteral("-d"), image, QStringLiteral("out.d64"), &why);
    QVERIFY2(extracted.size() == m_files.size(), qPrintable(why));
    for (const auto& [name, data] : m_files)
        QVERIFY2(extracted.value(name) == data, qPrintable(name));

    const c64test::Cc1541Listing theirs = c64test::cc1541List(image);
    QCOMPARE(theirs.entries.size(), m_files.size());
    QCOMPARE(theirs.entries[1].name, QStringLiteral("level1"));
    QCOMPARE(theirs.entries[1].type, QStringLiteral("seq"));
    QCOMPARE(theirs.entries[1].blocks, 3);

    const ImageListing listing = listImage(work.filePath(QStringLiteral("vtrxmkd6.d64")));
    QCOMPARE(listing.name, QStringLiteral("ARCH"));
    QCOMPARE(listing.entries.size(), m_files.size());
    QCOMPARE(listing.entries[2], QStringLiteral("HISCORE          USR"));
}

void TestStarLynxTool::pathsAndDiskName_data()
{
    QTest::addColumn<QString>("lynxName");
    QTest::addColumn<QString>("outName");
    QTest::addColumn<QString>("diskName");
    QTest::newRow("plain") << QStringLiteral("elite.lnx") << QStringLiteral("vtrxmkd6.d64") << QStringLiteral("ELITE");
    QTest::newRow("blanks and dots") << QStringLiteral("My Game v1.2.lnx") << QStringLiteral("out file.d64")
                                     << QStringLiteral("MY GAME V1.2");
    QTest::newRow("cut to 16") << QStringLiteral("a very long archive name.lnx") << QStringLiteral("o.d64")
                               << QStringLiteral("A VERY LONG ARCH");
    QTest::newRow("shell characters") << QStringLiteral("$(touch x);'q'.lnx") << QStringLiteral("$(x).d64")
                                      << QStringLiteral("$(TOUCH X);'Q'");
    QTest::newRow("no ending") << QStringLiteral("LYNXFILE") << QStringLiteral("o.d64") << QStringLiteral("LYNXFILE");
}

void TestStarLynxTool::pathsAndDiskName()
{
    QFETCH(QString, lynxName);
    QFETCH(QString, outName);
    QFETCH(QString, diskName);
    // The archive lies elsewhere and is named by its full path; the image goes into the working folder.
    QTemporaryDir source;
    QTemporaryDir work;
    writeFile(source.filePath(lynxName), m_archive);
    VERIFY_RAN(tooltest::runTool(QStringLiteral("starlynx"), {QStringLiteral("x"), source.filePath(lynxName), outName},
                                 work.path()));
    QCOMPARE(tooltest::entries(work.path()), QStringList({outName}));
    QCOMPARE(tooltest::entries(source.path()), QStringList({lynxName}));
    QCOMPARE(listImage(work.filePath(outName)).name, diskName);
}

void TestStarLynxTool::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("archive"); // written as in.lnx
    QTest::addColumn<QString>("reason");
    const QByteArray good = m_archive;
    QByteArray badHeader = good;
    badHeader.replace("*LYNX", "*LINX");
    const QStringList normal{"x", "in.lnx", "out.d64"};

    c64test::NamedFiles tooMany;
    for (int i = 0; i < 145; ++i)
        tooMany.append({QStringLiteral("f%1.prg").arg(i), QByteArray("\x01\x08", 2)});
    const c64test::NamedFiles tooBig{{"a.prg", tooltest::noiseBytes(400 * 254, 1)},
                                     {"b.prg", tooltest::noiseBytes(300 * 254, 2)}};

    QTest::newRow("bad header") << normal << badHeader << QStringLiteral("no Lynx signature");
    QTest::newRow("truncated") << normal << good.chopped(1) << QStringLiteral("ends inside the data of \"MUSIC\"");
    QTest::newRow("cut in the directory") << normal << good.left(150) << QStringLiteral("in.lnx: ");
    QTest::newRow("empty file") << normal << QByteArray() << QStringLiteral("no Lynx directory header");
    QTest::newRow("145 files") << normal << c64test::cbmconvertLynx(tooMany) << QStringLiteral("145 files do not fit");
    QTest::newRow("700 blocks") << normal << c64test::cbmconvertLynx(tooBig) << QStringLiteral("need 700 blocks");
    QTest::newRow("missing archive") << QStringList({"x", "absent.lnx", "out.d64"}) << good
                                     << QStringLiteral("no such file");
}

void TestStarLynxTool::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, archive);
    QFETCH(QString, reason);
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("work"));
    writeFile(QDir(work).filePath(QStringLiteral("in.lnx")), archive);
    QString why;
    QVERIFY2(tooltest::refusedCleanly(QStringLiteral("starlynx"), args, root.path(), reason, &why), qPrintable(why));
}

void TestStarLynxTool::failureKeepsOldImage()
{
    QTemporaryDir work;
    writeFile(work.filePath(QStringLiteral("vtrxmkd6.d64")), "old image");
    writeFile(work.filePath(QStringLiteral("bad.lnx")), m_archive.left(m_archive.size() - 10));
    QVERIFY(!tooltest::succeeded(tooltest::runTool(
        QStringLiteral("starlynx"), {QStringLiteral("x"), QStringLiteral("bad.lnx"), QStringLiteral("vtrxmkd6.d64")},
        work.path())));
    QCOMPARE(readFile(work.filePath(QStringLiteral("vtrxmkd6.d64"))), QByteArray("old image"));
}

QTEST_GUILESS_MAIN(TestStarLynxTool)
#include "TestStarLynxTool.moc"
