// Starting games from the main window as a user does: the play buttons, the list's popup menu and a
// double-click, each reaching a fake emulator through the real launcher and recording the play.
#include "ArchiveFixtures.h"
#include "ModalHelpers.h"
#include "PlayFixture.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "launch/GameLaunch.h"
#include <QMainWindow>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace playtest;
using namespace windowtest;
using namespace testsupport;
using platform::MessageBox;

namespace {

const QString kAstro = QStringLiteral("Astro Miner");
const char* const kPlayButtons[] = {"cmdRunGame", "cmdRun20Dos", "cmdRun20Win"};
const char* const kPlayItems[] = {"pmnuPlay", "pmnuPlay2D", "pmnuPlay2W"};

// The extender of CCS64 v1.9 is handed the emulator's name before the image.
int argumentCount(int kind)
{
    return kind == 0 ? 2 : 1;
}

} // namespace

class TestMainWindowPlay : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eachPlayButtonStartsItsEmulator_data();
    void eachPlayButtonStartsItsEmulator();
    void everyStartIsCountedOnThePanelAndInTheCatalogue();
    void disabledButtonsStartNothing();
    void missingEmulatorIsReportedAndNothingRecorded_data();
    void missingEmulatorIsReportedAndNothingRecorded();
    void gameFileInNoGamesFolderIsReported();
    void archiveIsConvertedUnderTheHourglass();
    void failedConversionIsReportedAndThePointerRestored();
    void renamedArchiveShowsItsNewName();

    void doubleClickStartsTheDefaultEmulator_data();
    void doubleClickStartsTheDefaultEmulator();
    void noSelectedGameStartsNothing();
    void doubleClickStartsNothing_data();
    void doubleClickStartsNothing();

    void popupItemsAreEnabledLikeTheButtons();
    void popupItemStartsItsEmulator_data();
    void popupItemStartsItsEmulator();

    void scrollerStopsWhenTheGameStarts();
    void runningSidPlayerIsEndedBeforeTheStart();

private:
    QString imageOf(const QString& relative) const { return m_s->fixture.programFile("Demo/Games/" + relative); }
    QString canonical(const QString& folder) const { return QFileInfo(folder).canonicalFilePath(); }
    void verifyNothingRecorded(QMainWindow* w, const QString& game);
    // Astro Miner's disk went to the emulator of kind and to no other, and the play was recorded.
    void verifyAstroStartedOnlyIn(QMainWindow* w, int kind);

    std::unique_ptr<PlaySession> m_s;
    std::unique_ptr<QProcess> m_player;
};

void TestMainWindowPlay::init()
{
    m_s = std::make_unique<PlaySession>();
    QVERIFY(m_s->isValid());
}

void TestMainWindowPlay::cleanup()
{
    m_s.reset();
    if (m_player && m_player->state() != QProcess::NotRunning) {
        m_player->kill();
        m_player->waitForFinished(2000);
    }
    m_player.reset();
}

void TestMainWindowPlay::verifyNothingRecorded(QMainWindow* w, const QString& game)
{
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("0"));
    QCOMPARE(labelText(w, "lblLastPlayed"), QStringLiteral("(Never)"));
    QCOMPARE(m_s->stored(game, "TimesPlayed").toInt(), 0);
    QCOMPARE(m_s->stored(game, "DateLastPlayed").toString(), QStringLiteral("(Never)"));
}

void TestMainWindowPlay::verifyAstroStartedOnlyIn(QMainWindow* w, int kind)
{
    QCOMPARE(m_s->emulators.waitForStart(kind, argumentCount(kind)).value(argumentCount(kind)),
             imageOf("Disks/astrominer.d64") + QStringLiteral(",2"));
    for (int other = 0; other < 3; ++other)
        QCOMPARE(m_s->emulators.started(other), other == kind);
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("1"));
    QCOMPARE(labelText(w, "lblLastPlayed"), today());
    QCOMPARE(m_s->stored(kAstro, "TimesPlayed").toInt(), 1);
    QCOMPARE(m_s->stored(kAstro, "DateLastPlayed").toString(), today());
}

