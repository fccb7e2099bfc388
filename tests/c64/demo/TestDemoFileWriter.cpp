// The generator: it writes the demo files that are missing, never touches a file that is there, leaves no
// temporary files, reports what it could not write; and the BASIC programs inside the demo games are well formed.

#include "DemoFileWriter.h"

#include "BasicProgram.h"
#include "DiskTestHelpers.h"
#include "TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace demofiles;

namespace {

QStringList allFiles(const QString& root)
{
    QStringList out;
    QDir dir(root);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : entries) {
        if (e.isDir() && !e.isSymLink()) {
            for (const QString& inner : allFiles(e.filePath()))
                out.append(e.fileName() + QLatin1Char('/') + inner);
        } else {
            out.append(e.fileName());
        }
    }
    return out;
}

testsupport::RunResult runGenerator(const QString& stageDir)
{
    return testsupport::runProgram(QStringLiteral(MKDEMOFILES_PATH), {stageDir}, stageDir);
}

} // namespace

class TestDemoFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void writeNewFileNeverReplaces();
    void missingFilesOnly();
    void generatorFillsAnEmptyStage();
    void generatorKeepsUserFiles();
    void generatorReportsFailures();
    void basicProgramsAreWellFormed();
};

void TestDemoFileWriter::writeNewFileNeverReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a/b/new.prg"));
    QString error;
    QVERIFY2(writeNewFile(path, "fresh", &error), qPrintable(error));
    QCOMPARE(testsupport::readFile(path), QByteArray("fresh"));
    QVERIFY(QFile::permissions(path) & QFile::ReadOther);

    QVERIFY(!writeNewFile(path, "other", &error));
    QVERIFY2(error.contains(QStringLiteral("appeared meanwhile")), qPrintable(error));
    QCOMPARE(testsupport::readFile(path), QByteArray("fresh"));
    QCOMPARE(allFiles(dir.path()), QStringList{QStringLiteral("a/b/new.prg")});
}

void TestDemoFileWriter::missingFilesOnly()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("Demo/mine.prg")), "the user's own"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), dir.filePath(QStringLiteral("Demo/link.prg"))));
    int builds = 0;
    auto counted = [&builds](const QByteArray& bytes) {
        return [&builds, bytes](QString*) {
            ++builds;
            return std::optional<QByteArray>(bytes);
        };
    };
    const QList<DemoFile> files{
        {QStringLiteral("Demo/mine.prg"), counted("demo")},
        {QStringLiteral("Demo/link.prg"), counted("demo")},
        {QStringLiteral("Demo/broken.prg"),
         [](QString* error) {
             *error = QStringLiteral("cannot be made");
             return std::optional<QByteArray>();
         }},
        {QStringLiteral("Demo/Sub/new.prg"), counted("new")},
    };
    const DemoWriteReport report = writeMissingDemoFiles(dir.path(), files);
    QCOMPARE(report.kept, (QStringList{QStringLiteral("Demo/mine.prg"), QStringLiteral("Demo/link.prg")}));
    QCOMPARE(report.written, QStringList{QStringLiteral("Demo/Sub/new.prg")});
    QCOMPARE(report.failed, QStringList{QStringLiteral("Demo/broken.prg: cannot be made")});
    QCOMPARE(builds, 1); // files that are there are not even built
    QCOMPARE(testsupport::readFile(dir.filePath(QStringLiteral("Demo/mine.prg"))), QByteArray("the user's own"));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Demo/link.prg"))).isSymLink());
    QCOMPARE(allFiles(dir.path()), (QStringList{QStringLiteral("Demo/Sub/new.prg"), QStringLiteral("Demo/link.prg"),
                                                QStringLiteral("Demo/mine.prg")}));
}

