// Plays the catalogue cannot record: games still start, and the user is told. A damaged catalogue is told
// once at start and its unrecorded plays once; a catalogue another program holds locked at each play.
#include "CatalogueFixtures.h"
#include "PlayFixture.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "data/Database.h"

#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace playtest;
using namespace windowtest;

class TestMainWindowUnrecordedPlay : public QObject
{
    Q_OBJECT

private slots:
    void damagedCatalogueIsToldOnce();
    void lockedCatalogueIsToldAtEachPlay();
};

namespace {
const QString astro = QStringLiteral("Astro Miner");
} // namespace

void TestMainWindowUnrecordedPlay::damagedCatalogueIsToldOnce()
{
    PlaySession s;
    QVERIFY(s.isValid());
    QVERIFY(testsupport::damageTablePage(s.catalogueFile(), QStringLiteral("Music")));
    const QByteArray damaged = testsupport::readFile(s.catalogueFile());
    QMainWindow* w = s.start(astro);
    QVERIFY(w);
    const QStringList told = {catalogue::damagedCatalogueMessage(s.catalogueFile())};
    QCOMPARE(s.messages().texts(), told);

    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
    QVERIFY(!s.emulators.waitForStart(2, 1).isEmpty());
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Dos"), Qt::LeftButton);
    QVERIFY(!s.emulators.waitForStart(1, 1).isEmpty());
    QCOMPARE(s.messages().count(), 2);
    QVERIFY2(s.messages().last().text.contains(QStringLiteral("this play is not recorded")),
             qPrintable(s.messages().last().text));
    QCOMPARE(labelText(w, "lblTimesPlayed"), QStringLiteral("0"));
    QCOMPARE(s.stored(astro, "TimesPlayed").toInt(), 0);
    QCOMPARE(testsupport::readFile(s.catalogueFile()), damaged);
}

void TestMainWindowUnrecordedPlay::lockedCatalogueIsToldAtEachPlay()
{
    PlaySession s;
    QVERIFY(s.isValid());
    QMainWindow* w = s.start(astro);
    QVERIFY(w);
    // Another program holds the catalogue in a write transaction of its own.
    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {s.catalogueFile()});
    QVERIFY(holder.waitForStarted());
    holder.write("BEGIN EXCLUSIVE;\nSELECT 'locked';\n");
    QVERIFY(holder.waitForReadyRead(10000));
    for (int play = 1; play <= 2; ++play) {
        QTest::mouseClick(control<QPushButton>(w, "cmdRun20Win"), Qt::LeftButton);
        QCOMPARE(s.messages().count(), play);
        QVERIFY2(s.messages().last().text.contains(QStringLiteral("could not be recorded")) &&
                     s.messages().last().text.contains(QStringLiteral("locked")),
                 qPrintable(s.messages().last().text));
    }
    QVERIFY(!s.emulators.waitForStart(2, 1).isEmpty());
    holder.write("ROLLBACK;\n.quit\n");
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(s.stored(astro, "TimesPlayed").toInt(), 0);
}

QTEST_MAIN(TestMainWindowUnrecordedPlay)
#include "TestMainWindowUnrecordedPlay.moc"
