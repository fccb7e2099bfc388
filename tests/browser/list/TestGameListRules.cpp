// The small decisions of the game list as tables: window caption, random pick, which play, tune and
// document buttons are enabled, the right-click menu, the double-click, and the type-ahead search on a
// hand-driven tick counter (with its wrap-around after 2^32 ms).
#include "browser/GameListActions.h"
#include "browser/ListCaption.h"
#include "browser/TypeAhead.h"

#include "data/settings/Settings.h"

#include <QTest>

using namespace browser;

namespace {

// Every path set, then the paths named in cleared emptied: 1 CCS64Path, 2 CCS642Path, W DirectXPath,
// S SidplayWPath, M MusicPath, G GamesPath[0]; g sets GamesPath[4].
Settings settingsWithout(const QString& cleared = {})
{
    Settings s;
    const QString keys = QStringLiteral("G12WSM");
    QString* paths[] = {&s.GamesPath[0], &s.CCS64Path, &s.CCS642Path, &s.DirectXPath, &s.SidplayWPath, &s.MusicPath};
    for (int i = 0; i < 6; ++i)
        if (!cleared.contains(keys[i]))
            *paths[i] = QStringLiteral("/path/") + keys[i];
    if (cleared.contains(u'g'))
        s.GamesPath[4] = QStringLiteral("/more/games");
    return s;
}

QString bits(const PlayButtons& b)
{
    return QStringLiteral("%1%2%3").arg(int(b.runGame)).arg(int(b.run20Dos)).arg(int(b.run20Win));
}

// The type-ahead's rows 0 to 7.
const QStringList kRows = {"Armalyte",      "Boulder Dash", "Bubble Bobble", "Buggy Boy",
                           "bump 'n' jump", "Ultima IV",    "Uridium",       "Zork"};

} // namespace

