// A catalogue with damaged pages: whichever read meets the damage, the user is told once how to recover the
// file, the reads give what they can, and nothing is written to the file afterwards.
#include "CatalogueFixtures.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/GameFields.h"
#include "data/Snapshot.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

namespace {

enum class Reader
{
    TableWalk,
    NameWalk,
    Seek,
    ListView,
    CurrentGameRead,
};

// The hand-written catalogue with ten more games, each long enough that the Games table spans several
// pages; "Game 09" shares its page with few others.
QString catalogueOfFourteenGames(const QString& folder)
{
    const QString path = catalogueFromScript(folder, QStringLiteral("catalogue_current.sql"));
    sqliteShell(path, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10) "
                                     "INSERT INTO Games (Name, CCode, Filename, FA, SA, \"Personal Comment\") "
                                     "SELECT printf('Game %02d', i), 0, 'game.d64', 1, 0, hex(zeroblob(700)) FROM n"));
    return path;
}

// Reads the catalogue as one part of the program does; the number of games it got.
int readWith(Reader reader, Catalogue& cat)
{
    Recordset rs(cat.db(), QStringLiteral("Games"));
    int rows = 0;
    switch (reader) {
    case Reader::TableWalk:
    case Reader::NameWalk:
        rs.setIndex(reader == Reader::NameWalk ? QStringLiteral("Name") : QString());
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            rows += rs.text(field::Name).isEmpty() ? 0 : 1;
        return rows;
    case Reader::Seek:
        rs.setIndex(QStringLiteral("Name"));
        return rs.seek(QStringLiteral("Game 09")) ? 1 : 0;
    case Reader::ListView:
        return Snapshot::fromView(cat.db(), kGameNameList).recordCount();
    case Reader::CurrentGameRead: {
        CurrentGame game;
        game.open(cat.db());
        game.select(sqliteShell(cat.db().path(), "SELECT rowid FROM Games WHERE Name = 'Game 09'").toLongLong());
        rows = game.text(field::Name).isEmpty() ? 0 : 1;
        game.close();
        return rows;
    }
    }
    return rows;
}

// Every way of writing is refused, and the file stays as it is.
void verifyNothingWritten(Catalogue& cat)
{
    const QByteArray before = readFile(cat.db().path());
    CurrentGame game;
    game.open(cat.db());
    QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
    QVERIFY(!game.change({{field::TimesPlayed, 42}}));
    QCOMPARE(game.lastError(), damagedCatalogueRefusal());
    game.close();
    Recordset& games = cat.games();
    QVERIFY(games.addNew() && games.setValue(field::Name, QStringLiteral("New game")));
    QVERIFY(!games.update());
    games.cancelUpdate();
    QString error;
    QVERIFY(!cat.db().exec(QStringLiteral("UPDATE Games SET TimesPlayed = 7"), {}, &error));
    QCOMPARE(error, damagedCatalogueRefusal());
    QVERIFY(!cat.db().beginTransaction());
    QCOMPARE(readFile(cat.db().path()), before);
}

} // namespace

class TestCatalogueDamage : public QObject
{
    Q_OBJECT

private slots:
    void damageFoundWhileReading_data();
    void damageFoundWhileReading();
    void theToldRecoveryWorks();

private:
    QTemporaryDir m_dir;
};

void TestCatalogueDamage::damageFoundWhileReading_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<bool>("atOpen"); // damaged before the catalogue is opened
    QTest::newRow("walk in table order") << Reader::TableWalk << false;
    QTest::newRow("walk by name") << Reader::NameWalk << false;
    QTest::newRow("seek") << Reader::Seek << false;
    QTest::newRow("game list view") << Reader::ListView << false;
    QTest::newRow("current game") << Reader::CurrentGameRead << false;
    QTest::newRow("found at open") << Reader::ListView << true;
}

void TestCatalogueDamage::damageFoundWhileReading()
{
    QFETCH(Reader, reader);
    QFETCH(bool, atOpen);
    QTemporaryDir dir;
    const QString path = catalogueOfFourteenGames(dir.path());
    if (atOpen)
        QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
    platform::ScriptedMessageBox messages;
    Catalogue cat;
    // A damaged file opens, so the games that can be read can still be played; the damage is told at once.
    QVERIFY(cat.open(path).ok());
    QCOMPARE(messages.count(), atOpen ? 1 : 0);
    if (!atOpen) {
        QCOMPARE(readWith(Reader::TableWalk, cat), 14);
        // The file is damaged under the open catalogue, as a failing disk would do it.
        QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
    }
    QVERIFY(readWith(reader, cat) < 14);
    QVERIFY(cat.db().isDamaged());
    QCOMPARE(messages.texts(), QStringList{damagedCatalogueMessage(path)});
    QCOMPARE(messages.last().icon, platform::MessageBox::Critical);
    // Told once however often the damage is met again.
    for (const Reader again : {Reader::TableWalk, Reader::NameWalk, Reader::ListView})
        readWith(again, cat);
    QCOMPARE(messages.count(), 1);
    verifyNothingWritten(cat);
}

void TestCatalogueDamage::theToldRecoveryWorks()
{
    QTemporaryDir dir;
    const QString path = catalogueOfFourteenGames(dir.path());
    QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
    // Many builds of the sqlite3 shell (Debian's among them) lack the page table .recover reads; the message
    // names a second way for them.
    const bool shellCanRecover = sqliteShell(path, QStringLiteral("SELECT count(*) FROM sqlite_dbpage")).toInt() > 0;
    QRegularExpressionMatchIterator commands =
        QRegularExpression(QStringLiteral("^sqlite3 .*$"), QRegularExpression::MultilineOption)
            .globalMatch(damagedCatalogueMessage(path));
    int tried = 0;
    while (commands.hasNext()) {
        // Each command exactly as the message gives it, run in the catalogue's folder.
        const QString command = commands.next().captured();
        const QString recovered = dir.filePath(QStringLiteral("Vintrax-recovered.mdb"));
        QFile::remove(recovered);
        runOracle(QStringLiteral("sh"), {"-c", command}, dir.path());
        if (command.contains(QStringLiteral(".recover")) && !shellCanRecover)
            continue;
        ++tried;
        platform::ScriptedMessageBox messages;
        Catalogue cat;
        QVERIFY2(cat.open(recovered).ok(), qPrintable(command));
        QVERIFY(!cat.db().isDamaged());
        QCOMPARE(messages.count(), 0);
        const int games = readWith(Reader::TableWalk, cat);
        QVERIFY2(games >= 4 && games < 14, qPrintable(QString::number(games)));
        CurrentGame game;
        game.open(cat.db());
        QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
        QVERIFY(game.change({{field::TimesPlayed, 4}}));
    }
    QVERIFY(tried > 0);
}

QTEST_GUILESS_MAIN(TestCatalogueDamage)
#include "TestCatalogueDamage.moc"
