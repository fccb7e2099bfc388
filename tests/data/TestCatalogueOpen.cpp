// Opening a catalogue: the hand-written one with its lists and categories, our schema against it, missing and
// unusable files reported and left untouched; and a catalogue with damaged pages: whichever read meets the damage,
// the user is told once how to recover the file, the reads give what they can, and nothing is written afterwards.
#include "CatalogueFixtures.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/GameFields.h"
#include "data/Schema.h"
#include "data/Snapshot.h"
#include "data/SqlTexts.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

namespace {

QStringList names(const Snapshot& s)
{
    QStringList out;
    for (int r = 0; r < s.recordCount(); ++r)
        out << s.valueAt(r, 0).toString();
    return out;
}

// Reads the catalogue as one part of the program does ("walk", "name walk", "seek", "view" or "current game");
// the number of games it got.
int readWith(const QString& reader, Catalogue& cat)
{
    if (reader == "view")
        return Snapshot::fromView(cat.db(), kGameNameList).recordCount();
    int rows = 0;
    if (reader == "current game") {
        CurrentGame game;
        game.open(cat.db());
        game.select(sqliteShell(cat.db().path(), "SELECT rowid FROM Games WHERE Name = 'Game 09'").toLongLong());
        rows = game.text(field::Name).isEmpty() ? 0 : 1;
        game.close();
        return rows;
    }
    Recordset rs(cat.db(), QStringLiteral("Games"));
    rs.setIndex(reader == "walk" ? QString() : QStringLiteral("Name"));
    if (reader == "seek")
        return rs.seek(QStringLiteral("Game 09")) ? 1 : 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        rows += rs.text(field::Name).isEmpty() ? 0 : 1;
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

class TestCatalogueOpen : public QObject
{
    Q_OBJECT

private slots:
    void handWrittenCatalogueAndOurSchema()
    {
        const QString path = catalogueFromScript(m_dir.path(), "catalogue_current.sql", "current.mdb");
        Catalogue cat;
        QVERIFY(cat.open(path).ok());
        QCOMPARE(cat.probeLayout(), Layout::Current);
        for (const QString& t : kTablesInOpenOrder)
            QVERIFY2(cat.table(t).isOpen(), qPrintable(t));
        // The stored queries list their games (the SQL sent for each view is the list tests'); a category with the
        // "has a game file" filter leaves out games whose file is "(None)".
        const auto view = [&](const QString& name) { return names(Snapshot::fromView(cat.db(), name)).join('|'); };
        const auto query = [&](const SqlQuery& q) { return names(Snapshot::fromQuery(cat.db(), q)).join('|'); };
        const QList<std::pair<QString, QString>> lists = {
            {view(kGameNameList), "Last Ninja, The|Sanxion|Wizball|Zzap Demo"},
            {view(storedQueryFor(GameListView::Playable)), "Last Ninja, The|Sanxion"},
            {view(storedQueryFor(GameListView::Tunes)), "Sanxion|Wizball"},
            {query(categoryGamesQuery(LookupKind::Publisher, 37, GameListView::Playable)), "Last Ninja, The"},
            {query(categoryGamesQuery(LookupKind::Year, 3, GameListView::All)), "Wizball"},
            {query(musicianTunesQuery(1)), "Commando"}};
        for (const auto& [got, expected] : lists)
            QCOMPARE(got, expected);

        // Our schema script must give every table the fields, in order and spelling, that the hand-made catalogue
        // has, and the global index names the record sets map to.
        const QString& hand = path;
        const QString ours = QDir(m_dir.path()).filePath("ours.mdb");
        QString error;
        QVERIFY2(createCatalogue(ours, &error), qPrintable(error));
        QVERIFY(!createCatalogue(ours)); // never over an existing file
        for (const QString& t : kTablesInOpenOrder) {
            const QString sql = QStringLiteral("SELECT group_concat(name, '|') FROM pragma_table_info('%1')").arg(t);
            QCOMPARE(sqliteShell(ours, sql), sqliteShell(hand, sql));
        }
        const QString indexes = sqliteShell(ours, "SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                                                  "WHERE type = 'index' AND name NOT LIKE 'sqlite_%' ORDER BY name)");
        QCOMPARE(indexes, QStringLiteral("Games_Name,Music_Name,Musicians_Name,Publishers_Publisher"));
        // Text compares without regard to case in any SQLite tool, and booleans read as 0/1.
        QCOMPARE(sqliteShell(ours, "INSERT INTO Games (Name) VALUES ('Elite'); "
                                   "SELECT count(*) FROM Games WHERE Name = 'ELITE'"),
                 QStringLiteral("1"));
        QVERIFY(
            !sqliteShell(ours, "INSERT INTO Games (Name) VALUES ('eLiTe'); SELECT 'inserted'").contains("inserted"));
    }

    void unusableFilesAreReportedAndLeftUntouched_data()
    {
        // The file: given bytes, or the hand-written catalogue changed by a statement; a folder, read-only or missing
        // (its message is the start-up test's).
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("detail");
        const int notCatalogue = int(OpenStatus::NotCatalogue), missingTable = int(OpenStatus::MissingTable);
        // clang-format off
        QTest::newRow("junk") << QByteArray("\x53\x9a\x01\xff").repeated(2048) << "" << notCatalogue << "";
        QTest::newRow("empty file") << QByteArray("") << "" << missingTable << "Games";
        QTest::newRow("table dropped") << QByteArray() << "DROP TABLE Ratings" << missingTable << "Ratings";
        QTest::newRow("stored query dropped") << QByteArray() << "DROP VIEW \"Music Only List\"" << missingTable << "Music Only List";
        QTest::newRow("folder") << QByteArray() << "folder" << notCatalogue << "a folder";
        QTest::newRow("read-only") << QByteArray() << "read-only" << int(OpenStatus::ReadOnly) << "";
        QTest::newRow("missing") << QByteArray() << "missing" << int(OpenStatus::Missing) << "";
        // clang-format on
    }

    void unusableFilesAreReportedAndLeftUntouched()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sql);
        QFETCH(int, status);
        QFETCH(QString, detail);
        QTemporaryDir dir;
        QString path = dir.filePath("Vintrax.mdb");
        if (sql == "missing")
            path = dir.filePath("absent/Vintrax.mdb");
        else if (!bytes.isNull())
            QVERIFY(writeFile(path, bytes));
        else if (sql == "folder")
            QVERIFY(QDir().mkpath(path));
        else if ((path = catalogueFromScript(dir.path(), "catalogue_current.sql")).isEmpty())
            QFAIL("no catalogue");
        else if (sql == "read-only")
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else
            sqliteShell(path, sql);
        const auto stateOf = [](const QString& file) {
            return std::pair(readFile(file), QFileInfo(file).lastModified());
        };
        const auto before = stateOf(path);
        QTest::qWait(20); // a write would show in the modification time
        Catalogue cat;
        const OpenResult r = cat.open(path);
        QCOMPARE(int(r.status), status);
        if (!detail.isEmpty())
            QCOMPARE(r.detail, detail);
        QVERIFY(!cat.isOpen());
        QVERIFY(stateOf(path) == before);
        QVERIFY(!QFileInfo::exists(path + "-journal"));
        QVERIFY(QFileInfo::exists(path) || !QFileInfo::exists(dir.filePath("absent"))); // never created
        if (sql == "missing")
            return;
        const OpenFailureMessage m = openFailureMessage(r, path);
        QVERIFY(m.text.contains(path) && m.text.contains("has not been changed"));
        if (!detail.isEmpty() && sql != "folder")
            QVERIFY(m.text.contains("'" + detail + "'"));
        if (sql == "read-only")
            QVERIFY(m.text.contains("read-only"));
    }

