#include "TestFolders.h"
#include "launch/EmulatorConfig.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace launch;
using namespace testsupport;

class TestEmulatorConfig : public QObject
{
    Q_OBJECT

private slots:
    void rewritesLines_data();
    void rewritesLines();
    void rewritesTheFileUnderItsRealName();
    void emptyMissingOrFolderIsLeftAlone();
    void readOnlyFileIsReportedAndKept();
    void failedReplacementKeepsTheOldFile();
};

namespace {
const PortValues kExampleValues{1, 0, 2, 3};

// Runs chattr; false when the file system has no immutable flag (then the test cannot make a folder
// refuse root).
bool setImmutable(const QString& path, bool on)
{
    QProcess p;
    p.start(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path});
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

void TestEmulatorConfig::rewritesLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("secondGeneration");
    QTest::addColumn<QString>("loadFolder");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("second generation example")
        << QByteArray("$CONTROLPORT1=0\r\n$CONTROLPORT2MODE=0\r\n$LOADPATH=D:\\\r\n$JOYSTICK1PC=1\r\n") << true
        << "C:\\GAMES\\A"
        << QByteArray("$CONTROLPORT1=1\r\n$CONTROLPORT2MODE=3\r\n$LOADPATH=C:\\GAMES\\A\\\r\n$JOYSTICK1PC=1\r\n");
    QTest::newRow("second generation, all keys")
        << QByteArray("$CONTROLPORT2=1\r\n$CONTROLPORT1MODE=4\r\n$CONTROLPORT1=\r\n") << true << "C:\\G"
        << QByteArray("$CONTROLPORT2=0\r\n$CONTROLPORT1MODE=2\r\n$CONTROLPORT1=1\r\n");
    QTest::newRow("first generation leaves second-generation keys")
        << QByteArray("$JOYSTICK1PC=0\r\n$JOYSTICK2PC=1\r\n$JOYSTICK1KEY=9\r\n$JOYSTICK2KEY=0\r\n$CONTROLPORT1=0\r\n"
                      "$LOADPATH=X\r\n")
        << false << "C:\\GAMES\\A"
        << QByteArray("$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=2\r\n$JOYSTICK2KEY=3\r\n$CONTROLPORT1=0\r\n"
                      "$LOADPATH=C:\\GAMES\\A\\\r\n");
    QTest::newRow("repeated keys are rewritten each time")
        << QByteArray("$LOADPATH=A\r\n$CONTROLPORT1=0\r\n; note\r\n$LOADPATH=B\r\n$CONTROLPORT1=1 old\r\n") << true
        << "C:" << QByteArray("$LOADPATH=C:\\\r\n$CONTROLPORT1=1\r\n; note\r\n$LOADPATH=C:\\\r\n$CONTROLPORT1=1\r\n");
    QTest::newRow("missing load path is not added")
        << QByteArray("$CONTROLPORT2=1\r\n") << true << "C:\\X" << QByteArray("$CONTROLPORT2=0\r\n");
    QTest::newRow("lower-case and near-miss keys are not recognised")
        << QByteArray("$loadpath=C:\\\r\n$LOADPATH =C:\\\r\nLOADPATH=1\r\n $CONTROLPORT1=0\r\n$CONTROLPORT1\r\n")
        << true << "C:\\NEW"
        << QByteArray("$loadpath=C:\\\r\n$LOADPATH =C:\\\r\nLOADPATH=1\r\n $CONTROLPORT1=0\r\n$CONTROLPORT1\r\n");
    QTest::newRow("unknown lines kept byte for byte")
        << QByteArray("# caf\xe9 \t trailing  \r\n\r\n\x01\x7f\xff\r\n$SOUND=1\r\n$CONTROLPORT1MODE=0") << true
        << "C:\\A" << QByteArray("# caf\xe9 \t trailing  \r\n\r\n\x01\x7f\xff\r\n$SOUND=1\r\n$CONTROLPORT1MODE=2\r\n");
    QTest::newRow("mixed line ends, no final line end")
        << QByteArray("a\nb\rc\r\n\n$LOADPATH=x\r\r\nlast") << false << "C:\\A"
        << QByteArray("a\r\nb\r\nc\r\n\r\n$LOADPATH=C:\\A\\\r\n\r\nlast\r\n");
    QTest::newRow("native folder ends in a slash") << QByteArray("$LOADPATH=/old/\n") << true << "/home/me/C64 games/A"
                                                   << QByteArray("$LOADPATH=/home/me/C64 games/A/\r\n");
    QTest::newRow("root folder is not doubled")
        << QByteArray("$LOADPATH=/old/\r\n") << true << "/" << QByteArray("$LOADPATH=/\r\n");
}

