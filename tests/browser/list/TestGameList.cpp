// The game list without a window, on a real catalogue file, and the rule tables of the main window's list: views,
// fills, selection, following changes, caption, random pick, buttons, double-click, type-ahead.
#include "browser/GameListActions.h"
#include "browser/GameListFollow.h"
#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"
#include "browser/ListCaption.h"
#include "platform/TypeAhead.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/GameStore.h"
#include "data/Schema.h"
#include "data/settings/Settings.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace browser;

namespace {

const QString kFile = QStringLiteral("Blast\\game.d64");
const QString kTune = QStringLiteral("Hubbard\\tune.sid");
const QString& kNo = catalogue::kNone;

// A new catalogue in a folder of its own holding the games {name, filename, music}; the colour code and the
// two availability flags follow from the files, as they do when the file dialogs assign them.
struct Game
{
    QString name, filename, music;
};
struct TempCatalogue
{
    QTemporaryDir dir;
    catalogue::Database db;
    QString error;

    explicit TempCatalogue(const std::vector<Game>& games)
    {
        const QString path = dir.filePath(QStringLiteral("Vintrax.mdb"));
        if (!catalogue::createCatalogue(path, &error) || !db.open(path).ok()) {
            error += QStringLiteral(" (create)");
            return;
        }
        db.beginTransaction();
        for (const Game& g : games)
            db.exec(QStringLiteral("INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", FA, SA, PU_Id, "
                                   "\"Year Published\", MU_Id, GE_Id, PL_Id, DI_Id, RA_Id, TimesPlayed) "
                                   "VALUES (?, ?, ?, ?, ?, ?, 37, 1, 38, 1, 5, 8, 1, 0)"),
                    {g.name, catalogue::colourCodeFor(g.filename, g.music), g.filename, g.music,
                     g.filename != catalogue::kNone ? 1 : 0, g.music != catalogue::kNone ? 1 : 0},
                    &error);
        db.commit();
    }
};

QStringList names(const GameListModel& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.textAt(row);
    return out;
}

QString shown(const ListSelection& s)
{
    return QStringLiteral("%1 %2 %3").arg(s.row).arg(int(s.byCode)).arg(int(s.panel));
}

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

// The type-ahead's rows 0 to 7.
const QStringList kRows = {"Armalyte",      "Boulder Dash", "Bubble Bobble", "Buggy Boy",
                           "bump 'n' jump", "Ultima IV",    "Uridium",       "Zork"};

} // namespace

