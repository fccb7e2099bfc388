// The main window's load and unload without the window, on a real catalogue and settings file: the notice
// after an upgrade, the order of the steps, a saved view that cannot be read, a read-only settings file, and the
// SID player closed at exit only when asked. The window tests drive the same sequence through the real program.
#include "CatalogueFixtures.h"
#include "StartupFolders.h"
#include "browser/StartupSequence.h"
#include "browser/StartupShutdown.h"
#include "data/Catalogue.h"
#include "data/gui/CatalogueStartup.h"
#include "data/settings/SettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/SidPlayProcess.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using platform::MessageBox;
using platform::ScriptedMessageBox;

namespace {

// The main window's load and unload driven without the window, on the folders of StartupFolders, with
// recording steps; the catalogue opens as in the application.
class StartupFixture : public startuptest::StartupFolders
{
public:
    // A quiet start unless a test says otherwise: no first-run notes, this version started before.
    StartupFixture()
    {
        presetSettings({{QStringLiteral("ShowPrefs"), QStringLiteral("False")},
                        {QStringLiteral("V13Start"), QStringLiteral("True")}});
    }
    ~StartupFixture() { catalogue.close(); }

    browser::StartupOutcome load(bool firstRun)
    {
        browser::StartupSteps s;
        s.openCatalogue = [this](catalogue::Catalogue& cat, QSettings& store) {
            steps << QStringLiteral("openCatalogue");
            return openCatalogueAtStartup(cat, platform::catalogueFilePath(), store, nullptr);
        };
        s.applySettings = [this](const Settings&) { steps << QStringLiteral("applySettings"); };
        s.setFavourite = [this](int index, const Favourite&, bool) {
            if (index == 0)
                steps << QStringLiteral("favourites");
        };
        const auto note = [this](const char* step) { return [this, step] { steps << QString::fromLatin1(step); }; };
        s.showMainWindow = note("showMainWindow");
        s.openPreferences = note("preferences");
        s.runVerification = note("verification");
        s.finishLoad = note("finishLoad");
        SettingsLoadContext screen;
        screen.screenWidth = 19200;
        screen.screenHeight = 14400;
        screen.windowWidth = 7000;
        screen.windowHeight = screen.designedHeight = 9615;
        auto store = openSettingsStore(iniPath());
        return browser::runMainWindowLoad(catalogue, model, *store, firstRun, screen, s);
    }

    SettingsWriteStatus unload(const browser::StartupOutcome& started, const browser::MainWindowState& window,
                               const browser::ShutdownSteps& shutdownSteps = {})
    {
        auto store = openSettingsStore(iniPath());
        return browser::runMainWindowUnload(catalogue, *store, started.settings, window, shutdownSteps);
    }

    QStringList steps; // the window steps in the order they ran
    catalogue::Catalogue catalogue;
    browser::GameListModel model;
};

// The window at (top, left), 7100 x 8000 twips, with the details view on and the screenshots off.
browser::MainWindowState windowAt(double top, double left)
{
    return {top, left, 7100, 8000, false, true, false};
}

} // namespace

class TestStartupSequence : public QObject
{
    Q_OBJECT

private slots:
    void earlierVersionGetsVerificationNoticeAndFullUnload();
    void unreadableSavedViewLeavesNoGame();
    void readOnlySettingsAreReportedAndKept();
    void runningPlayerIsClosedOnlyWhenAsked_data();
    void runningPlayerIsClosedOnlyWhenAsked();
};

void TestStartupSequence::earlierVersionGetsVerificationNoticeAndFullUnload()
{
    StartupFixture f;
    QVERIFY(f.isValid());
    f.removeSetting(QStringLiteral("V13Start"));
    f.presetSettings({{"CCS64Path", "/emu/ccs64.exe"}, {"CCS642Path", "/emu/ccs642.exe"}});
    f.presetSettings({{"DirectXPath", "/emu/ccs64dx.exe"}, {"Heighty", 12000}});
    ScriptedMessageBox box;

    const browser::StartupOutcome outcome = f.load(false);
    QVERIFY(outcome.goesOn() && outcome.upgradeNoticeShown && !outcome.notesShown);
    // The notice follows the verification, after the window is shown; the steps in the order of the load.
    QCOMPARE(f.steps, (QStringList{"openCatalogue", "applySettings", "favourites", "showMainWindow", "verification",
                                   "finishLoad"}));
    QCOMPARE(box.texts(), QStringList{"As you now have 3 Emulators to select from, you should re-set your CCS64 paths "
                                      "in Preferences."});
    QCOMPARE(box.last().icon, MessageBox::Information);
    QCOMPARE(outcome.settings.CCS64Path + outcome.settings.CCS642Path + outcome.settings.DirectXPath,
             QStringLiteral("/emu/ccs64dx.exe"));
    // The window keeps its design height this once, whatever height was stored.
    QCOMPARE(outcome.settings.startup.height, 9615.0);

    // The scroller stops before the catalogue closes; the category browser goes after the settings are
    // written, and only when it is open.
    QStringList order;
    browser::ShutdownSteps steps;
    steps.stopScroller = [&] { order << (f.catalogue.isOpen() ? "scroller" : "scroller after close"); };
    steps.categoryBrowserOpen = true;
    steps.unloadCategoryBrowser = [&] { order << "category browser " + f.storedValue("V13Start").toString(); };
    steps.unloadOtherWindows = [&] { order << "others"; };
    QCOMPARE(f.unload(outcome, windowAt(1234, 2345), steps), SettingsWriteStatus::Ok);
    QCOMPARE(order, (QStringList{"scroller", "category browser True", "others"}));
    QVERIFY(!f.catalogue.isOpen());
    QStringList stored;
    for (const char* key : {"ShowPrefs", "View", "SSView", "Top", "Left", "Widthy", "Heighty", "CCS64Path"})
        stored << f.storedValue(QString::fromLatin1(key)).toString();
    QCOMPARE(stored, (QStringList{"False", "True", "False", "1234", "2345", "7100", "8000", ""}));
    order.clear();
    steps.categoryBrowserOpen = false;
    QCOMPARE(f.unload(outcome, windowAt(1, 2), steps), SettingsWriteStatus::Ok);
    QCOMPARE(order, (QStringList{"scroller after close", "others"}));

    // Once closed, this version starts quietly.
    box.clear();
    f.steps.clear();
    QVERIFY(!f.load(false).upgradeNoticeShown);
    QCOMPARE(box.count(), 0);
    QVERIFY(!f.steps.contains(QStringLiteral("verification")));
}

