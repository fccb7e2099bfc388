// Starting a game in each emulator kind with fake emulators: program, arguments, working folder, the rewritten
// configuration, and the count in the catalogue; failures start and count nothing.
#include "ArchiveFixtures.h"
#include "CatalogueFixtures.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/Schema.h"
#include "data/settings/Settings.h"
#include "launch/GameLaunch.h"
#include "platform/ScriptedMessageBox.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace launch;
using namespace testsupport;

class TestGameLaunch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dosV19RunsTheExtenderWithTheGamesPorts();
    void dosV20UsesDefaultsWhenTheGameAsksForThem();
    void win32StartsTheEmulatorItselfAndSetsTheFlag();
    void startOutsideTheCatalogueUsesDefaultsAndRecordsNothing();
    void failuresStartAndRecordNothing_data();
    void failuresStartAndRecordNothing();
    void readOnlyConfigurationStillStartsTheGame();

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    void addFake(const QString& relative);
    QStringList launch();             // the started fake's $0, $VINTRAX_LAUNCH_PROBE, working folder and arguments
    QString played(const char* name); // "TimesPlayed|DateLastPlayed"
    LaunchRequest request(EmulatorKind kind, int entry = 0) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_game;
    Settings m_settings;
    QString m_image;
    QString m_imageFolder;
    QString m_v19;
    QString m_v20;
    QString m_win;
};

namespace {
const QByteArray kV19Config("$JOYSTICK1PC=0\r\n$JOYSTICK2PC=1\r\n$JOYSTICK1KEY=0\r\n$JOYSTICK2KEY=0\r\n"
                            "$LOADPATH=C:\\\r\n$CONTROLPORT1=0\r\n$SOUND=1");
const QByteArray kV20Config("$CONTROLPORT1=0\n$CONTROLPORT2=0\n$CONTROLPORT1MODE=0\n$CONTROLPORT2MODE=0\n"
                            "$LOADPATH=C:\\\n$JOYSTICK1PC=0\n");

QString today()
{
    return QDate::currentDate().toString("dd-MM-yyyy");
}
} // namespace

// Each fake logs its working folder and arguments, then puts its own name, the probe variable and that log into
// "started" in one rename, so the test never reads half a log.
void TestGameLaunch::addFake(const QString& relative)
{
    QVERIFY(writeFakeTool(path(relative.section('/', 0, 0)), relative.section('/', 1),
                          "{ printf '%s\\n' \"$0\" \"$VINTRAX_LAUNCH_PROBE\"; cat \"$log\"; } > \"$log.tmp\"\n"
                          "mv \"$log.tmp\" '" +
                              path("started") + "'"));
}

QStringList TestGameLaunch::launch()
{
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(path("started")) && !deadline.hasExpired())
        QTest::qWait(20);
    QStringList lines = QString::fromUtf8(readFile(path("started"))).split('\n');
    lines.removeLast();
    QFile::remove(path("started"));
    return lines;
}

void TestGameLaunch::init()
{
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/Fake Emulators XXXXXX");
    m_v19 = path("CCS 64 v19");
    m_v20 = path("CCS 64 v20");
    m_win = path("CCS64 Win");
    for (const char* fake :
         {"CCS 64 v19/ccs64.exe", "CCS 64 v19/CCSDPMI.EXE", "CCS 64 v20/CCS64.EXE", "CCS64 Win/CCS64DX.EXE"})
        addFake(fake);
    QVERIFY(writeFile(m_v19 + "/C64.CFG", kV19Config));
    QVERIFY(writeFile(m_v20 + "/c64.cfg", kV20Config));
    m_image = path("Game Folder/Sub Dir/ELITE.D64");
    m_imageFolder = path("Game Folder/Sub Dir");
    QVERIFY(writeFile(m_image, "C64"));

    m_settings = Settings();
    m_settings.CCS64Path = m_v19 + "/CCS64.EXE";  // the file is ccs64.exe
    m_settings.CCS642Path = m_v20 + "/ccs64.exe"; // the file is CCS64.EXE
    m_settings.DirectXPath = m_win + "/CCS64DX.EXE";

    const QString db = path("Vintrax.mdb");
    QString error;
    QVERIFY2(catalogue::createCatalogue(db, &error), qPrintable(error));
    sqliteShell(db, "INSERT INTO Games (Name, Filename, \"Filename Index\", TimesPlayed, DateLastPlayed, UseDefault, "
                    "DirectX, Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, V2Port2Joy, V2Port1Key, V2Port2Key) "
                    "VALUES ('Elite', 'SUB DIR\\ELITE.D64', 3, 4, '(Never)', 0, 0, 1, 0, 2, 1, 0, 1, 4, 3),"
                    " ('Other', 'X.D64', 0, 9, '01-01-1990', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)");
    m_cat = std::make_unique<catalogue::Catalogue>();
    QVERIFY(m_cat->open(db).ok());
    QVERIFY(m_cat->games().setIndex("Name"));
    m_game = std::make_unique<catalogue::CurrentGame>();
    m_game->open(m_cat->db());
    QVERIFY(m_game->selectByName("Elite"));
}

