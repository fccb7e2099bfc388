// The emulator bridges end to end: the real launcher starts games through vintrax-wine, vintrax-dosbox and
// vintrax-x64sc with fake wine, winepath, dosbox and x64sc on PATH. Besides the fakes PATH holds only a few file
// utilities, so no real emulator can ever run. Each fake logs its working folder, arguments and the C64.CFG it sees.
#include "C64Fixtures.h"
#include "FakeTool.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "data/settings/Settings.h"
#include "launch/EmulatorBridge.h"
#include "launch/GameLaunch.h"
#include "platform/ScriptedMessageBox.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace launch;
using namespace testsupport;

class TestEmulatorBridges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TempProgramFolder>();
        for (const char* t : {"vintrax-bridgetool", "vintrax-wine", "vintrax-dosbox"})
            QVERIFY(QFile::link(toolPath(t), m_home->file(QStringLiteral("Conversion/") + t)));
        QVERIFY(QDir().mkpath(m_home->file("util")));
        for (const char* u : {"dirname", "readlink", "tr", "cut", "mktemp", "ln", "rm", "basename", "cat", "mv"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(u), m_home->file("util/") + u));
        const QString log =
            "{ cat \"$log\"; %1 tr -d '\\r' < C64.CFG; } > \"$log.tmp\" && mv \"$log.tmp\" '" + started() + "'";
        const QString bin = m_home->file("bin");
        QVERIFY(writeFakeTool(bin, "wine", log.arg("")) && writeFakeTool(bin, "x64sc", log.arg("")));
        QVERIFY(writeFakeTool(bin, "dosbox",
                              log.arg("for a; do case $a in \"mount d \"*) p=${a#mount d \\\"}; "
                                      "readlink \"${p%\\\"}\"/GAME.*;; esac; done;")));
        QVERIFY(writeFakeTool(bin, "winepath",
                              "case $1 in -w) printf 'Z:%s\\n' \"$2\" | tr / '\\\\\\\\';; "
                              "-s) printf '%s\\n' \"$2\" | tr 'a-z ' 'A-Z_';; esac"));
        for (const char* mz : {"v19/CCSDPMI.EXE", "v19/ccs64.exe", "v20/CCS64.EXE", "win/CCS64DX.EXE"})
            QVERIFY(writeFile(m_home->file(mz), "MZ\x90\0"));
        QVERIFY(QDir().mkpath(m_home->file("mine")) &&
                QFile::link(toolPath("vintrax-x64sc"), m_home->file("mine/x64")));
        m_settings.CCS64Path = m_home->file("v19/ccs64.exe");
        m_settings.CCS642Path = m_home->file("v20/CCS64.EXE");
        m_settings.DefaultPorts = {0, 1, 2, 0, 1, 1, 3, 0};
        // A disk whose entry 7 is a program after DEL and SEQ entries, made by cc1541.
        QStringList args{"-n", "bridges", "-f", "first", "-w", "p.prg", "-f", "gone", "-T", "128", "-w", "p.prg"};
        for (int i = 2; i < 7; ++i)
            args << "-f" << QStringLiteral("data%1").arg(i) << "-T"
                 << "SEQ"
                 << "-w"
                 << "p.prg";
        const QByteArray disk = c64test::cc1541Image(args + QStringList{"-f", "last game", "-w", "p.prg"},
                                                     {{"p.prg", tooltest::program(0x0801, 300, 1)}});
        QCOMPARE(disk.size(), 174848);
        for (const char* image : {"Last Ninja, The.d64", "Gänse Jäger.d64", "Ölf, 2.prg"})
            QVERIFY(writeFile(games(image), disk));
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", (bin + ':' + m_home->file("util")).toLocal8Bit());
    }
    void cleanupTestCase() { qputenv("PATH", m_oldPath); }

    void wine_data()
    {
        columns();
        const QStringList config = {"$CONTROLPORT1=1",
                                    "$CONTROLPORT2=1",
                                    "$CONTROLPORT1MODE=3",
                                    "$CONTROLPORT2MODE=0",
                                    "$LOADPATH=" + win(games("")),
                                    "; mine"};
        row("comma", "Last Ninja, The.d64", 7, {"%E", "%E/CCS64DX.EXE", win(games("Last Ninja, The.d64")) + ",7"},
            config);
        row("non-ASCII", "Gänse Jäger.d64", 0, {"%E", "%E/CCS64DX.EXE", win(games("Gänse Jäger.d64")) + ",0"}, config);
        row("no wine", "Ölf, 2.prg", 0, {"vintrax-wine: wine is not installed (Debian: apt-get install wine)"}, {});
    }
    void wine() { play(EmulatorKind::Ccs64Win32, m_home->file("win/CCS64DX.EXE")); }

    void dosbox_data()
    {
        columns();
        const QString mount = "mount c \"" + m_home->file("v19") + '"';
        row("v1.9 through the extender, comma", "Last Ninja, The.d64", 7,
            {"%E", "-c", mount, "-c", "mount d \"%P\"", "-c", "c:", "-c", "CCSDPMI.EXE ccs64.exe D:\\GAME.D64,7", "-c",
             "exit", games("Last Ninja, The.d64")},
            {"$JOYSTICK1PC=0", "$JOYSTICK2PC=1", "$JOYSTICK1KEY=2", "$JOYSTICK2KEY=0", "$LOADPATH=D:\\", "; mine"});
        row("no dosbox", "Ölf, 2.prg", 0, {"vintrax-dosbox: dosbox is not installed (Debian: apt-get install dosbox)"},
            {});
    }
    void dosbox() { play(EmulatorKind::Ccs64Dos19, m_settings.CCS64Path); }

    // The user's link to vintrax-x64sc: the ports go on as x64sc's devices (key set 2 is 3, PC joystick 1 is 4).
    void x64sc_data()
    {
        columns();
        const QStringList config = {"$CONTROLPORT1=1",     "$CONTROLPORT2=1",        "$CONTROLPORT1MODE=3",
                                    "$CONTROLPORT2MODE=0", "$LOADPATH=" + games(""), "; mine"};
        const QStringList ports = {"%E", "-joydev1", "3", "-joydev2", "4", "-autostart"};
        row("entry 0", "Gänse Jäger.d64", 0, ports + QStringList{games("Gänse Jäger.d64:first")}, config);
        row("entry 7 after DEL and SEQ", "Last Ninja, The.d64", 7,
            ports + QStringList{games("Last Ninja, The.d64:last game")}, config);
        row("a program file has no entries", "Ölf, 2.prg", 3, ports + QStringList{games("Ölf, 2.prg")}, config);
        row("no entry 9", "Last Ninja, The.d64", 9,
            {"vintrax-bridgetool: " + games("Last Ninja, The.d64") + " has no entry 9 (it lists 8)"}, {});
        row("no x64sc", "Last Ninja, The.d64", 0,
            {"vintrax-x64sc: the emulator is missing: x64sc (install x64sc or name it in VINTRAX_X64SC)"}, {});
    }
    void x64sc() { play(EmulatorKind::Ccs64Win32, m_home->file("mine/x64")); }

    // Only a DOS or Windows program goes through a bridge; a script or native program runs as it is.
    void bridgeByProgramKind()
    {
        const QString c = m_home->file("Conversion");
        const platform::Command dos{m_home->file("v19/CCSDPMI.EXE"), {"ccs64.exe", "a,1"}};
        QCOMPARE(bridgedCommand(EmulatorKind::Ccs64Dos19, dos, c).arguments,
                 QStringList({dos.program, "ccs64.exe", "a,1"}));
        QCOMPARE(bridgedCommand(EmulatorKind::Ccs64Dos20, dos, c).program, c + "/vintrax-dosbox");
        QCOMPARE(bridgedCommand(EmulatorKind::Ccs64Win32, dos, c).program, c + "/vintrax-wine");
        const platform::Command script{m_home->file("mine/x64"), {"a,1"}};
        QCOMPARE(bridgedCommand(EmulatorKind::Ccs64Win32, script, c).program, script.program);
    }

