// A catalogue change on a full file system and under kill -9: the file keeps the old row or holds the new
// one whole, and always passes the engine's integrity check.
#include "CatalogueFixtures.h"
#include "KillAtRandom.h"
#include "SizeLimitedTmpfs.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/GameFields.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace catalogue;
using namespace testsupport;

class TestCatalogueDurability : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheCatalogue_data();
    void fullDiskKeepsTheCatalogue();
    void killedChangeLeavesTheOldOrTheNewRow();
};

void TestCatalogueDurability::fullDiskKeepsTheCatalogue_data()
{
    // The change grows the file by several pages and needs a journal of about as many.
    QTest::addColumn<qint64>("freeBytes");
    QTest::addColumn<bool>("noFreeFiles");
    QTest::addColumn<bool>("written");
    QTest::newRow("no space left") << qint64(0) << false << false;
    QTest::newRow("journal cut short") << qint64(8192) << false << false;
    QTest::newRow("room for the journal, not for the growth") << qint64(24576) << false << false;
    QTest::newRow("no journal can be made") << qint64(1 << 20) << true << false;
    QTest::newRow("room enough") << qint64(1 << 20) << false << true;
}

void TestCatalogueDurability::fullDiskKeepsTheCatalogue()
{
    QFETCH(qint64, freeBytes);
    QFETCH(bool, noFreeFiles);
    QFETCH(bool, written);
    SizeLimitedTmpfs disk(4 << 20);
    QVERIFY2(disk.isMounted(), qPrintable(disk.error()));
    const QString path = catalogueFromScript(disk.path(), QStringLiteral("catalogue_current.sql"));
    QVERIFY(!path.isEmpty());
    const QByteArray before = readFile(path);
    QVERIFY2(disk.leaveFree(freeBytes), qPrintable(disk.error()));
    QVERIFY2(!noFreeFiles || disk.leaveNoFreeFiles(), qPrintable(disk.error()));

    Catalogue cat;
    QVERIFY(cat.open(path).ok());
    CurrentGame game;
    game.open(cat.db());
    QVERIFY(game.selectByName(QStringLiteral("Sanxion")));
    const QString comment(20000, QLatin1Char('c'));
    QCOMPARE(game.change({{field::TimesPlayed, 99}, {field::PersonalComment, comment}}), written);
    game.close();
    cat.close();

    QCOMPARE(disk.entriesBesideFillers(), QStringList{QStringLiteral("Vintrax.mdb")});
    QCOMPARE(sqliteShell(path, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    if (!written) {
        QCOMPARE(readFile(path), before);
        return;
    }
    QCOMPARE(sqliteShell(path, "SELECT TimesPlayed, length(\"Personal Comment\") FROM Games WHERE Name = 'Sanxion'"),
             QStringLiteral("99|20000"));
}

void TestCatalogueDurability::killedChangeLeavesTheOldOrTheNewRow()
{
    QTemporaryDir dir;
    const QString path = catalogueFromScript(dir.path(), QStringLiteral("catalogue_current.sql"));
    QVERIFY(!path.isEmpty());
    const QString row = QStringLiteral("SELECT TimesPlayed, \"Personal Comment\" FROM Games WHERE Name = 'Sanxion'");
    qint64 lastPlayed = 3; // as the fixture has it, with an empty comment
    const KillPlan plan = killPlan();
    QRandomGenerator random(plan.seed);
    for (int kill = 0; kill < plan.kills; ++kill) {
        QString why;
        QVERIFY2(runAndKill(QStringLiteral(DURABILITY_WORKER), {"catalogue", path, "loop"}, random, 200000, &why),
                 qPrintable(why));
        const QString context = QStringLiteral("kill %1 of seed %2").arg(kill).arg(plan.seed);
        // The shell rolls back what the killed change left in the journal, as the next start would.
        QVERIFY2(sqliteShell(path, QStringLiteral("PRAGMA integrity_check")) == QLatin1String("ok"),
                 qPrintable(context));
        const QStringList values = sqliteShell(path, row).split(QLatin1Char('|'));
        QCOMPARE(values.size(), 2);
        const qint64 played = values[0].toLongLong();
        QVERIFY2(played > lastPlayed, qPrintable(context)); // every run recorded at least its first play
        QVERIFY2(values[1] == playComment(played), qPrintable(context + QStringLiteral(": a torn row")));
        lastPlayed = played;
    }
}

VINTRAX_TEST_MAIN_WITH_PRIVATE_MOUNTS(TestCatalogueDurability)
#include "TestCatalogueDurability.moc"
