// The game list filled from a real catalogue file: rows and colours of the three views from both
// sources, one reset per fill, progress, lookups, and the selection kept or dropped across view switches.
#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Snapshot.h"

#include <QAbstractItemModelTester>
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

QColor foreground(const GameListModel& model, const QString& name)
{
    return model.data(model.index(model.rowOf(name)), Qt::ForegroundRole).value<QColor>();
}

QString shown(const ListSelection& s)
{
    return QStringLiteral("%1 %2 %3").arg(s.row).arg(int(s.byCode)).arg(int(s.panel));
}

} // namespace

class TestGameListModel : public QObject
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
        QTest::newRow("all") << 0 << all;
        QTest::newRow("playable") << 1 << all.mid(0, 4);
        QTest::newRow("tunes") << 2 << QStringList{"Armalyte", "Bubble Bobble", "Uridium"};
        // A hand-edited WhatListBox out of range falls back to the all-games view.
        QTest::newRow("out of range") << 7 << all;
        QTest::newRow("negative") << -1 << all;
    }
    void viewsFromBothSources()
    {
        QFETCH(int, view);
        QFETCH(QStringList, expected);
        QCOMPARE(gameListViewNumber(gameListViewFromNumber(view)), qBound(0, view, 2) == view ? view : 0);
        GameListModel model;
        QVERIFY(fill(model, gameListViewFromNumber(view), GameListSource::StartUp));
        QCOMPARE(names(model), expected);
        QVERIFY(fill(model, gameListViewFromNumber(view), GameListSource::Button));
        QCOMPARE(names(model), expected);
    }
    void colours()
    {
        GameListModel model;
        // Black, blue, red and grey for both files, the game file, the tune and neither; stored values are
        // 0x00BBGGRR, and the colour follows the stored code, not the files.
        QVERIFY(m_cat.db.exec(QStringLiteral("UPDATE Games SET CCode = ? WHERE Name = ?"), {0x80C0FF, "Uridium"}));
        QVERIFY(fill(model, GameListView::All));
        QCOMPARE(
            (QList<QColor>{foreground(model, "Armalyte"), foreground(model, "Buggy Boy"), foreground(model, "Zork"),
                           foreground(model, "Uridium")}),
            (QList<QColor>{QColor(0, 0, 0), QColor(0, 0, 0x80), QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xC0, 0x80)}));
        QVERIFY(m_cat.db.exec(QStringLiteral("UPDATE Games SET CCode = ? WHERE Name = ?"),
                              {int(catalogue::kRed), "Uridium"}));
        QCOMPARE(model.colourCodeAt(model.rowOf("Zork")), int(catalogue::kGrey));
        // The green of stand-alone tunes, and stray high bits.
        QCOMPARE(colourFromCode(catalogue::kGreen), QColor(0, 0x80, 0));
        QCOMPARE(colourFromCode(0x80000000LL | 0x0000FF), QColor(0xFF, 0, 0));
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
            catalogue::Snapshot rows = openGameListSource(cat.db, GameListView::Playable, GameListSource::StartUp);
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
        }
    }
    void rowLookupIsExactAndFailedSourceEmpties()
    {
        GameListModel model;
        QVERIFY(fill(model, GameListView::All));
        // The list compares exactly, unlike the catalogue.
        QCOMPARE((QList<int>{model.rowOf("boulder dash"), model.rowOf("Boulder Dash"), model.rowOf("Bubble")}),
                 (QList<int>{1, -1, -1}));
        QCOMPARE((QStringList{model.textAt(5), model.textAt(6), model.textAt(-1)}), (QStringList{"Zork", "", ""}));
        model.clear();
        QCOMPARE(model.rowOf("Zork"), -1);
        QVERIFY(fill(model, GameListView::All));
        // A source that cannot be read empties the list in one reset, without progress.
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        catalogue::Snapshot broken = catalogue::Snapshot::fromView(m_cat.db, QStringLiteral("No Such List"));
        bool called = false;
        QVERIFY(!model.fill(broken, [&](int) { called = true; }));
        QVERIFY(model.rowCount() == 0 && reset.count() == 1 && !called);
    }
    void selection_data()
    {
        QTest::addColumn<bool>("startUp");     // selectionAtStartUp on selected, else selectionAfterRefill
        QTest::addColumn<int>("view");         // the view filled, -1 for an empty list
        QTest::addColumn<QString>("selected"); // the selected row's text, "-" for none
        QTest::addColumn<QString>("shownGame");
        QTest::addColumn<QString>("expected"); // row, by code, panel (0 none, 1 game shown, 2 no game)
        auto row = [](const char* name, bool startUp, int view, const char* selected, const char* game,
                      const char* want) {
            QTest::newRow(name) << startUp << view << QString(selected) << QString(game) << QString(want);
        };
        row("kept at its new row", false, 1, "Buggy Boy", "Buggy Boy", "3 1 1");
        row("dropped from the view", false, 1, "Zork", "Zork", "-1 0 0");
        row("shown game selected again", false, 0, "-", "Zork", "5 1 1");
        row("nothing: the first row", false, 0, "-", "", "0 0 1");
        row("selection wins over shown game", false, 0, "Uridium", "Zork", "4 1 1");
        row("letter case must match", false, 0, "uridium", "", "-1 0 0");
        row("empty view", false, -1, "Paradroid", "Paradroid", "-1 0 2");
        row("start: saved game", true, 1, "Buggy Boy", "", "3 0 0");
        row("start: no saved game", true, 1, "", "", "0 0 0");
        row("start: saved game not in the view", true, 1, "Zork", "", "-1 0 0");
        row("start: letter case must match", true, 1, "buggy boy", "", "-1 0 0");
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

private:
    bool fill(GameListModel& model, GameListView view, GameListSource source = GameListSource::Button)
    {
        catalogue::Snapshot rows = openGameListSource(m_cat.db, view, source);
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

QTEST_GUILESS_MAIN(TestGameListModel)
#include "TestGameListModel.moc"
