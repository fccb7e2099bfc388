// The archive converters with stand-in tools (real gunzip and lha): the file started, the tool run, every refusal's
// report; then the real tools on archives made by cc1541, disk2zip, cbmconvert, zip and gzip, read by cbmconvert.
// Last, the ZIP step on its own, unpacking flat into the working folder: names, hostile paths and links, damaged
// and refused archives.
#include "ArchiveFixtures.h"
#include "ProcessRunner.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "WriterProbe.h"
#include "launch/UnzipToFolder.h"
#include "launch/clsC64Game.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace testsupport;

namespace {
// Every entry below root, sorted: "name=content", "name->link target" or "name/" for a folder.
QStringList tree(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(root).relativeFilePath(info.filePath());
        entries << (info.isSymLink() ? name + "->" + info.symLinkTarget()
                    : info.isDir()   ? name + "/"
                                     : name + "=" + QString::fromLatin1(readFile(info.filePath())));
    }
    entries.sort();
    return entries;
}

QString report(const QString& lead, const QString& second, const QString& header, const QStringList& listing)
{
    const QString dashes(50, '-');
    QString out = lead + "\r\n\r\n" + (second.isEmpty() ? QString() : second + "\r\n\r\n");
    out += header + "\r\n" + dashes + "\r\n";
    for (const QString& l : listing)
        out += l + "\r\n";
    return out + dashes;
}

// One conversion: the archive and its members (see membersFrom), the tools changed ("tool=script body" replaces a
// stand-in, "-tool" removes it, "cut" cuts the archive short, "full" puts the working folder on a full disk,
// "read-only" makes the program folder read-only), the image started below the working folder ("" none)
// and its content ("" not checked), the tool that ran with its arguments (%W working, %G games folder) and the whole
// report or its start (%C the conversion folder).
struct ConvertRow
{
    QString name;
    QStringList members, tools;
    QString image;
    QByteArray content;
    QStringList log;
    QString reportStart;
};

} // namespace

Q_DECLARE_METATYPE(ConvertRow)