void TestGameLaunch::cleanup()
{
    m_game.reset();
    m_cat.reset();
    m_dir.reset();
    qunsetenv("VINTRAX_LAUNCH_PROBE");
}

QString TestGameLaunch::played(const char* name)
{
    return sqliteShell(path("Vintrax.mdb"),
                       QString("SELECT TimesPlayed, DateLastPlayed FROM Games WHERE Name='%1'").arg(name))
        .trimmed();
}

LaunchRequest TestGameLaunch::request(EmulatorKind kind, int entry) const
{
    LaunchRequest r;
    r.imagePath = path("game folder/SUB DIR/elite.d64"); // found in whatever case it is stored
    r.entryIndex = entry;
    r.fromDatabase = true;
    r.kind = kind;
    return r;
}

void TestGameLaunch::dosV19RunsTheExtenderWithTheGamesPorts()
{
    qputenv("VINTRAX_LAUNCH_PROBE", "a b $x");
    platform::ScriptedMessageBox box;
    const LaunchOutcome outcome = GameLaunch(request(EmulatorKind::Ccs64Dos19, 3), m_settings, m_game.get());
    QVERIFY(outcome.started);
    QVERIFY(outcome.recorded);
    QCOMPARE(launch(), QStringList({m_v19 + "/CCSDPMI.EXE", "a b $x", m_v19, "ccs64.exe", m_image + ",3"}));
    QCOMPARE(box.count(), 0);
    // The game's own v1.9 ports; the second-generation line and the unknown last line stay.
    QCOMPARE(readFile(m_v19 + "/C64.CFG"),
             QByteArray("$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=2\r\n$JOYSTICK2KEY=1\r\n$LOADPATH=") +
                 QFile::encodeName(m_imageFolder) + "/\r\n$CONTROLPORT1=0\r\n$SOUND=1\r\n");
    QCOMPARE(outcome.config, ConfigWriteResult::Written);
    QCOMPARE(played("Elite"), "5|" + today());
    QCOMPARE(played("Other"), QString("9|01-01-1990"));
}

void TestGameLaunch::dosV20UsesDefaultsWhenTheGameAsksForThem()
{
    m_settings.DefaultPorts.DXDefPort1Joy = 1;
    m_settings.DefaultPorts.DXDefPort2Joy = 0;
    m_settings.DefaultPorts.DXDefPort1Key = 3;
    m_settings.DefaultPorts.DXDefPort2Key = 4;
    LaunchRequest r = request(EmulatorKind::Ccs64Dos20);
    r.useDefault = true;
    // A name the shell would act on reaches the emulator as one inert argument.
    r.imagePath = m_imageFolder + "/it's \"$(touch pwned)\" a;b `x`.d64";
    QVERIFY(writeFile(r.imagePath, "C64"));
    QVERIFY(GameLaunch(r, m_settings, m_game.get()).started);
    // No lower-case file there: the real one runs.
    QCOMPARE(launch(), QStringList({m_v20 + "/CCS64.EXE", "", m_v20, r.imagePath + ",0"}));
    QVERIFY(!QFile::exists(m_v20 + "/pwned") && !QFile::exists(m_imageFolder + "/pwned"));
    QCOMPARE(readFile(m_v20 + "/c64.cfg"), "$CONTROLPORT1=1\r\n$CONTROLPORT2=0\r\n$CONTROLPORT1MODE=3\r\n"
                                           "$CONTROLPORT2MODE=4\r\n$LOADPATH=" +
                                               QFile::encodeName(m_imageFolder) + "/\r\n$JOYSTICK1PC=0\r\n");
    QCOMPARE(played("Elite"), "5|" + today());
}

void TestGameLaunch::win32StartsTheEmulatorItselfAndSetsTheFlag()
{
    const QByteArray v20Before = readFile(m_v20 + "/c64.cfg");
    const LaunchOutcome outcome = GameLaunch(request(EmulatorKind::Ccs64Win32, 7), m_settings, m_game.get());
    QVERIFY(outcome.started);
    QCOMPARE(launch(), QStringList({m_win + "/CCS64DX.EXE", "", m_win, m_image + ",7"}));
    // No configuration beside this emulator: none is made, and the other emulator's is not touched.
    QVERIFY(!QFile::exists(m_win + "/c64.cfg"));
    QCOMPARE(outcome.config, ConfigWriteResult::Failed);
    QCOMPARE(readFile(m_v20 + "/c64.cfg"), v20Before);
    QCOMPARE(played("Elite"), "5|" + today());
    // Each start counts once; a game never played before (NULL) starts counting at one.
    sqliteShell(path("Vintrax.mdb"), "UPDATE Games SET TimesPlayed = NULL WHERE Name='Other'");
    for (const char* name : {"Elite", "Other"}) {
        QVERIFY(m_game->selectByName(name));
        QVERIFY(GameLaunch(request(EmulatorKind::Ccs64Win32), m_settings, m_game.get()).recorded);
        QCOMPARE(launch().value(0), m_win + "/CCS64DX.EXE");
    }
    QCOMPARE(played("Elite"), "6|" + today());
    QCOMPARE(played("Other"), "1|" + today());
    QVERIFY(m_cat->games().seek("Elite"));
    QCOMPARE(m_cat->games().number("TimesPlayed"), 6); // the shared record set sees it too
}

