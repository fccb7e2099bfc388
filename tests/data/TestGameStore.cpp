// The game store on a real catalogue file: each change with its result, what it announces and what the file holds
// afterwards (read by Debian's sqlite3), the same changes refused on a read-only catalogue with nothing written and
// nothing announced, and the catalogue's order of names against SQLite's own.
#include "CatalogueFixtures.h"
#include "SmallDisk.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/GameStore.h"
#include "data/Schema.h"

#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using testsupport::sqliteShell;

class TestGameStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(kFileName);
    Catalogue m_cat;
    QStringList m_told; // what the store announced

    // The Games rows by name, or for a tune's change the tunes by name.
    QString contents(const QString& change) const
    {
        if (change.startsWith(u"tune"))
            return sqliteShell(m_path, "SELECT group_concat(Name, '|') FROM (SELECT Name FROM Music ORDER BY Name)");
        return sqliteShell(m_path, "SELECT group_concat(Name || ':' || FA || SA || CCode, ' ') FROM "
                                   "(SELECT * FROM Games ORDER BY Name)");
    }
    qint64 rowidOf(const QString& name, const QString& table = "Games") const
    {
        return sqliteShell(m_path, "SELECT ifnull(max(rowid), 99) FROM " + table + " WHERE Name = '" + name + "'")
            .toLongLong();
    }
    // "Name=Bomb Jack,FA=1" as field values; numbers stay numbers.
    static FieldValues valuesOf(const QString& text)
    {
        FieldValues values;
        for (const QString& pair : text.split(u',', Qt::SkipEmptyParts)) {
            bool number = false;
            const qint64 n = pair.section(u'=', 1).toLongLong(&number);
            values.append({pair.section(u'=', 0, 0), number ? QVariant(n) : QVariant(pair.section(u'=', 1))});
        }
        return values;
    }
    // "add VALUES", "remove NAME", "rename NAME=NEW", "many NAME:VALUES;NAME:VALUES", "current NAME:VALUES" (the
    // current game's own change), "tune NAME" (a tune removed).
    GameStoreResult run(GameStore& store, const QString& change)
    {
        const QString op = change.section(u' ', 0, 0), arg = change.section(u' ', 1);
        if (op == u"add")
            return store.addGame(valuesOf(arg));
        if (op == u"remove")
            return store.removeGame(rowidOf(arg));
        if (op == u"tune")
            return store.removeTune(rowidOf(arg, "Music"));
        if (op == u"rename")
            return store.renameGame(rowidOf(arg.section(u'=', 0, 0)), arg.section(u'=', 1));
        QVector<RowChange> rows;
        for (const QString& row : arg.split(u';'))
            rows.append({rowidOf(row.section(u':', 0, 0)), valuesOf(row.section(u':', 1))});
        if (op == u"many")
            return store.changeMany(rows);
        CurrentGame game;
        game.open(m_cat.db(), &store);
        game.select(rows[0].rowid);
        return game.change(rows[0].values) ? GameStoreResult{} : GameStoreResult{GameStoreError::Refused, "-"};
    }