class TestArchiveConverters : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_home = new TempProgramFolder;
        m_games = m_home->file("Games Folder");
        m_work = m_home->file("CURRGAME");
        QDir().mkpath(m_games + "/source");
        for (const char* t : {"gunzip", "lha"})
            QVERIFY(QFile::link(toolPath(t), tool(QString::fromLatin1(t))));
        // Stand-ins for the converters: they log their arguments and make their output from the input.
        QVERIFY(writeFakeTool(m_home->file("Conversion"), "maketape", "cat \"$2\" > vtrxmktp.t64"));
        QVERIFY(writeFakeTool(m_home->file("Conversion"), "zip2d64", "cat 1!* > \"$2\""));
        QVERIFY(writeFakeTool(m_home->file("Conversion"), "starlynx", "cat \"$2\" > \"$3\""));
        m_game = new clsC64Game(m_home->file("Conversion"));
    }
    void cleanup()
    {
        delete m_game;
        delete m_home;
    }
    void converts_data()
    {
        QTest::addColumn<ConvertRow>("row");
        const QString zip = "ZIP CONTENTS:", odd = "$(touch pwned) 'it' \"x\";ls.bin",
                      oddZip = "My Game's \"Best\".ZIP";
        const QString noTool = "This %1 file contains %2.  vintrax could not find %3.EXE in your Conversion Folder (%C).\r\n";
        const auto add = [](const char* tag, const ConvertRow& r) { QTest::newRow(tag) << r; };
        // clang-format off
        add("archive-named file beats the count", {"ELITE.ZIP", {"ELITE.D64=disk", "INTRO.PRG=prg:1"}, {}, "ELITE.D64", "disk", {}, report("ELITE.ZIP...", "", zip, {"ELITE.D64", "INTRO.PRG"})});
        add("single game file takes the archive name", {"GAMES.ZIP", {"A.T64=tape"}, {}, "GAMES.T64", "tape", {}, "GAMES.ZIP..."});
        // No rename dialog here: the user cancels it (the window test renames through the real one).
        add("several game files ask for a rename", {"GAMES.ZIP", {"A.D64=a", "B.D64=b"}, {}, "", "", {}, report("This Zip file contains more than 1 compatible game-file.", "Try renaming the Zip-file to the game-file you wish to boot off.", zip, {"A.D64", "B.D64"})});
        add("zip-code set through zip2d64", {"SET.ZIP", {"1!GAME=one", "2!GAME=two", "3!GAME=three", "4!GAME=four"}, {}, "SET.d64", "one", {"zip2d64", "GAME", "vtrxtz2d.d64"}, report("SET.ZIP...", "", zip, {"SET.d64"})});
        // The tool's output name already in the archive must not pass for the tool's work.
        add("zip2d64 fails beside a decoy", {"SET.ZIP", {"1!GAME", "vtrxtz2d.d64x=decoy"}, {"zip2d64=exit 1"}, "", "", {"zip2d64", "GAME", "vtrxtz2d.d64"}, "This Zip file contains Zip-Coded archives.\r\n\r\nvintrax encountered an error when running Zip2D64.EXE to uncompress them to a D64 file.\r\n"});
        add("two zip-code sets", {"TWO.ZIP", {"1!GAME", "2!GAME", "1!OTHER"}, {}, "", "", {}, "This Zip file contains more than 1 set of .Z64 archives.  Only Zip-files with 1 set of Z64 archives are allowed in vintrax .\r\n"});
        add("zip2d64 missing", {"SET.ZIP", {"1!GAME"}, {"-zip2d64"}, "", "", {}, noTool.arg("Zip", "Zip-Coded archives", "ZIP2D64")});
        add("two raw files", {"TWO.ZIP", {"GAME", "README.TXT"}, {}, "", "", {}, report("This ZIP file contains more than 1 Raw C64 file.", "vintrax supports ZIP files containing only 1 Raw file.", zip, {"GAME", "README.TXT"})});
        add("maketape makes nothing", {"GAME.ZIP", {"GAME"}, {"maketape=exit 0"}, "", "", {"maketape", "vtrxmktp", "GAME"}, report("This ZIP file contains a Raw C64 file.", "vintrax encountered an error when running MAKETAPE.EXE to convert it to a T64 file.", zip, {"GAME"})});
        add("lynx in a zip through starlynx", {"L.ZIP", {"GARDEN.LNX=lynx"}, {}, "GARDEN.d64", "lynx", {}, "GARDEN.LNX..."});
        add("lynx in a zip, starlynx missing", {"L.ZIP", {"GARDEN.LNX"}, {"-starlynx"}, "", "", {}, noTool.arg("ZIP", "a Lynx archive", "STARLYNX")});
        add("maketape missing", {"GAME.ZIP", {"GAME"}, {"-maketape"}, "", "", {}, "This ZIP file contains a Raw C64 file.  vintrax could not find MAKETAPE.EXE in your Conversion Folder (%C).\r\n\r\nZIP CONTENTS:"});
        add("empty zip", {"EMPTY.ZIP", {}, {}, "", "", {}, report("This Zip-File is not compatible with vintrax.", "", zip, {})});
        add("odd names reach the tool untouched", {oddZip, {odd + "=raw"}, {}, "My Game's \"Best\".t64", "raw", {"maketape", "vtrxmktp", odd}, oddZip + "..."});
        // The cause follows as the second text; the user's archive stays as it was, and nothing runs on what is left.
        add("damaged zip", {"BAD.ZIP", {"BAD.D64=*80000"}, {"cut"}, "", "", {}, "Error Unzipping.  This Zip-file maybe corrupt.\r\n\r\ncannot "});
        add("damaged gzip is not turned into a tape", {"GAME.GZ", {"GAME.PRG=prg:5"}, {"cut"}, "", "", {}, "Error Unzipping.  This GZ-file maybe corrupt.\r\n"});
        add("gzip with one program starts it", {"GAME.GZ", {"GAME.PRG=prg:5"}, {}, "GAME.PRG", programBytes(5), {}, report("GAME.GZ...", "", "GZ CONTENTS:", {"GAME.PRG"})});
        add("gzip through WinZip when it is set", {"GAME.GZ", {"GAME.PRG=prg:5"}, {"winzip32=printf prg > \"$3/GAME.PRG\""}, "GAME.PRG", "prg", {"winzip32", "-e", "%W/GAME.GZ", "%W"}, "GAME.GZ..."});
        // Only programs and Lynx files are looked for before the single-file rule: a disk image becomes a tape.
        add("gzip with a disk image becomes a tape", {"ELITE.GZ", {"ELITE.D64=disk"}, {}, "ELITE.t64", "disk", {"maketape", "vtrxmktp", "ELITE.D64"}, "ELITE.GZ..."});
        // The archive copy lies in the working folder while the cascade runs; the listing leaves it out.
        add("lha", {"GAME.LHA", {"GAME.D64=prg:9", "INTRO.PRG=prg:2"}, {}, "GAME.D64", programBytes(9), {}, report("GAME.LHA...", "", "LHA/LZH CONTENTS:", {"GAME.D64", "INTRO.PRG"})});
        add("lha with one raw file becomes a tape", {"RAW.LHA", {"NIBBLE=raw"}, {}, "RAW.t64", "raw", {"maketape", "vtrxmktp", "NIBBLE"}, "RAW.LHA..."});
        add("lynx through starlynx", {"GARDEN.LNX", {"G=lynx"}, {}, "GARDEN.d64", "lynx", {"starlynx", "x", "%G/GARDEN.LNX", "vtrxmkd6.d64"}, report("GARDEN.LNX...", "", "LNX CONTENTS:", {"GARDEN.d64"})});
        add("starlynx fails", {"GARDEN.LNX", {"G=lynx"}, {"starlynx=exit 3"}, "", "", {"starlynx", "x", "%G/GARDEN.LNX", "vtrxmkd6.d64"}, "vintrax encountered an error when running StarLynx.EXE to convert this Lynx file to a D64 file."});
        add("starlynx missing", {"GARDEN.LNX", {"G=lynx"}, {"-starlynx"}, "", "", {}, "vintrax could not find STARLYNX.EXE in your Conversion Folder (%C)."});
        // A program folder the user cannot write to (a read-only mount here, since the tests run as root) or a full disk:
        // the report names the working folder (%W) instead of calling a good archive corrupt, incompatible or the tool
        // missing.
        const QString check = "*Please check that the folder can be written to and that its disk is not full.";
        add("working folder cannot be emptied", {"GAME.ZIP", {"GAME.D64=*174848"}, {"read-only"}, "", "", {}, "vintrax could not empty its working folder '%W'.\r\n\r\n" + check});
        add("working folder on a full disk", {"GAME.ZIP", {"GAME.D64=*174848"}, {"full"}, "", "", {}, "vintrax could not write to its working folder '%W'.\r\n\r\n*No space left on device" + check});
        add("gzip copy on a full disk", {"GAME.GZ", {"GAME.PRG=prg:5"}, {"full"}, "", "", {}, "vintrax could not copy GAME.GZ into its working folder '%W'.\r\n\r\n" + check});
        // clang-format on
    }
    void converts()
    {
        QFETCH(ConvertRow, row);
        auto& [name, members, tools, image, content, log, reportStart] = row;
        make(name, members);
        std::optional<SmallDisk> disk;
        QString work = m_work;
        for (const QString& t : tools) {
            if (t == "full") {
                disk.emplace(1024 * 1024);
                if (!disk->isValid())
                    QSKIP(qPrintable(disk->whyNot()));
                work = disk->filePath("CURRGAME");
                QVERIFY(disk->leaveFree(0));
            } else if (t == "cut")
                QVERIFY(writeFile(archive(name), readFile(archive(name)).chopped(readFile(archive(name)).size() / 2)));
            else if (t.startsWith('-'))
                QVERIFY(QFile::remove(tool(t.mid(1))));
            else if (t != "read-only") // the folder is made read-only just before the conversion
                QVERIFY(writeFakeTool(m_home->file("Conversion"), t.section('=', 0, 0), t.section('=', 1)));
            if (t.startsWith("winzip32="))
                m_game->setWinzipPath(tool("winzip32"));
        }
        QVERIFY(writeFile(m_work + "/stale.prg", "left from the last game"));
        const QByteArray archiveBytes = readFile(archive(name));

        std::unique_ptr<ReadOnlyFolder> locked;
        if (tools.contains("read-only") && !(locked = std::make_unique<ReadOnlyFolder>(m_home->path()))->isValid())
            QSKIP(qPrintable(locked->whyNot()));
        const ConversionResult r = convert(name, work);
        locked.reset();
        // The missing-tool texts name the conversion folder (%C); "*" parts follow in any order.
        const QStringList parts = reportStart.replace("%C", m_home->file("Conversion")).replace("%W", work).split('*');
        QVERIFY2(r.report.startsWith(parts.first()), qPrintable(r.report));
        for (const QString& part : parts.mid(1))
            QVERIFY2(r.report.contains(part), qPrintable(r.report));
        QCOMPARE(r.ok, !image.isEmpty());
        QCOMPARE(r.imagePath, image.isEmpty() ? QString() : m_work + "/" + image);
        if (!content.isEmpty())
            QCOMPARE(readFile(r.imagePath), content);
        if (!log.isEmpty()) {
            const QStringList args = log.mid(1).replaceInStrings("%G", m_games).replaceInStrings("%W", m_work);
            QCOMPARE(QString::fromUtf8(readFile(tool(log.first()) + ".log")).split('\n', Qt::SkipEmptyParts),
                     QStringList{m_work} + args);
        }
        if (r.ok) // the working folder starts empty
            QVERIFY(!QFile::exists(m_work + "/stale.prg"));
        if (r.ok && name != "GAME.LHA") // no copy of the archive is left (an LHA whose named file is found keeps it)
            QVERIFY(!QFile::exists(m_work + "/" + name));
        if (members.isEmpty() || name == "BAD.ZIP")
            QVERIFY(!QDir(m_work).exists());
        QCOMPARE(m_game->UnzipFailed, name == "BAD.ZIP" || (name.endsWith(".ZIP") && tools.contains("full")));
        QCOMPARE(readFile(archive(name)), archiveBytes);
        QVERIFY(!QFile::exists(m_work + "/pwned") && !QFile::exists(m_games + "/pwned"));
    }
    void convertsWhatTheOraclesMade_data()
    {
        // Shell commands run in the source folder, whose archives go to .. (the games folder).
        QTest::addColumn<QString>("make");
        QTest::addColumn<QString>("name");      // the archive
        QTest::addColumn<QString>("image");     // what the converter starts, below the working folder
        QTest::addColumn<QStringList>("files"); // the source files cbmconvert must find in it, in name order
        QTest::addColumn<QString>("same");      // a source file the image must equal byte for byte, or ""
        // clang-format off
        QTest::newRow("zip-code set becomes the original disk") << "cc1541 -n zipped -f game -w game.prg -f intro -w intro.prg orig.d64 && disk2zip orig.d64 COURIER && zip -q ../SET.ZIP 1!COURIER 2!COURIER 3!COURIER 4!COURIER" << "SET.ZIP" << "SET.d64" << QStringList{"game.prg", "intro.prg"} << "orig.d64";
        QTest::newRow("raw program becomes a tape") << "zip -q ../NIBBLE.ZIP nibble" << "NIBBLE.ZIP" << "NIBBLE.t64" << QStringList{"nibble"} << "";
        QTest::newRow("lynx archive becomes a disk") << "cbmconvert -L ../GARDEN.LNX -n garden intro" << "GARDEN.LNX" << "GARDEN.d64" << QStringList{"garden", "intro"} << "";
        // clang-format on
    }
    void convertsWhatTheOraclesMade()
    {
        QFETCH(QString, make);
        QFETCH(QString, name);
        QFETCH(QString, image);
        QFETCH(QStringList, files);
        QFETCH(QString, same);
        for (const char* t : {"zip2d64", "starlynx", "maketape"}) // the real tools this time
            QVERIFY(QFile::remove(tool(t)) && QFile::link(toolPath(t), tool(t)));
        const QString src = m_games + "/source";
        // clang-format off
        const QMap<QString, QByteArray> sources{{"game.prg", programBytes(7, 9000)}, {"intro.prg", programBytes(8, 3000)}, {"nibble", programBytes(9, 4000)}, {"garden", programBytes(4, 5000)}, {"intro", programBytes(5, 700)}};
        // clang-format on
        for (auto it = sources.begin(); it != sources.end(); ++it)
            QVERIFY(writeFile(src + "/" + it.key(), it.value()));
        const RunResult made = runOracle("sh", {"-c", make}, src);
        QVERIFY2(made.exitCode == 0, made.err.constData());

        const ConversionResult r = convert(name, m_work);
        QVERIFY2(r.ok, qPrintable(r.report));
        QCOMPARE(r.imagePath, m_work + "/" + image);
        if (!same.isEmpty())
            QCOMPARE(readFile(r.imagePath), readFile(src + "/" + same));

        const QString out = m_home->file("extracted");
        QDir().mkpath(out);
        const QString option = image.endsWith(".t64") ? "-t" : "-d";
        QCOMPARE(runOracle("cbmconvert", {"-N", option, r.imagePath}, out).exitCode, 0);
        const QStringList found = QDir(out).entryList(QDir::Files, QDir::Name);
        QCOMPARE(found.size(), files.size());
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(readFile(out + "/" + found[i]), sources.value(files[i]));
    }
    void extracts_data()
    {
        QTest::addColumn<QStringList>("members"); // the zip's (also "=noise:N"), by the zip tool unless a name needs our
        QTest::addColumn<bool>("zipTool");        // writer; "many": 10,001 empty members
        QTest::addColumn<QStringList>("before"); // in the folder: "name=content" or "name->target" (a link)
        QTest::addColumn<QStringList>("after");  // the folder's tree
        QTest::addColumn<QString>("damage");     // "flip" a byte at a third, "cut" at 30,000 bytes
        QTest::addColumn<QString>("error");      // a part of the reported error, "*" any; "" it succeeds
        const auto row = [](const char* tag, const QStringList& members, bool zipTool, const QStringList& before,
                            const QStringList& after, const char* damage = "", const char* error = "") {
            QTest::newRow(tag) << members << zipTool << before << after << QString(damage) << QString(error);
        };
        // clang-format off
        row("members land flat by base name", {"GAMES/ELITE.D64=disk", "GAMES/DOCS/README.TXT=read me", "My Game \"2\" $(id).prg=prg"}, true, {}, {"ELITE.D64=disk", "My Game \"2\" $(id).prg=prg", "README.TXT=read me"});
        row("stored paths cannot escape the folder", {"../escaped.prg=a", "/tmp/vintrax-absolute-escape.prg=b", "C:\\WINDOWS\\win.prg=c", "..=d", "sub/../../up.prg=e"}, false, {}, {"escaped.prg=a", "up.prg=e", "vintrax-absolute-escape.prg=b", "win.prg=c"});
        row("links in the folder are not followed", {"ELITE.D64=disk", "INTRO.PRG=intro"}, true, {"elite.d64->../outside.d64", "INTRO.PRG->../nowhere"}, {"INTRO.PRG=intro", "elite.d64=disk"});
        // Refused: a member that could not be read whole is not left half-written.
        row("corrupted", {"GAME.D64=noise:20000"}, true, {}, {}, "flip", "*");
        row("too many members", {"many"}, false, {}, {}, "", "more than 10000 members");
        row("C1 control in a name", {"GAME.PRG=prg:1", "docs/name \u0085.txt=x"}, false, {}, {}, "", "holds control characters");
        // A member that is not extracted ("sub/.." names no file), cut off inside its data, which does not compress.
        row("skipped member cut off", {"sub/..=noise:60000", "GAME.PRG=prg:2"}, false, {}, {}, "cut", "cannot skip sub/..: ");
        // clang-format on
    }
    void extracts()
    {
        QFETCH(QStringList, members);
        QFETCH(bool, zipTool);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QString, damage);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString zip = dir.filePath("a.zip");
        QList<QPair<QString, QByteArray>> files = members == QStringList{"many"} ? QList<QPair<QString, QByteArray>>()
                                                                                 : membersFrom(members);
        for (int i = 0; members == QStringList{"many"} && i <= 10000; ++i)
            files.append({QStringLiteral("F%1.PRG").arg(i), QByteArray()});
        for (auto& [name, bytes] : files)
            bytes = bytes.startsWith("noise:") ? tooltest::noiseBytes(bytes.mid(6).toInt(), 7) : bytes;
        QVERIFY(zipTool ? zipWithTool(zip, files) : writeZipWithNames(zip, files));
        QByteArray bytes = readFile(zip);
        if (damage == "cut")
            bytes.truncate(30000);
        if (damage == "flip")
            bytes[bytes.size() / 3] ^= 0x55;
        QVERIFY(writeFile(zip, bytes) && writeFile(dir.filePath("outside.d64"), "the user's own file"));
        const QString out = dir.filePath("W");
        QDir().mkpath(out);
        for (const QString& line : before) {
            QVERIFY(line.contains("->")
                        ? QFile::link(QDir::cleanPath(out + "/" + line.section("->", 1)),
                                      out + "/" + line.section("->", 0, 0))
                        : writeFile(out + "/" + line.section('=', 0, 0), line.section('=', 1).toUtf8()));
        }
        const QRegularExpression besideTheFolder("^(?!W/)");
        const QStringList outside = tree(dir.path()).filter(besideTheFolder);
        const launch::UnzipResult r = launch::UnzipToFolder(out, zip);
        QVERIFY2(r.failed == !error.isEmpty() && (error == "*" || r.error.contains(error)), qPrintable(r.error));
        QVERIFY2(!r.failed || (!r.error.isEmpty() && !r.error.endsWith(": ")), qPrintable(r.error));
        QCOMPARE(tree(out), after);
        QCOMPARE(tree(dir.path()).filter(besideTheFolder), outside); // nothing written beside it, no link followed
        QVERIFY(!QFile::exists("/tmp/vintrax-absolute-escape.prg"));
    }
    // The working folder holds copies that the next start makes again: the extraction syncs nothing (three syncs per
    // member made an archive of 10,000 members take 10 s on a disk). strace counts the writer probe's sync calls.
    void extractionSyncsNothing()
    {
        QVERIFY2(tooltest::haveProgram("strace"), "strace is needed (scripts/setup.sh installs it)");
        QTemporaryDir dir;
        QVERIFY(zipWithTool(dir.filePath("many.zip"), membersFrom({"A.PRG=prg:1", "B.PRG=prg:2", "C.PRG=prg:3"})));
        QVERIFY(QDir(dir.path()).mkpath("W"));
        const QString syncs = "trace=fsync,fdatasync,sync_file_range,syncfs,sync";
        const RunResult r = runOracle("strace",
                                      {"-f", "-qq", "-e", "signal=none", "-e", syncs, "-o", "calls",
                                       writerprobe::probePath(), "unzip", "W", "many.zip"},
                                      dir.path());
        QVERIFY2(r.exitCode == 0 && tree(dir.filePath("W")).size() == 3, r.err.constData());
        QCOMPARE(QString::fromUtf8(readFile(dir.filePath("calls"))), QString());
    }

