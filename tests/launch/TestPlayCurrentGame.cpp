// Playing a game: found in the games folders, converted, started in each emulator kind (fakes log their name,
// $VINTRAX_LAUNCH_PROBE, folder and arguments) with the configuration rewritten, and counted in the catalogue.
#include "ArchiveFixtures.h"
#include "CatalogueFixtures.h"
#include "FakeTool.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/Schema.h"
#include "data/settings/Settings.h"
#include "launch/GameLaunch.h"
#include "launch/PlayCurrentGame.h"
#include "launch/clsC64Game.h"
#include "platform/ScriptedMessageBox.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>
#include <optional>

using namespace launch;
using namespace testsupport;

namespace {
const QByteArray kV19Config("$JOYSTICK1PC=0\r\n$JOYSTICK2PC=1\r\n$JOYSTICK1KEY=0\r\n$JOYSTICK2KEY=0\r\n"
                            "$LOADPATH=C:\\\r\n$CONTROLPORT1=0\r\n$SOUND=1");
const QByteArray kV20Config("$CONTROLPORT1=0\n$CONTROLPORT2=0\n$CONTROLPORT1MODE=0\n$CONTROLPORT2MODE=0\n"
                            "$LOADPATH=C:\\\n$JOYSTICK1PC=0\n");
const QString kOdd = "it's \"$(touch pwned)\" a;b `x`.d64"; // a name the shell would act on
QString today()
{
    return QDate::currentDate().toString("dd-MM-yyyy");
}
} // namespace