private:
    static void columns()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>(
            "expected"); // the working folder (%E the emulator's), the arguments; or the message
        QTest::addColumn<QStringList>("config"); // the C64.CFG the emulator sees, without CRs
    }
    static void row(const char* tag, const QString& image, int entry, const QStringList& expected,
                    const QStringList& config)
    {
        QTest::newRow(tag) << image << entry << expected << config;
    }
    void play(EmulatorKind kind, const QString& emulator)
    {
        QFETCH(QString, image);
        QFETCH(int, entry);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, config);
        const QString folder = QFileInfo(emulator).path();
        const bool first = kind == EmulatorKind::Ccs64Dos19;
        QVERIFY(writeFile(folder + "/C64.CFG", first ? "$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=0\r\n"
                                                       "$JOYSTICK2KEY=1\r\n$LOADPATH=C:\\\r\n; mine\r\n"
                                                     : "$CONTROLPORT1=0\r\n$CONTROLPORT2=0\r\n$CONTROLPORT1MODE=0\r\n"
                                                       "$CONTROLPORT2MODE=0\r\n$LOADPATH=C:\\\r\n; mine\n"));
        const QString fake = m_home->file("bin/") + QString(QTest::currentDataTag()).section(' ', 1);
        const bool missing =
            QByteArray(QTest::currentDataTag()).startsWith("no ") && QFile::rename(fake, fake + ".off");
        m_settings.DirectXPath = emulator;
        platform::ScriptedMessageBox box;
        LaunchRequest request{games(image), entry, false, false, false, kind};
        const LaunchOutcome outcome = GameLaunch(request, m_settings, nullptr);
        QVERIFY(outcome.started);
        if (config.isEmpty()) { // the bridge ends at once: its message is shown
            QTRY_COMPARE(box.count(), 1);
            QVERIFY(!missing || QFile::rename(fake + ".off", fake));
            QCOMPARE(box.last().text, emulatorFailedMessage(outcome.command.program, expected[0], 1));
            return;
        }
        QStringList lines = QString::fromUtf8(waitForStart()).split('\n');
        lines.removeLast();
        const QRegularExpression privateFolder("^mount d \"(.*)\"$");
        const QString priv = lines.filter(privateFolder).value(0).section('"', 1, 1);
        lines.replaceInStrings(privateFolder, "mount d \"%P\"");
        QCOMPARE(lines, expected.replaceInStrings("%E", folder) + config);
        QTRY_VERIFY(priv.isEmpty() || !QFileInfo::exists(priv)); // gone once DOSBox has ended
        QCOMPARE(box.texts(), QStringList());
    }
    QString started() const { return m_home->file("started"); }
    QString games(const QString& name) const { return m_home->file("My Games/") + name; }
    // What the fake winepath makes of a path: "Z:", backslashes, then a "short" form in capitals without blanks.
    static QString win(QString path)
    {
        path = "Z:" + path.replace('/', '\\');
        for (QChar& c : path)
            c = c == ' ' ? QChar('_') : c.unicode() < 128 ? c.toUpper() : c;
        return path;
    }
    QByteArray waitForStart()
    {
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(started()) && !deadline.hasExpired())
            QTest::qWait(20);
        const QByteArray log = readFile(started());
        QFile::remove(started());
        return log;
    }

    std::unique_ptr<TempProgramFolder> m_home;
    Settings m_settings;
    QByteArray m_oldPath;
};

QTEST_GUILESS_MAIN(TestEmulatorBridges)
#include "TestEmulatorBridges.moc"
