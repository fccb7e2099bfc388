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
#include "launch/EmulatorConfig.h"
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
const QString kOdd = "it's \"$(touch pwned)\" a;b `x`.d64"; // a name the shell would act on

// One start: the emulator kind, the game's stored file, entry and default flag; a change made before it ("outside"
// starts through GameLaunch itself); the fake's $0, $VINTRAX_LAUNCH_PROBE, working folder and arguments (%V the
// v1.9 folder, %X v2.0, %W win32, %G the games, %H the program; empty: nothing runs, nothing is counted); the kind's
// configuration after ("" as it was); the one message shown ("*" any text; "" none); the stored file after ("" same).
struct StartRow
{
    int kind = 0;
    QString stored;
    int index = 0;
    bool useDefault = false;
    QString change;
    QStringList started = {};
    QByteArray config = {};
    QString message = {}, storedAfter = {};
};
} // namespace

Q_DECLARE_METATYPE(StartRow)

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
        QVERIFY(writeFile(m_v19 + "/C64.CFG",
                          "$JOYSTICK1PC=0\r\n$JOYSTICK2PC=1\r\n$JOYSTICK1KEY=0\r\n$JOYSTICK2KEY=0\r\n"
                          "$LOADPATH=C:\\\r\n$CONTROLPORT1=0\r\n$SOUND=1"));
        QVERIFY(writeFile(m_v20 + "/c64.cfg",
                          "$CONTROLPORT1=0\n$CONTROLPORT2=0\n$CONTROLPORT1MODE=0\n$CONTROLPORT2MODE=0\n"
                          "$LOADPATH=C:\\\n$JOYSTICK1PC=0\n"));
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
        QVERIFY(zipWithTool(m_games + "/PACK.ZIP", {{"ONE.D64", "1"}, {"TWO.D64", "2"}}));

        const QString db = m_home->file("Vintrax.mdb");
        m_cat = std::make_unique<catalogue::Catalogue>();
        QVERIFY(catalogue::createCatalogue(db) && m_cat->open(db).ok() && m_cat->games().setIndex("Name"));
        m_current = std::make_unique<catalogue::CurrentGame>();
        m_current->open(m_cat->db());
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
    void startsOrTells_data()
    {
        QTest::addColumn<StartRow>("r");
        const int v19 = int(EmulatorKind::Ccs64Dos19), v20 = int(EmulatorKind::Ccs64Dos20);
        const int win = int(EmulatorKind::Ccs64Win32);
        const auto add = [](const char* tag, const StartRow& r) { QTest::newRow(tag) << r; };
        const QString elite = "SUB\\ELITE.D64";
        const QByteArray v19Cfg = "$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=%1\r\n$JOYSTICK2KEY=%2\r\n"
                                  "$LOADPATH=%G/\r\n$CONTROLPORT1=0\r\n$SOUND=1\r\n";
        const QStringList inV19 = {"%V/CCSDPMI.EXE", "a b $x", "%V", "ccs64.exe"};
        // clang-format off
        // No configuration beside this emulator: none is made, and the others are not touched.
        add("plain image, other letter case", {win, "sub\\elite.d64", 3, false, "", {"%W/CCS64DX.EXE", "a b $x", "%W", "%G/ELITE.D64,3"}});
        add("archive renamed, the catalogue follows", {win, "SUB\\PACK.ZIP", 0, false, "", {"%W/CCS64DX.EXE", "a b $x", "%W", "%H/CURRGAME/TWO.D64,0"}, "", "", "SUB\\TWO.ZIP"});
        // The game's own v1.9 ports; the second-generation line and the unknown last line stay.
        add("v1.9 runs the extender with the game's ports", {v19, elite, 3, false, "", inV19 + QStringList{"%G/ELITE.D64,3"}, QByteArray(v19Cfg).replace("%1", "2").replace("%2", "1")});
        // No lower-case file there: the real one runs. The odd name reaches it as one inert argument.
        add("v2.0 with the defaults the game asks for", {v20, "SUB\\" + kOdd, 0, true, "", {"%X/CCS64.EXE", "a b $x", "%X", "%G/" + kOdd + ",0"}, "$CONTROLPORT1=1\r\n$CONTROLPORT2=0\r\n$CONTROLPORT1MODE=3\r\n$CONTROLPORT2MODE=4\r\n$LOADPATH=%G/\r\n$JOYSTICK1PC=0\r\n"});
        // The game's own second-generation ports are used; the configuration it cannot write is told, and it starts.
        add("read-only configuration is told, the game still starts", {v20, elite, 0, false, "read-only", {"%X/CCS64.EXE", "a b $x", "%X", "%G/ELITE.D64,0"}, "", readOnlyConfigMessage()});
        // The user chose another game while the emulator started: the count stays with the game started.
        add("another game chosen meanwhile", {win, elite, 0, false, "other chosen", {"%W/CCS64DX.EXE", "a b $x", "%W", "%G/ELITE.D64,0"}});
        // A start not from the catalogue uses the default ports (1, 0, 0, 2 for v1.9) and records nothing.
        add("outside the catalogue: defaults, nothing counted", {v19, elite, 0, false, "outside", inV19 + QStringList{"%G/ELITE.D64,0"}, QByteArray(v19Cfg).replace("%1", "0").replace("%2", "2")});
        add("missing file", {win, "Gone\\ghost.d64", 0, false, "", {}, "", "File not found in any of your Game Paths:  \"Gone\\ghost.d64\""});
        // The converter's reports are its own tests' business; one shows that a failure reaches the user.
        add("archive not a zip", {win, "SUB\\BAD.ZIP", 0, false, "", {}, "", "Error Unzipping.  This Zip-file maybe corrupt.*"});
        // The archive was renamed after the game to boot, but the catalogue refuses the new name (it used to keep the
        // old name silently, and the next play said "File not found").
        add("archive name the catalogue cannot store is told", {win, "SUB\\PACK.ZIP", 0, false, "refuse names", {}, "", archiveNameNotStoredMessage("TWO.ZIP", {}).section('\n', 0, 0) + "\n*the catalogue refuses*"});
        // The path messages themselves are the path test's table.
        add("no DOS extender", {v19, elite, 0, false, "no DOS extender", {}, "", "FILE NOT FOUND: %V/ccsdpmi.exe"});
        add("missing emulator", {v19, elite, 0, false, "missing emulator", {}, "", "FILE NOT FOUND: %V/NOPE.EXE"});
        add("image gone", {v19, elite, 0, false, "outside: image gone", {}, "", "FILE NOT FOUND: %G/GONE.D64"});
        // The extender cannot run: told, and the configuration written for it is put back.
        add("extender cannot run", {v19, elite, 0, false, "extender cannot run", {}, "", "Could not start the emulator: %V/CCSDPMI.EXE"});
        // An emulator that ends with a failure right after its start is no play (the bridges' failures are told alike).
        add("start that fails at once counts no play", {win, elite, 0, false, "fails at once", {}, "", "The emulator ended at once: %W/CCS64DX.EXE\nno DirectX here"});
        // clang-format on
    }
    // The game is found in the first games folder that holds it, converted when it is an archive (under the hourglass),
    // started with its configuration rewritten, and its start counted; a failure is told once, and nothing starts.
    void startsOrTells()
    {
        QFETCH(StartRow, r);
        auto& [kind, stored, index, useDefault, change, started, config, message, storedAfterOrSame] = r;
        const QString storedAfter = storedAfterOrSame.isEmpty() ? stored : storedAfterOrSame;
        // "Game" and another game, four starts so far, the game's own ports 1, 0, 2, 1 (v1.9) and 0, 1, 4, 3 (v2.0).
        QVERIFY(
            m_cat->db().exec("INSERT INTO Games (Name, Filename, \"Filename Index\", UseDefault, TimesPlayed, "
                             "DateLastPlayed, Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, V2Port2Joy, "
                             "V2Port1Key, V2Port2Key) VALUES ('Game', ?, ?, ?, 4, '(Never)', 1, 0, 2, 1, 0, 1, 4, 3),"
                             " ('Elite', 'SUB\\ELITE.D64', 3, 0, 4, '(Never)', 1, 0, 2, 1, 0, 1, 4, 3)",
                             {stored, index, useDefault}) &&
            m_current->selectByName("Game"));
        if (change == "refuse names")
            sqliteShell(m_home->file("Vintrax.mdb"), "CREATE TRIGGER refuse BEFORE UPDATE OF Filename ON Games "
                                                     "BEGIN SELECT RAISE(ABORT, 'the catalogue refuses'); END");
        else if (change == "no DOS extender")
            QVERIFY(QFile::remove(m_v19 + "/CCSDPMI.EXE"));
        else if (change == "fails at once")
            QVERIFY(writeFakeTool(m_win, "CCS64DX.EXE", "echo 'no DirectX here' >&2; exit 5"));
        else if (change == "missing emulator")
            m_settings.CCS64Path = m_v19 + "/NOPE.EXE";
        else if (change == "extender cannot run" || change == "read-only")
            QVERIFY(QFile::setPermissions(change == "read-only" ? m_v20 + "/c64.cfg" : m_v19 + "/CCSDPMI.EXE",
                                          QFile::ReadOwner));
        const QStringList configs = {m_v19 + "/C64.CFG", m_v20 + "/c64.cfg", m_win + "/c64.cfg"}; // by kind
        const QByteArrayList before = {readFile(configs[0]), readFile(configs[1]), {}};
        QList<bool> busy;
        PlayHooks hooks;
        hooks.hourglass = [&busy](bool on) { busy << on; };
        std::optional<StartSettled> settled;
        hooks.settled = [&settled](const StartSettled& s) { settled = s; };
        platform::ScriptedMessageBox box;

        // Found in whatever letter case it is stored.
        const QString image = change.contains("gone") ? "My Games/SUB/GONE.D64" : "my games/sub/elite.d64";
        LaunchRequest outside{m_home->file(image), 0, false, false, false, EmulatorKind(kind), {}};
        const bool begun =
            change.startsWith("outside")
                ? GameLaunch(outside, m_settings, m_current.get(), hooks.settled).started
                : PlayCurrentGame(EmulatorKind(kind), m_settings, *m_current, *m_c64, m_home->file("CURRGAME"), hooks)
                      .started;
        QCOMPARE(begun, !started.isEmpty() || change == "fails at once");
        if (change == "other chosen")
            QVERIFY(m_current->selectByName("Elite"));
        QTRY_VERIFY(!begun || (settled && settled->ran == !started.isEmpty()));
        const auto paths = [this](QString text) {
            return text.replace("%V", m_v19)
                .replace("%X", m_v20)
                .replace("%W", m_win)
                .replace("%G", m_games)
                .replace("%H", m_home->path());
        };
        const QStringList parts = paths(message).split('*');
        QTRY_COMPARE(box.count(), int(!message.isEmpty()));
        if (box.count()) {
            const QString shown = box.last().text;
            QVERIFY2(shown.startsWith(parts.first()) && shown.endsWith(parts.last()) &&
                         (parts.size() < 3 || shown.contains(parts[1])),
                     qPrintable(shown));
            QCOMPARE(box.last().title, shown.startsWith("FILE") ? platform::kErrorTitle : platform::kMessageTitle);
            QCOMPARE(box.last().icon, shown.startsWith("File not found") ? platform::MessageBox::Critical
                                                                         : platform::MessageBox::Exclamation);
        }
        if (started.isEmpty()) {
            QTest::qWait(100);
            QVERIFY(!QFile::exists(m_home->file("started")));
        } else {
            std::transform(started.begin(), started.end(), started.begin(), paths);
            QCOMPARE(launch(), started);
        }
        QCOMPARE(busy, stored.endsWith("ZIP") ? QList<bool>({true, false}) : QList<bool>());
        for (int k = 0; k < 3; ++k)
            QCOMPARE(readFile(configs[k]),
                     k == kind && !config.isEmpty() ? config.replace("%G", QFile::encodeName(m_games)) : before[k]);
        QVERIFY(!QFile::exists(configs[2]));
        QVERIFY(!QFile::exists(m_v20 + "/pwned") && !QFile::exists(m_games + "/pwned"));
        const bool counted = !started.isEmpty() && change != "outside";
        QCOMPARE(m_current->text("Name"), QString(change == "other chosen" ? "Elite" : "Game"));
        QCOMPARE(
            QStringList({played("Game"), played("Elite")}),
            QStringList({counted ? "5|" + QDate::currentDate().toString("dd-MM-yyyy") : "4|(Never)", "4|(Never)"}));
        m_cat->games().seek("Game");
        QCOMPARE(m_cat->games().text("Filename"), storedAfter);
        QVERIFY(!stored.endsWith("PACK.ZIP") || QFile::exists(m_games + "/TWO.ZIP"));
        if (change == "outside") { // without any record set it works all the same
            outside.fromDatabase = true;
            QVERIFY(GameLaunch(outside, m_settings, nullptr).started);
            QCOMPARE(launch().value(0), m_v19 + "/CCSDPMI.EXE");
        }
    }

private:
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

    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_current;
    std::unique_ptr<clsC64Game> m_c64;
    Settings m_settings;
    QString m_games, m_v19, m_v20, m_win;
};

QTEST_GUILESS_MAIN(TestPlayCurrentGame)
#include "TestPlayCurrentGame.moc"
