#include "CatalogueFixtures.h"
#include "StartupFolders.h"
#include "TestFolders.h"
#include "browser/FirstRunNotes.h"
#include "browser/StartupSequence.h"
#include "browser/StartupShutdown.h"
#include "browser/StartupSplash.h"
#include "data/Catalogue.h"
#include "data/gui/CatalogueStartup.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/SettingsTable.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/SidPlayProcess.h"
#include "platform/SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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
        s.showView = [this](const browser::GameListViewInfo& info) { steps << QStringLiteral("view:") + info.caption; };
        s.selectGame = [this](const browser::ListSelection& sel) { steps << QStringLiteral("select:%1").arg(sel.row); };
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

browser::MainWindowState windowAt(double top, double left, bool minimised = false)
{
    browser::MainWindowState w;
    w.top = top;
    w.left = left;
    w.width = 7100;
    w.height = 8000;
    w.minimised = minimised;
    w.view = true;
    w.ssView = false;
    return w;
}

} // namespace

class TestStartupSequence : public QObject
{
    Q_OBJECT

private slots:
    void earlierVersionGetsVerificationNoticeAndFullUnload();
    void savedGameIsSelectedInTheSavedView();
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
    f.presetSettings({{QStringLiteral("CCS64Path"), QStringLiteral("/emu/ccs64.exe")},
                      {QStringLiteral("CCS642Path"), QStringLiteral("/emu/ccs642.exe")},
                      {QStringLiteral("DirectXPath"), QStringLiteral("/emu/ccs64dx.exe")},
                      {QStringLiteral("Heighty"), 12000}});
    ScriptedMessageBox box;

    const browser::StartupOutcome outcome = f.load(false);
    QVERIFY(outcome.goesOn());
    QVERIFY(outcome.upgradeNoticeShown);
    QVERIFY(!outcome.notesShown);
    QCOMPARE(f.steps.count(QStringLiteral("verification")), 1);
    QVERIFY(!f.steps.contains(QStringLiteral("preferences")));
    QCOMPARE(box.texts(), QStringList{"As you now have 3 Emulators to select from, you should re-set your CCS64 paths "
                                      "in Preferences."});
    QCOMPARE(box.last().title, QStringLiteral("vintrax"));
    QCOMPARE(box.last().icon, MessageBox::Information);
    // The notice follows the verification, after the window is shown.
    QVERIFY(f.steps.indexOf(QStringLiteral("showMainWindow")) < f.steps.indexOf(QStringLiteral("verification")));
    QCOMPARE(outcome.settings.CCS64Path + outcome.settings.CCS642Path + outcome.settings.DirectXPath,
             QStringLiteral("/emu/ccs64dx.exe"));
    // The window keeps its design height this once, whatever height was stored.
    QCOMPARE(outcome.settings.startup.height, 9615.0);