void TestMainWindowPlay::eachPlayButtonStartsItsEmulator_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("portLine"); // the first port key of the generation, with the preset default
    QTest::newRow("v1.9 Dos") << 0 << QStringLiteral("$JOYSTICK1PC=0");
    QTest::newRow("v2.0 Dos") << 1 << QStringLiteral("$CONTROLPORT1=0");
    QTest::newRow("v2.0 Win32") << 2 << QStringLiteral("$CONTROLPORT1=0");
}

void TestMainWindowPlay::eachPlayButtonStartsItsEmulator()
{
    QFETCH(int, kind);
    QFETCH(QString, portLine);
    // The demo games ask for the defaults; these differ from the settings' own defaults.
    QMainWindow* w = m_s->start(kAstro, {{QStringLiteral("DefPort1Joy"), 0}, {QStringLiteral("DXDefPort1Joy"), 0}});
    QVERIFY(w);
    auto* button = control<QPushButton>(w, kPlayButtons[kind]);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);

    QStringList expected = {canonical(m_s->emulators.folder(kind))};
    if (kind == 0) // the emulator's name as it is on disk: no "ccs64.exe" sits beside the extender
        expected << QStringLiteral("CCS64.EXE");
    expected << imageOf("Disks/astrominer.d64") + QStringLiteral(",2");
    QCOMPARE(m_s->emulators.waitForStart(kind, argumentCount(kind)), expected);
    verifyAstroStartedOnlyIn(w, kind);
    QCOMPARE(m_s->fixture.state().LastRunWasWin32, kind == 2);

    // The configuration of that emulator's generation was rewritten for the game (it asks for the
    // defaults) and the image's folder.
    QCOMPARE(configLine(m_s->emulators.configPath(kind), portLine.section(u'=', 0, 0) + u'='), portLine);
    QCOMPARE(configLine(m_s->emulators.configPath(kind), QStringLiteral("$LOADPATH=")),
             QStringLiteral("$LOADPATH=") + imageOf("Disks") + u'/');
    QCOMPARE(m_s->messages().texts(), QStringList());
}

void TestMainWindowPlay::everyStartIsCountedOnThePanelAndInTheCatalogue()
{
    // The sequel on the same disk is a row of its own and keeps its count.
    const QString sequel = QStringLiteral("Moonbase Miner 2");
    QMainWindow* w = m_s->start(kAstro);
    QVERIFY(w);
    auto* button = control<QPushButton>(w, "cmdRun20Win");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!m_s->emulators.waitForStart(2, 1).isEmpty());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("2"));
    QCOMPARE(m_s->stored(kAstro, "TimesPlayed").toInt(), 2);

    clickGame(w, sequel);
    QCOMPARE(labelText(w, "lblName"), sequel);
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("0"));
    QCOMPARE(m_s->stored(sequel, "TimesPlayed").toInt(), 0);
    // Back on the game, the panel reads the count the catalogue holds.
    clickGame(w, kAstro);
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("2"));
    QCOMPARE(labelText(w, "lblLastPlayed"), today());
}

void TestMainWindowPlay::disabledButtonsStartNothing()
{
    QMainWindow* w = m_s->start(kAstro, {{QStringLiteral("CCS642Path"), QString()}});
    QVERIFY(w);
    QVERIFY(control<QPushButton>(w, "cmdRunGame")->isEnabled());
    QVERIFY(!control<QPushButton>(w, "cmdRun20Dos")->isEnabled());
    QVERIFY(control<QPushButton>(w, "cmdRun20Win")->isEnabled());
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Dos"), Qt::LeftButton);
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    verifyNothingRecorded(w, kAstro);

    // A game without a file: no emulator can start it.
    const QString noFile = QStringLiteral("Harbour Patrol");
    clickGame(w, noFile);
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("(None)"));
    for (const char* name : kPlayButtons) {
        auto* button = control<QPushButton>(w, name);
        QVERIFY2(!button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    verifyNothingRecorded(w, noFile);
    QCOMPARE(m_s->messages().count(), 0);
}

void TestMainWindowPlay::missingEmulatorIsReportedAndNothingRecorded_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("missing"); // relative to the emulator's folder
    QTest::newRow("Win32 emulator gone") << 2 << QStringLiteral("CCS64DX.EXE");
    QTest::newRow("v1.9 without its extender") << 0 << QStringLiteral("ccsdpmi.exe");
}