class TestPlayCurrentGame : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<TempProgramFolder>();
        for (const char* t : {"gunzip", "lha", "zip2d64", "starlynx", "maketape"})
            QVERIFY(QFile::link(toolPath(t), m_home->file(QStringLiteral("Conversion/") + t)));
        // Each fake logs its working folder and arguments, then puts its own name, the probe variable and that log
        // into "started" in one rename, so the test never reads half a log.
        for (const char* fake :
             {"CCS 64 v19/ccs64.exe", "CCS 64 v19/CCSDPMI.EXE", "CCS 64 v20/CCS64.EXE", "CCS64 Win/CCS64DX.EXE"})
            QVERIFY(writeFakeTool(m_home->file(QString(fake).section('/', 0, 0)), QString(fake).section('/', 1),
                                  "{ printf '%s\\n' \"$0\" \"$VINTRAX_LAUNCH_PROBE\"; cat \"$log\"; } > \"$log.tmp\"\n"
                                  "mv \"$log.tmp\" '" +
                                      m_home->file("started") + "'"));
        m_v19 = m_home->file("CCS 64 v19");
        m_v20 = m_home->file("CCS 64 v20");
        m_win = m_home->file("CCS64 Win");
        QVERIFY(writeFile(m_v19 + "/C64.CFG", kV19Config));
        QVERIFY(writeFile(m_v20 + "/c64.cfg", kV20Config));
        m_settings = Settings{};
        m_settings.CCS64Path = m_v19 + "/CCS64.EXE";  // the file is ccs64.exe
        m_settings.CCS642Path = m_v20 + "/ccs64.exe"; // the file is CCS64.EXE
        m_settings.DirectXPath = m_win + "/CCS64DX.EXE";
        m_settings.DefaultPorts = {1, 0, 0, 2, 1, 0, 3, 4};
        // Empty entries are skipped; the second folder does not hold the games.
        m_settings.GamesPath = {"", m_home->file("Elsewhere"), "", m_home->file("My Games"), ""};

        m_games = m_home->file("My Games/SUB");
        QVERIFY(writeFile(m_games + "/ELITE.D64", QByteArray(174848, 0)) && writeFile(m_games + "/" + kOdd, "C64"));
        QVERIFY(writeFile(m_games + "/BAD.ZIP", "not a zip at all"));
        QVERIFY(zipWithTool(m_games + "/ELITE.ZIP", {{"ELITE.D64", "zipped"}, {"INTRO.PRG", programBytes(1)}}));
        QVERIFY(zipWithTool(m_games + "/PACK.ZIP", {{"ONE.D64", "1"}, {"TWO.D64", "2"}}));

        const QString db = m_home->file("Vintrax.mdb");
        QVERIFY(catalogue::createCatalogue(db));
        sqliteShell(db,
                    "INSERT INTO Games (Name, Filename, \"Filename Index\", TimesPlayed, DateLastPlayed, UseDefault, "
                    "DirectX, Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, V2Port2Joy, V2Port1Key, V2Port2Key) "
                    "VALUES ('Elite', 'SUB\\ELITE.D64', 3, 4, '(Never)', 0, 0, 1, 0, 2, 1, 0, 1, 4, 3),"
                    " ('Other', 'X.D64', 0, 9, '01-01-1990', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)");
        m_cat = std::make_unique<catalogue::Catalogue>();
        QVERIFY(m_cat->open(db).ok());
        QVERIFY(m_cat->games().setIndex("Name"));
        m_current = std::make_unique<catalogue::CurrentGame>();
        m_current->open(m_cat->db());
        QVERIFY(m_current->selectByName("Elite"));
        qputenv("VINTRAX_LAUNCH_PROBE", "a b $x");
        m_c64 = std::make_unique<clsC64Game>(m_home->file("Conversion"));
        m_c64->setRenameDialog([](ArchiveHandover& h) { // the user picks TWO.D64
            QFile::rename(h.ArchiveFolder + "/" + h.ArchiveName, h.ArchiveFolder + "/TWO.ZIP");
            h.ArchiveName = "TWO.ZIP";
            h.ArchiveRenameCancelled = false;
        });
    }
    void cleanup()
    {
        m_c64.reset();
        m_current.reset();
        m_cat.reset();
        m_home.reset();
        qunsetenv("VINTRAX_LAUNCH_PROBE");
    }
    void startsTheGame_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("stored"); // the game's file in the catalogue
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("useDefault");
        QTest::addColumn<QStringList>("started"); // the fake's $0, $VINTRAX_LAUNCH_PROBE, working folder and arguments;
                                                  // %V the v1.9 folder, %X v2.0, %W win32, %G the games, %H the program
        QTest::addColumn<QByteArray>("config");   // the kind's configuration after, %G the games; "" none there
        QTest::addColumn<QString>("storedAfter");
        const int v19 = int(EmulatorKind::Ccs64Dos19), v20 = int(EmulatorKind::Ccs64Dos20);
        const int win = int(EmulatorKind::Ccs64Win32);
        const auto row = [](const char* tag, int kind, const QString& stored, int index, bool useDefault,
                            const QStringList& started, const QByteArray& config, const QString& storedAfter = {}) {
            QTest::newRow(tag) << kind << stored << index << useDefault << started << config
                               << (storedAfter.isEmpty() ? stored : storedAfter);
        };
        // No configuration beside this emulator: none is made, and the others are not touched.
        row("plain image, other letter case", win, "sub\\elite.d64", 3, false,
            {"%W/CCS64DX.EXE", "a b $x", "%W", "%G/ELITE.D64,3"}, "");
        row("archive converted", win, "SUB\\ELITE.ZIP", 1, false,
            {"%W/CCS64DX.EXE", "a b $x", "%W", "%H/CURRGAME/ELITE.D64,1"}, "");
        row("archive renamed, the catalogue follows", win, "SUB\\PACK.ZIP", 0, false,
            {"%W/CCS64DX.EXE", "a b $x", "%W", "%H/CURRGAME/TWO.D64,0"}, "", "SUB\\TWO.ZIP");
        // The game's own v1.9 ports; the second-generation line and the unknown last line stay.
        row("v1.9 runs the extender with the game's ports", v19, "SUB\\ELITE.D64", 3, false,
            {"%V/CCSDPMI.EXE", "a b $x", "%V", "ccs64.exe", "%G/ELITE.D64,3"},
            "$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=2\r\n$JOYSTICK2KEY=1\r\n$LOADPATH=%G/"
            "\r\n$CONTROLPORT1=0\r\n"
            "$SOUND=1\r\n");
        // No lower-case file there: the real one runs. The odd name reaches it as one inert argument.
        row("v2.0 with the defaults the game asks for", v20, "SUB\\" + kOdd, 0, true,
            {"%X/CCS64.EXE", "a b $x", "%X", "%G/" + kOdd + ",0"},
            "$CONTROLPORT1=1\r\n$CONTROLPORT2=0\r\n$CONTROLPORT1MODE=3\r\n$CONTROLPORT2MODE=4\r\n$LOADPATH=%G/\r\n"
            "$JOYSTICK1PC=0\r\n");
        row("read-only configuration is told, the game still starts", v20, "SUB\\ELITE.D64", 0, false,
            {"%X/CCS64.EXE", "a b $x", "%X", "%G/ELITE.D64,0"}, kV20Config);
    }
    // The game is found in the first games folder that holds it, converted when it is an archive (under the hourglass),
    // started with its configuration rewritten, and its start counted.
    void startsTheGame()
    {
        QFETCH(int, kind);
        QFETCH(QString, stored);
        QFETCH(int, index);
        QFETCH(bool, useDefault);
        QFETCH(QStringList, started);
        QFETCH(QByteArray, config);
        QFETCH(QString, storedAfter);
        addGame(stored, index, useDefault);
        const bool readOnly = QByteArray(QTest::currentDataTag()).startsWith("read-only");
        if (readOnly)
            QVERIFY(QFile::setPermissions(m_v20 + "/c64.cfg", QFile::ReadOwner | QFile::ReadGroup));
        const QStringList configs = {m_v19 + "/C64.CFG", m_v20 + "/c64.cfg", m_win + "/c64.cfg"}; // by kind
        const QByteArrayList before = {readFile(configs[0]), readFile(configs[1]), {}};
        QList<bool> busy;
        PlayHooks hooks;
        hooks.hourglass = [&busy](bool on) { busy << on; };
        std::optional<StartSettled> settled;
        hooks.settled = [&settled](const StartSettled& s) { settled = s; };
        platform::ScriptedMessageBox box;

        QVERIFY(play(EmulatorKind(kind), hooks).started);
        QTRY_VERIFY(settled && settled->ran && settled->recorded);
        started.replaceInStrings("%V", m_v19).replaceInStrings("%X", m_v20).replaceInStrings("%W", m_win);
        QCOMPARE(launch(), started.replaceInStrings("%G", m_games).replaceInStrings("%H", m_home->path()));
        QCOMPARE(busy, stored.endsWith("ZIP") ? QList<bool>({true, false}) : QList<bool>());
        QCOMPARE(box.texts(), readOnly ? QStringList{readOnlyConfigMessage()} : QStringList());
        for (int k = 0; k < 3; ++k)
            QCOMPARE(readFile(configs[k]), k == kind ? config.replace("%G", QFile::encodeName(m_games)) : before[k]);
        QVERIFY(!QFile::exists(configs[2]));
        QVERIFY(!QFile::exists(m_v20 + "/pwned") && !QFile::exists(m_games + "/pwned"));
        QCOMPARE(QStringList({played("Game"), played("Elite")}), QStringList({"5|" + today(), "4|(Never)"}));
        m_cat->games().seek("Game");
        QCOMPARE(m_cat->games().text("Filename"), storedAfter);
    }
    void nothingStartsOnAFailure_data()
    {
        QTest::addColumn<QString>("file");    // the game's stored name
        QTest::addColumn<QString>("message"); // the start of the one message shown
        QTest::addColumn<int>("icon");
        using MB = platform::MessageBox;
        QTest::newRow("missing file") << QString("Gone\\ghost.d64")
                                      << "File not found in any of your Game Paths:  \"Gone\\ghost.d64\""
                                      << int(MB::Critical);
        // The converter's reports are its own tests' business; one shows that a failure reaches the user.
        QTest::newRow("archive not a zip")
            << QString("SUB\\BAD.ZIP") << "Error Unzipping.  This Zip-file maybe corrupt." << int(MB::Exclamation);
    }
    void nothingStartsOnAFailure()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(int, icon);
        platform::ScriptedMessageBox messages;
        addGame(file);
        QVERIFY(!play().started);
        QCOMPARE(messages.count(), 1);
        QVERIFY2(messages.last().text.startsWith(message), qPrintable(messages.last().text));
        QCOMPARE(messages.last().title, QStringLiteral("vintrax"));
        QCOMPARE(int(messages.last().icon), icon);
        QCOMPARE(played("Game"), QString("4|(Never)"));
        m_cat->games().seek("Game");
        QCOMPARE(m_cat->games().text("Filename"), file);
        QVERIFY(!QFile::exists(m_home->file("started")));
    }
    // A start not from the catalogue uses the default ports (1, 0, 0, 2 for v1.9) and records nothing; without any
    // record set it works all the same.
    void startOutsideTheCatalogueUsesDefaultsAndRecordsNothing()
    {
        LaunchRequest r = request(EmulatorKind::Ccs64Dos19);
        r.fromDatabase = false;
        QVERIFY(GameLaunch(r, m_settings, m_current.get()).started);
        QCOMPARE(launch().value(0), m_v19 + "/CCSDPMI.EXE");
        QVERIFY(readFile(m_v19 + "/C64.CFG")
                    .startsWith("$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=0\r\n$JOYSTICK2KEY=2\r\n"));
        QCOMPARE(played("Elite"), QString("4|(Never)"));
        QVERIFY(GameLaunch(r, m_settings, nullptr).started);
        QCOMPARE(launch().value(0), m_v19 + "/CCSDPMI.EXE");
    }
    // Each start counts once it has gone well; a game never played before (NULL) starts counting at one, and the
    // shared record set sees the count. A user who chose another game while the emulator started does not move the
    // count to that game.
    void eachStartCountsOnce()
    {
        sqliteShell(m_home->file("Vintrax.mdb"), "UPDATE Games SET TimesPlayed = NULL WHERE Name='Other'");
        for (const char* name : {"Elite", "Other", "Elite"}) {
            QVERIFY(m_current->selectByName(name));
            const auto other = [this, name] { m_current->selectByName(name == QString("Other") ? "Elite" : "Other"); };
            QVERIFY(settle(request(EmulatorKind::Ccs64Win32), other).value_or(StartSettled{}).recorded);
            QCOMPARE(launch().value(0), m_win + "/CCS64DX.EXE");
        }
        QCOMPARE(QStringList({played("Elite"), played("Other")}), QStringList({"6|" + today(), "1|" + today()}));
        QCOMPARE(m_current->text("Name"), QString("Other"));
        QVERIFY(m_cat->games().seek("Elite"));
        QCOMPARE(m_cat->games().number("TimesPlayed"), 6);
    }
    // An emulator that ends with a failure right after its start is no play: its message is shown, nothing counted.
    void startThatFailsAtOnceCountsNoPlay()
    {
        QVERIFY(writeFakeTool(m_win, "CCS64DX.EXE", "echo 'no DirectX here' >&2; exit 5"));
        platform::ScriptedMessageBox box;
        const std::optional<StartSettled> settled = settle(request(EmulatorKind::Ccs64Win32));
        QVERIFY(settled && !settled->ran && !settled->recorded);
        QTRY_VERIFY(box.count() == 1 && box.last().text.endsWith("\nno DirectX here"));
        QCOMPARE(played("Elite"), QString("4|(Never)"));
    }
    // The archive was renamed after the game to boot, but the catalogue refuses the new name: that is told and nothing
    // starts (the catalogue used to keep the old name silently, and the next play said "File not found").
    void archiveNameTheCatalogueCannotStoreIsTold()
    {
        sqliteShell(m_home->file("Vintrax.mdb"), "CREATE TRIGGER refuse BEFORE UPDATE OF Filename ON Games "
                                                 "BEGIN SELECT RAISE(ABORT, 'the catalogue refuses'); END");
        addGame("SUB\\PACK.ZIP");
        platform::ScriptedMessageBox box;
        QVERIFY(!play().started);
        QCOMPARE(box.count(), 1);
        QVERIFY2(box.last().text.startsWith(archiveNameNotStoredMessage("TWO.ZIP", {}).section('\n', 0, 0)) &&
                     box.last().text.contains("the catalogue refuses"),
                 qPrintable(box.last().text));
        QVERIFY(QFile::exists(m_games + "/TWO.ZIP"));
    }
    void failuresStartAndRecordNothing_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message"); // %V the v1.9 folder, %I the image folder; "" none. The path messages
                                              // themselves are the path test's table.
        const auto row = [](const char* change, const char* message) {
            QTest::newRow(change) << QString(change) << QString(message);
        };
        row("missing emulator", "FILE NOT FOUND: %V/NOPE.EXE");
        row("no DOS extender", "FILE NOT FOUND: %V/ccsdpmi.exe");
        row("image gone", "FILE NOT FOUND: %I/GONE.D64");
        row("no image from the converter", "");
        row("extender cannot run", "Could not start the emulator: %V/CCSDPMI.EXE");
    }
    void failuresStartAndRecordNothing()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        LaunchRequest r = request(EmulatorKind::Ccs64Dos19);
        if (change == "missing emulator")
            m_settings.CCS64Path = m_v19 + "/NOPE.EXE";
        else if (change == "no DOS extender")
            QVERIFY(QFile::remove(m_v19 + "/CCSDPMI.EXE"));
        else if (change == "image gone")
            r.imagePath = m_games + "/GONE.D64";
        else if (change == "no image from the converter")
            r.imagePath.clear();
        else
            QVERIFY(QFile::setPermissions(m_v19 + "/CCSDPMI.EXE", QFile::ReadOwner));
        platform::ScriptedMessageBox box;
        const LaunchOutcome outcome = GameLaunch(r, m_settings, m_current.get());
        QVERIFY(!outcome.started);
        message.replace("%V", m_v19).replace("%I", m_games);
        QCOMPARE(box.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(box.last().title, QString(message.startsWith("FILE") ? "vintrax Error" : "vintrax"));
            QCOMPARE(box.last().icon, platform::MessageBox::Exclamation);
        }
        QCOMPARE(played("Elite"), QString("4|(Never)"));
        QTest::qWait(100);
        QVERIFY(!QFile::exists(m_home->file("started")));
    }