void TestStartupSequence::unreadableSavedViewLeavesNoGame()
{
    StartupFixture f;
    QVERIFY(f.isValid());
    // The stored query is still there but names a table that has gone, so it opens and cannot be read.
    testsupport::sqliteShell(platform::catalogueFilePath(),
                             QStringLiteral("DROP VIEW [Game Name List]; CREATE TABLE Gone(Name, CCode); "
                                            "CREATE VIEW [Game Name List] AS SELECT Name, CCode FROM Gone; "
                                            "DROP TABLE Gone;"));
    ScriptedMessageBox box;

    const browser::StartupOutcome outcome = f.load(false);
    QVERIFY(outcome.goesOn() && !outcome.listError.isEmpty());
    QCOMPARE(f.model.rowCount(), 0);
    QCOMPARE(outcome.selection.panel, browser::GamePanelAction::ShowNoGame);
    QCOMPARE(box.count(), 1);
    // The program goes on: the refusal's title, not the title of the messages that end it.
    QVERIFY(box.last().text.contains(outcome.listError) && box.last().title == QLatin1String("vintrax"));
    QCOMPARE(box.last().icon, platform::MessageBox::Exclamation);
    QVERIFY(f.steps.contains(QStringLiteral("finishLoad")));
}

void TestStartupSequence::readOnlySettingsAreReportedAndKept()
{
    StartupFixture f;
    QVERIFY(f.isValid());
    f.presetSettings({{QStringLiteral("Top"), 300}, {QStringLiteral("CCS64Path"), QStringLiteral("/emu/old.exe")}});
    const QByteArray before = testsupport::readFile(f.iniPath());
    QVERIFY(QFile::setPermissions(f.iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ScriptedMessageBox box;

    // The notes still come; the flag that could not be cleared is reported first.
    const browser::StartupOutcome outcome = f.load(true);
    QVERIFY(outcome.goesOn());
    QCOMPARE(box.count(), 4);
    QVERIFY(box.messages()[0].icon == MessageBox::Exclamation && box.messages()[0].text.contains("read-only"));
    // The notes (their texts are constants of the notes): lines end in one line break, or two before a blank
    // line.
    const QString welcome = box.messages()[1].text;
    QVERIFY(welcome.contains(QStringLiteral("'Games Path'.\n\n2) HV-SID COLLECTION FILENAMES (Update #11)\n    If")));
    QVERIFY(welcome.endsWith(QStringLiteral("Games/Sids'\n    from the 'Tools' menu.\n")));
    QVERIFY(box.messages()[2].text.endsWith(QStringLiteral("\nGreen = Sid-File Only - (Category Screen)\n")));
    QCOMPARE(box.messages()[1].title + '|' + box.messages()[3].title, QStringLiteral("Welcome to vintrax!|vintrax"));

    box.clear();
    bool othersUnloaded = false;
    browser::ShutdownSteps steps;
    steps.unloadOtherWindows = [&] { othersUnloaded = true; };
    QCOMPARE(f.unload(outcome, windowAt(1, 2), steps), SettingsWriteStatus::ReadOnly);
    QCOMPARE(box.count(), 1);
    QVERIFY(box.last().icon == MessageBox::Exclamation && box.last().text.contains("read-only"));
    QVERIFY(othersUnloaded && !f.catalogue.isOpen());
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
    StartupFixture f;
    QVERIFY(f.isValid());
    // A stand-in SID player: a script that runs until it is ended.
    const QString player = f.tempFile(QStringLiteral("sidplayw"));
    QVERIFY(testsupport::writeFile(player, "#!/bin/sh\nwhile :; do sleep 0.2; done\n"));
    QFile::setPermissions(player, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    f.presetSettings({{QStringLiteral("SidplayWPath"), player}, {QStringLiteral("LeaveSPRunningFlag"), leaveFlag}});
    ScriptedMessageBox box;
    const browser::StartupOutcome outcome = f.load(false);
    QVERIFY(outcome.goesOn());
    QProcess running;
    running.start(player, {});
    QVERIFY(running.waitForStarted());
    QTRY_VERIFY(platform::FindSidPlayProcess(player));

    QCOMPARE(f.unload(outcome, windowAt(1, 2)), SettingsWriteStatus::Ok);
    QCOMPARE(running.waitForFinished(closed ? 5000 : 600), closed);
    running.kill();
    running.waitForFinished();
}

QTEST_MAIN(TestStartupSequence)
#include "TestStartupSequence.moc"
