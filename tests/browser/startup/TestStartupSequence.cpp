// Starts that end, warn or close something, through the real program: a missing tool, a missing or damaged
// catalogue and a second copy end the start and touch nothing; the notice after an upgrade; a saved view that
// cannot be read; a read-only settings file; the SID player closed at exit only when asked.
#include "ModalHelpers.h"
#include "WindowFixture.h"
#include "platform/SidPlayProcess.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using platform::MessageBox;
using namespace windowtest;

class TestStartupSequence : public QObject
{
    Q_OBJECT

private slots:
    void failedStartTouchesNothing_data();
    void failedStartTouchesNothing();
    void earlierVersionGetsTheNoticeOnce();
    void unreadableSavedViewLeavesNoGame();
    void readOnlySettingsAreReportedAndKept();
    void runningPlayerIsClosedOnlyWhenAsked_data();
    void runningPlayerIsClosedOnlyWhenAsked();
};

void TestStartupSequence::failedStartTouchesNothing_data()
{
    QTest::addColumn<bool>("running");        // another copy holds the instance lock
    QTest::addColumn<QStringList>("removed"); // program-folder files taken away
    QTest::addColumn<bool>("damaged");        // the catalogue overwritten with text
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // part of the message; "%1" stands for the program folder
    const QString error = QStringLiteral("vintrax Error");
    // The tools are checked in the order bmp2gif, gunzip, lha, zip2d64: only the first missing one is named.
    // Without a catalogue a start that went on would say so: the refusal of a second copy must come first.
    QTest::newRow("zip2d64 missing") << false << QStringList{"Conversion/zip2d64"} << false << error
                                     << QStringLiteral("FILE NOT FOUND: %1/Conversion/zip2d64");
    QTest::newRow("gunzip before lha") << false << QStringList{"Conversion/lha", "Conversion/gunzip"} << false << error
                                       << QStringLiteral("FILE NOT FOUND: %1/Conversion/gunzip");
    QTest::newRow("catalogue missing") << false << QStringList{"Vintrax.mdb"} << false << QStringLiteral("vinTrax")
                                       << QStringLiteral("Cannot find 'vintrax.mdb' in the 'vinTrax' directory");
    QTest::newRow("catalogue damaged") << false << QStringList() << true << QStringLiteral("vinTrax")
                                       << QStringLiteral("%1/Vintrax.mdb");
    QTest::newRow("second copy") << true << QStringList{"Vintrax.mdb"} << false << QStringLiteral("vintrax")
                                 << QStringLiteral("vintrax is already running!");
}

void TestStartupSequence::failedStartTouchesNothing()
{
    QFETCH(bool, running);
    QFETCH(QStringList, removed);
    QFETCH(bool, damaged);
    QFETCH(QString, title);
    QFETCH(QString, text);
    WindowFixture f;
    QVERIFY(f.isValid());
    platform::SingleInstance other;
    if (running)
        QCOMPARE(other.tryAcquire(), platform::SingleInstance::Acquired);
    f.removeSetting(QStringLiteral("ShowPrefs")); // not even the first-run flag may be cleared
    for (const QString& file : removed)
        QVERIFY(QFile::remove(f.programFile(file)));
    const QString catalogue = f.programFile(QStringLiteral("Vintrax.mdb"));
    if (damaged)
        QVERIFY(testsupport::writeFile(catalogue, QByteArray("Games, tunes and screenshots\n").repeated(100)));
    const QByteArray iniBefore = testsupport::readFile(f.iniPath());
    const QByteArray catalogueBefore = testsupport::readFile(catalogue);

    QVERIFY(f.start() == nullptr);
    QVERIFY(!QApplication::overrideCursor());
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    QCOMPARE(f.messages.count(), 1);
    QCOMPARE(f.messages.last().title, title);
    QVERIFY2(f.messages.last().text.contains(text.arg(f.programPath())), qPrintable(f.messages.last().text));
    QCOMPARE(testsupport::readFile(f.iniPath()), iniBefore);
    // The engine must not have made an empty catalogue in a missing one's place, nor touched a damaged one.
    QCOMPARE(QFile::exists(catalogue), !removed.contains(QStringLiteral("Vintrax.mdb")));
    QCOMPARE(testsupport::readFile(catalogue), catalogueBefore);
}

