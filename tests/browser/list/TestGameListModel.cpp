// The game list filled from a real catalogue file: rows and colours of the three views from both
// sources, one reset per fill, progress, lookups, and the selection kept or dropped across view switches.
#include "browser/GameListFill.h"
#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Snapshot.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace browser;

namespace {

const QString kFile = QStringLiteral("Blast\\game.d64");
const QString kTune = QStringLiteral("Hubbard\\tune.sid");
const QString& kNo = catalogue::kNone;

// A new catalogue at path holding the games {name, filename, music}; the colour code and the two
// availability flags follow from the files, as they do when the file dialogs assign them. "" or the failure.
struct Game
{
    QString name;
    QString filename = catalogue::kNone;
    QString music = catalogue::kNone;
};
QString createGames(const QString& path, const std::vector<Game>& games)
{
    QString error;
    if (!catalogue::createCatalogue(path, &error))
        return QStringLiteral("create: ") + error;
    catalogue::Database db;
    if (!db.open(path).ok())
        return QStringLiteral("open failed");
    db.beginTransaction();
    for (const Game& g : games) {
        if (!db.exec(QStringLiteral("INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", FA, SA, PU_Id, "
                                    "\"Year Published\", MU_Id, GE_Id, PL_Id, DI_Id, RA_Id, TimesPlayed) "
                                    "VALUES (?, ?, ?, ?, ?, ?, 37, 1, 38, 1, 5, 8, 1, 0)"),
                     {g.name, catalogue::colourCodeFor(g.filename, g.music), g.filename, g.music,
                      g.filename != catalogue::kNone ? 1 : 0, g.music != catalogue::kNone ? 1 : 0},
                     &error))
            return QStringLiteral("insert ") + g.name + QStringLiteral(": ") + error;
    }
    db.commit();
    return {};
}

QStringList names(const GameListModel& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.data(model.index(row), Qt::DisplayRole).toString();
    return out;
}

QColor foreground(const GameListModel& model, const QString& name)
{
    return model.data(model.index(model.rowOf(name)), Qt::ForegroundRole).value<QColor>();
}

RowLookup lookupIn(const GameListModel& model)
{
    return [&model](const QString& name) { return model.rowOf(name); };
}

} // namespace

class TestGameListModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void viewTable();
    void viewsFromBothSources_data();
    void viewsFromBothSources();
    void colours();
    void fillResetsOnceAndKeepsModelWhole();
    void progressFollowsPercentPosition();
    void failedSourceLeavesListEmpty();
    void rowLookupIsExact();
    void switchingViewsKeepsOrDropsSelection();
    void emptyViewShowsNoGame();
    void startUpSelection();
    void wholeFillFromDatabase();

private:
    bool fill(GameListModel& model, GameListView view, GameListSource source = GameListSource::Button);

    QTemporaryDir m_dir;
    catalogue::Database m_db;
};

void TestGameListModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("Vintrax.mdb"));
    const QString error = createGames(path, {
                                                {QStringLiteral("Zork"), kNo, kNo},
                                                {QStringLiteral("Bubble Bobble"), kFile, kTune},
                                                {QStringLiteral("boulder dash"), kFile, kNo},
                                                {QStringLiteral("Uridium"), kNo, kTune},
                                                {QStringLiteral("Buggy Boy"), kFile, kNo},
                                                {QStringLiteral("Armalyte"), kFile, kTune},
                                            });
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(m_db.open(path).ok());
}

bool TestGameListModel::fill(GameListModel& model, GameListView view, GameListSource source)
{
    catalogue::Snapshot rows = openGameListSource(m_db, view, source);
    return model.fill(rows);
}

void TestGameListModel::viewTable()
{
    // The captions and button names show in the window test; a hand-edited WhatListBox out of range falls
    // back to the all-games view.
    QCOMPARE(gameListViewFromNumber(1), GameListView::Playable);
    QCOMPARE(gameListViewFromNumber(2), GameListView::Tunes);
    QCOMPARE(gameListViewFromNumber(0), GameListView::All);
    QCOMPARE(gameListViewFromNumber(7), GameListView::All);
    QCOMPARE(gameListViewFromNumber(-1), GameListView::All);
    QCOMPARE(gameListViewNumber(GameListView::Tunes), 2);
}

