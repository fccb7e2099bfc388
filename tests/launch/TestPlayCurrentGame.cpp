// Playing the current game: finding its file in the games folders, converting an archive, starting the emulator
// and counting the start in the catalogue.
#include "ArchiveFixtures.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/Schema.h"
#include "data/settings/Settings.h"
#include "launch/PlayCurrentGame.h"
#include "launch/clsC64Game.h"
#include "platform/ScriptedMessageBox.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace testsupport;

class TestPlayCurrentGame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsTheGamesFile_data();
    void startsTheGamesFile();
    void nothingStartsOnAFailure_data();
    void nothingStartsOnAFailure();
    void runningSidPlayerIsClosedFirst();

private:
    void addGame(const QString& name, const QString& file, int index = 0);
    QStringList emulatorLog(); // waits for the detached fake emulator to write its log
    int timesPlayed(const QString& name);
    TempProgramFolder* m_home = nullptr;
    catalogue::Catalogue* m_cat = nullptr;
    catalogue::CurrentGame* m_current = nullptr;
    clsC64Game* m_game = nullptr;
    Settings m_settings;
    QString m_games;
    QString m_emulator;
};

void TestPlayCurrentGame::init()
{
    m_home = new TempProgramFolder;
    for (const char* t : {"gunzip", "lha", "zip2d64", "starlynx", "maketape"})
        QVERIFY(QFile::link(toolPath(t), m_home->file(QStringLiteral("Conversion/") + t)));
    m_games = m_home->file("My Games/SUB");
    QDir().mkpath(m_games);
    QVERIFY(writeFakeTool(m_home->file("Emulator Win"), "ccs64.exe", ""));
    m_emulator = m_home->file("Emulator Win/ccs64.exe");
    const QString db = m_home->file("Vintrax.mdb");
    QVERIFY(catalogue::createCatalogue(db));
    m_cat = new catalogue::Catalogue;
    QVERIFY(m_cat->open(db).ok());
    m_cat->games().setIndex("Name");
    m_current = new catalogue::CurrentGame;
    m_current->open(m_cat->db());
    m_game = new clsC64Game(m_home->path());
    m_settings = Settings{};
    // Empty entries are skipped; the second folder does not hold the games.
    m_settings.GamesPath = {"", m_home->file("Elsewhere"), "", m_home->file("My Games"), ""};
    m_settings.DirectXPath = m_emulator;
    QVERIFY(writeFile(m_games + "/ELITE.D64", QByteArray(174848, 0)));
    QVERIFY(writeFile(m_games + "/BAD.ZIP", "not a zip at all"));
    QVERIFY(zipWithTool(m_games + "/ELITE.ZIP", {{"ELITE.D64", "zipped"}, {"INTRO.PRG", programBytes(1)}}));
    QVERIFY(zipWithTool(m_games + "/PACK.ZIP", {{"ONE.D64", "1"}, {"TWO.D64", "2"}}));
    m_game->setRenameDialog([](ArchiveHandover& h) { // the user picks TWO.D64
        QFile::rename(h.ArchiveFolder + "/" + h.ArchiveName, h.ArchiveFolder + "/TWO.ZIP");
        h.ArchiveName = "TWO.ZIP";
        h.ArchiveRenameCancelled = false;
    });
}

void TestPlayCurrentGame::cleanup()
{
    delete m_game;
    delete m_current;
    delete m_cat;
    delete m_home;
}

void TestPlayCurrentGame::addGame(const QString& name, const QString& file, int index)
{
    QVERIFY(m_cat->db().exec("INSERT INTO Games (Name, Filename, \"Filename Index\", UseDefault, TimesPlayed, "
                             "DateLastPlayed) VALUES (?, ?, ?, 1, 0, '(Never)')",
                             {name, file, index}));
    QVERIFY(m_current->selectByName(name));
}

QStringList TestPlayCurrentGame::emulatorLog()
{
    const QString log = m_emulator + ".log";
    QDeadlineTimer deadline(10000);
    while (!(QFile::exists(log) && readFile(log).count('\n') >= 2) && !deadline.hasExpired())
        QTest::qWait(20);
    return QString::fromUtf8(readFile(log)).split('\n', Qt::SkipEmptyParts);
}

int TestPlayCurrentGame::timesPlayed(const QString& name)
{
    m_cat->games().seek(name);
    return int(m_cat->games().number("TimesPlayed"));
}

