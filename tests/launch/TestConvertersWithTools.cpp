// The converters with the real staged tools, on archives made by tools nobody here wrote (cc1541, disk2zip,
// cbmconvert, zip, gzip); cbmconvert reads back what they made.
#include "ArchiveFixtures.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "launch/clsC64Game.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTest>

using namespace testsupport;

class TestConvertersWithTools : public QObject
{
    Q_OBJECT

private slots:
    void convertsWhatTheOraclesMade_data();
    void convertsWhatTheOraclesMade();
};

void TestConvertersWithTools::convertsWhatTheOraclesMade_data()
{
    QTest::addColumn<QString>("make");      // shell commands run in the source folder; archives go to ../Games
    QTest::addColumn<QString>("name");      // the archive
    QTest::addColumn<QString>("image");     // what the converter starts, below the working folder
    QTest::addColumn<QStringList>("files"); // the source files cbmconvert must find in it, in name order
    QTest::addColumn<QString>("same");      // a source file the image must equal byte for byte, or ""
    QTest::newRow("zip-code set becomes the original disk")
        << "cc1541 -n zipped -f game -w game.prg -f intro -w intro.prg orig.d64 && disk2zip orig.d64 COURIER && "
           "zip -q ../Games/SET.ZIP 1!COURIER 2!COURIER 3!COURIER 4!COURIER"
        << "SET.ZIP"
        << "SET.d64" << QStringList{"game.prg", "intro.prg"} << "orig.d64";
    QTest::newRow("raw program becomes a tape") << "zip -q ../Games/NIBBLE.ZIP nibble"
                                                << "NIBBLE.ZIP"
                                                << "NIBBLE.t64" << QStringList{"nibble"} << "";
    QTest::newRow("lynx archive becomes a disk") << "cbmconvert -L ../Games/GARDEN.LNX -n garden intro"
                                                 << "GARDEN.LNX"
                                                 << "GARDEN.d64" << QStringList{"garden", "intro"} << "";
    QTest::newRow("gzipped lynx archive") << "cbmconvert -L garden.lnx -n garden && gzip -c garden.lnx > "
                                             "../Games/GARDEN.GZ"
                                          << "GARDEN.GZ"
                                          << "garden.d64" << QStringList{"garden"} << "";
}

void TestConvertersWithTools::convertsWhatTheOraclesMade()
{
    QFETCH(QString, make);
    QFETCH(QString, name);
    QFETCH(QString, image);
    QFETCH(QStringList, files);
    QFETCH(QString, same);
    TempProgramFolder home;
    const QString games = home.file("Games");
    const QString src = home.file("src");
    const QString work = home.file("CURRGAME");
    QDir().mkpath(games);
    for (const char* t : {"gunzip", "lha", "zip2d64", "starlynx", "maketape"})
        QVERIFY(QFile::link(toolPath(t), home.file(QStringLiteral("Conversion/") + t)));
    const QMap<QString, QByteArray> sources{{"game.prg", programBytes(7, 9000)},
                                            {"intro.prg", programBytes(8, 3000)},
                                            {"nibble", programBytes(9, 4000)},
                                            {"garden", programBytes(4, 5000)},
                                            {"intro", programBytes(5, 700)}};
    for (auto it = sources.begin(); it != sources.end(); ++it)
        QVERIFY(writeFile(src + "/" + it.key(), it.value()));
    const RunResult made = runOracle("sh", {"-c", make}, src);
    QVERIFY2(made.exitCode == 0, made.err.constData());

    clsC64Game game(home.path());
    const ConversionResult r = name.endsWith(".ZIP")  ? game.ConvertZip(games, name, work)
                               : name.endsWith(".GZ") ? game.ConvertGzip(games, name, work)
                                                      : game.ConvertLynx(games, name, work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, work + "/" + image);
    if (!same.isEmpty())
        QCOMPARE(readFile(r.imagePath), readFile(src + "/" + same));

    const QString out = home.file("extracted");
    QDir().mkpath(out);
    const QString option = image.endsWith(".t64") ? "-t" : "-d";
    QCOMPARE(runOracle("cbmconvert", {"-N", option, r.imagePath}, out).exitCode, 0);
    const QStringList found = QDir(out).entryList(QDir::Files, QDir::Name);
    QCOMPARE(found.size(), files.size());
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(readFile(out + "/" + found[i]), sources.value(files[i]));
}

QTEST_GUILESS_MAIN(TestConvertersWithTools)
#include "TestConvertersWithTools.moc"