class TestGameListRules : public QObject
{
    Q_OBJECT

private slots:
    void caption_data()
    {
        QTest::addColumn<int>("titleBar");
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("selected"); // "-" for nothing selected
        QTest::addColumn<QString>("titleText");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, int titleBar, int view, int rows, const char* selected, const char* own,
                      const char* expected) {
            QTest::newRow(name) << titleBar << view << rows << QString(selected) << QString(own) << QString(expected);
        };
        row("count, playable", 0, 1, 1234, "Paradroid", "My C64", "vintrax  -  1234 playable game(s)");
        row("count, all", 0, 0, 1234, "-", "", "vintrax  -  1234 game(s) in total");
        row("count, tunes", 0, 2, 0, "-", "", "vintrax  -  0 game(s) with Sid Tunes");
        row("unknown mode counts", 9, 2, 0, "-", "", "vintrax  -  0 game(s) with Sid Tunes");
        row("game name", 1, 0, 12, "Paradroid", "", "Paradroid");
        row("no selection", 1, 0, 12, "-", "", "No game selected");
        row("empty list", 1, 0, 0, "-", "", "No game selected");
        row("own text", 2, 0, 12, "Paradroid", "My C64", "My C64");
        row("own text empty", 2, 0, 12, "Paradroid", "", "");
    }
    void caption()
    {
        QFETCH(int, titleBar);
        QFETCH(int, view);
        QFETCH(int, rows);
        QFETCH(QString, selected);
        QFETCH(QString, titleText);
        QFETCH(QString, expected);
        CaptionInputs in{titleBar, gameListViewFromNumber(view), rows, std::nullopt, titleText};
        if (selected != u'-')
            in.selectedText = selected;
        QCOMPARE(windowCaption(in), expected);
    }
    void randomPick_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("row"); // -1: no pick, and no draw
        QTest::newRow("empty") << 0 << 0.5 << -1;
        QTest::newRow("negative count") << -3 << 0.5 << -1;
        QTest::newRow("first") << 10 << 0.0 << 0;
        QTest::newRow("middle") << 10 << 0.55 << 5;
        QTest::newRow("last") << 10 << 0.999999 << 9;
        QTest::newRow("one row") << 1 << 0.7 << 0;
        QTest::newRow("source at 1") << 10 << 1.0 << 9;
        QTest::newRow("source below 0") << 10 << -0.2 << 0;
        QTest::newRow("source NaN") << 10 << qQNaN() << 0;
    }
    void randomPick()
    {
        QFETCH(int, rows);
        QFETCH(double, value);
        QFETCH(int, row);
        int draws = 0;
        const std::optional<int> picked = browser::randomPick(rows, [&] {
            ++draws;
            return value;
        });
        QCOMPARE(picked.value_or(-1), row);
        QCOMPARE(draws, row < 0 ? 0 : 1);
        const std::optional<int> system = browser::randomPick(3, systemRandom());
        QVERIFY(system && *system >= 0 && *system < 3);
    }
    void buttons_data()
    {
        QTest::addColumn<QString>("cleared"); // as settingsWithout
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("tune");
        QTest::addColumn<QString>("doc");
        QTest::addColumn<QString>("expected"); // the three play buttons, tune, docs
        auto row = [](const char* name, const char* cleared, const char* game, const char* tune, const char* doc,
                      const char* expected) {
            QTest::newRow(name) << QString(cleared) << QString(game) << QString(tune) << QString(doc)
                                << QString(expected);
        };
        const char *g = "Blast\\paradroid.d64", *t = "Hubbard_Rob\\Commando.sid", *d = "/docs/paradroid.txt",
                   *no = "(None)";
        row("all set", "", g, t, d, "11111");
        row("no files", "", no, no, no, "00000");
        row("empty doc name", "", g, t, "", "11110");
        row("no v1.9", "1", g, t, d, "01111");
        row("v1.9 only", "2W", g, t, d, "10011");
        row("no games path", "G", g, t, d, "00011");
        row("fifth games path", "Gg", g, t, d, "11111");
        row("no player", "S", g, t, d, "11101");
        row("no music path", "M", g, t, d, "11101");
    }
    void buttons()
    {
        QFETCH(QString, cleared);
        QFETCH(QString, game);
        QFETCH(QString, tune);
        QFETCH(QString, doc);
        QFETCH(QString, expected);
        const GameButtons b = gameButtonsFor(game, tune, doc, settingsWithout(cleared));
        QCOMPARE(bits(b.play) + QString::number(b.playMusic) + QString::number(b.viewDocs), expected);
    }
    void popupMenu()
    {
        QVERIFY(popupMenuApplies(true, true, false));
        QVERIFY(!popupMenuApplies(false, true, false));
        QVERIFY(!popupMenuApplies(true, false, false));
        QVERIFY(!popupMenuApplies(true, true, true));

        QStringList shown;
        for (const PopupMenuItem& item :
             popupMenuFor(QStringLiteral("Last Ninja, The"), {{true, false, true}, false, true}))
            shown << item.objectName + u':' + item.caption + u':' + QString::number(item.enabled);
        QCOMPARE(shown,
                 (QStringList{"pmnuPlay:Play Last Ninja, The (v1.9):1", "pmnuPlay2D:Play Last Ninja, The (v2.0 Dos):0",
                              "pmnuPlay2W:Play Last Ninja, The (v2.0 Win32):1",
                              "pmnuSid:Play Sid Tune for Last Ninja, The:0", "pmnuDocs:View Docs for Last Ninja, The:1",
                              "pmnuRemoveGame:Remove Last Ninja, The:1"}));
    }
    void doubleClick_data()
    {
        QTest::addColumn<QString>("state");  // selected, DC, non-stop music, tune button (0/1), default emulator
        QTest::addColumn<QString>("play");   // the three play buttons
        QTest::addColumn<QString>("action"); // "-", "tune" or the emulator started
        auto row = [](const char* name, const char* state, const char* play, const char* action) {
            QTest::newRow(name) << QString(state) << QString(play) << QString(action);
        };
        row("default v1.9", "10010", "111", "0");
        row("no selection", "00010", "111", "-");
        row("DC plays the tune", "11010", "111", "tune");
        row("DC, non-stop music on", "11110", "111", "-");
        row("DC, no tune", "11000", "111", "-");
        row("no v1.9 button", "10010", "011", "-");
        row("default Win32", "10012", "011", "2");
        row("default v2.0 Dos", "10011", "011", "1");
        row("no v2.0 Dos button", "10011", "100", "-");
        row("no Win32 button", "10012", "100", "-");
        row("stray default is v1.9", "10015", "111", "0");
        row("no game file", "10010", "000", "-");
    }
    void doubleClick()
    {
        QFETCH(QString, state);
        QFETCH(QString, play);
        QFETCH(QString, action);
        DoubleClickInputs in;
        in.rowSelected = state[0] == u'1';
        in.dcPlaysMusic = state[1] == u'1';
        in.nonStopMusicOn = state[2] == u'1';
        in.buttons.playMusic = state[3] == u'1';
        in.defaultEmulator = state[4].digitValue();
        in.buttons.play = {play[0] == u'1', play[1] == u'1', play[2] == u'1'};
        const DoubleClickAction a = doubleClickAction(in);
        const QString shown = a.kind == DoubleClickAction::Nothing    ? QStringLiteral("-")
                              : a.kind == DoubleClickAction::PlayTune ? QStringLiteral("tune")
                                                                      : QString::number(int(a.emulatorKind));
        QCOMPARE(shown, action);
    }
    void typeAhead_data()
    {
        // Steps: "TICKS:KEY=ROW" presses KEY (a character, or #code) at TICKS and expects the search to select
        // ROW ("-": no new selection); "!ROW" is the user selecting a row meanwhile (-1: none).
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("text"); // the search text at the end
        auto row = [](const char* name, int selected, const char* steps, const char* text) {
            QTest::newRow(name) << selected << QString::fromLatin1(steps) << QString::fromLatin1(text);
        };
        row("prefix from the selected row", 0, "10000:b=1 11500:u=2 13499:G=3 13599:g=-", "BUGG");
        row("pause starts from the top", 0, "50000:B=1 52001:U=5", "U");
        row("exactly two seconds appends", 0, "7:b=1 2007:u=2", "BU");
        row("appends across the wrap", 0, "4294966796:b=1 200:u=2", "BU");
        row("pause across the wrap", 0, "4294967195:b=1 2399:u=5", "U");
        row("fresh search moves up to row 0", 6, "105000:a=0 110000:a=-", "A");
        row("no match keeps the text, not the time", 0, "1000:z=7 1300:x=- 2800:o=- 3001:u=5", "U");
        row("keys outside 32 to 127 ignored", 2, "1000:#13=- 1000:#31=- 1000:#128=- 1000:#233=- 1000:#-1=-", "");
        row("blank and apostrophe searched", 0, "9000:b=1 9000:u=2 9000:m=4 9000:p=- 9000:#32=- 9000:'=-", "BUMP '");
        row("rows above the selection not found", 0, "1000:u=5 !7 1100:r=-", "UR");
        row("no selection searches from the top", -1, "1000:u=5 !-1 1100:r=6", "UR");
    }
    void typeAhead()
    {
        QFETCH(int, selected);
        QFETCH(QString, steps);
        QFETCH(QString, text);
        quint32 ticks = 0;
        TypeAhead search([&ticks] { return ticks; });
        for (const QString& step : steps.split(u' ')) {
            if (step.startsWith(u'!')) {
                selected = step.mid(1).toInt();
                continue;
            }
            ticks = step.section(u':', 0, 0).toUInt();
            const QString key = step.section(u':', 1).section(u'=', 0, 0);
            const QString want = step.section(u'=', 1);
            const int code = key.startsWith(u'#') ? key.mid(1).toInt() : key.at(0).unicode();
            const std::optional<int> row =
                search.keyPress(code, int(kRows.size()), selected, [](int r) { return kRows[r]; });
            QCOMPARE(row, want == QLatin1String("-") ? std::nullopt : std::optional<int>(want.toInt()));
            if (row)
                selected = *row;
        }
        QCOMPARE(search.searchText(), text);
        TypeAhead empty([] { return quint32(1000); });
        QCOMPARE(empty.keyPress('b', 0, -1, [](int) { return QString(); }), std::nullopt);
        QCOMPARE(empty.searchText(), QString());
    }
};

QTEST_GUILESS_MAIN(TestGameListRules)
#include "TestGameListRules.moc"