void TestGameListModel::viewsFromBothSources_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("expected");
    // Ordered by name without regard to case, as every list of the catalogue is.
    QTest::newRow("all") << 0
                         << QStringList{"Armalyte", "boulder dash", "Bubble Bobble", "Buggy Boy", "Uridium", "Zork"};
    QTest::newRow("playable") << 1 << QStringList{"Armalyte", "boulder dash", "Bubble Bobble", "Buggy Boy"};
    QTest::newRow("tunes") << 2 << QStringList{"Armalyte", "Bubble Bobble", "Uridium"};
}

void TestGameListModel::viewsFromBothSources()
{
    QFETCH(int, view);
    QFETCH(QStringList, expected);
    GameListModel model;
    QVERIFY(fill(model, gameListViewFromNumber(view), GameListSource::StartUp));
    QCOMPARE(names(model), expected);
    QVERIFY(fill(model, gameListViewFromNumber(view), GameListSource::Button));
    QCOMPARE(names(model), expected);
}

void TestGameListModel::colours()
{
    GameListModel model;
    QVERIFY(fill(model, GameListView::All));
    QCOMPARE(foreground(model, "Armalyte"), QColor(0, 0, 0));      // game file and tune: black
    QCOMPARE(foreground(model, "Buggy Boy"), QColor(0, 0, 0x80));  // game file only: blue
    QCOMPARE(foreground(model, "Uridium"), QColor(0x80, 0, 0));    // tune only: red
    QCOMPARE(foreground(model, "Zork"), QColor(0x80, 0x80, 0x80)); // neither: grey
    QCOMPARE(model.colourCodeAt(model.rowOf("Zork")), int(catalogue::kGrey));

    // Stored values are 0x00BBGGRR; the green of stand-alone tunes and stray high bits.
    QCOMPARE(colourFromCode(catalogue::kGreen), QColor(0, 0x80, 0));
    QCOMPARE(colourFromCode(0x80000000LL | 0x0000FF), QColor(0xFF, 0, 0));
    QCOMPARE(colourFromCode(0x123456), QColor(0x56, 0x34, 0x12));

    // The colour follows the stored code, not the files: a row with an odd code keeps it.
    QVERIFY(m_db.exec(QStringLiteral("UPDATE Games SET CCode = ? WHERE Name = ?"), {0x00C0FF, "Zork"}));
    QVERIFY(fill(model, GameListView::All));
    QCOMPARE(foreground(model, "Zork"), QColor(0xFF, 0xC0, 0));
    QVERIFY(m_db.exec(QStringLiteral("UPDATE Games SET CCode = ? WHERE Name = ?"), {int(catalogue::kGrey), "Zork"}));

    QVERIFY(!model.data(model.index(0), Qt::DecorationRole).isValid());
    QVERIFY(!model.data(model.index(99), Qt::DisplayRole).isValid());
}

void TestGameListModel::fillResetsOnceAndKeepsModelWhole()
{
    GameListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(fill(model, GameListView::Tunes));

    QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    // While the progress callback runs (where a form lets events run) the old rows are still whole.
    QList<int> countsSeen;
    catalogue::Snapshot rows = openGameListSource(m_db, GameListView::All, GameListSource::Button);
    QVERIFY(model.fill(rows, [&](int) { countsSeen << model.rowCount(); }));
    QVERIFY(!countsSeen.isEmpty());
    for (int count : countsSeen)
        QCOMPARE(count, 3);

    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(model.rowCount(), 6);
}

void TestGameListModel::progressFollowsPercentPosition()
{
    QTemporaryDir dir;
    std::vector<Game> games;
    for (int i = 0; i < 450; ++i)
        games.push_back({QStringLiteral("Game %1").arg(i, 4, 10, QLatin1Char('0')), kFile, kNo});
    const QString path = dir.filePath(QStringLiteral("Vintrax.mdb"));
    QCOMPARE(createGames(path, games), QString());
    catalogue::Database db;
    QVERIFY(db.open(path).ok());

    GameListModel model;
    QList<int> seen;
    catalogue::Snapshot rows = openGameListSource(db, GameListView::Playable, GameListSource::StartUp);
    QVERIFY(model.fill(rows, [&](int percent) { seen << percent; }));
    QCOMPARE(model.rowCount(), 450);
    QCOMPARE(seen.first(), 0);
    QCOMPARE(seen.last(), 100);
    QCOMPARE(seen.size(), 101); // every whole percent once, no repeats for 450 rows
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY(seen[i] > seen[i - 1]);

    // A single row is at once first and last.
    GameListModel one;
    QTemporaryDir dir1;
    const QString path1 = dir1.filePath(QStringLiteral("Vintrax.mdb"));
    QCOMPARE(createGames(path1, {{QStringLiteral("Only"), kFile, kNo}}), QString());
    catalogue::Database db1;
    QVERIFY(db1.open(path1).ok());
    seen.clear();
    catalogue::Snapshot single = openGameListSource(db1, GameListView::All, GameListSource::StartUp);
    QVERIFY(one.fill(single, [&](int percent) { seen << percent; }));
    QCOMPARE(seen, QList<int>{100});
}

