// The emulator bridges with the real DOSBox and Wine, where they are installed: stand-in emulators built here from
// tests/launch/standins (nasm for DOS, mingw-w64 for Win32) report their arguments, folder, whether the image opens
// and the C64.CFG they see, and save a file into their load path. A row whose tools are missing is skipped, and says
// so; CI has neither. DOSBox runs without a window (SDL's dummy driver); Wine keeps its folder in the build tree, so
// only the first run pays for setting it up.
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "data/settings/Settings.h"
#include "launch/GameLaunch.h"
#include "platform/ScriptedMessageBox.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace launch;
using namespace testsupport;

namespace {
const QString kGame = QStringLiteral("Last Ninja, Gänse.d64"); // a blank, a comma, non-ASCII letters
const QByteArray kConfig("$CONTROLPORT1=0\r\n$CONTROLPORT1MODE=0\r\n$LOADPATH=C:\\\r\n$SOUND=1\r\n");
} // namespace

class TestBridgesEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* t : {"vintrax-bridgetool", "vintrax-wine", "vintrax-dosbox", "vintrax-bridge-common"})
            QVERIFY(QFile::link(toolPath(t), m_home.file(QStringLiteral("Conversion/") + t)));
        QVERIFY(writeFile(m_home.file("My Games/") + kGame, QByteArray(174848, 0)) &&
                writeFile(m_home.file("My Games/SIDE 2.D64"), QByteArray(174848, 0)));
        qputenv("HOME", m_home.file("home").toLocal8Bit()); // DOSBox writes its settings there
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        qputenv("WINEPREFIX", (QCoreApplication::applicationDirPath() + "/wineprefix").toLocal8Bit());
        qputenv("WINEDEBUG", "-all");
        m_settings.DefaultPorts = {0, 1, 2, 0, 1, 0, 3, 0};
    }

    void startsThroughTheRealBridge_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("config");
        // The stand-in's report (%G the games folder as the emulator names it), or the message's end.
        QTest::addColumn<QStringList>("expected");
        const int dos = int(EmulatorKind::Ccs64Dos20), win = int(EmulatorKind::Ccs64Win32);
        QTest::newRow("DOSBox") << dos << kConfig
                                << QStringList{
                                       "args: E:\\GAME.D64,7", "cwd: C:\\",      "image opens", "$CONTROLPORT1=1",
                                       "$CONTROLPORT1MODE=3",  "$LOADPATH=D:\\", "$SOUND=1"};
        QTest::newRow("DOSBox: errorlevel inside")
            << dos << QByteArray("$CONTROLPORT1=0\r\n")
            << QStringList{"stand-in: no load path in C64.CFG", "vintrax-dosbox: CCS64.EXE ended with errorlevel 3"};
        QTest::newRow("Wine") << win << kConfig
                              << QStringList{"cwd: %E",         "arg: %G\\%I,7",       "image opens",
                                             "$CONTROLPORT1=1", "$CONTROLPORT1MODE=3", "$LOADPATH=%G\\",
                                             "$SOUND=1"};
    }
    void startsThroughTheRealBridge()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, config);
        QFETCH(QStringList, expected);
        const bool dos = kind != int(EmulatorKind::Ccs64Win32);
        const QString folder = m_home.file(dos ? "CCS 64 v20" : "CCS64 Win");
        const QString emulator = folder + (dos ? "/CCS64.EXE" : "/CCS64DX.EXE");
        const QString source = QStringLiteral(VINTRAX_STANDIN_DIR) + (dos ? "/dos-standin.asm" : "/win-standin.c");
        const QStringList needed =
            dos ? QStringList{"dosbox", "nasm"} : QStringList{"wine", "winepath", "i686-w64-mingw32-gcc"};
        for (const QString& program : needed) {
            if (QStandardPaths::findExecutable(program).isEmpty())
                QSKIP(qPrintable(program + " is not installed: this bridge was not tried end to end"));
        }
        QDir().mkpath(folder);
        const RunResult built = dos ? runOracle("nasm", {"-f", "bin", "-o", emulator, source}, folder)
                                    : runOracle("i686-w64-mingw32-gcc", {"-O2", "-o", emulator, source}, folder);
        QVERIFY2(built.exitCode == 0, built.err.constData());
        QVERIFY(writeFile(folder + "/C64.CFG", config));
        (dos ? m_settings.CCS642Path : m_settings.DirectXPath) = emulator;

        platform::ScriptedMessageBox box;
        std::optional<StartSettled> settled;
        const LaunchOutcome outcome =
            GameLaunch({m_home.file("My Games/") + kGame, 7, false, false, false, EmulatorKind(kind)}, m_settings,
                       nullptr, [&settled](const StartSettled& s) { settled = s; });
        if (!dos && !outcome.started) { // Wine without its 32-bit part: told, nothing written
            QVERIFY2(box.last().text.contains("apt-get install wine32:i386"), qPrintable(box.last().text));
            QCOMPARE(readFile(folder + "/C64.CFG"), config);
            QSKIP("wine32 is not installed: the refusal was checked, the start was not tried");
        }
        QVERIFY(outcome.started);
        QTRY_VERIFY_WITH_TIMEOUT(settled, 120000); // a first Wine start sets up its folder
        if (expected.first().startsWith("stand-in")) {
            QVERIFY(!settled->ran);
            QTRY_VERIFY(box.count() == 1);
            QVERIFY2(box.last().text.endsWith(expected.join('\n')), qPrintable(box.last().text));
            return;
        }
        QVERIFY2(settled->ran, qPrintable(box.texts().join('\n')));
        const QStringList report = QString::fromUtf8(readFile(folder + "/REPORT.TXT")).remove('\r').split('\n');
        if (!dos) { // Wine's names for the emulator's folder and the games folder
            expected.replaceInStrings("%E", report.value(0).mid(5));
            const QString image = report.value(1).mid(5).section(',', 0, 0);
            expected.replaceInStrings("%G", image.section('\\', 0, -2)).replaceInStrings("%I", image.section('\\', -1));
        }
        QCOMPARE(report.mid(0, expected.size()).replaceInStrings(QRegularExpression(" +$"), ""), expected);
        QCOMPARE(readFile(m_home.file("My Games/SAVED.TXT")), QByteArray("written by the emulator"));
        QVERIFY(QFile::remove(m_home.file("My Games/SAVED.TXT")));
        // C64.CFG keeps its other lines and its line ends.
        QVERIFY(readFile(folder + "/C64.CFG").endsWith("\\\r\n$SOUND=1\r\n"));
        QCOMPARE(box.count(), 0);
    }

private:
    TempProgramFolder m_home;
    Settings m_settings;
};

QTEST_GUILESS_MAIN(TestBridgesEndToEnd)
#include "TestBridgesEndToEnd.moc"
