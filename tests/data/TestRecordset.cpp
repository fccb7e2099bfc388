#include "CatalogueFixtures.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/Recordset.h"
#include "data/Snapshot.h"
#include "data/SqlTexts.h"

#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

// The record sets over the hand-written catalogue: walks, seeks, bookmarks, positions and edits. (The tune search
// with the LIKE wildcards in the user's text is the category lists' find table; its escape character is here.)
class TestRecordset : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_cat.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = catalogueFromScript(m_dir->path(), "catalogue_current.sql");
        QVERIFY(!m_path.isEmpty());
        m_cat = std::make_unique<Catalogue>();
        QVERIFY(m_cat->open(m_path).ok());
        QVERIFY(m_cat->games().setIndex("Name"));
    }

    void moves_data()
    {
        // Moves over the four games in name order (Last Ninja, The; Sanxion; Wizball; Zzap Demo), then where the
        // record set stands: the current name ("" for no current row, whose bookmark is -1), BOF, EOF and percent.
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bof");
        QTest::addColumn<bool>("eof");
        QTest::addColumn<double>("percent");
        // clang-format off
        QTest::newRow("next") << "first,next" << "Sanxion" << false << false << 100.0 / 3;
        QTest::newRow("past the last") << "last,next" << "" << false << true << 100.0;
        QTest::newRow("back from EOF") << "last,next,prev" << "Zzap Demo" << false << false << 100.0;
        QTest::newRow("before the first") << "first,prev" << "" << true << false << 0.0;
        QTest::newRow("seek in any case, a miss stays") << "seek wIZBALL,miss Wizbal" << "Wizball" << false << false << 200.0 / 3;
        QTest::newRow("next after a bookmark, an unknown one stays") << "seek Sanxion,mark,last,back,goto 99999,next" << "Wizball" << false << false << 200.0 / 3;
        QTest::newRow("next after a delete") << "seek Sanxion,delete,next" << "Wizball" << false << false << 50.0;
        QTest::newRow("last row deleted") << "last,delete,next" << "" << false << true << 100.0;
        QTest::newRow("one row left") << "last,delete,last,delete,last,delete,first" << "Last Ninja, The" << false << false << 100.0;
        QTest::newRow("deleted while walking, as a reset does") << "first,delete,next,delete,next,delete,next,delete,next" << "" << true << true << 0.0;
        // clang-format on
    }

    void moves()
    {
        QFETCH(QString, moves);
        QFETCH(QString, name);
        QFETCH(bool, bof);
        QFETCH(bool, eof);
        QFETCH(double, percent);
        Recordset& games = m_cat->games();
        qint64 mark = -1;
        for (const QString& move : moves.split(QLatin1Char(','))) {
            const QString arg = move.section(QLatin1Char(' '), 1);
            if (move == "first")
                games.moveFirst();
            else if (move == "next")
                games.moveNext();
            else if (move == "prev")
                games.movePrevious();
            else if (move == "last")
                games.moveLast();
            else if (move.startsWith("seek"))
                QVERIFY(games.seek(arg) && !games.noMatch());
            else if (move.startsWith("miss"))
                QVERIFY(!games.seek(arg) && games.noMatch());
            else if (move == "mark")
                mark = games.bookmark();
            else if (move == "back")
                QVERIFY(games.setBookmark(mark));
            else if (move.startsWith("goto"))
                QVERIFY(!games.setBookmark(arg.toLongLong()));
            else if (move == "delete")
                QVERIFY(games.remove());
        }
        QCOMPARE(games.text("Name"), name);
        QCOMPARE(games.bookmark() >= 0, !name.isEmpty());
        QCOMPARE(games.bof(), bof);
        QCOMPARE(games.eof(), eof);
        QCOMPARE(games.percentPosition(), percent);
        QCOMPARE(games.recordCount(), sqliteShell(m_path, "SELECT count(*) FROM Games").toInt()); // deletes reach it
        if (name.isEmpty()) {
            QVERIFY(!games.edit());
            QCOMPARE(games.lastWriteError(), WriteError::NoCurrentRow);
        }
    }

    void addsAndEditsReachTheFile()
    {
        Recordset& games = m_cat->games();
        QVERIFY(games.seek("Wizball"));
        // Field names are found in any case, as the engine always did; unknown ones read as nothing. (Seeks by a
        // number key are the details panel's lookups, tests/browser/details.)
        QCOMPARE(games.text("music filename"), QStringLiteral("Galway\\Wizball.sid"));
        QVERIFY(!games.value("No Such Field").isValid() && !games.hasField("No Such Field"));
        QVERIFY(!m_cat->table("Publishers").setIndex("No Such Index"));
        QVERIFY(games.seek("Sanxion"));
        QVERIFY(games.addNew() && games.setValue("Name", "Paradroid") && games.setValue("FA", true));
        QVERIFY(games.setValue("Personal Comment", "It's \"great\"") && !games.setValue("Nonsense", 1));
        QVERIFY(games.update());
        QCOMPARE(games.text("Name"), QStringLiteral("Sanxion")); // the row current before the add stays current
        QVERIFY(games.setBookmark(games.lastModified()));
        QCOMPARE(games.text("Personal Comment"), QStringLiteral("It's \"great\""));
        QCOMPARE(sqliteShell(m_path, "SELECT FA FROM Games WHERE Name = 'Paradroid'"), QStringLiteral("1"));
        // The name index is unique in any case.
        QVERIFY(games.addNew() && games.setValue("Name", "SANXION") && !games.update());
        QCOMPARE(games.lastWriteError(), WriteError::DuplicateKey);
        games.cancelUpdate();
        QCOMPARE(sqliteShell(m_path, "SELECT group_concat(Name, '|') FROM (SELECT Name FROM Games ORDER BY Name)"),
                 QStringLiteral("Last Ninja, The|Paradroid|Sanxion|Wizball|Zzap Demo"));
        // A rename reorders the index and reaches the file.
        QVERIFY(games.seek("Zzap Demo") && games.edit() && games.setValue("Name", "Aardvark") && games.update());
        QCOMPARE(games.lastModified(), games.bookmark());
        QCOMPARE(sqliteShell(m_path, "SELECT count(*) FROM Games WHERE Name = 'Aardvark'"), QStringLiteral("1"));
        QCOMPARE(walkNames(games), QStringList({"Aardvark", "Last Ninja, The", "Paradroid", "Sanxion", "Wizball"}));
    }

    // A backslash in the user's text is escaped too: left alone it would make the letter after it a plain one, and
    // "\Pure" would find "100% Pure".
    void tuneSearchTakesABackslashLiterally()
    {
        const Snapshot found = Snapshot::fromQuery(m_cat->db(), tuneSearchQuery(QStringLiteral("\\Pure")));
        QVERIFY(found.isValid() && found.recordCount() == 0);
    }

private:
    QStringList walkNames(Recordset& rs)
    {
        QStringList out; // bounded, so that an EOF that never comes fails rather than hangs
        for (rs.moveFirst(); !rs.eof() && out.size() < 10; rs.moveNext())
            out << rs.text("Name");
        return out;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<Catalogue> m_cat; // closes before its folder goes
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "TestRecordset.moc"
