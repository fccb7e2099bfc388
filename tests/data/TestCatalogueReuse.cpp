// What an open and a view switch reuse: a start skips the quick check only while the catalogue is as a check that
// passed left it, and a failed check is never remembered; a list is read again after any write, ours or another's.
#include "CatalogueFixtures.h"
#include "SmallDisk.h"
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
        // before: what happened to the file since a clean open remembered its check. "damaged": a page overwritten
        // (which moves the file's times); "damaged unseen": the same, with the record following the file as if the
        // disk had changed it behind the file system's back.
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("toldAtOpen"); // the quick check ran and found the damage
        QTest::addColumn<bool>("recordAfter");
        QTest::newRow("unchanged") << QStringList{} << false << true;
        QTest::newRow("damaged: checked again") << QStringList{"damaged"} << true << false;
        QTest::newRow("damaged before the first check") << QStringList{"no record", "damaged"} << true << false;
        QTest::newRow("damaged unseen: skipped") << QStringList{"damaged", "record follows"} << false << true;
        QTest::newRow("journal beside it") << QStringList{"damaged", "record follows", "journal"} << true << false;
        QTest::newRow("record of another file")
            << QStringList{"damaged", "record follows", "other file"} << true << false;
        // A record that cannot be written costs the next start a check, nothing more.
        QTest::newRow("record folder read-only") << QStringList{"no record", "read-only"} << false << false;
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
            QVERIFY(
                record.remember(before.contains("other file") ? dir.filePath("Other.mdb") : path, fileStampOf(path)));
        if (before.contains("journal"))
            QVERIFY(writeFile(path + "-journal", QByteArray()));
        std::unique_ptr<ReadOnlyFolder> locked;
        if (before.contains("read-only")) {
            locked = std::make_unique<ReadOnlyFolder>(dir.filePath("config"));
            QVERIFY2(locked->isValid(), qPrintable(locked->whyNot()));
        }

        Catalogue cat;
        QVERIFY(cat.open(path, record).ok());
        QCOMPARE(messages.count(), toldAtOpen ? 1 : 0);
        QCOMPARE(QFile::exists(record.path()), recordAfter);
        // Damage the skipped check missed is found by the first read that meets it: the user is told, and the
        // record is gone, so the next start checks the whole file again.
        Snapshot::fromView(cat.db(), kGameNameList);
        QCOMPARE(messages.count(), before.contains("damaged") ? 1 : 0);
        QCOMPARE(QFile::exists(record.path()), !before.contains("damaged") && recordAfter);
        cat.close();
        Catalogue again;
        QVERIFY(again.open(path, record).ok());
        QCOMPARE(messages.count(), before.contains("damaged") ? 2 : 0);
    }

    void listsReadAgainAfterAnyWrite_data()
    {
        QTest::addColumn<QString>("write"); // SQL run before the second read, and by whom
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing written: reused") << ""
                                                 << "Last Ninja, The 8388608|Sanxion 0|Wizball 128|Zzap Demo 8421504";
        QTest::newRow("written here") << "here:UPDATE Games SET CCode = 8388608 WHERE Name = 'Sanxion'"
                                      << "Last Ninja, The 8388608|Sanxion 8388608|Wizball 128|Zzap Demo 8421504";
        QTest::newRow("written by another program") << "shell:DELETE FROM Games WHERE Name = 'Wizball'"
                                                    << "Last Ninja, The 8388608|Sanxion 0|Zzap Demo 8421504";
    }
    void listsReadAgainAfterAnyWrite()
    {
        QFETCH(QString, write);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
        Catalogue cat;
        QVERIFY(cat.open(path).ok());
        const SqlQuery all = storedQuerySql(kGameNameList);
        const ListRows first = cat.db().listCache().read(cat.db(), all);
        const QString sql = write.section(u':', 1);
        if (write.startsWith("here:"))
            QVERIFY(cat.db().exec(sql));
        else if (write.startsWith("shell:"))
            sqliteShell(path, sql);
        const ListRows second = cat.db().listCache().read(cat.db(), all);
        QStringList shown;
        for (const ListRow& row : second.rows())
            shown << row.name + ' ' + QString::number(row.colourCode);
        QCOMPARE(shown.join('|'), expected);
        // Unchanged, the very rows read before are shown again, without a query.
        QCOMPARE(&first.rows() == &second.rows(), write.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCatalogueReuse)
#include "TestCatalogueReuse.moc"