void TestEmulatorConfig::rewritesLines()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, secondGeneration);
    QFETCH(QString, loadFolder);
    QFETCH(QByteArray, after);

    QCOMPARE(rewriteEmulatorConfig(before, kExampleValues, loadFolder, secondGeneration), after);

    // The same through the file, which is replaced with exactly these bytes.
    QTemporaryDir dir;
    const QString path = dir.filePath("C64.CFG");
    QVERIFY(writeFile(path, before));
    platform::ScriptedMessageBox box;
    QCOMPARE(WriteEmulatorConfig(path, kExampleValues, loadFolder, secondGeneration), ConfigWriteResult::Written);
    QCOMPARE(readFile(path), after);
    QCOMPARE(box.count(), 0);
}

void TestEmulatorConfig::rewritesTheFileUnderItsRealName()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("CCS 64");
    const QString real = folder + "/C64.CFG";
    QVERIFY(writeFile(real, "$CONTROLPORT1=0\r\n"));
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));

    QCOMPARE(WriteEmulatorConfig(dir.filePath("ccs 64/c64.cfg"), {1, 1, 0, 0}, "C:\\A", true),
             ConfigWriteResult::Written);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"C64.CFG"}); // no second file, no temp left
    QCOMPARE(readFile(real), QByteArray("$CONTROLPORT1=1\r\n"));
    QCOMPARE(QFile::permissions(real) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    // Negative values are written with their sign.
    QCOMPARE(WriteEmulatorConfig(real, {-1, 0, 0, 0}, "C:\\A", true), ConfigWriteResult::Written);
    QCOMPARE(readFile(real), QByteArray("$CONTROLPORT1=-1\r\n"));
}

void TestEmulatorConfig::emptyMissingOrFolderIsLeftAlone()
{
    QTemporaryDir dir;
    platform::ScriptedMessageBox box;

    const QString empty = dir.filePath("empty/C64.CFG");
    QVERIFY(writeFile(empty, ""));
    QCOMPARE(WriteEmulatorConfig(empty, kExampleValues, "C:\\A", true), ConfigWriteResult::Empty);
    QVERIFY(QFile::exists(empty));
    QCOMPARE(QFileInfo(empty).size(), 0);

    const QString missing = dir.filePath("missing/C64.CFG");
    QCOMPARE(WriteEmulatorConfig(missing, kExampleValues, "C:\\A", true), ConfigWriteResult::Failed);
    QVERIFY(!QFile::exists(missing));

    const QString folder = dir.filePath("folder/C64.CFG");
    QVERIFY(writeFile(folder + "/inside.txt", "kept"));
    QCOMPARE(WriteEmulatorConfig(folder, kExampleValues, "C:\\A", false), ConfigWriteResult::Failed);
    QCOMPARE(readFile(folder + "/inside.txt"), QByteArray("kept"));
    QCOMPARE(QDir(dir.filePath("folder")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"C64.CFG"});

    QCOMPARE(box.count(), 0);
}

void TestEmulatorConfig::readOnlyFileIsReportedAndKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("C64.CFG");
    const QByteArray before("$CONTROLPORT1=0\n$LOADPATH=D:\\\n");
    QVERIFY(writeFile(path, before));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    platform::ScriptedMessageBox box;
    QCOMPARE(WriteEmulatorConfig(dir.filePath("c64.cfg"), kExampleValues, "C:\\A", true), ConfigWriteResult::ReadOnly);
    QCOMPARE(box.count(), 1);
    QCOMPARE(box.last().text, QString("Could not write to File: 'C64.CFG'.  Please check it is not set to Read-Only!"));
    QCOMPARE(box.last().title, QString("vintrax"));
    QCOMPARE(box.last().icon, platform::MessageBox::Exclamation);
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"C64.CFG"});
}

void TestEmulatorConfig::failedReplacementKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked folder");
    const QString path = folder + "/C64.CFG";
    const QByteArray before("$CONTROLPORT1=0\r\n$LOADPATH=D:\\\r\n");
    QVERIFY(writeFile(path, before));

    // Root writes into folders whatever their permission bits say; the immutable flag stops even root
    // from adding the temporary file or renaming it over the old one.
    if (!setImmutable(folder, true)) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFile f(folder + "/probe"); f.open(QIODevice::WriteOnly)) {
            f.remove();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("no way to make a folder refuse writes here");
        }
    }
    platform::ScriptedMessageBox box;
    const ConfigWriteResult result = WriteEmulatorConfig(path, kExampleValues, "C:\\A", true);
    setImmutable(folder, false);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(result, ConfigWriteResult::Failed);
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"C64.CFG"});
    QCOMPARE(box.count(), 0); // the file itself is writable: not the read-only message
}

QTEST_GUILESS_MAIN(TestEmulatorConfig)
#include "TestEmulatorConfig.moc"