void TestPlayCurrentGame::startsTheGamesFile_data()
{
    QTest::addColumn<QString>("stored"); // the game's file in the catalogue, before and after
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("image"); // what the emulator is given, below the program folder
    QTest::addColumn<QString>("storedAfter");
    const auto row = [](const char* tag, const char* stored, int index, const char* image, const char* after) {
        QTest::newRow(tag) << QString(stored) << index << QString(image) << QString(after);
    };
    row("plain image, other letter case", "sub\\elite.d64", 3, "My Games/SUB/ELITE.D64", "sub\\elite.d64");
    row("archive converted", "SUB\\ELITE.ZIP", 1, "CURRGAME/ELITE.D64", "SUB\\ELITE.ZIP");
    row("archive renamed", "SUB\\PACK.ZIP", 0, "CURRGAME/TWO.D64", "SUB\\TWO.ZIP"); // the catalogue follows
}

// The game is found in the first games folder that holds it, started, and its start counted.
void TestPlayCurrentGame::startsTheGamesFile()
{
    QFETCH(QString, stored);
    QFETCH(int, index);
    QFETCH(QString, image);
    QFETCH(QString, storedAfter);
    addGame("Game", stored, index);
    QList<bool> busy;
    launch::PlayHooks hooks;
    hooks.hourglass = [&busy](bool on) { busy << on; };
    QVERIFY(launch::PlayCurrentGame(launch::EmulatorKind::Ccs64Win32, m_settings, *m_current, *m_game,
                                    m_home->file("CURRGAME"), hooks)
                .started);
    QCOMPARE(emulatorLog(),
             QStringList({m_home->file("Emulator Win"), m_home->file(image) + QString(",%1").arg(index)}));
    QCOMPARE(busy, stored.endsWith("ZIP") ? QList<bool>({true, false}) : QList<bool>());
    QCOMPARE(timesPlayed("Game"), 1);
    QCOMPARE(m_current->text("DateLastPlayed"), QDate::currentDate().toString("dd-MM-yyyy"));
    QCOMPARE(m_cat->games().text("Filename"), storedAfter);
}

void TestPlayCurrentGame::nothingStartsOnAFailure_data()
{
    QTest::addColumn<QString>("file");    // the game's stored name; its archive is made below when it exists
    QTest::addColumn<QString>("message"); // the start of the one message shown
    QTest::addColumn<int>("icon");
    using MB = platform::MessageBox;
    QTest::newRow("missing file") << QString("Gone\\ghost.d64")
                                  << "File not found in any of your Game Paths:  \"Gone\\ghost.d64\""
                                  << int(MB::Critical);
    // The converter's reports are its own tests' business; one shows that a failure reaches the user.
    QTest::newRow("archive not a zip") << QString("SUB\\BAD.ZIP") << "Error Unzipping.  This Zip-file maybe corrupt."
                                       << int(MB::Exclamation);
}

void TestPlayCurrentGame::nothingStartsOnAFailure()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(int, icon);
    platform::ScriptedMessageBox messages;
    m_game->setRenameDialog([](ArchiveHandover&) {}); // the user cancels
    addGame("Game", file);
    QVERIFY(!launch::PlayCurrentGame(launch::EmulatorKind::Ccs64Win32, m_settings, *m_current, *m_game,
                                     m_home->file("CURRGAME"))
                 .started);
    QCOMPARE(messages.count(), 1);
    QVERIFY2(messages.last().text.startsWith(message), qPrintable(messages.last().text));
    QCOMPARE(messages.last().title, QStringLiteral("vintrax"));
    QCOMPARE(int(messages.last().icon), icon);
    QCOMPARE(timesPlayed("Game"), 0);
    m_cat->games().seek("Game");
    QCOMPARE(m_cat->games().text("Filename"), file);
    QVERIFY(!QFile::exists(m_emulator + ".log"));
}

void TestPlayCurrentGame::runningSidPlayerIsClosedFirst()
{
    QVERIFY(writeFakeTool(m_home->file("Player"), "sidplayw", "while :; do sleep 0.2; done"));
    m_settings.SidplayWPath = m_home->file("Player/sidplayw");
    QProcess player;
    player.start("/bin/sh", {m_settings.SidplayWPath});
    QVERIFY(player.waitForStarted());
    QTRY_VERIFY(QFile::exists(m_settings.SidplayWPath + ".log"));
    addGame("Elite", "SUB\\ELITE.D64");
    QVERIFY(launch::PlayCurrentGame(launch::EmulatorKind::Ccs64Win32, m_settings, *m_current, *m_game,
                                    m_home->file("CURRGAME"))
                .started);
    player.waitForFinished(5000); // returns false when it had already ended
    QCOMPARE(player.state(), QProcess::NotRunning);
    QCOMPARE(player.exitStatus(), QProcess::CrashExit); // ended by a signal
}

QTEST_GUILESS_MAIN(TestPlayCurrentGame)
#include "TestPlayCurrentGame.moc"
