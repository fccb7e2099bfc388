// The small decisions of the game list: window caption, random pick, which play, tune and document
// buttons are enabled, the right-click menu and the double-click.
#include "browser/GameListActions.h"
#include "browser/ListCaption.h"

#include "data/settings/Settings.h"

#include <QTest>

using namespace browser;

namespace {

const QString kNo = QStringLiteral("(None)");

Settings allPathsSet()
{
    Settings s;
    s.GamesPath[0] = QStringLiteral("/games");
    s.CCS64Path = QStringLiteral("/emu/ccs64.exe");
    s.CCS642Path = QStringLiteral("/emu2/ccs.exe");
    s.DirectXPath = QStringLiteral("/emuw/ccs64w.exe");
    s.SidplayWPath = QStringLiteral("/sid/sidplayw");
    s.MusicPath = QStringLiteral("/music");
    return s;
}

} // namespace

class TestGameListRules : public QObject
{
    Q_OBJECT

private slots:
    void captionByMode();
    void randomPick();
    void playButtons();
    void tuneAndDocButtons();
    void popupMenu();
    void doubleClick();
};

void TestGameListRules::captionByMode()
{
    CaptionInputs in;
    in.titleBar = 0;
    in.view = GameListView::Playable;
    in.rowCount = 1234;
    in.selectedText = QStringLiteral("Paradroid");
    in.titleBarText = QStringLiteral("My C64");
    QCOMPARE(windowCaption(in), QStringLiteral("vintrax  -  1234 playable game(s)"));
    in.view = GameListView::All;
    QCOMPARE(windowCaption(in), QStringLiteral("vintrax  -  1234 game(s) in total"));
    in.view = GameListView::Tunes;
    in.rowCount = 0;
    QCOMPARE(windowCaption(in), QStringLiteral("vintrax  -  0 game(s) with Sid Tunes"));
    in.titleBar = 9; // unknown modes show the count
    QCOMPARE(windowCaption(in), QStringLiteral("vintrax  -  0 game(s) with Sid Tunes"));

    in.titleBar = 1;
    in.rowCount = 12;
    QCOMPARE(windowCaption(in), QStringLiteral("Paradroid"));
    in.selectedText.reset();
    QCOMPARE(windowCaption(in), QStringLiteral("No game selected"));
    in.rowCount = 0;
    QCOMPARE(windowCaption(in), QStringLiteral("No game selected"));

    in.titleBar = 2;
    QCOMPARE(windowCaption(in), QStringLiteral("My C64"));
    in.titleBarText.clear();
    QCOMPARE(windowCaption(in), QString());
}

void TestGameListRules::randomPick()
{
    int draws = 0;
    auto source = [&draws](double value) {
        return [&draws, value] {
            ++draws;
            return value;
        };
    };
    QCOMPARE(browser::randomPick(0, source(0.5)), std::nullopt);
    QCOMPARE(draws, 0); // an empty list draws nothing and selects nothing
    QCOMPARE(browser::randomPick(-3, source(0.5)), std::nullopt);

    QCOMPARE(browser::randomPick(10, source(0.0)), std::optional<int>(0));
    QCOMPARE(browser::randomPick(10, source(0.55)), std::optional<int>(5));
    QCOMPARE(browser::randomPick(10, source(0.999999)), std::optional<int>(9));
    QCOMPARE(browser::randomPick(1, source(0.7)), std::optional<int>(0));
    // A source straying outside [0, 1) still gives a real row.
    QCOMPARE(browser::randomPick(10, source(1.0)), std::optional<int>(9));
    QCOMPARE(browser::randomPick(10, source(-0.2)), std::optional<int>(0));
    QCOMPARE(browser::randomPick(10, source(qQNaN())), std::optional<int>(0));

    const auto system = systemRandom();
    for (int i = 0; i < 200; ++i) {
        const std::optional<int> row = browser::randomPick(3, system);
        QVERIFY(row && *row >= 0 && *row < 3);
    }
}

void TestGameListRules::playButtons()
{
    const QString file = QStringLiteral("Blast\\paradroid.d64");
    Settings s = allPathsSet();
    QCOMPARE(playButtonsFor(file, s), (PlayButtons{true, true, true}));
    QCOMPARE(playButtonsFor(kNo, s), (PlayButtons{}));

    // Each emulator button follows its own path.
    s.CCS64Path.clear();
    QCOMPARE(playButtonsFor(file, s), (PlayButtons{false, true, true}));
    s.CCS642Path.clear();
    QCOMPARE(playButtonsFor(file, s), (PlayButtons{false, false, true}));
    s.DirectXPath.clear();
    s.CCS64Path = QStringLiteral("/emu/ccs64.exe");
    QCOMPARE(playButtonsFor(file, s), (PlayButtons{true, false, false}));

    // Any one of the five games paths will do; none disables all three.
    s = allPathsSet();
    s.GamesPath[0].clear();
    QCOMPARE(playButtonsFor(file, s), (PlayButtons{}));
    s.GamesPath[4] = QStringLiteral("/more/games");
    QCOMPARE(playButtonsFor(file, s), (PlayButtons{true, true, true}));
}

