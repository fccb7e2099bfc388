// Whether a configured path is there (and the message when it is not), and when a file counts as read-only.
#include "platform/PathChecks.h"

#include "TestFolders.h"
#include "platform/ScriptedMessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using testsupport::writeFile;

class TestPathChecks : public QObject
{
    Q_OBJECT

private slots:
    void checkPathExists_data();
    void checkPathExists();
    void readOnlyByPermissionBits_data();
    void readOnlyByPermissionBits();
};

void TestPathChecks::checkPathExists_data()
{
    QTest::addColumn<QString>("path");    // below the test folder, which holds Games/ELITE.D64; "=path" as given
    QTest::addColumn<QString>("message"); // "" when the path is there; the path is appended as given
    const auto row = [](const char* tag, const QString& path, const QString& message) {
        QTest::newRow(tag) << path << message;
    };
    row("file", "Games/ELITE.D64", "");
    row("another letter case", "games/elite.d64", "");
    row("folder", "Games", "");
    row("Windows separators", "GAMES\\Elite.D64", "");
    row("file missing, folder there", "Games/BATTY.D64", "FILE NOT FOUND: ");
    row("folder in another case", "games/BATTY.D64", "FILE NOT FOUND: ");
    row("folder missing", "Tapes/BATTY.T64", "PATH NOT FOUND: ");
    row("below a file", "Games/ELITE.D64/BATTY.D64", "PATH NOT FOUND: ");
    // A Windows path kept in old settings names nothing here; its folder is missing.
    row("Windows path", "=C:\\GAMES\\ELITE.D64", "PATH NOT FOUND: ");
    // A bare name is looked for in the current folder, which is there.
    row("bare name", "=NO-SUCH-GAME.D64", "FILE NOT FOUND: ");
    row("not set", "=", "FILE NOT SET!");
}

void TestPathChecks::checkPathExists()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("Games/ELITE.D64"), "x"));
    const QString full = path.startsWith('=') ? path.mid(1) : dir.filePath(path);
    ScriptedMessageBox box;
    QCOMPARE(CheckPathExists(full, false), message.isEmpty());
    QCOMPARE(box.count(), 0); // a silent check shows nothing
    QCOMPARE(CheckPathExists(full, true), message.isEmpty());
    QCOMPARE(box.count(), message.isEmpty() ? 0 : 1);
    if (message.isEmpty())
        return;
    QCOMPARE(box.last().text, full.isEmpty() ? message : message + full); // the path exactly as the caller gave it
    QCOMPARE(box.last().title, QString("vintrax Error"));
    QCOMPARE(box.last().icon, MessageBox::Exclamation);
    QCOMPARE(box.last().buttons, MessageBox::Buttons(MessageBox::Ok));
}

void TestPathChecks::readOnlyByPermissionBits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("asked"); // "" for no path
    QTest::newRow("0444") << 0444 << true << "Games/ELITE.D64";
    QTest::newRow("0000") << 0000 << true << "Games/ELITE.D64";
    QTest::newRow("0444, asked in another case") << 0444 << true << "games/elite.d64";
    QTest::newRow("0644") << 0644 << false << "Games/ELITE.D64";
    QTest::newRow("0200 owner may write") << 0200 << false << "Games/ELITE.D64";
    QTest::newRow("0464 group may write") << 0464 << false << "Games/ELITE.D64";
    QTest::newRow("0446 others may write") << 0446 << false << "Games/ELITE.D64";
    QTest::newRow("missing file") << 0444 << false << "Games/MISSING.D64";
    QTest::newRow("no path") << 0444 << false << "";
}

void TestPathChecks::readOnlyByPermissionBits()
{
    QFETCH(int, mode);
    QFETCH(bool, readOnly);
    QFETCH(QString, asked);
    QTemporaryDir dir;
    const QString file = dir.filePath("Games/ELITE.D64");
    QVERIFY(writeFile(file, "x"));
    QFile::Permissions perms;
    const QFile::Permission bits[] = {QFile::ReadOwner, QFile::WriteOwner, QFile::ExeOwner,
                                      QFile::ReadGroup, QFile::WriteGroup, QFile::ExeGroup,
                                      QFile::ReadOther, QFile::WriteOther, QFile::ExeOther};
    for (int i = 0; i < 9; ++i) {
        if (mode & (0400 >> i))
            perms |= bits[i];
    }
    QVERIFY(QFile::setPermissions(file, perms));
    // Tests run as root, who may write whatever the bits say: the bits alone decide.
    QCOMPARE(isReadOnlyFile(asked.isEmpty() ? QString() : dir.filePath(asked)), readOnly);
}

QTEST_GUILESS_MAIN(TestPathChecks)
#include "TestPathChecks.moc"
