// Unpacking a ZIP flat into the working folder: names, hostile paths and links, damaged and refused archives.
#include "ArchiveFixtures.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "WriterProbe.h"
#include "launch/UnzipToFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace launch;
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

} // namespace

class TestUnzipToFolder : public QObject
{
    Q_OBJECT

private slots:
    void extracts_data()
    {
        QTest::addColumn<QStringList>("members"); // the zip's, written by the zip tool unless a name needs our writer
        QTest::addColumn<bool>("zipTool");
        QTest::addColumn<QStringList>("before"); // in the folder: "name=content" or "name->target" (a link)
        QTest::addColumn<QStringList>("after");  // the folder's tree
        const auto row = [](const char* tag, const QStringList& members, bool zipTool, const QStringList& before,
                            const QStringList& after) { QTest::newRow(tag) << members << zipTool << before << after; };
        // clang-format off
        row("members land flat by base name", {"GAMES/ELITE.D64=disk", "GAMES/DOCS/README.TXT=read me", "My Game \"2\" $(id).prg=prg"}, true, {}, {"ELITE.D64=disk", "My Game \"2\" $(id).prg=prg", "README.TXT=read me"});
        row("stored paths cannot escape the folder", {"../escaped.prg=a", "/tmp/vintrax-absolute-escape.prg=b", "C:\\WINDOWS\\win.prg=c", "..=d", "sub/../../up.prg=e"}, false, {}, {"escaped.prg=a", "up.prg=e", "vintrax-absolute-escape.prg=b", "win.prg=c"});
        row("links in the folder are not followed", {"ELITE.D64=disk", "INTRO.PRG=intro"}, true, {"elite.d64->../outside.d64", "INTRO.PRG->../nowhere"}, {"INTRO.PRG=intro", "elite.d64=disk"});
        // 10 MB of zeros compress to a few kilobytes but stay within the limits.
        row("zeros", {"ZEROS.PRG=*10485760"}, true, {}, {"ZEROS.PRG=" + QString(10485760, QChar(0))});
        // clang-format on
    }
    void extracts()
    {
        QFETCH(QStringList, members);
        QFETCH(bool, zipTool);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        const QString zip = dir.filePath("a.zip");
        QVERIFY(zipTool ? zipWithTool(zip, membersFrom(members)) : writeZipWithNames(zip, membersFrom(members)));
        QVERIFY(writeFile(dir.filePath("outside.d64"), "the user's own file"));
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
        const UnzipResult r = UnzipToFolder(out, zip);
        QVERIFY2(!r.failed, qPrintable(r.error));
        QCOMPARE(tree(out), after);
        QCOMPARE(tree(dir.path()).filter(besideTheFolder), outside); // nothing written beside it, no link followed
        QVERIFY(!QFile::exists("/tmp/vintrax-absolute-escape.prg"));
    }
    void failsAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // a part of the reported error; "" any
        const auto row = [](const char* tag, const QString& kind, const char* reason) {
            QTest::newRow(tag) << kind << QString(reason);
        };
        row("corrupted", "corrupted", "");
        row("too many members", "many", "more than 10000 members");
        row("C1 control in a name", QString("name \u0085"), "holds control characters");
        // A member that is not extracted ("sub/.." names no file), cut off inside its data, which does not compress.
        row("skipped member cut off", "cut skip", "cannot skip sub/..: ");
    }
    void failsAndLeavesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString zip = dir.filePath("bad.zip");
        const QByteArray noise = tooltest::noiseBytes(60000, 7);
        QList<QPair<QString, QByteArray>> list{{"GAME.PRG", programBytes(1)}, {"docs/" + kind + ".txt", "x"}};
        if (kind == "many") {
            list.clear();
            for (int i = 0; i <= 10000; ++i)
                list.append({QStringLiteral("F%1.PRG").arg(i), QByteArray()});
        } else if (kind == "cut skip") {
            list = {{"sub/..", noise}, {"GAME.PRG", programBytes(2)}};
        }
        QVERIFY(reason.isEmpty() ? zipWithTool(zip, {{"GAME.D64", noise.left(20000)}}) : writeZipWithNames(zip, list));
        QByteArray bytes = readFile(zip);
        if (kind == "cut skip")
            bytes.truncate(30000);
        if (kind == "corrupted")
            bytes[bytes.size() / 3] ^= 0x55;
        QVERIFY(writeFile(zip, bytes));
        const QString out = dir.filePath("W");
        QDir().mkpath(out);
        const UnzipResult r = UnzipToFolder(out, zip);
        QVERIFY(r.failed);
        QVERIFY2(r.error.contains(reason) && !r.error.isEmpty() && !r.error.endsWith(": "), qPrintable(r.error));
        QCOMPARE(tree(out), QStringList()); // a member that could not be read whole is not left half-written
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
};

QTEST_GUILESS_MAIN(TestUnzipToFolder)
#include "TestUnzipToFolder.moc"
