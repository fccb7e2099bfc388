// The generator, run as a child process, never replaces a file that is there (the user's own) and reports what it
// could not write. That the files it writes are valid is the staged demo files' test.

#include "ProcessRunner.h"
#include "TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every file under root.
QStringList allFiles(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
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
    void generatorKeepsUserFiles();
    void generatorReportsFailures();
};

void TestDemoFileWriter::generatorKeepsUserFiles()
{
    QTemporaryDir dir;
    const QString tune = dir.filePath(QStringLiteral("Demo/Music/harbour_patrol.sid"));
    const QString disk = dir.filePath(QStringLiteral("Demo/Games/Disks/astrominer.d64"));
    QVERIFY(testsupport::writeFile(tune, "my own recording"));
    QVERIFY(testsupport::writeFile(disk, QByteArray()));
    QVERIFY(QFile::setPermissions(disk, QFile::ReadOwner)); // read-only: still not replaced
    QCOMPARE(runGenerator(dir.path()).exitCode, 0);
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
             (QStringList{"Demo/Games", "Demo/Music/bouncing_bytes.sid",
                          QStringLiteral("Demo/Music/harbour_patrol.sid"), "Screenshots/astrominer.gif",
                          QStringLiteral("Screenshots/garden.gif"), "Screenshots/nibble.gif"}));

    const testsupport::RunResult usage = testsupport::runProgram(QStringLiteral(MKDEMOFILES_PATH), {}, dir.path());
    QCOMPARE(usage.exitCode, 2);
    QVERIFY(usage.err.startsWith("usage: mkdemofiles STAGEDIR"));
}

QTEST_GUILESS_MAIN(TestDemoFileWriter)
#include "TestDemoFileWriter.moc"