void TestMainWindowPlay::missingEmulatorIsReportedAndNothingRecorded()
{
    QFETCH(int, kind);
    QFETCH(QString, missing);
    const QString gone = QDir(m_s->emulators.folder(kind)).filePath(missing);
    QVERIFY(QFile::remove(gone));
    const QByteArray config = readFile(m_s->emulators.configPath(kind));
    QMainWindow* w = m_s->start(kAstro);
    QVERIFY(w);
    // The setting is there, so the button is offered; the start finds the file missing.
    QTest::mouseClick(control<QPushButton>(w, kPlayButtons[kind]), Qt::LeftButton);
    QCOMPARE(m_s->messages().count(), 1);
    QCOMPARE(m_s->messages().last().text, QStringLiteral("FILE NOT FOUND: ") + gone);
    QCOMPARE(m_s->messages().last().title, QStringLiteral("vintrax Error"));
    QCOMPARE(m_s->messages().last().icon, MessageBox::Exclamation);
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    QCOMPARE(readFile(m_s->emulators.configPath(kind)), config);
    verifyNothingRecorded(w, kAstro);
}

void TestMainWindowPlay::gameFileInNoGamesFolderIsReported()
{
    const QString cavern = QStringLiteral("Cavern Crawler");
    QVERIFY(QFile::remove(imageOf("cavern.prg")));
    QMainWindow* w = m_s->start(cavern);
    QVERIFY(w);
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    QCOMPARE(m_s->messages().count(), 1);
    QCOMPARE(m_s->messages().last().text, QStringLiteral("File not found in any of your Game Paths:  \"cavern.prg\""));
    QCOMPARE(m_s->messages().last().title, QStringLiteral("vintrax"));
    QCOMPARE(m_s->messages().last().icon, MessageBox::Critical);
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    verifyNothingRecorded(w, cavern);
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("cavern.prg"));
}

void TestMainWindowPlay::archiveIsConvertedUnderTheHourglass()
{
    const QString keep = QStringLiteral("Dragon's Keep, The");
    QMainWindow* w = m_s->start(keep);
    QVERIFY(w);
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    const QStringList log = m_s->emulators.waitForStart(2, 1);
    QCOMPARE(log.size(), 2);
    // The one disk of the archive, from the working folder, with the game's entry.
    const QString image = log.at(1).section(u',', 0, 0);
    QCOMPARE(QFileInfo(image).absolutePath(), m_s->fixture.programFile("CURRGAME"));
    QVERIFY2(image.endsWith(QStringLiteral(".d64"), Qt::CaseInsensitive), qPrintable(image));
    QVERIFY(QFile::exists(image));
    QCOMPARE(log.at(1).section(u',', 1), QStringLiteral("1"));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("dragonskeep.zip"));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("1"));
    QCOMPARE(m_s->stored(keep, "TimesPlayed").toInt(), 1);
    QCOMPARE(m_s->messages().count(), 0);
}

void TestMainWindowPlay::failedConversionIsReportedAndThePointerRestored()
{
    const QString keep = QStringLiteral("Dragon's Keep, The");
    QVERIFY(writeFile(imageOf("Archives/dragonskeep.zip"), "this is no zip archive"));
    QMainWindow* w = m_s->start(keep);
    QVERIFY(w);
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    QCOMPARE(m_s->messages().count(), 1);
    QVERIFY2(m_s->messages().last().text.startsWith(QStringLiteral("Error Unzipping.")),
             qPrintable(m_s->messages().last().text));
    QCOMPARE(m_s->messages().last().title, QStringLiteral("vintrax"));
    QCOMPARE(m_s->messages().last().icon, MessageBox::Exclamation);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    verifyNothingRecorded(w, keep);
}

