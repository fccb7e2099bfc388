#include "CatalogueFixtures.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/GameFields.h"
#include "data/Schema.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;

// The current game is a row id read through a record set of its own: nothing that walks the shared
// Games record set moves it, a rename keeps it, and every change goes through one write.
class TestCurrentGame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void walkingTheSharedRecordSetLeavesItWhereItIs();
    void renameKeepsTheGameAndTellsWhoShowsIt();
    void failedWriteChangesNothingAndTellsNobody();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Catalogue> m_cat;
    std::unique_ptr<CurrentGame> m_game;
};

void TestCurrentGame::init()
{
    const QString path = m_dir.filePath(QStringLiteral("Vintrax.mdb"));
    QFile::remove(path);
    QVERIFY(createCatalogue(path));
    testsupport::sqliteShell(path, "INSERT INTO Games (Name, TimesPlayed) VALUES ('Elite', 3), ('Uridium', 7), "
                                   "('Zynaps', 0)");
    m_cat = std::make_unique<Catalogue>();
    QVERIFY(m_cat->open(path).ok());
    m_game = std::make_unique<CurrentGame>();
    m_game->open(m_cat->db());
}

void TestCurrentGame::cleanup()
{
    m_game.reset();
    m_cat.reset();
}

void TestCurrentGame::walkingTheSharedRecordSetLeavesItWhereItIs()
{
    QVERIFY(m_game->selectByName(QStringLiteral("uridium")));
    Recordset& shared = m_cat->games();
    for (shared.moveFirst(); !shared.eof(); shared.moveNext())
        QVERIFY(!shared.text(field::Name).isEmpty());
    QCOMPARE(m_game->text(field::Name), QStringLiteral("Uridium"));
    QCOMPARE(m_game->number(field::TimesPlayed), 7);
    QVERIFY(!m_game->selectByName(QStringLiteral("Nope")));
    QVERIFY(!m_game->isSet());
    QVERIFY(!m_game->change({{field::TimesPlayed, 1}}));
}

void TestCurrentGame::renameKeepsTheGameAndTellsWhoShowsIt()
{
    QVERIFY(m_game->selectByName(QStringLiteral("Elite")));
    const qint64 row = m_game->rowid();
    QSignalSpy changed(m_game.get(), &CurrentGame::changed);
    QVERIFY(m_game->change({{field::Name, QStringLiteral("Elite Plus")}, {field::TimesPlayed, 4}}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_game->rowid(), row);
    QCOMPARE(m_game->text(field::Name), QStringLiteral("Elite Plus"));
    QCOMPARE(testsupport::sqliteShell(m_dir.filePath("Vintrax.mdb"),
                                      "SELECT Name, TimesPlayed FROM Games WHERE rowid = " + QString::number(row))
                 .trimmed(),
             QStringLiteral("Elite Plus|4"));
}

void TestCurrentGame::failedWriteChangesNothingAndTellsNobody()
{
    QVERIFY(m_game->selectByName(QStringLiteral("Elite")));
    QSignalSpy changed(m_game.get(), &CurrentGame::changed);
    // The name index is unique: the second value is refused and the first is not kept either.
    QVERIFY(!m_game->change({{field::TimesPlayed, 99}, {field::Name, QStringLiteral("Zynaps")}}));
    QVERIFY(!m_game->change({{field::TimesPlayed, 99}, {QStringLiteral("No Such Field"), 1}}));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_game->number(field::TimesPlayed), 3);
    QCOMPARE(m_game->text(field::Name), QStringLiteral("Elite"));
}

QTEST_GUILESS_MAIN(TestCurrentGame)
#include "TestCurrentGame.moc"
