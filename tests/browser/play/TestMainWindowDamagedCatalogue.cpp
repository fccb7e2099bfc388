// A damaged catalogue in the main window: the damage is told once at start, games still start, and each
// play is recorded nowhere, which the first play after the damage says.
#include "CatalogueFixtures.h"
#include "PlayFixture.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "data/Database.h"

#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using namespace playtest;
using namespace windowtest;

class TestMainWindowDamagedCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void gamesStartAndNothingIsRecorded();
};

void TestMainWindowDamagedCatalogue::gamesStartAndNothingIsRecorded()
{
    const QString astro = QStringLiteral("Astro Miner");
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

QTEST_MAIN(TestMainWindowDamagedCatalogue)
#include "TestMainWindowDamagedCatalogue.moc"