void TestMainWindowPlay::renamedArchiveShowsItsNewName()
{
    // An archive with two games: the user picks the second, the archive is renamed after it, and the
    // panel and the catalogue follow the new name.
    const QString cavern = QStringLiteral("Cavern Crawler");
    QVERIFY(zipWithTool(imageOf("Archives/PACK.ZIP"),
                        {{"ONE.D64", QByteArray(174848, 1)}, {"TWO.D64", QByteArray(174848, 2)}}));
    QVERIFY(execOnCatalogue(m_s->catalogueFile(), "UPDATE Games SET Filename = ? WHERE Name = ?",
                            {QStringLiteral("Archives\\PACK.ZIP"), cavern}));
    QMainWindow* w = m_s->start(cavern);
    QVERIFY(w);
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("PACK.ZIP"));

    bool chosen = false;
    Qt::CursorShape pointer = Qt::ArrowCursor;
    whenModal([&](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmRenameArchive"));
        if (const QCursor* c = QApplication::overrideCursor())
            pointer = c->shape();
        auto* files = dialog->findChild<QListWidget*>(QStringLiteral("lstFiles"));
        const QList<QListWidgetItem*> two = files->findItems(QStringLiteral("TWO.D64"), Qt::MatchFixedString);
        QCOMPARE(two.size(), 1);
        files->setCurrentItem(two.first());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdRename")), Qt::LeftButton);
        chosen = true;
    });
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    QVERIFY(chosen);
    QCOMPARE(pointer, Qt::WaitCursor); // the conversion was under way
    QCOMPARE(m_s->emulators.waitForStart(2, 1).value(1), m_s->fixture.programFile("CURRGAME/TWO.D64") + ",0");
    QVERIFY(QFile::exists(imageOf("Archives/TWO.ZIP")));
    QCOMPARE(labelText(w, "lblGameFile"), QStringLiteral("TWO.ZIP"));
    QCOMPARE(m_s->stored(cavern, "Filename").toString(), QStringLiteral("Archives\\TWO.ZIP"));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("1"));
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindowPlay::doubleClickStartsTheDefaultEmulator_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("enterKey");
    QTest::newRow("default v1.9") << 0 << false;
    QTest::newRow("default v2.0 Dos") << 1 << false;
    QTest::newRow("default v2.0 Win32") << 2 << false;
    QTest::newRow("Enter, default v2.0 Dos") << 1 << true;
}

void TestMainWindowPlay::doubleClickStartsTheDefaultEmulator()
{
    QFETCH(int, kind);
    QFETCH(bool, enterKey);
    QMainWindow* w = m_s->start(
        kAstro, {{QStringLiteral("TheDefaultEmulatorFlag"), kind}, {QStringLiteral("DC"), QStringLiteral("False")}});
    QVERIFY(w);
    if (enterKey)
        QTest::keyClick(control<QListView>(w, "lstGames"), Qt::Key_Return);
    else
        doubleClickGame(w, kAstro);
    verifyAstroStartedOnlyIn(w, kind);
}

void TestMainWindowPlay::noSelectedGameStartsNothing()
{
    // A game file but no tune: the tune view does not hold it, and no row is selected there.
    const QString cavern = QStringLiteral("Cavern Crawler");
    QMainWindow* w = m_s->start(cavern);
    QVERIFY(w);
    QVERIFY(control<QPushButton>(w, "cmdRun20Win")->isEnabled());
    QTest::mouseClick(control<QPushButton>(w, "cmdMusicOnly"), Qt::LeftButton);
    QCOMPARE(selectedGame(w), QString());
    QVERIFY(gameList(w).rowCount() > 0);
    for (const char* name : kPlayButtons)
        QVERIFY2(!control<QPushButton>(w, name)->isEnabled(), name);
    for (const char* name : {"mnuEditEmulator", "pmnuPlay", "pmnuPlay2D", "pmnuPlay2W", "pmnuEditEmulatorSettings"})
        QVERIFY2(!action(w, name)->isEnabled(), name);
    QCOMPARE(labelText(w, "lblName"), QString());
    // The view commands and the random pick stay.
    QVERIFY(control<QPushButton>(w, "cmdAll")->isEnabled());
    QVERIFY(control<QPushButton>(w, "cmdRandom")->isEnabled());
    // Reached anyway (a stale shortcut, a menu opened before the switch), each command refuses by itself.
    for (const char* name : {"pmnuPlay", "pmnuPlay2D", "pmnuPlay2W", "mnuEditEmulator"}) {
        action(w, name)->setEnabled(true);
        action(w, name)->trigger();
    }
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    QCOMPARE(m_s->stored(cavern, "TimesPlayed").toInt(), 0);
    QCOMPARE(m_s->stored(kAstro, "TimesPlayed").toInt(), 0);
    QCOMPARE(m_s->messages().count(), 0);
}