void TestGameListRules::tuneAndDocButtons()
{
    Settings s = allPathsSet();
    const QString tune = QStringLiteral("Hubbard_Rob\\Commando.sid");
    QVERIFY(playMusicEnabled(tune, s));
    QVERIFY(!playMusicEnabled(kNo, s));
    s.SidplayWPath.clear();
    QVERIFY(!playMusicEnabled(tune, s));
    s = allPathsSet();
    s.MusicPath.clear();
    QVERIFY(!playMusicEnabled(tune, s));

    QVERIFY(viewDocsEnabled(QStringLiteral("/docs/paradroid.txt")));
    QVERIFY(!viewDocsEnabled(kNo));
    QVERIFY(!viewDocsEnabled(QString())); // DocFile allows zero length

    const GameButtons b = gameButtonsFor(kNo, tune, QStringLiteral("/d.txt"), allPathsSet());
    QCOMPARE(b.play, PlayButtons{});
    QVERIFY(b.playMusic);
    QVERIFY(b.viewDocs);
}

void TestGameListRules::popupMenu()
{
    QVERIFY(popupMenuApplies(true, true, false));
    QVERIFY(!popupMenuApplies(false, true, false));
    QVERIFY(!popupMenuApplies(true, false, false));
    QVERIFY(!popupMenuApplies(true, true, true));

    GameButtons b;
    b.play = {true, false, true};
    b.playMusic = false;
    b.viewDocs = true;
    const std::vector<PopupMenuItem> items = popupMenuFor(QStringLiteral("Last Ninja, The"), b);
    QCOMPARE(items.size(), size_t(6));
    const QStringList expectedNames = {"pmnuPlay", "pmnuPlay2D", "pmnuPlay2W", "pmnuSid", "pmnuDocs", "pmnuRemoveGame"};
    const QStringList expectedCaptions = {
        "Play Last Ninja, The (v1.9)",       "Play Last Ninja, The (v2.0 Dos)", "Play Last Ninja, The (v2.0 Win32)",
        "Play Sid Tune for Last Ninja, The", "View Docs for Last Ninja, The",   "Remove Last Ninja, The",
    };
    const QList<bool> expectedEnabled = {true, false, true, false, true, true};
    for (size_t i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i].objectName, expectedNames[int(i)]);
        QCOMPARE(items[i].caption, expectedCaptions[int(i)]);
        QCOMPARE(items[i].enabled, expectedEnabled[int(i)]);
    }
}

void TestGameListRules::doubleClick()
{
    DoubleClickInputs in;
    in.rowSelected = true;
    in.buttons.play = {true, true, true};
    in.buttons.playMusic = true;
    QCOMPARE(doubleClickAction(in), (DoubleClickAction{DoubleClickAction::PlayGame, launch::EmulatorKind::Ccs64Dos19}));

    in.rowSelected = false;
    QCOMPARE(doubleClickAction(in), DoubleClickAction{});
    in.rowSelected = true;

    // DC True plays the tune, unless non-stop music already plays the selection or there is no tune.
    in.dcPlaysMusic = true;
    QCOMPARE(doubleClickAction(in).kind, DoubleClickAction::PlayTune);
    in.nonStopMusicOn = true;
    QCOMPARE(doubleClickAction(in).kind, DoubleClickAction::Nothing);
    in.nonStopMusicOn = false;
    in.buttons.playMusic = false;
    QCOMPARE(doubleClickAction(in).kind, DoubleClickAction::Nothing);
    in.dcPlaysMusic = false;

    // No v1.9 path with v1.9 as the default emulator: nothing happens.
    in.buttons.play = {false, true, true};
    in.defaultEmulator = 0;
    QCOMPARE(doubleClickAction(in), DoubleClickAction{});
    // The default emulator's own button decides.
    in.defaultEmulator = 2;
    QCOMPARE(doubleClickAction(in), (DoubleClickAction{DoubleClickAction::PlayGame, launch::EmulatorKind::Ccs64Win32}));
    in.defaultEmulator = 1;
    QCOMPARE(doubleClickAction(in), (DoubleClickAction{DoubleClickAction::PlayGame, launch::EmulatorKind::Ccs64Dos20}));
    in.buttons.play = {true, false, false};
    QCOMPARE(doubleClickAction(in), DoubleClickAction{});
    in.defaultEmulator = 2;
    QCOMPARE(doubleClickAction(in), DoubleClickAction{});
    // A stray setting counts as v1.9.
    in.defaultEmulator = 5;
    QCOMPARE(doubleClickAction(in), (DoubleClickAction{DoubleClickAction::PlayGame, launch::EmulatorKind::Ccs64Dos19}));

    // With the settings: a game without a file never starts.
    const GameButtons fromSettings = gameButtonsFor(kNo, kNo, kNo, allPathsSet());
    in.buttons = fromSettings;
    in.defaultEmulator = 0;
    QCOMPARE(doubleClickAction(in), DoubleClickAction{});
}

QTEST_GUILESS_MAIN(TestGameListRules)
#include "TestGameListRules.moc"