private:
    QString archive(const QString& name) const { return m_games + "/" + name; }
    QString tool(const QString& name) const { return m_home->file("Conversion/" + name); }
    // ZIPs by the zip tool, GZ by gzip, LHA by jlha; a Lynx file is taken as it is.
    void make(const QString& name, const QStringList& members)
    {
        const QList<QPair<QString, QByteArray>> files = membersFrom(members);
        if (name.endsWith(".ZIP"))
            QVERIFY(files.isEmpty() ? writeZipWithNames(archive(name), {}) : zipWithTool(archive(name), files));
        if (name.endsWith(".LNX"))
            QVERIFY(writeFile(archive(name), files.value(0).second));
        if (name.endsWith(".ZIP") || name.endsWith(".LNX"))
            return;
        QStringList names;
        for (const auto& [file, bytes] : files)
            QVERIFY(writeFile(m_games + "/source/" + (names << file).last(), bytes));
        const RunResult r =
            name.endsWith(".GZ")
                ? runOracle("sh", {"-c", "gzip -c \"$1\" > \"../$2\"", "sh", names.value(0), name}, m_games + "/source")
                : runOracle("jlha", QStringList{"a", "../" + name} + names, m_games + "/source");
        QCOMPARE(r.exitCode, 0);
    }
    ConversionResult convert(const QString& name, const QString& work)
    {
        return m_game->Convert(*clsC64Game::archiveKindOf(name), m_games, name, work);
    }
    TempProgramFolder* m_home = nullptr;
    QString m_games, m_work;
    clsC64Game* m_game = nullptr;
};

QTEST_GUILESS_MAIN(TestArchiveConverters)
#include "TestArchiveConverters.moc"