void TestMainWindowPlay::doubleClickStartsNothing_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QVariantMap>("settings");
    QTest::newRow("default v1.9 without its path")
        << kAstro << QVariantMap{{"TheDefaultEmulatorFlag", 0}, {"DC", "False"}, {"CCS64Path", QString()}};
    QTest::newRow("double-click plays the tune")
        << kAstro << QVariantMap{{"TheDefaultEmulatorFlag", 2}, {"DC", "True"}};
    QTest::newRow("game without a file") << QStringLiteral("Harbour Patrol")
                                         << QVariantMap{{"TheDefaultEmulatorFlag", 2}, {"DC", "False"}};
    QTest::newRow("no games folder") << kAstro
                                     << QVariantMap{
                                            {"TheDefaultEmulatorFlag", 2}, {"DC", "False"}, {"GamesPath", QString()}};
}

void TestMainWindowPlay::doubleClickStartsNothing()
{
    QFETCH(QString, game);
    QFETCH(QVariantMap, settings);
    QMainWindow* w = m_s->start(game, settings);
    QVERIFY(w);
    QCOMPARE(labelText(w, "lblName"), game);
    // Without the tune setting, the reason is that the default emulator's button is not offered.
    if (settings.value("DC").toString() == QLatin1String("False"))
        QVERIFY(!control<QPushButton>(w, kPlayButtons[settings.value("TheDefaultEmulatorFlag").toInt()])->isEnabled());
    doubleClickGame(w, game);
    QVERIFY(!m_s->emulators.anyStartedWithin(500));
    verifyNothingRecorded(w, game);
    QCOMPARE(m_s->messages().count(), 0);
}

void TestMainWindowPlay::popupItemsAreEnabledLikeTheButtons()
{
    QMainWindow* w = m_s->start(kAstro, {{QStringLiteral("CCS642Path"), QString()}});
    QVERIFY(w);
    auto* pmnu = control<QMenu>(w, "pmnu");
    rightClickGame(w, kAstro);
    QTRY_VERIFY(pmnu->isVisible());
    const QStringList captions = {"Play Astro Miner (v1.9)",       "Play Astro Miner (v2.0 Dos)",
                                  "Play Astro Miner (v2.0 Win32)", "Play Sid Tune for Astro Miner",
                                  "View Docs for Astro Miner",     "Remove Astro Miner"};
    const char* const items[] = {"pmnuPlay", "pmnuPlay2D", "pmnuPlay2W", "pmnuSid", "pmnuDocs", "pmnuRemoveGame"};
    const char* const buttons[] = {"cmdRunGame", "cmdRun20Dos", "cmdRun20Win", "cmdPlayMusic", "cmdViewDocs"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(action(w, items[i])->text(), captions.at(i));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(action(w, items[i])->isEnabled(), control<QPushButton>(w, buttons[i])->isEnabled());
    QVERIFY(action(w, "pmnuPlay")->isEnabled());
    QVERIFY(!action(w, "pmnuPlay2D")->isEnabled());
    QVERIFY(action(w, "pmnuPlay2W")->isEnabled());
    // A click on a greyed item starts nothing.
    QTest::mouseClick(pmnu, Qt::LeftButton, {}, pmnu->actionGeometry(action(w, "pmnuPlay2D")).center());
    QVERIFY(!m_s->emulators.anyStartedWithin(300));
    pmnu->close();

    // The captions follow the game under the click; without a game file no play item is offered.
    clickGame(w, QStringLiteral("Harbour Patrol"));
    rightClickGame(w, QStringLiteral("Harbour Patrol"));
    QTRY_VERIFY(pmnu->isVisible());
    QCOMPARE(action(w, "pmnuPlay")->text(), QStringLiteral("Play Harbour Patrol (v1.9)"));
    QCOMPARE(action(w, "pmnuRemoveGame")->text(), QStringLiteral("Remove Harbour Patrol"));
    for (const char* name : kPlayItems)
        QVERIFY2(!action(w, name)->isEnabled(), name);
    pmnu->close();
    verifyNothingRecorded(w, QStringLiteral("Harbour Patrol"));
}

void TestMainWindowPlay::popupItemStartsItsEmulator_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("pmnuPlay") << 0;
    QTest::newRow("pmnuPlay2D") << 1;
    QTest::newRow("pmnuPlay2W") << 2;
}