void TestGameListModel::failedSourceLeavesListEmpty()
{
    GameListModel model;
    QVERIFY(fill(model, GameListView::All));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    catalogue::Snapshot broken = catalogue::Snapshot::fromView(m_db, QStringLiteral("No Such List"));
    QVERIFY(!broken.isValid());
    bool called = false;
    QVERIFY(!model.fill(broken, [&](int) { called = true; }));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(reset.count(), 1);
    QVERIFY(!called);
}

void TestGameListModel::rowLookupIsExact()
{
    GameListModel model;
    QVERIFY(fill(model, GameListView::All));
    QCOMPARE(model.rowOf("boulder dash"), 1);
    QCOMPARE(model.rowOf("Boulder Dash"), -1); // the list compares exactly, unlike the catalogue
    QCOMPARE(model.rowOf("Bubble"), -1);
    QCOMPARE(model.rowOf(QString()), -1);
    QCOMPARE(model.textAt(5), QStringLiteral("Zork"));
    QCOMPARE(model.textAt(6), QString());
    QCOMPARE(model.textAt(-1), QString());
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.rowOf("Zork"), -1);
}

void TestGameListModel::switchingViewsKeepsOrDropsSelection()
{
    GameListModel model;
    QVERIFY(fill(model, GameListView::All, GameListSource::StartUp));

    // A game with a file stays selected when the playable view replaces all games, at its new row.
    QVERIFY(fill(model, GameListView::Playable));
    ListSelection sel = selectionAfterRefill(QStringLiteral("Buggy Boy"), QStringLiteral("Buggy Boy"), model.rowCount(),
                                             lookupIn(model));
    QCOMPARE(sel, (ListSelection{3, true, GamePanelAction::ShowGameControls}));

    // A game without a file drops out of the playable view: no selection, the panel keeps showing it.
    QVERIFY(fill(model, GameListView::All));
    QString currentGame = QStringLiteral("Zork");
    sel = selectionAfterRefill(currentGame, currentGame, model.rowCount(), lookupIn(model));
    QCOMPARE(sel.row, 5);
    QVERIFY(fill(model, GameListView::Playable));
    sel = selectionAfterRefill(currentGame, currentGame, model.rowCount(), lookupIn(model));
    QCOMPARE(sel, (ListSelection{-1, false, GamePanelAction::None}));

    // Back to all games with nothing selected: the game still shown is selected again.
    QVERIFY(fill(model, GameListView::All));
    sel = selectionAfterRefill(std::nullopt, currentGame, model.rowCount(), lookupIn(model));
    QCOMPARE(sel, (ListSelection{5, true, GamePanelAction::ShowGameControls}));
    QCOMPARE(model.textAt(sel.row), currentGame);

    // Nothing selected and no game shown: the first row.
    sel = selectionAfterRefill(std::nullopt, QString(), model.rowCount(), lookupIn(model));
    QCOMPARE(sel, (ListSelection{0, false, GamePanelAction::ShowGameControls}));

    // The selected row's text wins over an older shown game; letter case must match exactly.
    sel = selectionAfterRefill(QStringLiteral("Uridium"), QStringLiteral("Zork"), model.rowCount(), lookupIn(model));
    QCOMPARE(sel.row, 4);
    sel = selectionAfterRefill(QStringLiteral("uridium"), QString(), model.rowCount(), lookupIn(model));
    QCOMPARE(sel, (ListSelection{-1, false, GamePanelAction::None}));
}

