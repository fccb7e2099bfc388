#include "ArchiveFixtures.h"
#include "ProcessRunner.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "launch/clsC64Game.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace testsupport;

namespace {

const QString kDashes = QString(50, '-');

QString report(const QString& lead, const QString& second, const QString& header, const QStringList& listing)
{
    QString out = lead + "\r\n\r\n";
    if (!second.isEmpty())
        out += second + "\r\n\r\n";
    out += header + "\r\n" + kDashes + "\r\n";
    for (const QString& l : listing)
        out += l + "\r\n";
    return out + kDashes;
}

// Bytes that do not compress, so a ZIP of them needs as much room to unpack as they take.
QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(11);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

QStringList logOf(const QString& toolPath)
{
    QStringList lines = QString::fromUtf8(readFile(toolPath + ".log")).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestArchiveConverters : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void archiveNamedFileBeatsTheCount();
    void singleGameFileTakesTheArchiveName();
    void severalGameFilesAskForARename();
    void zipCodeSetGoesThroughZip2D64();
    void rawFilesGoThroughMakeTape();
    void toolFailuresAndMissingToolsAreReported();
    void foldersInsideTheZipAreDropped();
    void damagedZipLeavesNoWorkFolder();
    void gzipWithOneProgramStartsIt();
    void gzipWithOtherFilesBecomesATape();
    void damagedGzipIsNotTurnedIntoATape();
    void winzipUnpacksGzipWhenConfigured();
    void lhaArchivesAreUnpackedWithLha();
    void lynxFilesGoThroughStarLynx();
    void oddNamesReachToolsUntouched();
    void workFolderFailuresNameTheFolder_data();
    void workFolderFailuresNameTheFolder();

private:
    QString archive(const QString& name) const { return m_games + "/" + name; }
    QString tool(const QString& name) const { return m_home->file("Conversion/" + name); }
    TempProgramFolder* m_home = nullptr;
    QString m_games;
    QString m_work;
    clsC64Game* m_game = nullptr;
};

void TestArchiveConverters::init()
{
    m_home = new TempProgramFolder;
    m_games = m_home->file("Games Folder");
    m_work = m_home->file("CURRGAME");
    QDir().mkpath(m_games);
    for (const char* t : {"gunzip", "lha"})
        QVERIFY(QFile::link(toolPath(t), tool(QString::fromLatin1(t))));
    // Stand-ins for the converters: they log their arguments and make their output from the input.
    QVERIFY(writeFakeTool(m_home->file("Conversion"), "maketape", "cat \"$2\" > vtrxmktp.t64"));
    QVERIFY(writeFakeTool(m_home->file("Conversion"), "zip2d64", "cat 1!* > \"$2\""));
    QVERIFY(writeFakeTool(m_home->file("Conversion"), "starlynx", "cat \"$2\" > \"$3\""));
    m_game = new clsC64Game(m_home->path());
}

void TestArchiveConverters::cleanup()
{
    delete m_game;
    delete m_home;
}

void TestArchiveConverters::archiveNamedFileBeatsTheCount()
{
    QVERIFY(writeFile(m_work + "/stale.prg", "left from the last game"));
    QVERIFY(zipWithTool(archive("ELITE.ZIP"), {{"ELITE.D64", "disk"}, {"INTRO.PRG", programBytes(1)}}));
    const ConversionResult r = m_game->ConvertZip(m_games, "ELITE.ZIP", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/ELITE.D64");
    QCOMPARE(r.report, report("ELITE.ZIP...", "", "ZIP CONTENTS:", {"ELITE.D64", "INTRO.PRG"}));
    QVERIFY(!QFile::exists(m_work + "/stale.prg")); // the working folder starts empty
}

void TestArchiveConverters::singleGameFileTakesTheArchiveName()
{
    QVERIFY(zipWithTool(archive("GAMES.ZIP"), {{"A.T64", "tape"}}));
    const ConversionResult r = m_game->ConvertZip(m_games, "GAMES.ZIP", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/GAMES.T64");
    QCOMPARE(readFile(r.imagePath), QByteArray("tape"));
    QCOMPARE(QDir(m_work).entryList(QDir::Files), QStringList({"GAMES.T64"}));
}

void TestArchiveConverters::severalGameFilesAskForARename()
{
    QVERIFY(zipWithTool(archive("GAMES.ZIP"), {{"A.D64", "a"}, {"B.D64", "b"}}));
    ArchiveHandover seen;
    m_game->setRenameDialog([&seen](ArchiveHandover& h) { seen = h; }); // the user cancels
    ConversionResult r = m_game->ConvertZip(m_games, "GAMES.ZIP", m_work);
    QVERIFY(!r.ok);
    QCOMPARE(seen.ArchiveWorkFolder, m_work);
    QCOMPARE(seen.ArchiveFolder, m_games);
    QCOMPARE(seen.ArchiveName, QStringLiteral("GAMES.ZIP"));
    QVERIFY(seen.ArchiveRenameCancelled);
    QCOMPARE(r.report, report("This Zip file contains more than 1 compatible game-file.",
                              "Try renaming the Zip-file to the game-file you wish to boot off.",
                              "ZIP CONTENTS:", {"A.D64", "B.D64"}));

    m_game->setRenameDialog([](ArchiveHandover& h) { // the user picks B.D64
        QFile::rename(h.ArchiveFolder + "/" + h.ArchiveName, h.ArchiveFolder + "/B.ZIP");
        h.ArchiveName = "B.ZIP";
        h.ArchiveRenameCancelled = false;
    });
    r = m_game->ConvertZip(m_games, "GAMES.ZIP", m_work);
    QVERIFY(r.ok);
    QVERIFY(r.imagePath.isEmpty());
    QVERIFY(r.report.startsWith("B.ZIP...\r\n"));
    // Converted again under its new name, the archive now starts the file it is named after.
    r = m_game->ConvertZip(m_games, "B.ZIP", m_work);
    QCOMPARE(r.imagePath, m_work + "/B.D64");
}

void TestArchiveConverters::zipCodeSetGoesThroughZip2D64()
{
    QVERIFY(zipWithTool(archive("SET.ZIP"),
                        {{"1!GAME", "one"}, {"2!GAME", "two"}, {"3!GAME", "three"}, {"4!GAME", "four"}}));
    QStringList statuses;
    m_game->setStatusHook([&statuses](const QString& s) { statuses << s; });
    ConversionResult r = m_game->ConvertZip(m_games, "SET.ZIP", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/SET.d64");
    QCOMPARE(readFile(r.imagePath), QByteArray("one"));
    QCOMPARE(logOf(tool("zip2d64")), QStringList({m_work, "GAME", "vtrxtz2d.d64"}));
    QCOMPARE(statuses, QStringList({"CONVERTING TO D64..."}));
    QCOMPARE(r.report, report("SET.ZIP...", "", "ZIP CONTENTS:", {"SET.d64"}));

    QVERIFY(zipWithTool(archive("TWO.ZIP"), {{"1!GAME", "1"}, {"2!GAME", "2"}, {"1!OTHER", "1"}}));
    r = m_game->ConvertZip(m_games, "TWO.ZIP", m_work);
    QVERIFY(!r.ok);
    QVERIFY(r.report.startsWith("This Zip file contains more than 1 set of .Z64 archives.  Only Zip-files with 1 set "
                                "of Z64 archives are allowed in vintrax .\r\n"));
}

void TestArchiveConverters::rawFilesGoThroughMakeTape()
{
    QVERIFY(zipWithTool(archive("GAME.ZIP"), {{"README.TXT", "raw"}}));
    ConversionResult r = m_game->ConvertZip(m_games, "GAME.ZIP", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/GAME.t64");
    QCOMPARE(readFile(r.imagePath), QByteArray("raw"));
    QCOMPARE(logOf(tool("maketape")), QStringList({m_work, "vtrxmktp", "README.TXT"}));

    QVERIFY(zipWithTool(archive("TWO.ZIP"), {{"GAME", "a"}, {"README.TXT", "b"}}));
    r = m_game->ConvertZip(m_games, "TWO.ZIP", m_work);
    QVERIFY(!r.ok);
    QCOMPARE(r.report,
             report("This ZIP file contains more than 1 Raw C64 file.",
                    "vintrax supports ZIP files containing only 1 Raw file.", "ZIP CONTENTS:", {"GAME", "README.TXT"}));
}

void TestArchiveConverters::toolFailuresAndMissingToolsAreReported()
{
    QVERIFY(zipWithTool(archive("GAME.ZIP"), {{"GAME", "raw"}}));
    QVERIFY(writeFakeTool(m_home->file("Conversion"), "maketape", "exit 0")); // runs, makes nothing
    ConversionResult r = m_game->ConvertZip(m_games, "GAME.ZIP", m_work);
    QVERIFY(!r.ok);
    QCOMPARE(r.report, report("This ZIP file contains a Raw C64 file.",
                              "vintrax encountered an error when running MAKETAPE.EXE to convert it to a T64 file.",
                              "ZIP CONTENTS:", {"GAME"}));
    QFile::remove(tool("maketape"));
    r = m_game->ConvertZip(m_games, "GAME.ZIP", m_work);
    QVERIFY(r.report.startsWith("This ZIP file contains a Raw C64 file.  vintrax could not find MAKETAPE.EXE in your "
                                "Conversion Folder.\r\n\r\nZIP CONTENTS:"));

    QVERIFY(zipWithTool(archive("SET.ZIP"), {{"1!GAME", "1"}}));
    QFile::remove(tool("zip2d64"));
    r = m_game->ConvertZip(m_games, "SET.ZIP", m_work);
    QVERIFY(r.report.startsWith("This Zip file contains Zip-Coded archives.  vintrax could not find ZIP2D64.EXE in "
                                "your Conversion Folder.\r\n"));

    // A tool's output name already in the archive must not pass for the tool's work.
    QVERIFY(writeFakeTool(m_home->file("Conversion"), "zip2d64", "exit 1"));
    QVERIFY(zipWithTool(archive("SET.ZIP"), {{"1!GAME", "1"}, {"vtrxtz2d.d64x", "decoy"}}));
    r = m_game->ConvertZip(m_games, "SET.ZIP", m_work);
    QVERIFY(!r.ok);
    QVERIFY(r.report.startsWith("This Zip file contains Zip-Coded archives.\r\n\r\nvintrax encountered an error when "
                                "running Zip2D64.EXE to uncompress them to a D64 file.\r\n"));

    QVERIFY(writeZipWithNames(archive("EMPTY.ZIP"), {}));
    r = m_game->ConvertZip(m_games, "EMPTY.ZIP", m_work);
    QCOMPARE(r.report, report("This Zip-File is not compatible with vintrax.", "", "ZIP CONTENTS:", {}));
    QVERIFY(!QDir(m_work).exists());
}

void TestArchiveConverters::foldersInsideTheZipAreDropped()
{
    QVERIFY(zipWithTool(archive("ELITE.ZIP"), {{"GAMES/ELITE.D64", "disk"}, {"GAMES/EXTRA/INTRO.PRG", "intro"}}));
    const ConversionResult r = m_game->ConvertZip(m_games, "ELITE.ZIP", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/ELITE.D64");
}

void TestArchiveConverters::damagedZipLeavesNoWorkFolder()
{
    QVERIFY(zipWithTool(archive("BAD.ZIP"), {{"BAD.D64", QByteArray(50000, 'q') + programBytes(3, 30000)}}));
    QByteArray bytes = readFile(archive("BAD.ZIP"));
    QVERIFY(writeFile(archive("BAD.ZIP"), bytes.left(bytes.size() / 2)));
    const ConversionResult r = m_game->ConvertZip(m_games, "BAD.ZIP", m_work);
    QVERIFY(!r.ok);
    QVERIFY(m_game->UnzipFailed);
    // The cause follows as the second text.
    QVERIFY2(r.report.startsWith("Error Unzipping.  This Zip-file maybe corrupt.\r\n\r\ncannot "),
             qPrintable(r.report));
    QVERIFY(r.report.contains("\r\n\r\nZIP CONTENTS:"));
    QVERIFY(!QDir(m_work).exists());
}

void TestArchiveConverters::gzipWithOneProgramStartsIt()
{
    QVERIFY(writeFile(m_games + "/source/GAME.PRG", programBytes(5)));
    RunResult g = runOracle("sh", {"-c", "gzip -c GAME.PRG > '../GAME.GZ'"}, m_games + "/source");
    QCOMPARE(g.exitCode, 0);
    const ConversionResult r = m_game->ConvertGzip(m_games, "GAME.GZ", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, m_work + "/GAME.PRG");
    QCOMPARE(readFile(r.imagePath), programBytes(5));
    QCOMPARE(r.report, report("GAME.GZ...", "", "GZ CONTENTS:", {"GAME.PRG"}));
    QVERIFY(!QFile::exists(m_work + "/GAME.GZ"));
}

void TestArchiveConverters::gzipWithOtherFilesBecomesATape()
{
    // Only programs and Lynx files are looked for before the single-file rule: a disk image becomes a tape.
    QVERIFY(writeFile(m_games + "/source/ELITE.D64", "disk"));
    QCOMPARE(runOracle("sh", {"-c", "gzip -c ELITE.D64 > ../ELITE.GZ"}, m_games + "/source").exitCode, 0);
    const ConversionResult r = m_game->ConvertGzip(m_games, "ELITE.GZ", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/ELITE.t64");
    QCOMPARE(logOf(tool("maketape")), QStringList({m_work, "vtrxmktp", "ELITE.D64"}));
}

void TestArchiveConverters::damagedGzipIsNotTurnedIntoATape()
{
    QVERIFY(writeFile(m_games + "/source/GAME.PRG", programBytes(5, 20000)));
    QCOMPARE(runOracle("sh", {"-c", "gzip -c GAME.PRG > ../GAME.GZ"}, m_games + "/source").exitCode, 0);
    const QByteArray gz = readFile(m_games + "/GAME.GZ");
    QVERIFY(writeFile(m_games + "/GAME.GZ", gz.left(gz.size() - 30)));
    const ConversionResult r = m_game->ConvertGzip(m_games, "GAME.GZ", m_work);
    QVERIFY(!r.ok);
    QVERIFY(r.report.startsWith("Error Unzipping.  This GZ-file maybe corrupt.\r\n"));
    QVERIFY(!QFile::exists(tool("maketape") + ".log"));
    QCOMPARE(readFile(m_games + "/GAME.GZ").size(), gz.size() - 30); // the user's archive is untouched
}

void TestArchiveConverters::winzipUnpacksGzipWhenConfigured()
{
    QVERIFY(writeFile(m_games + "/GAME.GZ", "not really gzip"));
    const QString winzip = m_home->file("WinZip/winzip32");
    QVERIFY(writeFakeTool(m_home->file("WinZip"), "winzip32", "printf prg > \"$3/GAME.PRG\""));
    m_game->setWinzipPath(winzip);
    const ConversionResult r = m_game->ConvertGzip(m_games, "GAME.GZ", m_work);
    QVERIFY(r.ok);
    QCOMPARE(logOf(winzip), QStringList({m_work, "-e", m_work + "/GAME.GZ", m_work}));
    QVERIFY(!QFile::exists(m_work + "/GAME.GZ"));
    QCOMPARE(r.imagePath, m_work + "/GAME.PRG");
}

void TestArchiveConverters::lhaArchivesAreUnpackedWithLha()
{
    const QString src = m_games + "/source";
    QVERIFY(writeFile(src + "/GAME.D64", QByteArray(174848, 'd')));
    QVERIFY(writeFile(src + "/INTRO.PRG", programBytes(2)));
    RunResult made = runOracle("jlha", {"a", "../GAME.LHA", "GAME.D64", "INTRO.PRG"}, src);
    QCOMPARE(made.exitCode, 0);
    ConversionResult r = m_game->ConvertLha(m_games, "GAME.LHA", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(r.imagePath, m_work + "/GAME.D64");
    QCOMPARE(readFile(r.imagePath), QByteArray(174848, 'd'));
    // The archive copy lies in the working folder while the cascade runs; the listing leaves it out.
    QCOMPARE(r.report, report("GAME.LHA...", "", "LHA/LZH CONTENTS:", {"GAME.D64", "INTRO.PRG"}));

    QVERIFY(writeFile(src + "/NOTES.TXT", "notes"));
    QCOMPARE(runOracle("jlha", {"a", "../RAW.LZH", "NOTES.TXT"}, src).exitCode, 0);
    r = m_game->ConvertLha(m_games, "RAW.LZH", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/RAW.t64");
    QCOMPARE(logOf(tool("maketape")), QStringList({m_work, "vtrxmktp", "NOTES.TXT"}));
    QVERIFY(!QFile::exists(m_work + "/RAW.LZH"));
}

void TestArchiveConverters::lynxFilesGoThroughStarLynx()
{
    QVERIFY(writeFile(m_games + "/GARDEN.LNX", "lynx"));
    ConversionResult r = m_game->ConvertLynx(m_games, "GARDEN.LNX", m_work);
    QVERIFY(r.ok);
    QCOMPARE(r.imagePath, m_work + "/GARDEN.d64");
    QCOMPARE(logOf(tool("starlynx")), QStringList({m_work, "x", m_games + "/GARDEN.LNX", "vtrxmkd6.d64"}));
    QCOMPARE(r.report, report("GARDEN.LNX...", "", "LNX CONTENTS:", {"GARDEN.d64"}));

    QVERIFY(writeFakeTool(m_home->file("Conversion"), "starlynx", "exit 3"));
    r = m_game->ConvertLynx(m_games, "GARDEN.LNX", m_work);
    QVERIFY(!r.ok);
    QCOMPARE(r.report,
             QStringLiteral("vintrax encountered an error when running StarLynx.EXE to convert this Lynx file "
                            "to a D64 file."));
    QFile::remove(tool("starlynx"));
    r = m_game->ConvertLynx(m_games, "GARDEN.LNX", m_work);
    QCOMPARE(r.report, QStringLiteral("vintrax could not find STARLYNX.EXE in your Conversion Folder."));

    // A Lynx file inside a ZIP with no starlynx.
    QVERIFY(zipWithTool(archive("L.ZIP"), {{"GARDEN.LNX", "lynx"}}));
    r = m_game->ConvertZip(m_games, "L.ZIP", m_work);
    QVERIFY(r.report.startsWith("This ZIP file contains a Lynx archive.  vintrax could not find STARLYNX.EXE in your "
                                "Conversion Folder.\r\n"));
}

void TestArchiveConverters::oddNamesReachToolsUntouched()
{
    const QString odd = "$(touch pwned) 'it' \"x\";ls.bin";
    QVERIFY(zipWithTool(archive("My Game's \"Best\".ZIP"), {{odd, "raw"}}));
    const ConversionResult r = m_game->ConvertZip(m_games, "My Game's \"Best\".ZIP", m_work);
    QVERIFY2(r.ok, qPrintable(r.report));
    QCOMPARE(logOf(tool("maketape")), QStringList({m_work, "vtrxmktp", odd}));
    QCOMPARE(r.imagePath, m_work + "/My Game's \"Best\".t64");
    QVERIFY(!QFile::exists(m_work + "/pwned"));
    QVERIFY(!QFile::exists(m_games + "/pwned"));
}

void TestArchiveConverters::workFolderFailuresNameTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder"); // "in use": holds a file; "missing"; "full": on a full disk
    QTest::addColumn<QString>("lead");   // %1: the working folder
    const QString cannotEmpty = "vintrax could not empty its working folder '%1'.";
    const QString cannotCreate = "vintrax could not create its working folder '%1'.";
    for (const char* name : {"GAME.ZIP", "GAME.LHA", "GAME.GZ", "GAME.LNX"}) {
        QTest::newRow(QByteArray(name) + ", cannot be emptied") << name << "in use" << cannotEmpty;
        QTest::newRow(QByteArray(name) + ", cannot be created") << name << "missing" << cannotCreate;
    }
    QTest::newRow("GAME.ZIP, disk full") << "GAME.ZIP"
                                         << "full"
                                         << "vintrax could not write to its working folder '%1'.";
    QTest::newRow("GAME.GZ, disk full") << "GAME.GZ"
                                        << "full"
                                        << "vintrax could not copy GAME.GZ into its working folder '%1'.";
}

// A program folder the user cannot write to (a read-only mount here, since the tests run as root) or a full disk:
// the report names the working folder instead of calling a good archive corrupt, incompatible or the tool missing.
void TestArchiveConverters::workFolderFailuresNameTheFolder()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(QString, lead);
    QVERIFY(zipWithTool(archive("GAME.ZIP"), {{"GAME.D64", noise(174848)}}));
    for (const char* other : {"GAME.LHA", "GAME.GZ", "GAME.LNX"}) // never opened: the working folder fails first
        QVERIFY(writeFile(archive(other), noise(20000)));

    SmallDisk disk(1024 * 1024);
    std::unique_ptr<ReadOnlyFolder> locked;
    QString work = m_work;
    if (folder == "full") {
        if (!disk.isValid())
            QSKIP(qPrintable(disk.whyNot()));
        work = disk.filePath("CURRGAME");
        QVERIFY(disk.leaveFree(0));
    } else {
        if (folder == "in use")
            QVERIFY(writeFile(m_work + "/stale.prg", "left from the last game"));
        else
            QVERIFY(QDir(m_work).removeRecursively());
        locked = std::make_unique<ReadOnlyFolder>(m_home->path());
        if (!locked->isValid())
            QSKIP(qPrintable(locked->whyNot()));
    }

    ConversionResult r;
    if (name.endsWith(".ZIP"))
        r = m_game->ConvertZip(m_games, name, work);
    else if (name.endsWith(".LHA"))
        r = m_game->ConvertLha(m_games, name, work);
    else if (name.endsWith(".GZ"))
        r = m_game->ConvertGzip(m_games, name, work);
    else
        r = m_game->ConvertLynx(m_games, name, work);
    locked.reset();

    QVERIFY(!r.ok);
    QVERIFY2(r.report.startsWith(lead.arg(work) + (name.endsWith(".LNX") ? "  " : "\r\n\r\n")), qPrintable(r.report));
    QVERIFY2(r.report.contains("Please check that the folder can be written to and that its disk is not full."),
             qPrintable(r.report));
    if (folder == "full" && name.endsWith(".ZIP"))
        QVERIFY2(r.report.contains("No space left on device"), qPrintable(r.report));
    QCOMPARE(m_game->UnzipFailed, name.endsWith(".ZIP") && folder == "full");
}

QTEST_GUILESS_MAIN(TestArchiveConverters)
#include "TestArchiveConverters.moc"