    void damageFoundWhileReading_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<bool>("atOpen"); // damaged before the catalogue is opened
        for (const char* reader : {"walk", "name walk", "seek", "view", "current game"})
            QTest::newRow(reader) << QString(reader) << false;
        QTest::newRow("found at open") << QString("view") << true;
    }

    void damageFoundWhileReading()
    {
        QFETCH(QString, reader);
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
            QCOMPARE(readWith("walk", cat), 14);
            // The file is damaged under the open catalogue, as a failing disk would do it.
            QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
        }
        QVERIFY(readWith(reader, cat) < 14 && cat.db().isDamaged());
        QCOMPARE(messages.texts(), QStringList{damagedCatalogueMessage(path)});
        QCOMPARE(messages.last().icon, platform::MessageBox::Critical);
        // Told once however often the damage is met again.
        for (const char* again : {"walk", "name walk", "view"})
            readWith(again, cat);
        QCOMPARE(messages.count(), 1);
        verifyNothingWritten(cat);
    }

    void theToldRecoveryWorks()
    {
        QTemporaryDir dir;
        const QString path = catalogueOfFourteenGames(dir.path());
        QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
        // Many builds of the sqlite3 shell (Debian's among them) lack the page table .recover reads; the message
        // names a second way for them.
        const bool shellCanRecover =
            sqliteShell(path, QStringLiteral("SELECT count(*) FROM sqlite_dbpage")).toInt() > 0;
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
            QVERIFY(!cat.db().isDamaged() && messages.count() == 0);
            const int games = readWith("walk", cat);
            QVERIFY2(games >= 4 && games < 14, qPrintable(QString::number(games)));
            CurrentGame game;
            game.open(cat.db());
            QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
            QVERIFY(game.change({{field::TimesPlayed, 4}}));
        }
        QVERIFY(tried > 0);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCatalogueOpen)
#include "TestCatalogueOpen.moc"
