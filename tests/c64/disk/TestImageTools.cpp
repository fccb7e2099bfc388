// maketape TAPENAME FILE..., starlynx x LYNXFILE OUT.d64 and zip2d64 SETBASE OUT.d64, run as child processes with an
// empty PATH in root/work. One table: the files a run finds, what it must make (our listing and cbmconvert's files, or
// the image disk2zip packed the set from, byte for byte) or the reason it must refuse with (zip2disk refusing the same
// set where asked); either way nothing but the output changes, and a refused run keeps an older output. How the disk
// writer lays out blocks is checked by cc1541 in test_d64_writer. Last, every conversion tool refuses arguments it
// does not take with its usage line: the launcher calls each with one fixed form, so anything else is a caller's fault.

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/ImageListing.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace c64;
using c64test::NamedFiles;
using testsupport::readFile;
using testsupport::writeFile;

using Contents = QMap<QString, QByteArray>;

namespace {

// The parts of a Zip-Code set in work/ under the names 1!base .. 4!base (or the names given).
NamedFiles setFiles(const c64test::Parts& parts, const QString& base, QStringList names = {})
{
    NamedFiles files;
    for (int i = 0; i < 4; ++i)
        files.append({"work/" + names.value(i, QStringLiteral("%1!%2").arg(i + 1).arg(base)), parts[size_t(i)]});
    return files;
}

} // namespace

