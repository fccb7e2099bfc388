// Opening a catalogue: our schema against the hand-written one, unusable files reported and left untouched; a
// catalogue with damaged pages: whichever read meets the damage, the user is told once how to recover the file, the
// reads give what they can, and nothing is written afterwards; what an open and a view switch reuse.
#include "CatalogueFixtures.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "data/ListRows.h"
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

// Reads the catalogue as a record set ("walk") or a list ("view") does; the number of games it got. (A seek and the
// current game read through a record set too, and meet the damage in the same handler.)
int readWith(const QString& reader, Catalogue& cat)
{
    if (reader == "view")
        return Snapshot::fromView(cat.db(), kGameNameList).recordCount();
    int rows = 0;
    Recordset rs(cat.db(), QStringLiteral("Games"));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        rows += rs.text(field::Name).isEmpty() ? 0 : 1;
    return rows;
}

// Every way of writing is refused, and the file stays as it is. (A record set's change meets the same refusal.)
void verifyNothingWritten(Catalogue& cat)
{
    const QByteArray before = readFile(cat.db().path());
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
        // Our schema script must give every table the fields, in order and spelling, that the hand-made catalogue
        // has, and the global index names the record sets map to.
        const QString ours = QDir(m_dir.path()).filePath("ours.mdb");
        QString error;
        QVERIFY2(createCatalogue(ours, &error), qPrintable(error));
        QVERIFY(!createCatalogue(ours)); // never over an existing file
        for (const QString& t : kTablesInOpenOrder) {
            const QString sql = QStringLiteral("SELECT group_concat(name, '|') FROM pragma_table_info('%1')").arg(t);
            QCOMPARE(sqliteShell(ours, sql), sqliteShell(path, sql));
        }
        const QString indexes = sqliteShell(ours, "SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                                                  "WHERE type = 'index' AND name NOT LIKE 'sqlite_%' ORDER BY name)");
        QCOMPARE(indexes, QStringLiteral("Games_Name,Music_Name,Musicians_Name,Publishers_Publisher"));
        // (That names are unique without regard to case in our schema is the game store's table, made on it.)
    }

    void unusableFilesAreReportedAndLeftUntouched_data()
    {
        // The file: the hand-written catalogue changed by a statement, a folder or read-only. (A missing catalogue and
        // one overwritten with junk are the start-up test's; an empty file lacks a table as the dropped one does.)
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("detail");
        const int notCatalogue = int(OpenStatus::NotCatalogue), missingTable = int(OpenStatus::MissingTable);
        // clang-format off
        QTest::newRow("table dropped") << "DROP TABLE Ratings" << missingTable << "Ratings";
        QTest::newRow("folder") << "folder" << notCatalogue << "a folder";
        QTest::newRow("read-only") << "read-only" << int(OpenStatus::ReadOnly) << "";
        // clang-format on
    }

    void unusableFilesAreReportedAndLeftUntouched()
    {
        QFETCH(QString, sql);
        QFETCH(int, status);
        QFETCH(QString, detail);
        QTemporaryDir dir;
        QString path = dir.filePath("Vintrax.mdb");
        if (sql == "folder")
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
        const OpenFailureMessage m = openFailureMessage(r, path);
        QVERIFY(m.text.contains(path) && m.text.contains("has not been changed"));
    }

    void damageFoundWhileReading_data()
    {
        QTest::addColumn<QString>("reader"); // damage found at open is a row of the quick check's table
        for (const char* reader : {"walk", "view"})
            QTest::newRow(reader) << QString(reader);
    }

    void damageFoundWhileReading()
    {
        QFETCH(QString, reader);
        QTemporaryDir dir;
        const QString path = catalogueOfFourteenGames(dir.path());
        platform::ScriptedMessageBox messages;
        Catalogue cat;
        QVERIFY(cat.open(path).ok());
        QCOMPARE(readWith("walk", cat), 14);
        // The file is damaged under the open catalogue, as a failing disk would do it.
        QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
        QVERIFY(readWith(reader, cat) < 14 && cat.db().isDamaged());
        QCOMPARE(messages.texts(), QStringList{damagedCatalogueMessage(path)});
        // Told once however often the damage is met again.
        for (const char* again : {"walk", "view", "walk"})
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
        }
        QVERIFY(tried > 0);
    }

    void quickCheckSkippedOnlyWhileUnchanged_data()
    {
        // What an open reuses: a start skips the quick check only while the catalogue is as a check that passed left
        // it. before: what happened since then. "damaged": a page overwritten (the file's times move); with "record
        // follows" the record takes the new times, as if the disk had changed the file.
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("toldAtOpen"); // the quick check ran and found the damage
        QTest::addColumn<bool>("recordAfter");
        QTest::newRow("damaged: checked again") << QStringList{"damaged"} << true << false;
        QTest::newRow("damaged, record follows: skipped") << QStringList{"damaged", "record follows"} << false << true;
    }
    void quickCheckSkippedOnlyWhileUnchanged()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, toldAtOpen);
        QFETCH(bool, recordAfter);
        QTemporaryDir dir;
        const QString path = catalogueOfFourteenGames(dir.path());
        QVERIFY(QDir(dir.path()).mkpath("config"));
        const CleanCheckRecord record = CleanCheckRecord::besideSettings(dir.filePath("config/Vintrax.ini"));
        platform::ScriptedMessageBox messages;
        {
            Catalogue clean;
            QVERIFY(clean.open(path, record).ok() && QFile::exists(record.path()));
        }
        if (before.contains("damaged"))
            QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
        if (before.contains("record follows"))
            QVERIFY(record.remember(path, fileStampOf(path)));

        Catalogue cat;
        QVERIFY(cat.open(path, record).ok());
        QCOMPARE(messages.count(), toldAtOpen ? 1 : 0);
        QCOMPARE(QFile::exists(record.path()), recordAfter);
        // Damage the skipped check missed is found by the first read that meets it: the user is told, and the
        // record is gone, so the next start checks the whole file again.
        Snapshot::fromView(cat.db(), kGameNameList);
        QCOMPARE(messages.count(), before.contains("damaged") ? 1 : 0);
        QCOMPARE(QFile::exists(record.path()), !before.contains("damaged") && recordAfter);
    }

    // A list is read again after another program's write, which leaves this program's count of its own writes as it
    // was. (After our own writes the window tests' lists show the new colours; reuse is a matter for the benchmarks.)
    void listReadAgainAfterAnotherProgramsWrite()
    {
        QTemporaryDir dir;
        const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
        Catalogue cat;
        QVERIFY(cat.open(path).ok());
        const SqlQuery all = storedQuerySql(kGameNameList);
        cat.db().listCache().read(cat.db(), all);
        sqliteShell(path, QStringLiteral("UPDATE Games SET CCode = 128 WHERE Name = 'Sanxion'"));
        const ListRows second = cat.db().listCache().read(cat.db(), all);
        QStringList shown;
        for (const ListRow& row : second.rows())
            shown << row.name + '|' + QString::number(row.colourCode);
        QCOMPARE(shown.join('\n'), sqliteShell(path, QStringLiteral("SELECT * FROM [Game Name List]")));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCatalogueOpen)
#include "TestCatalogueOpen.moc"