    QStringList order;
    browser::ShutdownSteps steps;
    steps.stopScroller = [&] { order << (f.catalogue.isOpen() ? "scroller" : "scroller after close"); };
    steps.categoryBrowserOpen = true;
    steps.unloadCategoryBrowser = [&] {
        order << (QFile::exists(f.iniPath()) && f.storedValue(QStringLiteral("V13Start")).toString() == "True"
                      ? "category browser"
                      : "category browser before settings");
    };
    steps.unloadOtherWindows = [&] { order << "others"; };
    QCOMPARE(f.unload(outcome, windowAt(1234, 2345), steps), SettingsWriteStatus::Ok);
    QCOMPARE(order, (QStringList{"scroller", "category browser", "others"}));
    QVERIFY(!f.catalogue.isOpen());
    QSettings ini(f.iniPath(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Startup"));
    for (const SettingDescriptor& d : settingsTable())
        QVERIFY2(ini.contains(d.key), qPrintable(d.key));
    QCOMPARE(ini.value("ShowPrefs").toString() + ini.value("View").toString() + ini.value("SSView").toString(),
             QStringLiteral("FalseTrueFalse"));
    const QList<double> place = {ini.value("Top").toDouble(), ini.value("Left").toDouble(),
                                 ini.value("Widthy").toDouble(), ini.value("Heighty").toDouble()};
    QCOMPARE(place, (QList<double>{1234, 2345, 7100, 8000}));

    QCOMPARE(f.storedValue(QStringLiteral("CCS64Path")).toString() + f.storedValue("CCS642Path").toString(), QString());
    // A closed category browser is not unloaded again.
    order.clear();
    steps.categoryBrowserOpen = false;
    QCOMPARE(f.unload(outcome, windowAt(1, 2), steps), SettingsWriteStatus::Ok);
    QCOMPARE(order, (QStringList{"scroller after close", "others"}));

    // Once closed, this version starts quietly.
    box.clear();
    f.steps.clear();
    const browser::StartupOutcome again = f.load(false);
    QVERIFY(!again.upgradeNoticeShown);
    QCOMPARE(box.count(), 0);
    QVERIFY(!f.steps.contains(QStringLiteral("verification")));
}

void TestStartupSequence::savedGameIsSelectedInTheSavedView()
{
    StartupFixture f;
    QVERIFY(f.isValid());
    f.presetSettings(
        {{QStringLiteral("WhatListBox"), 2}, {QStringLiteral("CurrentGame"), QStringLiteral("Dragon's Keep, The")}});
    ScriptedMessageBox box;

    const browser::StartupOutcome outcome = f.load(false);
    QVERIFY(outcome.goesOn());
    QCOMPARE(outcome.view, browser::GameListView::Tunes);
    QCOMPARE(f.model.textAt(outcome.selection.row), QStringLiteral("Dragon's Keep, The"));
    QCOMPARE(f.steps.count(QStringLiteral("view:") + browser::gameListViewInfo(browser::GameListView::Tunes).caption),
             1);
    QCOMPARE(box.count(), 0);
    // The window's steps come in the order of the load.
    QCOMPARE(f.steps.filter(QRegularExpression("^\\w+$")),
             (QStringList{"openCatalogue", "applySettings", "favourites", "showMainWindow", "finishLoad"}));

    // An empty CurrentGame selects the first row.
    f.catalogue.close();
    f.presetSettings({{QStringLiteral("CurrentGame"), QString()}});
    QCOMPARE(f.load(false).selection.row, 0);
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
    QVERIFY(outcome.goesOn());
    QVERIFY(!outcome.listError.isEmpty());
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
    QCOMPARE(box.messages()[0].icon, MessageBox::Exclamation);
    QVERIFY(box.messages()[0].text.contains(QStringLiteral("read-only")));
    // The notes: lines end in one line break, or two before a blank line.
    const QString welcome = box.messages()[1].text;
    QVERIFY(welcome.startsWith(QStringLiteral("IMPORTANT - PLEASE READ\n\nYour vintrax Database has")));
    QVERIFY(welcome.contains(QStringLiteral("'Games Path'.\n\n2) HV-SID COLLECTION FILENAMES (Update #11)\n    If")));
    QVERIFY(welcome.endsWith(QStringLiteral("Games/Sids'\n    from the 'Tools' menu.\n")));
    QCOMPARE(box.messages()[1].title, QStringLiteral("Welcome to vintrax!"));
    QCOMPARE(
        box.messages()[2].text,
        QStringLiteral("QUICK START\n\n1. Make sure all your Paths are set in Preferences.\n\n2. Right-Click the "
                       "'Game File' field to set a File for each game.\n\nGAME COLOURS IN SELECTION BOX\n\nBlack "
                       "= Game with Game-File and Sid-File\nBlue = Game with Game-File and No Sid-File\nRed = Game "
                       "with Sid-File and No Game-File\nGrey = Game with No Game-File and No Sid-File\nGreen = "
                       "Sid-File Only - (Category Screen)\n"));
    QCOMPARE(box.messages()[3].text,
             QStringLiteral("One more thing !\n\nFor maximum archive compatibility, you should copy MAKETAPE.EXE and "
                            "STARLYNX.EXE into your 'Conversion' folder (if you have them)"));
    for (int i = 1; i < 4; ++i)
        QCOMPARE(box.messages()[i].icon, MessageBox::Information);

    box.clear();
    bool othersUnloaded = false;
    browser::ShutdownSteps steps;
    steps.unloadOtherWindows = [&] { othersUnloaded = true; };
    QCOMPARE(f.unload(outcome, windowAt(1, 2), steps), SettingsWriteStatus::ReadOnly);
    QCOMPARE(box.count(), 1);
    QCOMPARE(box.last().icon, MessageBox::Exclamation);
    QVERIFY(box.last().text.contains(QStringLiteral("read-only")));
    QVERIFY(othersUnloaded);
    QVERIFY(!f.catalogue.isOpen());
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
    QCOMPARE(outcome.settings.LeaveSPRunningFlag, leaveFlag);

    QProcess running;
    running.start(player, {});
    QVERIFY(running.waitForStarted());
    QTRY_VERIFY(platform::FindSidPlayProcess(player));

    QCOMPARE(f.unload(outcome, windowAt(1, 2)), SettingsWriteStatus::Ok);
    if (closed) {
        QVERIFY(running.waitForFinished(5000));
    } else {
        QVERIFY(!running.waitForFinished(600));
        running.kill();
        running.waitForFinished();
    }
    QCOMPARE(f.storedValue(QStringLiteral("LeaveSPRunningFlag")).toInt(), leaveFlag);
}

QTEST_MAIN(TestStartupSequence)
#include "TestStartupSequence.moc"