private:
    // "Game", four starts so far, its own ports 1, 0, 2, 1 (v1.9) and 0, 1, 4, 3 (v2.0).
    void addGame(const QString& file, int index = 0, bool useDefault = false)
    {
        QVERIFY(
            m_cat->db().exec("INSERT INTO Games (Name, Filename, \"Filename Index\", UseDefault, TimesPlayed, "
                             "DateLastPlayed, Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, V2Port2Joy, "
                             "V2Port1Key, V2Port2Key) VALUES ('Game', ?, ?, ?, 4, '(Never)', 1, 0, 2, 1, 0, 1, 4, 3)",
                             {file, index, useDefault}));
        QVERIFY(m_current->selectByName("Game"));
    }
    // the started fake's $0, $VINTRAX_LAUNCH_PROBE, working folder and arguments
    QStringList launch()
    {
        const QString started = m_home->file("started");
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(started) && !deadline.hasExpired())
            QTest::qWait(20);
        QStringList lines = QString::fromUtf8(readFile(started)).split('\n');
        lines.removeLast();
        QFile::remove(started);
        return lines;
    }
    // "TimesPlayed|DateLastPlayed"
    QString played(const QString& name)
    {
        return sqliteShell(m_home->file("Vintrax.mdb"),
                           QString("SELECT TimesPlayed, DateLastPlayed FROM Games WHERE Name='%1'").arg(name))
            .trimmed();
    }
    LaunchRequest request(EmulatorKind kind) const
    {
        LaunchRequest r;
        r.imagePath = m_home->file("my games/sub/elite.d64"); // found in whatever case it is stored
        r.fromDatabase = true;
        r.kind = kind;
        return r;
    }
    // Starts r, runs meanwhile, and waits until the start is known; nothing when it did not start.
    std::optional<StartSettled> settle(const LaunchRequest& r, const std::function<void()>& meanwhile = {})
    {
        std::optional<StartSettled> settled;
        if (!GameLaunch(r, m_settings, m_current.get(), [&settled](const StartSettled& s) { settled = s; }).started)
            return {};
        if (meanwhile)
            meanwhile();
        QTest::qWaitFor([&settled] { return settled.has_value(); }, 10000);
        return settled;
    }
    PlayOutcome play(EmulatorKind kind = EmulatorKind::Ccs64Win32, const PlayHooks& hooks = {})
    {
        return PlayCurrentGame(kind, m_settings, *m_current, *m_c64, m_home->file("CURRGAME"), hooks);
    }

    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_current;
    std::unique_ptr<clsC64Game> m_c64;
    Settings m_settings;
    QString m_games, m_v19, m_v20, m_win;
};

QTEST_GUILESS_MAIN(TestPlayCurrentGame)
#include "TestPlayCurrentGame.moc"