void TestGameLaunch::startOutsideTheCatalogueUsesDefaultsAndRecordsNothing()
{
    m_settings.DefaultPorts = PortDefaults{}; // 1, 0, 0, 2 for v1.9
    LaunchRequest r = request(EmulatorKind::Ccs64Dos19);
    r.fromDatabase = false;
    const LaunchOutcome outcome = GameLaunch(r, m_settings, m_game.get());
    QVERIFY(outcome.started && !outcome.recorded);
    QCOMPARE(launch().value(0), m_v19 + "/CCSDPMI.EXE");
    QVERIFY(readFile(m_v19 + "/C64.CFG")
                .startsWith("$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=0\r\n$JOYSTICK2KEY=2\r\n"));
    QCOMPARE(played("Elite"), QString("4|(Never)"));
    // Without any record set the start works all the same.
    QVERIFY(GameLaunch(r, m_settings, nullptr).started);
    QCOMPARE(launch().value(0), m_v19 + "/CCSDPMI.EXE");
}

void TestGameLaunch::failuresStartAndRecordNothing_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message"); // %V the v1.9 folder, %I the image folder; "" none. The path messages
                                          // themselves are TestPathChecks' table.
    const auto row = [](const char* change, const char* message) {
        QTest::newRow(change) << QString(change) << QString(message);
    };
    row("missing emulator", "FILE NOT FOUND: %V/NOPE.EXE");
    row("no DOS extender", "FILE NOT FOUND: %V/ccsdpmi.exe");
    row("image gone", "FILE NOT FOUND: %I/GONE.D64");
    row("no image from the converter", "");
    row("extender cannot run", "Could not start the emulator: %V/CCSDPMI.EXE");
}

void TestGameLaunch::failuresStartAndRecordNothing()
{
    QFETCH(QString, change);
    QFETCH(QString, message);
    LaunchRequest r = request(EmulatorKind::Ccs64Dos19);
    if (change == "missing emulator")
        m_settings.CCS64Path = m_v19 + "/NOPE.EXE";
    else if (change == "no DOS extender")
        QVERIFY(QFile::remove(m_v19 + "/CCSDPMI.EXE"));
    else if (change == "image gone")
        r.imagePath = m_imageFolder + "/GONE.D64";
    else if (change == "no image from the converter")
        r.imagePath.clear();
    else
        QVERIFY(QFile::setPermissions(m_v19 + "/CCSDPMI.EXE", QFile::ReadOwner));
    platform::ScriptedMessageBox box;
    const LaunchOutcome outcome = GameLaunch(r, m_settings, m_game.get());
    QVERIFY(!outcome.started && !outcome.recorded);
    message.replace("%V", m_v19).replace("%I", m_imageFolder);
    QCOMPARE(box.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(box.last().title, QString(message.startsWith("FILE") ? "vintrax Error" : "vintrax"));
        QCOMPARE(box.last().icon, platform::MessageBox::Exclamation);
    }
    QCOMPARE(played("Elite"), QString("4|(Never)"));
    QTest::qWait(100);
    QVERIFY(!QFile::exists(path("started")));
}

void TestGameLaunch::readOnlyConfigurationStillStartsTheGame()
{
    const QString cfg = m_v20 + "/c64.cfg";
    QVERIFY(QFile::setPermissions(cfg, QFile::ReadOwner | QFile::ReadGroup));
    platform::ScriptedMessageBox box;
    const LaunchOutcome outcome = GameLaunch(request(EmulatorKind::Ccs64Dos20), m_settings, m_game.get());
    QCOMPARE(box.texts(), QStringList{readOnlyConfigMessage()});
    QCOMPARE(outcome.config, ConfigWriteResult::ReadOnly);
    QVERIFY(outcome.started);
    QCOMPARE(launch().value(0), m_v20 + "/CCS64.EXE");
    QCOMPARE(readFile(cfg), kV20Config);
    QCOMPARE(played("Elite"), "5|" + today());
}

QTEST_GUILESS_MAIN(TestGameLaunch)
#include "TestGameLaunch.moc"
