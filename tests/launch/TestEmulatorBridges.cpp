// The emulator bridges end to end through the real launcher, with only fake wine, winepath, dosbox and x64sc (and a
// few file utilities) on PATH; each fake logs its working folder, arguments and the C64.CFG it sees.
#include "C64Fixtures.h"
#include "FakeTool.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "data/settings/Settings.h"
#include "launch/GameLaunch.h"
#include "platform/ScriptedMessageBox.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace launch;
using namespace testsupport;

class TestEmulatorBridges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* t : {"vintrax-bridgetool", "vintrax-wine", "vintrax-dosbox"})
            QVERIFY(QFile::link(toolPath(t), m_home.file(QStringLiteral("Conversion/") + t)));
        const QString bin = m_home.file("bin");
        const QString log =
            "{ cat \"$log\"; %1 tr -d '\\r' < C64.CFG; } > \"$log.tmp\" && mv \"$log.tmp\" '" + started() + "'";
        QVERIFY(writeFakeTool(bin, "wine", log.arg("")) && writeFakeTool(bin, "x64sc", log.arg("")));
        QVERIFY(writeFakeTool(bin, "dosbox",
                              log.arg("for a; do case $a in \"mount d \"*) p=${a#mount d \\\"}; "
                                      "readlink \"${p%\\\"}\"/GAME.*;; esac; done;")));
        QVERIFY(writeFakeTool(bin, "winepath",
                              "case $1 in -w) printf 'Z:%s\\n' \"$2\";; -s) printf '%s\\n' \"$2\" | tr ' ' _;; esac"));
        for (const char* u : {"dirname", "readlink", "tr", "cut", "mktemp", "ln", "rm", "basename", "cat", "mv"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(u), bin + '/' + u));
        for (const char* mz : {"v19/CCSDPMI.EXE", "v19/ccs64.exe", "v20/CCS64.EXE", "win/CCS64DX.EXE"})
            QVERIFY(writeFile(m_home.file(mz), "MZ\x90\0"));
        QVERIFY(QDir().mkpath(m_home.file("mine")) && QFile::link(toolPath("vintrax-x64sc"), m_home.file("mine/x64")));
        m_settings.CCS64Path = m_home.file("v19/ccs64.exe");
        m_settings.CCS642Path = m_home.file("v20/CCS64.EXE");
        m_settings.DefaultPorts = {0, 1, 2, 0, 1, 0, 4, 0};
        // A disk whose entry 7 is a program after DEL and SEQ entries, made by cc1541.
        QStringList args{"-n", "bridges", "-f", "first", "-w", "p.prg", "-f", "gone", "-T", "128", "-w", "p.prg"};
        for (int i = 2; i < 7; ++i)
            args << QString("-f data%1 -T SEQ -w p.prg").arg(i).split(' ');
        const QByteArray disk = c64test::cc1541Image(args + QStringList{"-f", "last game", "-w", "p.prg"},
                                                     {{"p.prg", tooltest::program(0x0801, 300, 1)}});
        QCOMPARE(disk.size(), 174848);
        for (const char* image : {kNinja, kGanse, kOlf})
            QVERIFY(writeFile(games(image), disk));
        qputenv("PATH", bin.toLocal8Bit());
    }

    void wine_data()
    {
        columns();
        const auto win = [](QString path) { return "Z:" + path.replace(' ', '_'); }; // the fake's long, then short form
        const QStringList config = cfg(kPorts, win(games("")) + "\\");
        row("comma", kNinja, 7, "%E|%E/CCS64DX.EXE|" + win(games(kNinja)) + ",7", config);
        row("non-ASCII", kGanse, 0, "%E|%E/CCS64DX.EXE|" + win(games(kGanse)) + ",0", config);
        row("no wine", kOlf, 0, "vintrax-wine: wine is not installed (Debian: apt-get install wine)", {});
    }
    void wine() { play(EmulatorKind::Ccs64Win32, m_home.file("win/CCS64DX.EXE")); }

    // v1.9 runs its DOS extender with the emulator's name after it; v2.0 runs the emulator.
    void dosbox_data()
    {
        columns();
        const QString mounts = "%E|-c|mount c \"%E\"|-c|mount d \"%P\"|-c|c:|-c|";
        row("v1.9, comma", kNinja, 7, mounts + "CCSDPMI.EXE ccs64.exe D:\\GAME.D64,7|-c|exit|%G" + kNinja,
            cfg("$CONTROLPORT1=9 $CONTROLPORT1MODE=9 $JOYSTICK1PC=0", "D:\\"));
        row("v2.0, non-ASCII", kOlf, 3, mounts + "CCS64.EXE D:\\GAME.PRG,3|-c|exit|%G" + kOlf, cfg(kPorts, "D:\\"));
        row("no dosbox", kOlf, 0, "vintrax-dosbox: dosbox is not installed (Debian: apt-get install dosbox)", {});
    }
    void dosbox()
    {
        const bool v19 = QByteArray(QTest::currentDataTag()).startsWith("v1.9");
        play(v19 ? EmulatorKind::Ccs64Dos19 : EmulatorKind::Ccs64Dos20,
             v19 ? m_settings.CCS64Path : m_settings.CCS642Path);
    }

    // The user's link to vintrax-x64sc: port 1 on key set 3 becomes x64sc's numeric pad (1); port 2 has no lines.
    void x64sc_data()
    {
        columns();
        const QStringList config = cfg(kPorts, games(""));
        const QString start = "%E|-joydev1|1|-autostart|%G";
        row("entry 0", kGanse, 0, start + kGanse + ":first", config);
        row("entry 7 after DEL and SEQ", kNinja, 7, start + kNinja + ":last game", config);
        row("a program file has no entries", kOlf, 3, start + kOlf, config);
        row("no entry 9", kNinja, 9, "vintrax-bridgetool: %G" + QString(kNinja) + " has no entry 9 (it lists 8)", {});
        row("no x64sc", kNinja, 0,
            "vintrax-x64sc: the emulator is missing: x64sc (install x64sc or name it in VINTRAX_X64SC)", {});
    }
    void x64sc() { play(EmulatorKind::Ccs64Win32, m_home.file("mine/x64")); }