void TestDemoFileWriter::generatorFillsAnEmptyStage()
{
    QTemporaryDir dir;
    const testsupport::RunResult first = runGenerator(dir.path());
    VERIFY_RAN(first);
    QStringList expected;
    for (const DemoFile& f : demoFiles())
        expected.append(f.relativePath);
    expected.sort();
    QCOMPARE(allFiles(dir.path()), expected);

    // A second run finds everything there and changes nothing; the same build makes the same bytes.
    QMap<QString, QByteArray> before;
    for (const QString& f : expected)
        before.insert(f, testsupport::readFile(dir.filePath(f)));
    QVERIFY(QFile::remove(dir.filePath(expected.first())));
    VERIFY_RAN(runGenerator(dir.path()));
    QCOMPARE(allFiles(dir.path()), expected);
    for (const QString& f : expected)
        QCOMPARE(testsupport::readFile(dir.filePath(f)), before.value(f));
}

void TestDemoFileWriter::generatorKeepsUserFiles()
{
    QTemporaryDir dir;
    const QString tune = dir.filePath(QStringLiteral("Demo/Music/harbour_patrol.sid"));
    const QString disk = dir.filePath(QStringLiteral("Demo/Games/Disks/astrominer.d64"));
    QVERIFY(testsupport::writeFile(tune, "my own recording"));
    QVERIFY(testsupport::writeFile(disk, QByteArray()));
    QVERIFY(QFile::setPermissions(disk, QFile::ReadOwner)); // read-only: still not replaced
    VERIFY_RAN(runGenerator(dir.path()));
    QCOMPARE(testsupport::readFile(tune), QByteArray("my own recording"));
    QCOMPARE(QFileInfo(disk).size(), 0);
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("Demo/Music/bouncing_bytes.sid"))));
}

void TestDemoFileWriter::generatorReportsFailures()
{
    QTemporaryDir dir;
    // A plain file where the games folder should be: no game can be written, the tunes and screenshots still are.
    QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("Demo/Games")), "in the way"));
    const testsupport::RunResult r = runGenerator(dir.path());
    QCOMPARE(r.exitCode, 1);
    const QStringList lines = QString::fromLocal8Bit(r.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 8);
    for (const QString& line : lines)
        QVERIFY2(line.startsWith(QStringLiteral("mkdemofiles: Demo/Games/")), qPrintable(line));
    QCOMPARE(allFiles(dir.path()),
             (QStringList{QStringLiteral("Demo/Games"), QStringLiteral("Demo/Music/bouncing_bytes.sid"),
                          QStringLiteral("Demo/Music/harbour_patrol.sid"), QStringLiteral("Screenshots/astrominer.gif"),
                          QStringLiteral("Screenshots/garden.gif"), QStringLiteral("Screenshots/nibble.gif")}));

    const testsupport::RunResult usage = testsupport::runProgram(QStringLiteral(MKDEMOFILES_PATH), {}, dir.path());
    QCOMPARE(usage.exitCode, 2);
    QVERIFY(usage.err.startsWith("usage: mkdemofiles STAGEDIR"));
}

void TestDemoFileWriter::basicProgramsAreWellFormed()
{
    const QByteArray program = basicPrintProgram({"HELLO", "WORLD"});
    // $0801: [link $080E][10][PRINT]"HELLO"[0] [link $081B][20][PRINT]"WORLD"[0] [0 0]
    const QByteArray expected = QByteArray("\x01\x08", 2) + QByteArray("\x0E\x08\x0A\x00\x99\"HELLO\"\x00", 13) +
                                QByteArray("\x1B\x08\x14\x00\x99\"WORLD\"\x00", 13) + QByteArray(2, '\0');
    QCOMPARE(program, expected);

    const QByteArray game = demoProgram("ASTRO MINER", 1000);
    const QByteArray basic = basicPrintProgram({"ASTRO MINER", "A VINTRAX DEMO GAME"});
    QVERIFY(game.startsWith(basic));
    QCOMPARE(game.size(), basic.size() + 1000);
    QCOMPARE(demoProgram("ASTRO MINER", 1000), game);
    QCOMPARE(fillerBytes(300, 7), fillerBytes(300, 7));
    QVERIFY(fillerBytes(300, 7) != fillerBytes(300, 8));
    QCOMPARE(fillerBytes(0, 7), QByteArray());
}

QTEST_GUILESS_MAIN(TestDemoFileWriter)
#include "TestDemoFileWriter.moc"