class TestGameList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_cat.error.isEmpty(), qPrintable(m_cat.error)); }
    void viewsFromBothSources_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("expected");
        // Ordered by name without regard to case, as every list of the catalogue is.
        const QStringList all{"Armalyte", "boulder dash", "Bubble Bobble", "Buggy Boy", "Uridium", "Zork"};
        QTest::newRow("playable") << 1 << all.mid(0, 4);
        QTest::newRow("tunes") << 2 << QStringList{"Armalyte", "Bubble Bobble", "Uridium"};
        // A hand-edited WhatListBox out of range falls back to the all-games view.
        QTest::newRow("out of range") << 7 << all;
    }
    void viewsFromBothSources()
    {
        QFETCH(int, view);
        QFETCH(QStringList, expected);
        GameListModel model;
        QVERIFY(fill(model, gameListViewFromNumber(view), GameListSource::StartUp));
        QCOMPARE(names(model), expected);
        QVERIFY(fill(model, gameListViewFromNumber(view), GameListSource::Button));
        QCOMPARE(names(model), expected);
    }
    void fillResetsOnceWithProgress()
    {
        std::vector<Game> games;
        for (int i = 0; i < 450; ++i)
            games.push_back({QStringLiteral("Game %1").arg(i, 4, 10, QLatin1Char('0')), kFile, kNo});
        for (const auto& [count, expected] : {std::pair{450, 101}, {1, 1}}) {
            TempCatalogue cat(std::vector<Game>(games.begin(), games.begin() + count));
            GameListModel model;
            QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
            QVERIFY(fill(model, GameListView::Tunes));
            QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
            QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
            QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
            // While the progress callback runs (where a form lets events run) the old rows are still whole.
            QList<int> seen;
            QSet<int> countsSeen;
            const catalogue::ListRows rows =
                openGameListSource(cat.db, GameListView::Playable, GameListSource::StartUp);
            QVERIFY(model.fill(rows, [&](int percent) {
                seen << percent;
                countsSeen << model.rowCount();
            }));
            QCOMPARE(countsSeen, QSet<int>{3});
            QCOMPARE((QList<qsizetype>{aboutToReset.count(), reset.count(), inserted.count(), model.rowCount()}),
                     (QList<qsizetype>{1, 1, 0, count}));
            // Every whole percent once, rising; a single row is at once first and last.
            QCOMPARE((QList<int>{int(seen.size()), seen.first(), seen.last()}),
                     (QList<int>{expected, count == 1 ? 100 : 0, 100}));
            QVERIFY(std::is_sorted(seen.begin(), seen.end()));
            // A source that cannot be read empties the list in one reset, without progress.
            const catalogue::ListRows broken = catalogue::ListRows::fromView(cat.db, QStringLiteral("No Such List"));
            QVERIFY(!model.fill(broken, [&](int) { seen.clear(); }));
            QVERIFY(model.rowCount() == 0 && reset.count() == 2 && !seen.isEmpty());
        }
    }
    void partlyFilledListCompletesInPlace()
    {
        // Rows 1 and 5 of six read first are completed in place while they agree with the whole list (where they
        // do not, the list is filled again: the start's long list in the window test).
        GameListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.fillPartly(6, {{1, {"boulder dash", int(catalogue::kBlue)}}, {5, {"Zork", int(catalogue::kGrey)}}});
        QCOMPARE(model.textAt(0) + '|' + model.textAt(5), QStringLiteral("|Zork"));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.complete(openGameListSource(m_cat.db, GameListView::All, GameListSource::StartUp)));
        QCOMPARE((QList<qsizetype>{reset.count(), changed.count()}), (QList<qsizetype>{0, 1}));
        QCOMPARE(model.textAt(0) + '|' + model.textAt(1), QStringLiteral("Armalyte|boulder dash"));
    }
    void selection_data()
    {
        QTest::addColumn<bool>("startUp");     // selectionAtStartUp on selected, else selectionAfterRefill
        QTest::addColumn<int>("view");         // the view filled, -1 for an empty list
        QTest::addColumn<QString>("selected"); // the selected row's text, "-" for none
        QTest::addColumn<QString>("shownGame");
        QTest::addColumn<QString>("expected"); // row, by code, panel (0 none, 1 game shown, 2 no game)
        // A saved game at start, one outside the view and an empty view are the window tests'.
        auto row = [](const char* name, bool startUp, int view, const char* selected, const char* game,
                      const char* want) {
            QTest::newRow(name) << startUp << view << QString(selected) << QString(game) << QString(want);
        };
        row("kept at its new row", false, 1, "Buggy Boy", "Buggy Boy", "3 1 1");
        row("shown game selected again", false, 0, "-", "Zork", "5 1 1");
        row("nothing: the first row", false, 0, "-", "", "0 0 1");
        row("letter case must match", false, 0, "uridium", "", "-1 0 0");
        row("start: no saved game", true, 1, "", "", "0 0 0");
        row("start: empty catalogue", true, -1, "Paradroid", "", "-1 0 2");
    }
    void selection()
    {
        QFETCH(bool, startUp);
        QFETCH(int, view);
        QFETCH(QString, selected);
        QFETCH(QString, shownGame);
        QFETCH(QString, expected);
        GameListModel model;
        if (view >= 0)
            QVERIFY(fill(model, gameListViewFromNumber(view)));
        const std::optional<QString> sel = selected == u'-' ? std::nullopt : std::optional<QString>(selected);
        const RowLookup lookup = [&model](const QString& name) { return model.rowOf(name); };
        const ListSelection s = startUp ? selectionAtStartUp(selected, model.rowCount(), lookup)
                                        : selectionAfterRefill(sel, shownGame, model.rowCount(), lookup);
        QCOMPARE(shown(s), expected);
    }
    // The list following announced changes one row at a time. Events, apart by ';': "+NAME:VIEWS" added,
    // "-NAME" removed, "OLD>NEW:VIEWS" changed, VIEWS the three flags of membership. The last event's selection
    // is "stays:TEXT" when the selection stayed with its game (a selection model watches it), else as shown().
    void follow_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("selected"); // "-" for none
        QTest::addColumn<QString>("shownGame");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("rows"); // the list afterwards
        QTest::addColumn<QString>("selection");
        auto row = [](const char* name, int view, const char* selected, const char* shownGame, const char* events,
                      const char* rows, const char* selection) {
            QTest::newRow(name) << view << QString(selected) << QString(shownGame) << QString(events) << QString(rows)
                                << QString(selection);
        };
        const char* playable = "Armalyte,boulder dash,Bubble Bobble,Buggy Boy";
        // Added, renamed and removed with the selection on the row are the window test's.
        row("added outside the view", 1, "Buggy Boy", "Buggy Boy", "+Bomb Jack:100", playable, "stays:Buggy Boy");
        row("selected last removed: the row before", 0, "Zork", "Zork", "-Zork",
            "Armalyte,boulder dash,Bubble Bobble,Buggy Boy,Uridium", "4 0 0");
        row("the only one removed", 2, "Uridium", "Uridium", "-Armalyte;-Bubble Bobble;-Uridium", "", "-1 0 2");
        row("selected leaves the view: no selection", 1, "Buggy Boy", "Buggy Boy", "Buggy Boy>Buggy Boy:100",
            "Armalyte,boulder dash,Bubble Bobble", "-1 0 0");
        row("remembered game joins the view: selected", 1, "-", "Zork", "Zork>Zork:110",
            "Armalyte,boulder dash,Bubble Bobble,Buggy Boy,Zork", "4 1 1");
        row("the last one leaves the view", 2, "Uridium", "Uridium", "-Armalyte;-Bubble Bobble;Uridium>Uridium:100", "",
            "-1 0 2");
    }
    void follow()
    {
        QFETCH(int, view);
        QFETCH(QString, selected);
        QFETCH(QString, shownGame);
        QFETCH(QString, events);
        QFETCH(QString, rows);
        QFETCH(QString, selection);
        GameListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(fill(model, gameListViewFromNumber(view)));
        QItemSelectionModel chosen(&model);
        if (selected != u'-')
            chosen.select(model.index(model.rowOf(selected)), QItemSelectionModel::ClearAndSelect);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        std::optional<ListSelection> last;
        for (const QString& event : events.split(u';')) {
            catalogue::ListedGame game;
            const QString flags = event.section(u':', 1);
            for (int i = 0; i < flags.size(); ++i)
                game.inView[size_t(i)] = flags[i] == u'1';
            const int sel = chosen.selectedRows().isEmpty() ? -1 : chosen.selectedRows().first().row();
            const QString head = event.section(u':', 0, 0);
            game.name = head.section(u'>', -1).mid(event.startsWith(u'+') || event.startsWith(u'-') ? 1 : 0);
            if (event.startsWith(u'+'))
                last = followAdded(model, gameListViewFromNumber(view), game);
            else if (event.startsWith(u'-'))
                last = followRemoved(model, game, sel);
            else
                last =
                    followChanged(model, gameListViewFromNumber(view), head.section(u'>', 0, 0), game, sel, shownGame);
        }
        QCOMPARE(names(model).join(u','), rows);
        QCOMPARE(last ? shown(*last) : "stays:" + chosen.selectedRows().value(0).data().toString(), selection);
        QCOMPARE(reset.count(), 0);
    }
    void caption()
    {
        // Title bar mode 1 names the selected game, and says so when there is none; mode 2 is the user's own text.
        // (The counts of mode 0 and a game's name are the window's view buttons and start.)
        CaptionInputs c{1, GameListView::All, 12, std::nullopt, QStringLiteral("My C64")};
        QCOMPARE(windowCaption(c), QStringLiteral("No game selected"));
        c.titleBar = 2;
        QCOMPARE(windowCaption(c), QStringLiteral("My C64"));
    }
    void randomPick_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("row"); // -1: no pick, and no draw
        QTest::newRow("empty") << 0 << 0.5 << -1;
        QTest::newRow("source at 1") << 10 << 1.0 << 9;
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
        const std::optional<int> system = browser::randomPick(3, systemRandom()); // the window's own source
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
        row("no games path", "G", g, t, d, "00011");
        row("fifth games path", "Gg", g, t, d, "11111");
        row("no player", "S", g, t, d, "11101");
    }
    void buttons()
    {
        QFETCH(QString, cleared);
        QFETCH(QString, game);
        QFETCH(QString, tune);
        QFETCH(QString, doc);
        QFETCH(QString, expected);
        const GameButtons b = gameButtonsFor(game, tune, doc, settingsWithout(cleared));
        QString got;
        for (bool on : {b.play.runGame, b.play.run20Dos, b.play.run20Win, b.playMusic, b.viewDocs})
            got += on ? u'1' : u'0';
        QCOMPARE(got, expected);
    }
    void doubleClick_data()
    {
        QTest::addColumn<QString>("state");  // selected, DC, non-stop music, tune button (0/1), default emulator
        QTest::addColumn<QString>("play");   // the three play buttons
        QTest::addColumn<QString>("action"); // "-", "tune" or the emulator started
        auto row = [](const char* name, const char* state, const char* play, const char* action) {
            QTest::newRow(name) << QString(state) << QString(play) << QString(action);
        };
        row("no selection", "00010", "111", "-");
        row("DC plays the tune", "11010", "111", "tune");
        row("DC, non-stop music on", "11110", "111", "-");
        row("no v1.9 button", "10010", "011", "-");
        row("stray default is v1.9", "10015", "111", "0");
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
        row("exactly two seconds appends", 0, "7:b=1 2007:u=2", "BU");
        row("appends across the wrap", 0, "4294966796:b=1 200:u=2", "BU");
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
        platform::TypeAhead search([&ticks] { return ticks; });
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
        platform::TypeAhead empty([] { return quint32(1000); });
        QCOMPARE(empty.keyPress('b', 0, -1, [](int) { return QString(); }), std::nullopt);
        QCOMPARE(empty.searchText(), QString());
    }

private:
    bool fill(GameListModel& model, GameListView view, GameListSource source = GameListSource::Button)
    {
        const catalogue::ListRows rows = openGameListSource(m_cat.db, view, source);
        return model.fill(rows);
    }

    // All games, in order: Armalyte, boulder dash, Bubble Bobble, Buggy Boy, Uridium, Zork.
    TempCatalogue m_cat{{{"Zork", kNo, kNo},
                         {"Bubble Bobble", kFile, kTune},
                         {"boulder dash", kFile, kNo},
                         {"Uridium", kNo, kTune},
                         {"Buggy Boy", kFile, kNo},
                         {"Armalyte", kFile, kTune}}};
};

QTEST_GUILESS_MAIN(TestGameList)
#include "TestGameList.moc"