private:
    static void columns()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("entry");
        // The working folder and arguments (%E the emulator's folder, %G the games), or the message; the C64.CFG seen.
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("config");
    }
    static void row(const char* tag, const QString& image, int entry, const QString& expected,
                    const QStringList& config)
    {
        QTest::newRow(tag) << image << entry << expected << config;
    }
    void play(EmulatorKind kind, const QString& emulator)
    {
        QFETCH(QString, image);
        QFETCH(int, entry);
        QFETCH(QString, expected);
        QFETCH(QStringList, config);
        const QString folder = QFileInfo(emulator).path();
        QVERIFY(writeFile(folder + "/C64.CFG",
                          "$CONTROLPORT1=9\r\n$CONTROLPORT1MODE=9\r\n$JOYSTICK1PC=9\r\n$LOADPATH=C:\\\r\n; mine\n"));
        const QString fake = m_home.file("bin/") + QString(QTest::currentDataTag()).section(' ', 1);
        const bool missing =
            QByteArray(QTest::currentDataTag()).startsWith("no ") && QFile::rename(fake, fake + ".off");
        m_settings.DirectXPath = emulator;
        platform::ScriptedMessageBox box;
        const LaunchOutcome outcome = GameLaunch(
            {games(image), entry, false, false, false, kind, m_home.file("Conversion")}, m_settings, nullptr);
        QVERIFY(outcome.started);
        if (config.isEmpty()) { // the bridge ends at once: its message is shown
            QTRY_COMPARE(box.count(), 1);
            QVERIFY(!missing || QFile::rename(fake + ".off", fake));
            QCOMPARE(box.last().text,
                     emulatorFailedMessage(outcome.command.program, expected.replace("%G", games("")), 1));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started()), 10000);
        QStringList lines = QString::fromUtf8(readFile(started())).split('\n', Qt::SkipEmptyParts);
        QFile::remove(started());
        const QRegularExpression privateFolder("^mount d \"(.*)\"$");
        const QString priv = lines.filter(privateFolder).value(0).section('"', 1, 1);
        lines.replaceInStrings(privateFolder, "mount d \"%P\"");
        QCOMPARE(lines, expected.replace("%G", games("")).replace("%E", folder).split('|') + config);
        QTRY_VERIFY(priv.isEmpty() || !QFileInfo::exists(priv)); // gone once DOSBox has ended
    }
    QString started() const { return m_home.file("started"); }
    QString games(const QString& name) const { return m_home.file("My Games/") + name; }
    // The C64.CFG an emulator sees: the rewritten port lines (the other generation's line stays), the load path.
    static QStringList cfg(const char* ports, const QString& loadPath)
    {
        return QString(ports).split(' ') + QStringList{"$LOADPATH=" + loadPath, "; mine"};
    }
    static constexpr const char *kNinja = "Last Ninja, The.d64", *kGanse = "Gänse Jäger.d64", *kOlf = "Ölf, 2.prg";
    static constexpr const char* kPorts = "$CONTROLPORT1=1 $CONTROLPORT1MODE=4 $JOYSTICK1PC=9";

    TempProgramFolder m_home;
    Settings m_settings;
};

QTEST_GUILESS_MAIN(TestEmulatorBridges)
#include "TestEmulatorBridges.moc"
