// What an open and a view switch reuse: a start skips the quick check only while the catalogue is as a check that
// passed left it, and a failed check is never remembered; a list is read again after any write, ours or another's.
#include "CatalogueFixtures.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/ListRows.h"
#include "data/Snapshot.h"
#include "data/SqlTexts.h"
#include "platform/ScriptedMessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

class TestCatalogueReuse : public QObject
{
    Q_OBJECT

private slots:
    void quickCheckSkippedOnlyWhileUnchanged_data()
    {
        // before: what happened since a clean open remembered its check. "damaged": a page overwritten (the file's
        // times move); with "record follows" the record takes the new times, as if the disk had changed the file.
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("toldAtOpen"); // the quick check ran and found the damage
        QTest::addColumn<bool>("recordAfter");
        QTest::newRow("unchanged") << QStringList{} << false << true;
        QTest::newRow("damaged: checked again") << QStringList{"damaged"} << true << false;
        QTest::newRow("damaged before the first check") << QStringList{"no record", "damaged"} << true << false;
        QTest::newRow("damaged, record follows: skipped") << QStringList{"damaged", "record follows"} << false << true;
        QTest::newRow("journal beside it") << QStringList{"damaged", "record follows", "journal"} << true << false;
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
        if (!before.contains("no record")) {
            Catalogue clean;
            QVERIFY(clean.open(path, record).ok());
        }
        QCOMPARE(QFile::exists(record.path()), !before.contains("no record"));
        if (before.contains("damaged"))
            QVERIFY(damageTablePage(path, QStringLiteral("Games"), QStringLiteral("Game 09")));
        if (before.contains("record follows"))
            QVERIFY(record.remember(path, fileStampOf(path)));
        if (before.contains("journal"))
            QVERIFY(writeFile(path + "-journal", QByteArray()));

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

    void listsReadAgainAfterAnyWrite_data()
    {
        QTest::addColumn<QString>("writer"); // who changes a game's colour between two reads
        for (const char* writer : {"nobody", "this program", "another program"})
            QTest::newRow(writer) << QString(writer);
    }
    void listsReadAgainAfterAnyWrite()
    {
        QFETCH(QString, writer);
        QTemporaryDir dir;
        const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
        Catalogue cat;
        QVERIFY(cat.open(path).ok());
        const SqlQuery all = storedQuerySql(kGameNameList);
        const ListRows first = cat.db().listCache().read(cat.db(), all);
        const QString change = QStringLiteral("UPDATE Games SET CCode = 128 WHERE Name = 'Sanxion'");
        if (writer == "this program")
            QVERIFY(cat.db().exec(change));
        else if (writer == "another program")
            sqliteShell(path, change);
        const ListRows second = cat.db().listCache().read(cat.db(), all);
        QStringList shown;
        for (const ListRow& row : second.rows())
            shown << row.name + '|' + QString::number(row.colourCode);
        QCOMPARE(shown.join('\n'), sqliteShell(path, QStringLiteral("SELECT * FROM [Game Name List]")));
        // Unchanged, the very rows read before are shown again, without a query.
        QCOMPARE(&first.rows() == &second.rows(), writer == "nobody");
    }
};

QTEST_GUILESS_MAIN(TestCatalogueReuse)
#include "TestCatalogueReuse.moc"
