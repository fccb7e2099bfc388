// The emulator bridges with the real DOSBox and Wine, where installed (CI has neither: the rows skip and say so).
// Stand-in emulators built here from standins/ (nasm, mingw-w64) report their arguments, folder, whether the image
// opens and the C64.CFG they see, and save a file into their load path. DOSBox runs without a window (SDL's dummy
// driver); Wine keeps its folder in the build tree, so only the first run sets it up.
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

class TestBridgesEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* t : {"vintrax-bridgetool", "vintrax-wine", "vintrax-dosbox", "vintrax-bridge-common"})
            QVERIFY(QFile::link(toolPath(t), m_home.file(QStringLiteral("Conversion/") + t)));
        QVERIFY(writeFile(m_home.file("My Games/Last Ninja, Gänse.d64"), QByteArray(174848, 0)));
        qputenv("HOME", m_home.file("home").toLocal8Bit()); // DOSBox keeps its settings there
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        qputenv("WINEPREFIX", (QCoreApplication::applicationDirPath() + "/wineprefix").toLocal8Bit());
        m_settings.DefaultPorts = {0, 1, 2, 0, 1, 0, 3, 0};
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
        const LaunchRequest request{
            m_home.file("My Games/Last Ninja, Gänse.d64"), 7, false, false, false, kind, m_home.file("Conversion")};
        const LaunchOutcome outcome =
            GameLaunch(request, m_settings, nullptr, [&settled](const StartSettled& s) { settled = s; });
        if (!dos && !outcome.started) { // Wine without its 32-bit part: told, nothing written
            QVERIFY2(box.last().text.contains("apt-get install wine32:i386"), qPrintable(box.last().text));
            QCOMPARE(readFile(folder + "/C64.CFG"), config);
            QSKIP("wine32 is not installed: the refusal was checked, the start was not tried");
        }
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
    TempProgramFolder m_home;
    Settings m_settings;
};

QTEST_GUILESS_MAIN(TestBridgesEndToEnd)
#include "TestBridgesEndToEnd.moc"