void TestStartupSequence::earlierVersionGetsTheNoticeOnce()
{
    // The first start of this version tells the user to set the emulators again, keeps only the Win32 one,
    // and opens at the design height (whose client area is the smallest), whatever height was stored.
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("V13Start"));
    f.presetSettings({{"CCS64Path", "/emu/ccs64.exe"}, {"CCS642Path", "/emu/ccs642.exe"}});
    f.presetSettings({{"DirectXPath", "/emu/ccs64dx.exe"}, {"Heighty", 12000}});
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(f.messages.texts(), QStringList{"As you now have 3 Emulators to select from, you should re-set your "
                                             "CCS64 paths in Preferences."});
    QCOMPARE(f.messages.last().icon, MessageBox::Information);
    QCOMPARE(w->centralWidget()->height(), 6300 / 15);
    f.exit();
    QStringList stored;
    for (const char* key : {"CCS64Path", "CCS642Path", "DirectXPath", "V13Start"})
        stored << f.storedValue(QString::fromLatin1(key)).toString();
    QCOMPARE(stored, (QStringList{"", "", "/emu/ccs64dx.exe", "True"}));
    f.messages.clear();
    QVERIFY(f.start());
    QCOMPARE(f.messages.count(), 0);
}

void TestStartupSequence::unreadableSavedViewLeavesNoGame()
{
    WindowFixture f;
    QVERIFY(f.isValid());
    // The stored query is still there but names a table that has gone, so it opens and cannot be read.
    QCOMPARE(f.sql("DROP VIEW [Game Name List]; CREATE TABLE Gone(Name, CCode); "
                   "CREATE VIEW [Game Name List] AS SELECT Name, CCode FROM Gone; DROP TABLE Gone;"),
             QString());
    QMainWindow* w = f.start();
    QVERIFY(w);
    QCOMPARE(gameList(w).rowCount(), 0);
    QVERIFY(!control<QWidget>(w, "lblName")->isVisible());
    // The program goes on: the refusal's title, not the title of the messages that end it.
    QCOMPARE(f.messages.count(), 1);
    QVERIFY(f.messages.last().title == "vintrax" && f.messages.last().icon == MessageBox::Exclamation);
}

void TestStartupSequence::readOnlySettingsAreReportedAndKept()
{
    // The first-run flag cannot be cleared: that is reported first, then the notes still come; at exit the
    // settings cannot be written either, which is reported, and the file is left as it was.
    WindowFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("ShowPrefs"));
    const QByteArray before = testsupport::readFile(f.iniPath());
    QVERIFY(QFile::setPermissions(f.iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    testsupport::whenModal([](QWidget* dialog) { dialog->findChild<QPushButton*>("cmdCancel")->click(); });
    QVERIFY(f.start());
    QCOMPARE(f.messages.count(), 4);
    // The welcome note: lines end in one line break, or two before a blank line.
    const QString welcome = f.messages.messages()[1].text;
    QVERIFY(welcome.contains(QStringLiteral("'Games Path'.\n\n2) HV-SID COLLECTION FILENAMES (Update #11)\n    If")));
    QVERIFY(welcome.endsWith(QStringLiteral("Games/Sids'\n    from the 'Tools' menu.\n")));
    f.exit();
    QCOMPARE(f.messages.count(), 5);
    for (int i : {0, 4})
        QVERIFY(f.messages.messages()[i].icon == MessageBox::Exclamation &&
                f.messages.messages()[i].text.contains("read-only"));
    QCOMPARE(testsupport::readFile(f.iniPath()), before);
}

void TestStartupSequence::runningPlayerIsClosedOnlyWhenAsked_data()
{
    QTest::addColumn<int>("leaveFlag");
    QTest::addColumn<bool>("closed");
    QTest::newRow("shut down on exit") << 1 << true;
    QTest::newRow("left running") << 0 << false;
}

void TestStartupSequence::runningPlayerIsClosedOnlyWhenAsked()
{
    QFETCH(int, leaveFlag);
    QFETCH(bool, closed);
    WindowFixture f;
    QVERIFY(f.isValid());
    // A stand-in SID player: a script that runs until it is ended.
    const QString player = f.tempFile(QStringLiteral("sidplayw"));
    QVERIFY(testsupport::writeFile(player, "#!/bin/sh\nwhile :; do sleep 0.2; done\n"));
    QFile::setPermissions(player, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    f.presetSettings({{QStringLiteral("SidplayWPath"), player}, {QStringLiteral("LeaveSPRunningFlag"), leaveFlag}});
    QVERIFY(f.start());
    QProcess running;
    running.start(player, {});
    QVERIFY(running.waitForStarted());
    QTRY_VERIFY(platform::FindSidPlayProcess(player));
    f.exit();
    QCOMPARE(running.waitForFinished(closed ? 5000 : 600), closed);
    running.kill();
    running.waitForFinished();
}

QTEST_MAIN(TestStartupSequence)
#include "TestStartupSequence.moc"
