// maketape TAPENAME FILE... and starlynx x LYNXFILE OUT.d64, run as child processes with an empty PATH in root/work.
// One table: the files a run finds, what it must make (checked by cbmconvert and cc1541, and by our listing) or the
// reason it must refuse with; either way nothing but the output changes, and a refused run keeps an older output.

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
    }

    void runs_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");  // "@/" at the start stands for the root folder
        QTest::addColumn<NamedFiles>("files");  // relative to the root; a name ending in "/" is a folder
        QTest::addColumn<QString>("output");    // in work/, holding "old" before the run; empty when there is none
        QTest::addColumn<QString>("refusal");   // empty: the run succeeds; else a part of its reason
        QTest::addColumn<Contents>("contents"); // what cbmconvert extracts from the output; empty: not asked
        QTest::addColumn<QString>("name");      // the output's name and entries in our listing
        QTest::addColumn<QStringList>("entries");

        const auto made = [](const char* row, const QString& tool, const QStringList& args, const NamedFiles& files,
                             const QString& output, const Contents& contents, const QString& name,
                             const QStringList& entries) {
            QTest::newRow(row) << tool << args << files << output << QString() << contents << name << entries;
        };
        const auto refused = [](const char* row, const QString& tool, const QStringList& args, const NamedFiles& files,
                                const QString& output, const QString& reason) {
            QTest::newRow(row) << tool << args << files << output << reason << Contents() << QString() << QStringList();
        };

        const QByteArray game = tooltest::program(0x0801, 30000, 1);
        const QByteArray intro = tooltest::program(0x1000, 500, 2);
        const QByteArray small = tooltest::program(0x0801, 100, 5);
        const QString tape = QStringLiteral("maketape");
        const QString t64 = QStringLiteral("vtrxmktp.t64");
        made("maketape: files from three folders", tape, {"vtrxmktp", "game.prg", "sub/intro.PRG", "@/else/readme.txt"},
             {{"work/game.prg", game}, {"work/sub/intro.PRG", intro}, {"else/readme.txt", "\x01\x08hello"}}, t64,
             {{"game.prg", game}, {"intro.prg", intro}, {"readme.txt.prg", "\x01\x08hello"}}, "VTRXMKTP",
             {"GAME", "INTRO", "README.TXT"});
        made("maketape: one file as the launcher gives it", tape, {"vtrxmktp", "ELITE"}, {{"work/ELITE", game}}, t64,
             {{"elite.prg", game}}, "VTRXMKTP", {"ELITE"});
        // Entry names: ".prg" in any case goes, other endings stay; cut to 16.
        const QList<QPair<QString, QString>> names{{"elite.prg", "ELITE"},
                                                   {"ELITE.PRG", "ELITE"},
                                                   {"elite.seq", "ELITE.SEQ"},
                                                   {"a very long file name.prg", "A VERY LONG FILE"},
                                                   {".prg", ""}};
        for (const auto& [file, entry] : names)
            made(qPrintable("maketape: entry of " + file), tape, {"vtrxmktp", file}, {{"work/" + file, small}}, t64, {},
                 "VTRXMKTP", {entry});
        // A load address alone is the shortest program a tape holds.
        made("maketape: load address only", tape, {"vtrxmktp", "stub.prg"}, {{"work/stub.prg", "\x01\x08"}}, t64, {},
             "VTRXMKTP", {"STUB"});
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
        // The archive lies elsewhere and is named by its full path; its name, cut to 16, names the disk.
        const QList<QStringList> disks{{"My Game v1.2.lnx", "out file.d64", "MY GAME V1.2"},
                                       {"a very long archive name.lnx", "o.d64", "A VERY LONG ARCH"},
                                       {"LYNXFILE", "o.d64", "LYNXFILE"}};
        for (const QStringList& d : disks)
            made(qPrintable("starlynx: disk name of " + d[0]), lynx, {"x", "@/source/" + d[0], d[1]},
                 {{"source/" + d[0], m_archive}}, d[1], {}, d[2], listed);

        const NamedFiles tooBig{{"a.prg", tooltest::noiseBytes(400 * 254, 1)},
                                {"b.prg", tooltest::noiseBytes(300 * 254, 2)}};
        const auto in = [](const QByteArray& archive) { return NamedFiles{{"work/in.lnx", archive}}; };
        const QStringList normal{"x", "in.lnx", "out.d64"};
        refused("starlynx: truncated", lynx, normal, in(m_archive.chopped(1)), "out.d64",
                "ends inside the data of \"MUSIC\"");
        refused("starlynx: 700 blocks", lynx, normal, in(c64test::cbmconvertLynx(tooBig)), "out.d64",
                "need 700 blocks");
        refused("starlynx: missing archive", lynx, {"x", "absent.lnx", "out.d64"}, in(m_archive), "out.d64",
                "no such file");
    }

    void runs()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(NamedFiles, files);
        QFETCH(QString, output);
        QFETCH(QString, refusal);
        QFETCH(Contents, contents);
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QVERIFY(QFile::exists(testsupport::toolPath(tool)));
        QTemporaryDir root;
        const QString work = root.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        for (const auto& [file, bytes] : files)
            QVERIFY(file.endsWith(QLatin1Char('/')) ? QDir().mkpath(root.filePath(file))
                                                    : writeFile(root.filePath(file), bytes));
        for (QString& arg : args) {
            if (arg.startsWith(QLatin1String("@/")))
                arg.replace(0, 1, root.path());
        }
        const QString out = QDir(work).filePath(output);
        if (!output.isEmpty())
            QVERIFY(writeFile(out, "old"));
        const QString skip = output.isEmpty() ? QString() : QStringLiteral("work/") + output;
        const QStringList before = c64test::tree(root.path(), skip);

        const testsupport::RunResult r = tooltest::runTool(tool, args, work);
        if (!refusal.isEmpty()) {
            QString why;
            QVERIFY2(tooltest::isCleanFailure(r, tool, &why), qPrintable(why));
            QVERIFY2(QString::fromLocal8Bit(r.err).contains(refusal), r.err.constData());
            QCOMPARE(c64test::tree(root.path(), skip), before);
            if (!output.isEmpty())
                QCOMPARE(readFile(out), QByteArray("old"));
            return;
        }
        VERIFY_RAN(r);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        QCOMPARE(c64test::tree(root.path(), skip), before);

        const ImageListing listing = listImage(out);
        QVERIFY2(!listing.partial, qPrintable(listing.problem));
        QCOMPARE(listing.name, name);
        QCOMPARE(listing.entries, entries);
        if (contents.isEmpty())
            return;
        const QByteArray made = readFile(out);
        const bool disk = output.endsWith(QLatin1String(".d64"));
        QCOMPARE(c64test::cbmconvertExtract(disk ? QStringLiteral("-d") : QStringLiteral("-t"), made, output),
                 contents);
        if (!disk)
            return;
        // cc1541 sees every file under its name and type, in as many blocks as its data needs.
        const c64test::Cc1541Listing theirs = c64test::cc1541List(made);
        QCOMPARE(theirs.entries.size(), contents.size());
        for (const c64test::Cc1541Entry& e : theirs.entries) {
            const QString native = e.name + QLatin1Char('.') + e.type;
            QVERIFY2(contents.contains(native), qPrintable(native));
            QCOMPARE(e.blocks, int((contents.value(native).size() + 253) / 254));
        }
    }

private:
    NamedFiles m_files; // in a Lynx archive made by cbmconvert
    QByteArray m_archive;
};

QTEST_GUILESS_MAIN(TestImageTools)
#include "TestImageTools.moc"
