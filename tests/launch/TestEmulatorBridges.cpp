// The emulator bridges end to end through the real launcher, with only fake wine, winepath, dosbox and x64sc (and a
// few file utilities) on PATH; each fake logs its working folder, arguments and the C64.CFG it sees. The fakes fail as
// the real ones do: Debian's wine without its 32-bit loader warns and ends with 0 without running a 32-bit program, and
// dosbox ends with 0 whatever happened inside (the fake plays the bridge's batch file: the DOS drives, the command,
// the errorlevel and output it leaves). $FAULT makes a fake fail.
// Then the real DOSBox and Wine, where installed (CI has neither: the rows skip and say so). Stand-in emulators built
// here from standins/ (nasm, mingw-w64) report their arguments, folder, whether the image opens and the C64.CFG they
// see, and save a file into their load path. DOSBox runs without a window (SDL's dummy driver); Wine keeps its folder
// in the build tree, so only the first run sets it up.
#include "C64Fixtures.h"
#include "FakeTool.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "data/settings/Settings.h"
#include "launch/GameLaunch.h"
#include "platform/ScriptedMessageBox.h"

#include <QCoreApplication>
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
        for (const char* t : {"vintrax-bridgetool", "vintrax-wine", "vintrax-dosbox", "vintrax-bridge-common"})
            QVERIFY(QFile::link(toolPath(t), m_home.file(QStringLiteral("Conversion/") + t)));
        const QString bin = m_home.file("bin");
        const QString log =
            "{ cat \"$log\"; tr -d '\\r' < C64.CFG; } > \"$log.tmp\" && mv \"$log.tmp\" '" + started() + "'";
        // Debian's wine: without an executable 32-bit loader it warns, and runs only a 64-bit program.
        QVERIFY(writeFakeTool(bin, "wine",
                              "if [ ! -x \"${0%/*}/../lib/wine/wine\" ] || [ \"${FAULT:-}\" = wine32 ]; then\n"
                              "  echo 'it looks like wine32 is missing, you should install it.' >&2\n"
                              "  case $1 in *X64*) ;; *) exit 0;; esac\nfi\n" +
                                  log));
        QVERIFY(writeFakeTool(bin, "x64sc", log));
        // The drives the batch file is given, its command line and image; its errorlevel (3 for $FAULT errorlevel).
        QVERIFY(writeFakeTool(
            bin, "dosbox",
            "for a; do case $a in 'mount e '*) e=${a#mount e \\\"}; e=${e%\\\"};; "
            "'mount '?' '*) l=${a#mount }; p=${l#? \\\"}; echo \"${l%% *}: $(readlink \"${p%\\\"}\")\" >> \"$log\";; "
            "esac; done\n: > \"$e/RUNNING\"; tr -d '\\r' < \"$e/RUN.BAT\" | grep OUTPUT.TXT >> \"$log\"; "
            "readlink \"$e\"/GAME.* >> \"$log\"\n"
            "if [ \"${FAULT:-}\" = errorlevel ]; then printf '3\\r\\n' > \"$e/EXIT.TXT\"; "
            "printf 'stand-in: no VGA\\r\\n' > \"$e/OUTPUT.TXT\"; exit 0; fi\n"
            "printf '0\\r\\n' > \"$e/EXIT.TXT\"; cd \"$(readlink \"${e%/e}/c\")\"\n" +
                log));
        QVERIFY(writeFakeTool(bin, "winepath",
                              "[ \"${FAULT:-}\" != winepath ] || exit 1\n"
                              "case $1 in -w) printf 'Z:%s\\n' \"$2\";; -s) printf '%s\\n' \"$2\" | tr ' ' _;; esac"));
        for (const char* u : {"dirname", "readlink", "tr", "cut", "mktemp", "ln", "rm", "basename", "cat", "mv", "grep",
                              "mkdir", "sleep", "tail"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(u), bin + '/' + u));
        // Wine's 32-bit loader beside the fake's bin folder, as Debian puts it.
        QVERIFY(writeFile(m_home.file("lib/wine/wine"),
                          QByteArray::fromHex("7f454c46010101" + QByteArray(22, '0') + "0300")));
        QVERIFY(QFile::setPermissions(m_home.file("lib/wine/wine"), QFile::ReadOwner | QFile::ExeOwner));
        for (const char* dos : {"v19/CCSDPMI.EXE", "v19/ccs64.exe", "v20/CCS64.EXE", "v20/CCS64DOS20.EXE"})
            QVERIFY(writeFile(m_home.file(dos), "MZ\x90\0"));
        // A Windows program's head: "MZ", the PE header at 0x40, its machine (4c01 for 32 bits, 6486 for 64).
        for (const auto& [name, machine] : {std::pair{"CCS64DX.EXE", "4c01"}, std::pair{"CCS64X64.EXE", "6486"}})
            QVERIFY(writeFile(
                m_home.file(QStringLiteral("win/") + name),
                QByteArray::fromHex(QByteArray("4d5a") + QByteArray(116, '0') + "4000000050450000" + machine)));
        QVERIFY(QDir().mkpath(m_home.file("mine")) && QFile::link(toolPath("vintrax-x64sc"), m_home.file("mine/x64")));
        m_settings.DefaultPorts = {0, 1, 2, 0, 1, 0, 4, 0};
        // A disk whose entry 7 is a program after DEL and SEQ entries, made by cc1541.
        QStringList args{"-n", "bridges", "-f", "first", "-w", "p.prg", "-f", "gone", "-T", "128", "-w", "p.prg"};
        for (int i = 2; i < 7; ++i)
            args << QString("-f data%1 -T SEQ -w p.prg").arg(i).split(' ');
        const QByteArray disk = c64test::cc1541Image(args + QStringList{"-f", "last game", "-w", "p.prg"},
                                                     {{"p.prg", tooltest::program(0x0801, 300, 1)}});
        QCOMPARE(disk.size(), 174848);
        for (const char* image : {kNinja, kOlf})
            QVERIFY(writeFile(games(image), disk));
        QVERIFY(writeFile(games(kGaense), QByteArray(174848, 0)));
        qputenv("HOME", m_home.file("home").toLocal8Bit()); // DOSBox keeps its settings there
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        qputenv("WINEPREFIX", (QCoreApplication::applicationDirPath() + "/wineprefix").toLocal8Bit());
    }
    void cleanup()
    {
        qunsetenv("FAULT");
        qputenv("PATH", m_path);
    }

    void starts_data()
    {
        QTest::addColumn<QString>("emulator"); // the file below the program folder: win/, v19/, v20/ or mine/ (x64sc)
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("fault");
        // The working folder and arguments (%E the emulator's folder, %G the games, %P DOSBox's private folder), or
        // the message; the C64.CFG seen. A tag "refused: ..." starts nothing, "failed: ..." ends at once.
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("config");
        const auto row = [](const char* tag, const QString& emulator, const QString& image, int entry,
                            const QString& fault, const QString& expected, const QStringList& config) {
            QTest::newRow(tag) << emulator << image << entry << fault << expected << config;
        };
        const auto win = [](QString path) { return "Z:" + path.replace(' ', '_'); }; // the fake's long, then short form
        const QString install =
            "Install it as root:\ndpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386";
        // v1.9 runs its DOS extender with the emulator's name after it. DOSBox sees C: (the emulator's folder), D: (the
        // game's own folder, the load path) and E: (the image as GAME.<ext>).
        const QString mounts =
            "%E|-c|mount c \"%P/c\"|-c|mount d \"%P/d\"|-c|mount e \"%P/e\"|-c|E:\\RUN.BAT|c: %E|d: %G|";
        // The user's link to vintrax-x64sc: port 1 on key set 3 becomes x64sc's numeric pad (1); port 2 has no lines.
        const QString x64 = "%E|-joydev1|1|-autostart|%G/";
        // clang-format off
        row("wine, comma", "win/CCS64DX.EXE", kNinja, 7, "", "%E|%E/CCS64DX.EXE|" + win(games(kNinja)) + ",7", cfg(kPorts, win(games("")) + "\\"));
        row("64-bit program, no wine32", "win/CCS64X64.EXE", kOlf, 0, "", "%E|%E/CCS64X64.EXE|" + win(games(kOlf)) + ",0", cfg(kPorts, win(games("")) + "\\"));
        row("refused: no wine", "win/CCS64DX.EXE", kOlf, 0, "", "vintrax-wine: wine is not installed (Debian: apt-get install wine)", {});
        row("refused: 32-bit program, no wine32", "win/CCS64DX.EXE", kOlf, 0, "", "vintrax-bridgetool: CCS64DX.EXE is a 32-bit Windows program, and the 32-bit part of Wine (wine32) is not installed.\n" + install, {});
        // Before the emulator ran: C64.CFG is put back. Inside Wine: Wine's own word, then the bridge's.
        row("failed: winepath", "win/CCS64DX.EXE", kOlf, 0, "winepath", "vintrax-wine: Wine has no Windows path for the image: %G/" + QString(kOlf), {});
        row("failed: wine32 missing inside wine", "win/CCS64DX.EXE", kOlf, 0, "wine32", "it looks like wine32 is missing, you should install it.\nvintrax-wine: Wine could not run CCS64DX.EXE: its 32-bit part (wine32) is missing. " + install, {});
        row("dosbox v1.9, comma", "v19/ccs64.exe", kNinja, 7, "", mounts + "CCSDPMI.EXE ccs64.exe E:\\GAME.D64,7 >E:\\OUTPUT.TXT|%G/" + kNinja, cfg("$CONTROLPORT1=9 $CONTROLPORT1MODE=9 $JOYSTICK1PC=0", "D:\\"));
        row("refused: not an 8.3 name", "v20/CCS64DOS20.EXE", kOlf, 0, "", "vintrax-bridgetool: DOS cannot use the name \"CCS64DOS20.EXE\": a DOS name has at most eight characters before its dot\nvintrax-dosbox: DOS cannot run CCS64DOS20.EXE: rename the file to an 8.3 name (such as CCS64.EXE) and the emulator path with it", {});
        row("refused: no dosbox", "v20/CCS64.EXE", kOlf, 0, "", "vintrax-dosbox: dosbox is not installed (Debian: apt-get install dosbox)", {});
        row("failed: errorlevel inside DOSBox", "v20/CCS64.EXE", kOlf, 0, "errorlevel", "stand-in: no VGA\nvintrax-dosbox: CCS64.EXE ended with errorlevel 3", {});
        row("x64sc, entry 7 after DEL and SEQ", "mine/x64", kNinja, 7, "", x64 + kNinja + ":last game", cfg(kPorts, games("")));
        row("x64sc, entry 0", "mine/x64", kNinja, 0, "", x64 + kNinja + ":first", cfg(kPorts, games("")));
        row("x64sc, a program file has no entries", "mine/x64", kOlf, 3, "", x64 + kOlf, cfg(kPorts, games("")));
        row("failed: no x64sc", "mine/x64", kNinja, 0, "", "vintrax-x64sc: the emulator is missing: x64sc (install x64sc or name it in VINTRAX_X64SC)", {});
        row("failed: no entry 9", "mine/x64", kNinja, 9, "", "vintrax-bridgetool: %G/" + QString(kNinja) + " has no entry 9 (it lists 8)", {});
        // clang-format on
    }
    void starts()
    {
        QFETCH(QString, emulator);
        QFETCH(QString, image);
        QFETCH(int, entry);
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QFETCH(QStringList, config);
        const QString tag = QTest::currentDataTag(), folder = m_home.file(emulator.section('/', 0, 0));
        const EmulatorKind kind = emulator.startsWith("v19")   ? EmulatorKind::Ccs64Dos19
                                  : emulator.startsWith("v20") ? EmulatorKind::Ccs64Dos20
                                                               : EmulatorKind::Ccs64Win32;
        qputenv("PATH", m_home.file("bin").toLocal8Bit());
        const QByteArray before =
            "$CONTROLPORT1=9\r\n$CONTROLPORT1MODE=9\r\n$JOYSTICK1PC=9\r\n$LOADPATH=C:\\\r\n; mine\n";
        QVERIFY(writeFile(folder + "/C64.CFG", before));
        // "no wine32" takes away Wine's 32-bit loader, "no wine" (dosbox, x64sc) that program.
        const QString away = tag.contains("no wine32") ? m_home.file("lib/wine/wine")
                                                       : m_home.file("bin/") + tag.section("no ", 1).section(' ', 0, 0);
        const bool moved = tag.contains("no ") && QFile::rename(away, away + ".off");
        if (!fault.isEmpty())
            qputenv("FAULT", fault.toLatin1());
        m_settings.CCS64Path = m_settings.CCS642Path = m_settings.DirectXPath = m_home.file(emulator);
        platform::ScriptedMessageBox box;
        std::optional<StartSettled> settled;
        const LaunchOutcome outcome =
            GameLaunch({games(image), entry, false, false, false, kind, m_home.file("Conversion")}, m_settings, nullptr,
                       [&settled](const StartSettled& s) { settled = s; });
        expected.replace("%G", m_home.file("My Games")).replace("%E", folder);
        if (tag.startsWith("refused")) { // nothing starts, and C64.CFG stays as it was
            QVERIFY(!outcome.started);
            QVERIFY(!moved || QFile::rename(away + ".off", away));
            QCOMPARE(box.texts(), QStringList{emulatorNotStartedMessage(outcome.command.program) + '\n' + expected});
            QCOMPARE(readFile(folder + "/C64.CFG"), before);
            return;
        }
        QVERIFY(outcome.started);
        QTRY_VERIFY_WITH_TIMEOUT(settled, 10000);
        QVERIFY(!moved || QFile::rename(away + ".off", away));
        if (tag.startsWith("failed")) { // its message is shown, no play
            QVERIFY(!settled->ran);
            QTRY_COMPARE(box.texts(), QStringList{emulatorFailedMessage(outcome.command.program, expected, 1)});
            if (fault == "winepath") // before the emulator ran: put back
                QCOMPARE(readFile(folder + "/C64.CFG"), before);
            return;
        }
        QVERIFY(settled->ran);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started()), 10000);
        QStringList lines = QString::fromUtf8(readFile(started())).split('\n', Qt::SkipEmptyParts);
        QFile::remove(started());
        // DOSBox's private folder, from its "mount e" line (the folder's "/e" cut off); none for the other bridges.
        const QString mountE = lines.filter(QRegularExpression("^mount e \"")).value(0).section('"', 1, 1);
        const QString priv = mountE.left(std::max<qsizetype>(0, mountE.size() - 2));
        if (!priv.isEmpty())
            lines.replaceInStrings(priv, "%P");
        QCOMPARE(lines, expected.split('|') + config);
        QTRY_VERIFY(priv.isEmpty() || !QFileInfo::exists(priv)); // gone once DOSBox has ended
        QCOMPARE(box.count(), 0);
    }
    void startsThroughTheRealBridge_data()
    {
        QTest::addColumn<bool>("dos");
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QStringList>("expected"); // the report (%G: the games folder as Wine names it), or the message
        const QByteArray config("$CONTROLPORT1=0\r\n$LOADPATH=C:\\\r\n$SOUND=1\r\n");
        // clang-format off
        QTest::newRow("DOSBox") << true << config << QStringList{"args: E:\\GAME.D64,7", "cwd: C:\\", "image opens", "$CONTROLPORT1=1", "$LOADPATH=D:\\", "$SOUND=1"};
        QTest::newRow("DOSBox: errorlevel inside") << true << QByteArray("$CONTROLPORT1=0\r\n") << QStringList{"stand-in: no load path in C64.CFG", "vintrax-dosbox: CCS64.EXE ended with errorlevel 3"};
        QTest::newRow("Wine") << false << config << QStringList{"image opens", "$CONTROLPORT1=1", "$LOADPATH=%G\\", "$SOUND=1"};
        // clang-format on
    }
    void startsThroughTheRealBridge()
    {
        QFETCH(bool, dos);
        QFETCH(QByteArray, config);
        QFETCH(QStringList, expected);
        const QStringList tools = dos ? QStringList{"dosbox", "nasm"} : QStringList{"wine", "i686-w64-mingw32-gcc"};
        for (const QString& tool : tools) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(tool + " is not installed: this bridge was not tried end to end"));
        }
        const QString folder = m_home.file(dos ? "CCS 64 v20" : "CCS64 Win"), emulator = folder + "/CCS64.EXE";
        const QString source = QStringLiteral(VINTRAX_STANDIN_DIR) + (dos ? "/dos-standin.asm" : "/win-standin.c");
        QVERIFY(QDir().mkpath(folder) && writeFile(folder + "/C64.CFG", config));
        const RunResult built = dos ? runOracle("nasm", {"-f", "bin", "-o", emulator, source}, folder)
                                    : runOracle("i686-w64-mingw32-gcc", {"-o", emulator, source}, folder);
        QVERIFY2(built.exitCode == 0, built.err.constData());
        m_settings.CCS642Path = m_settings.DirectXPath = emulator;

        platform::ScriptedMessageBox box;
        std::optional<StartSettled> settled;
        const EmulatorKind kind = dos ? EmulatorKind::Ccs64Dos20 : EmulatorKind::Ccs64Win32;
        const LaunchRequest request{games(kGaense), 7, false, false, false, kind, m_home.file("Conversion")};
        const LaunchOutcome outcome =
            GameLaunch(request, m_settings, nullptr, [&settled](const StartSettled& s) { settled = s; });
        if (!dos && !outcome.started && box.last().text.contains("apt-get install wine32:i386"))
            QSKIP("wine32 is not installed (refused as the fake's row shows): the start was not tried");
        QVERIFY2(outcome.started, qPrintable(box.texts().join('\n')));
        QTRY_VERIFY_WITH_TIMEOUT(settled, 120000); // a first Wine start sets up its folder
        if (expected.first().startsWith("stand-in")) {
            QVERIFY(!settled->ran);
            QTRY_VERIFY(box.count() == 1 && box.last().text.endsWith(expected.join('\n')));
            return;
        }
        QVERIFY2(settled->ran, qPrintable(box.texts().join('\n')));
        QStringList report = QString::fromUtf8(readFile(folder + "/REPORT.TXT")).remove('\r').split('\n');
        report.replaceInStrings(QRegularExpression(" +$"), "");
        if (!dos) { // cwd, then the image's short Windows path with its entry
            QVERIFY2(report.value(1).endsWith(",7"), qPrintable(report.join('\n')));
            expected.replaceInStrings("%G", report.value(1).section(' ', 1).section('\\', 0, -2));
            report = report.mid(2);
        }
        QCOMPARE(report.mid(0, expected.size()), expected);
        QCOMPARE(readFile(m_home.file("My Games/SAVED.TXT")), QByteArray("written by the emulator"));
        QVERIFY(QFile::remove(m_home.file("My Games/SAVED.TXT")));
        QCOMPARE(box.count(), 0);
    }

private:
    QString started() const { return m_home.file("started"); }
    QString games(const QString& name) const { return m_home.file("My Games/") + name; }
    // The C64.CFG an emulator sees: the rewritten port lines (the other generation's line stays), the load path.
    static QStringList cfg(const char* ports, const QString& loadPath)
    {
        return QString(ports).split(' ') + QStringList{"$LOADPATH=" + loadPath, "; mine"};
    }
    static constexpr const char *kNinja = "Last Ninja, The.d64", *kOlf = "Ölf, 2.prg";
    static constexpr const char* kGaense = "Last Ninja, Gänse.d64";
    static constexpr const char* kPorts = "$CONTROLPORT1=1 $CONTROLPORT1MODE=4 $JOYSTICK1PC=9";

    TempProgramFolder m_home;
    Settings m_settings;
    const QByteArray m_path = qgetenv("PATH");
};

QTEST_GUILESS_MAIN(TestEmulatorBridges)
#include "TestEmulatorBridges.moc"