void TestGameListModel::emptyViewShowsNoGame()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vintrax.mdb"));
    QCOMPARE(createGames(path, {{QStringLiteral("Paradroid"), kFile, kNo}}), QString());
    catalogue::Database db;
    QVERIFY(db.open(path).ok());

    GameListModel model;
    catalogue::Snapshot tunes = openGameListSource(db, GameListView::Tunes, GameListSource::Button);
    QVERIFY(model.fill(tunes));
    QCOMPARE(model.rowCount(), 0);
    ListSelection sel =
        selectionAfterRefill(QStringLiteral("Paradroid"), QStringLiteral("Paradroid"), 0, lookupIn(model));
    QCOMPARE(sel, (ListSelection{-1, false, GamePanelAction::ShowNoGame}));

    // Leaving the empty view: the no-game state shows no game, so the first row is taken.
    catalogue::Snapshot all = openGameListSource(db, GameListView::All, GameListSource::Button);
    QVERIFY(model.fill(all));
    sel = selectionAfterRefill(std::nullopt, QString(), model.rowCount(), lookupIn(model));
    QCOMPARE(sel, (ListSelection{0, false, GamePanelAction::ShowGameControls}));

    // An empty catalogue at start-up.
    QCOMPARE(selectionAtStartUp(QStringLiteral("Paradroid"), 0, lookupIn(model)),
             (ListSelection{-1, false, GamePanelAction::ShowNoGame}));
}

void TestGameListModel::startUpSelection()
{
    GameListModel model;
    QVERIFY(fill(model, GameListView::Playable, GameListSource::StartUp));
    const int rows = model.rowCount();
    QCOMPARE(selectionAtStartUp(QStringLiteral("Buggy Boy"), rows, lookupIn(model)).row, 3);
    QCOMPARE(selectionAtStartUp(QString(), rows, lookupIn(model)).row, 0);
    // The saved game is not in the saved view: nothing selected, the panel left alone.
    QCOMPARE(selectionAtStartUp(QStringLiteral("Zork"), rows, lookupIn(model)),
             (ListSelection{-1, false, GamePanelAction::None}));
    QCOMPARE(selectionAtStartUp(QStringLiteral("buggy boy"), rows, lookupIn(model)).row, -1);
}

void TestGameListModel::wholeFillFromDatabase()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vintrax.mdb"));
    QCOMPARE(createGames(path, {{QStringLiteral("Paradroid"), kFile, kNo},
                                {QStringLiteral("Commando"), kFile, kTune},
                                {QStringLiteral("Yie Ar Kung-Fu"), kNo, kTune}}),
             QString());
    catalogue::Database db;
    QVERIFY(db.open(path).ok());

    GameListModel model;
    QList<int> progress;
    GameListFillResult r = fillGameList(db, model, GameListView::Tunes, GameListSource::StartUp, std::nullopt,
                                        QStringLiteral("Yie Ar Kung-Fu"), [&](int p) { progress << p; });
    QVERIFY(r.ok);
    QCOMPARE(names(model), (QStringList{"Commando", "Yie Ar Kung-Fu"}));
    QCOMPARE(r.selection, (ListSelection{1, true, GamePanelAction::ShowGameControls}));
    QCOMPARE(progress, (QList<int>{0, 100}));

    r = fillGameList(db, model, GameListView::Playable, GameListSource::Button, QStringLiteral("Yie Ar Kung-Fu"),
                     QStringLiteral("Yie Ar Kung-Fu"));
    QVERIFY(r.ok);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(r.selection, ListSelection{});

    // A stored query that has gone missing: the list is emptied, the window goes to the no-game state
    // and the engine's message comes back for the user.
    QVERIFY(db.exec(QStringLiteral("DROP VIEW \"Music Only List\"")));
    r = fillGameList(db, model, GameListView::Tunes, GameListSource::StartUp, QStringLiteral("Commando"),
                     QStringLiteral("Commando"));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(r.selection.panel, GamePanelAction::ShowNoGame);
    // The SQL of the tunes button does not need the stored query.
    r = fillGameList(db, model, GameListView::Tunes, GameListSource::Button, std::nullopt, QString());
    QVERIFY(r.ok);
    QCOMPARE(r.selection, (ListSelection{0, false, GamePanelAction::ShowGameControls}));
}

QTEST_GUILESS_MAIN(TestGameListModel)
#include "TestGameListModel.moc"