void TestMainWindowPlay::popupItemStartsItsEmulator()
{
    QFETCH(int, kind);
    QMainWindow* w = m_s->start(kAstro);
    QVERIFY(w);
    auto* pmnu = control<QMenu>(w, "pmnu");
    rightClickGame(w, kAstro);
    QTRY_VERIFY(pmnu->isVisible());
    QTest::mouseClick(pmnu, Qt::LeftButton, {}, pmnu->actionGeometry(action(w, kPlayItems[kind])).center());
    verifyAstroStartedOnlyIn(w, kind);
    QTRY_VERIFY(!pmnu->isVisible());
}

void TestMainWindowPlay::scrollerStopsWhenTheGameStarts()
{
    QMainWindow* w = m_s->start(kAstro, {{QStringLiteral("View"), QStringLiteral("True")}});
    QVERIFY(w);
    QVERIFY(action(w, "mnuViewGameDetails")->isChecked());
    QVERIFY(scroller(w).isRunning());
    QTRY_VERIFY(scroller(w).scrollerVisible());
    QVERIFY(!control<QLabel>(w, "lblComment")->isVisible());

    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    QVERIFY(!m_s->emulators.waitForStart(2, 1).isEmpty());
    QVERIFY(!scroller(w).isRunning());
    QVERIFY(!scroller(w).scrollerVisible());
    QVERIFY(control<QLabel>(w, "lblComment")->isVisible());
    QVERIFY(control<QLabel>(w, "lblComment")->text().startsWith(QStringLiteral("Mine the asteroid belt")));
    // Choosing a game again starts it once more.
    clickGame(w, QStringLiteral("Moonbase Miner 2"));
    QVERIFY(scroller(w).isRunning());
}

void TestMainWindowPlay::runningSidPlayerIsEndedBeforeTheStart()
{
    const QString folder = m_s->fixture.programFile("SidPlay");
    QVERIFY(writeFakeTool(folder, "SIDPLAYW.EXE", "while :; do sleep 0.2; done"));
    const QString playerPath = QDir(folder).filePath("SIDPLAYW.EXE");
    m_player = std::make_unique<QProcess>();
    m_player->start(QStringLiteral("/bin/sh"), {playerPath});
    QVERIFY(m_player->waitForStarted());
    QTRY_VERIFY(QFile::exists(playerPath + ".log"));

    // The setting names the player in another letter case.
    QMainWindow* w =
        m_s->start(kAstro, {{QStringLiteral("SidplayWPath"), m_s->fixture.programFile("sidplay/sidplayw.exe")}});
    QVERIFY(w);
    QCOMPARE(m_player->state(), QProcess::Running);
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    QVERIFY(!m_s->emulators.waitForStart(2, 1).isEmpty());
    QTRY_COMPARE(m_player->state(), QProcess::NotRunning);
    QCOMPARE(m_player->exitStatus(), QProcess::CrashExit); // ended by a signal, not on its own
    QCOMPARE(m_s->messages().count(), 0);
}

QTEST_MAIN(TestMainWindowPlay)
#include "TestMainWindowPlay.moc"
