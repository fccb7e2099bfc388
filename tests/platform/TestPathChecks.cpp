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
    void init();
    void emptyPath();
    void existingThingsAreSilent();
    void missingPathsAreReported_data();
    void missingPathsAreReported();
    void silentChecksShowNothing();
    void readOnlyByPermissionBits_data();
    void readOnlyByPermissionBits();
    void readOnlyOfMissingOrOtherCase();

private:
    QString p(const QString& relative) const { return m_dir->path() + u'/' + relative; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPathChecks::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(writeFile(p("Games/ELITE.D64"), "x"));
}

void TestPathChecks::emptyPath()
{
    ScriptedMessageBox box;
    QVERIFY(!CheckPathExists(QString(), false));
    QCOMPARE(box.count(), 0);

    QVERIFY(!CheckPathExists(QString(), true));
    QCOMPARE(box.count(), 1);
    QCOMPARE(box.last().text, QString("FILE NOT SET!"));
    QCOMPARE(box.last().title, QString("vintrax Error"));
    QCOMPARE(box.last().icon, MessageBox::Exclamation);
    QCOMPARE(box.last().buttons, MessageBox::Buttons(MessageBox::Ok));
}

void TestPathChecks::existingThingsAreSilent()
{
    ScriptedMessageBox box;
    QVERIFY(CheckPathExists(p("Games/ELITE.D64"), true));
    QVERIFY(CheckPathExists(p("games/elite.d64"), true));  // another letter case
    QVERIFY(CheckPathExists(p("Games"), true));            // a folder
    QVERIFY(CheckPathExists(p("GAMES\\Elite.D64"), true)); // Windows separators
    QCOMPARE(box.count(), 0);
}

void TestPathChecks::missingPathsAreReported_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("file missing, folder there") << "Games/BATTY.D64"
                                                << "FILE NOT FOUND: ";
    QTest::newRow("folder in another case") << "games/BATTY.D64"
                                            << "FILE NOT FOUND: ";
    QTest::newRow("folder missing") << "Tapes/BATTY.T64"
                                    << "PATH NOT FOUND: ";
    QTest::newRow("two folders missing") << "Tapes/Old/BATTY.T64"
                                         << "PATH NOT FOUND: ";
    QTest::newRow("below a file") << "Games/ELITE.D64/BATTY.D64"
                                  << "PATH NOT FOUND: ";
    QTest::newRow("name with blanks and quotes") << "Games/Last Ninja \"2\" $(x).d64"
                                                 << "FILE NOT FOUND: ";
}

void TestPathChecks::missingPathsAreReported()
{
    QFETCH(QString, path);
    QFETCH(QString, prefix);
    ScriptedMessageBox box;
    const QString full = p(path);
    QVERIFY(!CheckPathExists(full, true));
    QCOMPARE(box.count(), 1);
    // The path is shown exactly as the caller gave it.
    QCOMPARE(box.last().text, prefix + full);
    QCOMPARE(box.last().title, QString("vintrax Error"));
    QCOMPARE(box.last().icon, MessageBox::Exclamation);
    QCOMPARE(box.last().buttons, MessageBox::Buttons(MessageBox::Ok));
}

void TestPathChecks::silentChecksShowNothing()
{
    ScriptedMessageBox box;
    QVERIFY(!CheckPathExists(p("Games/BATTY.D64"), false));
    QVERIFY(!CheckPathExists(p("Tapes/BATTY.T64"), false));
    QVERIFY(!CheckPathExists("C:\\GAMES\\ELITE.D64", false));
    QCOMPARE(box.count(), 0);

    // A Windows path kept in old settings names nothing here; its folder is missing.
    QVERIFY(!CheckPathExists("C:\\GAMES\\ELITE.D64", true));
    QCOMPARE(box.last().text, QString("PATH NOT FOUND: C:\\GAMES\\ELITE.D64"));
    // A bare name is looked for in the current folder, which is there.
    QVERIFY(!CheckPathExists("NO-SUCH-GAME.D64", true));
    QCOMPARE(box.last().text, QString("FILE NOT FOUND: NO-SUCH-GAME.D64"));
}

void TestPathChecks::readOnlyByPermissionBits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("0444") << 0444 << true;
    QTest::newRow("0555") << 0555 << true;
    QTest::newRow("0000") << 0000 << true;
    QTest::newRow("0644") << 0644 << false;
    QTest::newRow("0200 owner may write") << 0200 << false;
    QTest::newRow("0464 group may write") << 0464 << false;
    QTest::newRow("0446 others may write") << 0446 << false;
}

void TestPathChecks::readOnlyByPermissionBits()
{
    QFETCH(int, mode);
    QFETCH(bool, readOnly);
    const QString file = p("Games/ELITE.D64");
    QFile::Permissions perms;
    const QFile::Permission bits[] = {QFile::ReadOwner, QFile::WriteOwner, QFile::ExeOwner,
                                      QFile::ReadGroup, QFile::WriteGroup, QFile::ExeGroup,
                                      QFile::ReadOther, QFile::WriteOther, QFile::ExeOther};
    const int octal[] = {0400, 0200, 0100, 040, 020, 010, 04, 02, 01};
    for (int i = 0; i < 9; ++i) {
        if (mode & octal[i])
            perms |= bits[i];
    }
    QVERIFY(QFile::setPermissions(file, perms));
    // Tests run as root, who may write whatever the bits say: the bits alone decide.
    QCOMPARE(isReadOnlyFile(file), readOnly);
}

void TestPathChecks::readOnlyOfMissingOrOtherCase()
{
    QVERIFY(!isReadOnlyFile(p("Games/MISSING.D64")));
    QVERIFY(!isReadOnlyFile(QString()));
    QVERIFY(QFile::setPermissions(p("Games/ELITE.D64"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(isReadOnlyFile(p("games/elite.d64")));
}

QTEST_GUILESS_MAIN(TestPathChecks)
#include "TestPathChecks.moc"
