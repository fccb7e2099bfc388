// The converters with the real staged tools, on archives and images made by tools nobody here wrote.
#include "ArchiveFixtures.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "launch/clsC64Game.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace testsupport;

class TestConvertersWithTools : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void zipCodeSetBecomesTheOriginalDisk();
    void rawProgramBecomesATapeCbmconvertReads();
    void lynxArchiveBecomesADiskCbmconvertReads();
    void gzippedLynxArchiveIsConverted();

private:
    // Extracts every file of a C64 container with cbmconvert into a fresh folder; returns the folder.
    QString extractWithCbmconvert(const QString& option, const QString& container);
    TempProgramFolder* m_home = nullptr;
    QString m_games;
    QString m_src;
    QString m_work;
};

void TestConvertersWithTools::init()
{
    m_home = new TempProgramFolder;
    m_games = m_home->file("Games");
    m_src = m_home->file("src");
    m_work = m_home->file("CURRGAME");
    QDir().mkpath(m_games);
    QDir().mkpath(m_src);
    for (const char* t : {"gunzip", "lha", "zip2d64", "starlynx", "maketape"})
        QVERIFY(QFile::link(toolPath(t), m_home->file(QStringLiteral("Conversion/") + t)));
}

void TestConvertersWithTools::cleanup()
{
    delete m_home;
}

QString TestConvertersWithTools::extractWithCbmconvert(const QString& option, const QString& container)
{
    const QString out = m_home->file("extracted");
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    const RunResult r = runOracle("cbmconvert", {"-N", option, container}, out);
    return r.exitCode == 0 ? out : QString();
}

void TestConvertersWithTools::zipCodeSetBecomesTheOriginalDisk()
{
    QVERIFY(writeFile(m_src + "/game.prg", programBytes(7, 9000)));
    QVERIFY(writeFile(m_src + "/intro.prg", programBytes(8, 3000)));
    QCOMPARE(runOracle("cc1541",
                       {"-n", "zipped", "-f", "game", "-w", "game.prg", "-f", "intro", "-w", "intro.prg", "orig.d64"},
                       m_src)
                 .exitCode,
             0);
    QCOMPARE(runOracle("disk2zip", {"orig.d64", "COURIER"}, m_src).exitCode, 0);
    QCOMPARE(runOracle("sh", {"-c", "zip -q ../Games/SET.ZIP 1!COURIER 2!COURIER 3!COURIER 4!COURIER"}, m_src).exitCode,
             0);
    clsC64Game game(m_home->path());
    const ConversionResult r = game.ConvertZip(m_games, "SET.ZIP", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, m_work + "/SET.d64");
    QCOMPARE(readFile(r.imagePath), readFile(m_src + "/orig.d64"));
    const c64::ImageListing listing = clsC64Game::ListImage(r.imagePath);
    QCOMPARE(listing.name, QStringLiteral("ZIPPED"));
    QCOMPARE(listing.entries.size(), 2);
}

void TestConvertersWithTools::rawProgramBecomesATapeCbmconvertReads()
{
    QVERIFY(zipWithTool(m_games + "/NIBBLE.ZIP", {{"nibble", programBytes(9, 4000)}}));
    clsC64Game game(m_home->path());
    const ConversionResult r = game.ConvertZip(m_games, "NIBBLE.ZIP", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, m_work + "/NIBBLE.t64");
    const QString out = extractWithCbmconvert("-t", r.imagePath);
    QVERIFY(!out.isEmpty());
    const QStringList files = QDir(out).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QCOMPARE(readFile(out + "/" + files.first()), programBytes(9, 4000));
}

void TestConvertersWithTools::lynxArchiveBecomesADiskCbmconvertReads()
{
    QVERIFY(writeFile(m_src + "/garden", programBytes(4, 5000)));
    QVERIFY(writeFile(m_src + "/intro", programBytes(5, 700)));
    QCOMPARE(runOracle("cbmconvert", {"-L", "../Games/GARDEN.LNX", "-n", "garden", "intro"}, m_src).exitCode, 0);
    clsC64Game game(m_home->path());
    const ConversionResult r = game.ConvertLynx(m_games, "GARDEN.LNX", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, m_work + "/GARDEN.d64");
    const QString out = extractWithCbmconvert("-d", r.imagePath);
    QVERIFY(!out.isEmpty());
    QCOMPARE(QDir(out).entryList(QDir::Files).size(), 2);
    QCOMPARE(readFile(out + "/garden.prg"), programBytes(4, 5000));
    QCOMPARE(readFile(out + "/intro.prg"), programBytes(5, 700));
}

void TestConvertersWithTools::gzippedLynxArchiveIsConverted()
{
    QVERIFY(writeFile(m_src + "/garden", programBytes(4, 5000)));
    QCOMPARE(runOracle("cbmconvert", {"-L", "garden.lnx", "-n", "garden"}, m_src).exitCode, 0);
    QCOMPARE(runOracle("sh", {"-c", "gzip -c garden.lnx > ../Games/GARDEN.GZ"}, m_src).exitCode, 0);
    clsC64Game game(m_home->path());
    const ConversionResult r = game.ConvertGzip(m_games, "GARDEN.GZ", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, m_work + "/garden.d64");
    QVERIFY(r.report.startsWith("garden.lnx...\r\n\r\nGZ CONTENTS:"));
}

QTEST_GUILESS_MAIN(TestConvertersWithTools)
#include "TestConvertersWithTools.moc"