class TestImageTools : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_files = {{"game.prg", tooltest::program(0x0801, 40000, 1)},
                   {"level1.seq", tooltest::noiseBytes(254 * 3, 2)},
                   {"hiscore.usr", tooltest::noiseBytes(17, 3)},
                   {"intro.prg", tooltest::program(0x0801, 252, 4)},
                   {"music.prg", tooltest::program(0x1000, 4000, 5)}};
        m_archive = c64test::cbmconvertLynx(m_files);
        QVERIFY(!m_archive.isEmpty());
        m_sample = c64test::makeSampleSet({3000, 20000, 700, 45000, 768, 9000}, 1);
        QVERIFY(!m_sample.image.isEmpty() && !m_sample.parts[3].isEmpty());
    }

    void runs_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");  // "@/" at the start stands for the root folder
        QTest::addColumn<NamedFiles>("files");  // relative to the root; contents starting with "->" make a symbolic
                                                // link to the rest
        QTest::addColumn<QString>("output");    // in work/, holding an older file before the run
        QTest::addColumn<QString>("refusal");   // empty: the run succeeds; else a part of its reason
        QTest::addColumn<bool>("zip2disk");     // zip2disk refuses the set "args[0]" in work/ too
        QTest::addColumn<Contents>("contents"); // what cbmconvert extracts from the output; empty: not asked
        QTest::addColumn<QString>("name");      // the output's name and entries in our listing
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("image"); // the output byte for byte, instead of the listing; empty: not asked

        const auto made = [](const char* row, const QString& tool, const QStringList& args, const NamedFiles& files,
                             const QString& output, const Contents& contents, const QString& name,
                             const QStringList& entries) {
            QTest::newRow(row) << tool << args << files << output << QString() << false << contents << name << entries
                               << QByteArray();
        };
        const auto refused = [](const char* row, const QString& tool, const QStringList& args, const NamedFiles& files,
                                const QString& output, const QString& reason, bool zip2disk = false) {
            QTest::newRow(row) << tool << args << files << output << reason << zip2disk << Contents() << QString()
                               << QStringList() << QByteArray();
        };

        const QByteArray game = tooltest::program(0x0801, 30000, 1);
        const QByteArray intro = tooltest::program(0x1000, 500, 2);
        const QByteArray small = tooltest::program(0x0801, 100, 5);
        const QString tape = QStringLiteral("maketape");
        const QString t64 = QStringLiteral("vtrxmktp.t64");
        // Entry names lose ".prg" in any case, keep other endings and are cut to 16.
        made("maketape: files from three folders", tape,
             {"vtrxmktp", "game.prg", "sub/intro.PRG", "@/else/a long readme.txt"},
             {{"work/game.prg", game}, {"work/sub/intro.PRG", intro}, {"else/a long readme.txt", "\x01\x08hello"}}, t64,
             {{"game.prg", game}, {"intro.prg", intro}, {"a long readme.tx.prg", "\x01\x08hello"}}, "VTRXMKTP",
             {"GAME", "INTRO", "A LONG README.TX"});
        // A load address alone is the shortest program a tape holds; a file named ".prg" has an empty entry name.
        made("maketape: load address only", tape, {"vtrxmktp", ".prg"}, {{"work/.prg", "\x01\x08"}}, t64, {},
             "VTRXMKTP", {""});
        const NamedFiles inputs{{"work/good.prg", small}, {"work/one.prg", "\x01"}};
        refused("maketape: missing file", tape, {"vtrxmktp", "good.prg", "absent.prg"}, inputs, t64,
                "absent.prg: no such file");
        refused("maketape: one byte", tape, {"vtrxmktp", "one.prg"}, inputs, t64, "(1 bytes");
        refused("maketape: tape name with a path", tape, {"../escape", "good.prg"}, inputs, "",
                "not a plain file name");

        const QString lynx = QStringLiteral("starlynx");
        const QString d64 = QStringLiteral("vtrxmkd6.d64");
        const QStringList listed{"GAME             PRG", "LEVEL1           SEQ", "HISCORE          USR",
                                 "INTRO            PRG", "MUSIC            PRG"};
        Contents archived;
        for (const auto& [file, bytes] : m_files)
            archived.insert(file, bytes);
        made("starlynx: archive", lynx, {"x", "ARCH.LNX", d64}, {{"work/ARCH.LNX", m_archive}}, d64, archived, "ARCH",
             listed);
        // The archive lies elsewhere and is named by its full path; its name without the ending names the disk.
        made("starlynx: disk name", lynx, {"x", "@/source/My Game v1.2.lnx", "out file.d64"},
             {{"source/My Game v1.2.lnx", m_archive}}, "out file.d64", {}, "MY GAME V1.2", listed);

        // What the Lynx reader refuses (its own table has every reason).
        const NamedFiles cut{{"work/in.lnx", m_archive.chopped(1)}};
        refused("starlynx: truncated", lynx, {"x", "in.lnx", "out.d64"}, cut, "out.d64",
                "inside the data of \"MUSIC\"");

        const QString zip = QStringLiteral("zip2d64");
        const QString z2d = QStringLiteral("vtrxtz2d.d64");
        const c64test::Parts& sample = m_sample.parts;
        const auto unpacked = [&](const char* row, const QString& base, const NamedFiles& files) {
            QTest::newRow(row) << zip << QStringList{base, z2d} << files << z2d << QString() << false << Contents()
                               << QString() << QStringList() << m_sample.image;
        };
        // How the set is found; what is in it is the decoder's own table (test_zipcode).
        unpacked("zip2d64: each part its own case, non-ASCII letters", QStringLiteral("SPIEL\u00e4"),
                 setFiles(sample, {}, {"1!Spiel\u00c4", "2!sPIEL\u00e4", "3!SPIEL\u00c4", "4!spiel\u00e4"}));
        // Two files that differ only in case: the exact name is taken; without one the set is ambiguous.
        const NamedFiles twin = setFiles(sample, "game") + NamedFiles{{"work/2!GAME", "decoy"}};
        unpacked("zip2d64: case twin, exact name", "game", twin);
        refused("zip2d64: case twin, no exact name", zip, {"Game", z2d}, twin, z2d, "2!Game");
        for (const char* base : {"it's \"the\" $(touch pwned)game`touch pwned2`;|&<>", "-game"})
            unpacked(qPrintable(QStringLiteral("zip2d64: shell characters: ") + base), base, setFiles(sample, base));
        const NamedFiles set = setFiles(sample, "game");
        refused("zip2d64: part missing", zip, {"game", z2d}, set.mid(0, 3), z2d, "cannot find 4!game");
        refused("zip2d64: part cut short", zip, {"game", z2d},
                set.mid(0, 2) + NamedFiles{{"work/3!game", sample[2].left(sample[2].size() / 2)}, set[3]}, z2d,
                "3!game is damaged", true);
        refused("zip2d64: part links outside", zip, {"game", z2d},
                set.mid(1) + NamedFiles{{"outside/1!game", sample[0]}, {"work/1!game", "->../outside/1!game"}}, z2d,
                "1!game is a symbolic link");
        NamedFiles above = set;
        for (auto& [file, bytes] : above)
            file.remove(0, 5);
        refused("zip2d64: set base reaches out", zip, {"../game", z2d}, set + above, z2d, "is not a plain file name");
        refused("zip2d64: output would replace a part", zip, {"game", "3!game"}, set, "3!game", "3!game");

        for (const char* line : {"gunzip -x in", "lha x /m in", "bmp2gif in", "zip2d64 in a.d64 b.d64",
                                 "maketape vtrxmktp", "starlynx x in", "vintrax-bridgetool rewrite in"}) {
            const QStringList u = QString::fromLatin1(line).split(' ');
            refused(line, u[0], u.mid(1), {{"work/in", "\x01\x08 a program"}}, "", "usage: " + u[0] + ' ');
        }
    }

    void runs()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(NamedFiles, files);
        QFETCH(QString, output);
        QFETCH(QString, refusal);
        QFETCH(bool, zip2disk);
        QFETCH(Contents, contents);
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, image);
        QTemporaryDir root;
        const QString work = root.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        for (const auto& [file, bytes] : files) {
            const QString path = root.filePath(file);
            QVERIFY(bytes.startsWith("->") ? QFile::link(QString::fromUtf8(bytes.mid(2)), path)
                                           : writeFile(path, bytes));
        }
        for (QString& arg : args) {
            if (arg.startsWith(QLatin1String("@/")))
                arg.replace(0, 1, root.path());
        }
        // The older output is longer than any output: it must be replaced whole.
        const QString out = QDir(work).filePath(output), skip = output.isEmpty() ? "" : "work/" + output;
        QVERIFY(output.isEmpty() || QFile::exists(out) || writeFile(out, QByteArray(200000, 'o')));
        const QByteArray old = output.isEmpty() ? QByteArray() : readFile(out);
        const QStringList before = c64test::tree(root.path(), skip);

        const testsupport::RunResult r = tooltest::runTool(tool, args, work);
        QCOMPARE(c64test::tree(root.path(), skip), before);
        if (refusal.startsWith(QLatin1String("usage: ")))
            QVERIFY2(r.started && !r.crashed && r.exitCode != 0 && r.out.isEmpty(), qPrintable(tooltest::describe(r)));
        if (!refusal.isEmpty()) {
            QString why;
            QVERIFY2(refusal.startsWith(QLatin1String("usage: ")) || tooltest::isCleanFailure(r, tool, &why),
                     qPrintable(why));
            QVERIFY2(QString::fromLocal8Bit(r.err).contains(refusal), r.err.constData());
            if (!output.isEmpty())
                QCOMPARE(readFile(out), old);
            if (zip2disk)
                QVERIFY(c64test::unpackWithZip2disk(work, args[0]).isEmpty());
            return;
        }
        VERIFY_RAN(r);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        const QByteArray made = readFile(out);
        QVERIFY(image.isEmpty() || made == image);
        if (!image.isEmpty())
            return;
        const ImageListing listing = listImage(out);
        QVERIFY2(!listing.partial, qPrintable(listing.problem));
        QCOMPARE(listing.name, name);
        QCOMPARE(listing.entries, entries);
        if (!contents.isEmpty())
            QCOMPARE(c64test::cbmconvertExtract(output.endsWith(".d64") ? "-d" : "-t", made, output), contents);
    }

private:
    NamedFiles m_files; // in a Lynx archive made by cbmconvert
    QByteArray m_archive;
    c64test::SampleSet m_sample; // several files: stored, filled and packed sectors
};

QTEST_GUILESS_MAIN(TestImageTools)
#include "TestImageTools.moc"