private slots:
    void init()
    {
        QVERIFY(createCatalogue(m_path));
        // Both files, a game file only, a tune only, neither.
        sqliteShell(m_path, "INSERT INTO Games (Name, FA, SA, CCode) VALUES ('Armalyte', 1, 1, 0), "
                            "('boulder dash', 1, 0, 8388608), ('Uridium', 0, 1, 128), ('Zork', 0, 0, 8421504); "
                            "INSERT INTO Music VALUES ('Commando', 'Hubbard\\Commando.sid', 1), ('Zoids', 'z.sid', 2)");
        QVERIFY(m_cat.open(m_path).ok());
        m_told.clear();
    }
    void cleanup()
    {
        m_cat.close();
        QFile::remove(m_path);
    }

    void changes_data()
    {
        QTest::addColumn<bool>("readOnly"); // the catalogue's folder made read-only after it was opened
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("error"); // GameStoreError
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("after"); // the Games rows by name, "" when unchanged
        auto row = [](const char* name, const char* change, GameStoreError error, const char* told, const char* after) {
            QTest::newRow(name) << false << QString(change) << int(error) << QString(told) << QString(after);
        };
        using E = GameStoreError;
        // clang-format off
        row("add", "add Name=Bomb Jack,FA=1,SA=0,CCode=8388608", E::None, "added Bomb Jack 8388608 110", "Armalyte:110 Bomb Jack:108388608 boulder dash:108388608 Uridium:01128 Zork:008421504");
        row("add: taken in another letter case", "add Name=URIDIUM", E::DuplicateName, "", "");
        row("add: no name", "add FA=1", E::EmptyName, "", "");
        row("remove", "remove Uridium", E::None, "removed Uridium 128 101", "Armalyte:110 boulder dash:108388608 Zork:008421504");
        row("remove: no such game", "remove Paradroid", E::NoSuchGame, "", "");
        row("rename", "rename Zork=Ant Attack", E::None, "Zork: Ant Attack 8421504 100", "Ant Attack:008421504 Armalyte:110 boulder dash:108388608 Uridium:01128");
        row("rename: letter case only", "rename Zork=ZORK", E::None, "Zork: ZORK 8421504 100", "Armalyte:110 boulder dash:108388608 Uridium:01128 ZORK:008421504");
        row("rename: taken in another letter case", "rename Zork=ARMALYTE", E::DuplicateName, "", "");
        row("many", "many Zork:FA=1,CCode=8388608;Uridium:SA=0,CCode=8421504", E::None, "many", "Armalyte:110 boulder dash:108388608 Uridium:008421504 Zork:108388608");
        // Rows with the same values are written together; a row that comes twice keeps its last change.
        row("many: shared values", "many Zork:FA=1;Armalyte:SA=0;Uridium:FA=1", E::None, "many", "Armalyte:100 boulder dash:108388608 Uridium:11128 Zork:108421504");
        row("many: a row thrice", "many Zork:FA=1;Zork:FA=0;Zork:FA=1", E::None, "many", "Armalyte:110 boulder dash:108388608 Uridium:01128 Zork:108421504");
        // The second row takes a name already there: the first row's change goes too.
        row("many: one refused, none written", "many Zork:FA=1;Uridium:Name=armalyte", E::Refused, "", "");
        row("current game: joins the playable view", "current Zork:FA=1,Name=Ant Attack", E::None, "Zork: Ant Attack 8421504 110", "Ant Attack:108421504 Armalyte:110 boulder dash:108388608 Uridium:01128");
        // A current game's change refused in part writes none of it.
        row("current game: a name taken", "current Zork:FA=1,Name=armalyte", E::Refused, "", "");
        // Only the tune's row goes, announced as it was.
        row("tune", "tune Commando", E::None, "tune Commando:Hubbard\\Commando.sid", "Zoids");
        // clang-format on
        for (const char* change : {"add Name=Bomb Jack", "remove Uridium", "rename Zork=Ant Attack",
                                   "many Zork:FA=1;Uridium:SA=0", "current Zork:FA=1", "tune Commando"})
            QTest::addRow("read-only: %s", change) << true << QString(change) << int(E::Refused) << ""
                                                   << "";
    }
    void changes()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, change);
        QFETCH(int, error);
        QFETCH(QString, told);
        QFETCH(QString, after);
        GameStore store(m_cat.db());
        const auto tell = [this](const QString& what, const ListedGame& g) {
            m_told << QStringLiteral("%1 %2 %3 %4%5%6")
                          .arg(what, g.name)
                          .arg(g.colourCode)
                          .arg(g.inView[0])
                          .arg(g.inView[1])
                          .arg(g.inView[2]);
        };
        connect(&store, &GameStore::gameAdded, this, [tell](const ListedGame& g) { tell("added", g); });
        connect(&store, &GameStore::gameRemoved, this, [tell](const ListedGame& g) { tell("removed", g); });
        connect(&store, &GameStore::gameChanged, this,
                [tell](const QString& was, const ListedGame& g) { tell(was + ':', g); });
        connect(&store, &GameStore::gamesChanged, this, [this] { m_told << "many"; });
        connect(&store, &GameStore::tuneRemoved, this,
                [this](const ListedTune& t) { m_told << "tune " + t.name + ':' + t.filename; });
        const QString before = contents(change);
        auto locked = readOnly ? std::make_unique<testsupport::ReadOnlyFolder>(m_dir.path()) : nullptr;
        QVERIFY(!locked || locked->isValid());
        const GameStoreResult r = run(store, change);
        locked.reset();
        QCOMPARE(int(r.error), error);
        QVERIFY(r.ok() || !r.message.isEmpty());
        QCOMPARE(m_told.join(QStringLiteral(" / ")), told);
        QCOMPARE(contents(change), after.isEmpty() ? before : after);
        QVERIFY(!change.startsWith(u"add") || !r.ok() || r.rowid == rowidOf("Bomb Jack"));
    }

    // The lists are in SQLite's order of the NOCASE column; a row placed by compareNames lands where a fill puts it.
    void namesSortAsTheCatalogueSortsThem()
    {
        QStringList names = QStringLiteral("a_b|aBc|A[|a`|Zoo|zebra|Éclair|eclair2|ß|1942|_x|[x|😀 smile|ａ wide|\uE000 "
                                           "private|Ábc|Last Ninja, The|Last Ninja 2|last ninja")
                                .split(u'|');
        const QString sql = "CREATE TABLE t (n TEXT COLLATE NOCASE); INSERT INTO t VALUES ('" + names.join("'), ('") +
                            "'); SELECT n FROM t ORDER BY n";
        std::stable_sort(names.begin(), names.end(), [](auto& a, auto& b) { return compareNames(a, b) < 0; });
        QCOMPARE(names.join(u'\n'), sqliteShell(m_path, sql));
    }
};

QTEST_GUILESS_MAIN(TestGameStore)
#include "TestGameStore.moc"
