// A game's joystick ports and the emulator's configuration they are written into: what the joystick dialog shows for
// the stored ports and hands back (storing them and the refusal are the window's command, tested with the window);
// the configuration's line rules, the file replaced under its real name, files that cannot be rewritten left alone
// (a refusal made real by running the writer as another user).
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "WriterProbe.h"
#include "data/settings/Settings.h"
#include "launch/EmulatorConfig.h"
#include "launch/EmulatorSettings.h"
#include "launch/gui/frmControls.h"
#include "platform/ScriptedMessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace launch;
using namespace testsupport;

namespace {
const PortValues kExampleValues{1, 0, 2, 3};
constexpr uint kNobody = 65534;
} // namespace

class TestEmulatorConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_settings.DefaultPorts = {1, 0, 0, 2, 1, 1, 0, 1}; }
    // A caption of another field is no value of this one (storing the eight values is the window's command).
    void captionOfAnotherField() { QCOMPARE(storedValueOf(PortField::Port2Key, "PC Joystick 1"), -1); }
    void defaultsShowGreyedAndBecomeTheGamesOwn()
    {
        frmControls d("Settings for Uridium...", m_settings, GamePorts{true, {0, 0, 0, 0, 0, 0, 2, 2}});
        auto* tabs = d.findChild<QTabWidget*>("SSTab");
        QVERIFY(d.findChild<QCheckBox*>("chkDefaults")->isChecked() && !tabs->isEnabled());
        // DefPort1Joy 1, DefPort2Key 2, DXDefPort1Key 0, DXDefPort2Key 1
        QCOMPARE(captions(&d, {"cmd1Port1Joy", "cmd1Port2Key", "cmd2Port1Key", "cmd2Port2Key"}),
                 "PC Joystick 2|Key Set 3|PC Joystick 1|PC Joystick 2");
        d.findChild<QCheckBox*>("chkDefaults")->click();
        QVERIFY(tabs->isEnabled());
        button(&d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.chosenPorts(), (GamePorts{false, {1, 0, 0, 2, 1, 1, 0, 1}}));
    }
    void okWithDefaultsTickedStillHandsBackTheButtons()
    {
        frmControls d("Settings for Elite...", m_settings, GamePorts{false, {7, 0, 2, 1, 0, 1, 2, 0}});
        // The game's own values; any non-zero joystick value shows as the second joystick.
        QCOMPARE(captions(&d, {"cmd1Port1Key", "cmd1Port1Joy"}), "Key Set 3|PC Joystick 2");
        QPushButton* b = button(&d, "cmd2Port1Key"); // 2 = "Key Set 1", round to it again
        QStringList seen{b->text()};
        for (int i = 0; i < 5; ++i)
            seen << (b->click(), b->text());
        QCOMPARE(seen.join('|'), "Key Set 1|Key Set 2|Key Set 3|PC Joystick 1|PC Joystick 2|Key Set 1");
        button(&d, "cmd1Port1Joy")->click(); // PC Joystick 2 -> 1
        d.findChild<QCheckBox*>("chkDefaults")->click();
        button(&d, "cmdOK")->click();
        QCOMPARE(d.chosenPorts(), (GamePorts{true, {0, 0, 2, 1, 0, 1, 2, 0}}));
    }
    void rewritesLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("secondGeneration");
        QTest::addColumn<QString>("loadFolder");
        QTest::addColumn<QByteArray>("after");

        const auto row = [](const char* tag, const char* before, bool second, const char* folder, const char* after) {
            QTest::newRow(tag) << QByteArray(before) << second << QString(folder) << QByteArray(after);
        };
        // clang-format off
        row("second generation, all keys", "$CONTROLPORT2=1\r\n$CONTROLPORT1MODE=4\r\n$CONTROLPORT1=\r\n", true, "C:\\G", "$CONTROLPORT2=0\r\n$CONTROLPORT1MODE=2\r\n$CONTROLPORT1=1\r\n");
        row("first generation leaves second-generation keys", "$JOYSTICK1PC=0\r\n$JOYSTICK2PC=1\r\n$JOYSTICK1KEY=9\r\n$JOYSTICK2KEY=0\r\n$CONTROLPORT1=0\r\n$LOADPATH=X\r\n", false, "C:\\GAMES\\A", "$JOYSTICK1PC=1\r\n$JOYSTICK2PC=0\r\n$JOYSTICK1KEY=2\r\n$JOYSTICK2KEY=3\r\n$CONTROLPORT1=0\r\n$LOADPATH=C:\\GAMES\\A\\\r\n");
        row("lower-case and near-miss keys are not recognised", "$loadpath=C:\\\r\n$LOADPATH =C:\\\r\nLOADPATH=1\r\n $CONTROLPORT1=0\r\n$CONTROLPORT1\r\n", true, "C:\\NEW", "$loadpath=C:\\\r\n$LOADPATH =C:\\\r\nLOADPATH=1\r\n $CONTROLPORT1=0\r\n$CONTROLPORT1\r\n");
        row("mixed line ends, an empty first line, no final line end", "\na\nb\rc\r\n\n$LOADPATH=x\r\r\nlast", false, "C:\\A", "\r\na\r\nb\r\nc\r\n\r\n$LOADPATH=C:\\A\\\r\n\r\nlast\r\n");
        row("native folder ends in a slash", "$LOADPATH=/old/\n", true, "/home/me/C64 games/A", "$LOADPATH=/home/me/C64 games/A/\r\n");
        row("root folder is not doubled", "$LOADPATH=/old/\r\n", true, "/", "$LOADPATH=/\r\n");
        // clang-format on
    }
    void rewritesLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, secondGeneration);
        QFETCH(QString, loadFolder);
        QFETCH(QByteArray, after);

        QCOMPARE(rewriteEmulatorConfig(before, kExampleValues, loadFolder, secondGeneration), after);
    }
    void rewritesInPlaceOrLeavesAlone_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("result");
        // Replaced under its real name with its permissions; negative values are written with their sign.
        QTest::newRow("written") << "written" << int(ConfigWriteResult::Written);
        QTest::newRow("empty") << "empty" << int(ConfigWriteResult::Empty);
        QTest::newRow("missing") << "missing" << int(ConfigWriteResult::Failed);
        QTest::newRow("read-only, the one reported") << "read-only" << int(ConfigWriteResult::ReadOnly);
        // Root may replace anything, so the writer runs as another user (the writer probe under setpriv), for whom the
        // refusal is real: the permission bits allow writing to the owner, so the file does not count as read-only.
        QTest::newRow("folder of another user") << "other's folder" << int(ConfigWriteResult::ReadOnly);
    }
    // The file is asked for in another letter case. Unless written, it and its folder stay exactly as they were; only
    // a refusal is told.
    void rewritesInPlaceOrLeavesAlone()
    {
        QFETCH(QString, file);
        QFETCH(int, result);
        const bool other = file.startsWith("other's");
        if (other && (QStandardPaths::findExecutable("setpriv").isEmpty() || ::geteuid() != 0))
            QSKIP("running the writer as another user needs root and setpriv");
        QTemporaryDir dir;
        const QString folder = dir.filePath("CCS64"), path = folder + "/C64.CFG";
        QVERIFY(QDir().mkpath(folder));
        if (file != "missing")
            QVERIFY(writeFile(path, file == "empty" ? "" : "$CONTROLPORT1=0\r\n$LOADPATH=D:\\\r\n"));
        const auto own = [](const QString& p, mode_t mode, uid_t user) {
            return ::chmod(QFile::encodeName(p).constData(), mode) == 0 &&
                   ::chown(QFile::encodeName(p).constData(), user, 0) == 0;
        };
        if (file == "read-only" || file == "written")
            QVERIFY(own(path, file == "written" ? 0640 : 0444, 0));
        if (other) // the folder is the other user's
            QVERIFY(own(dir.path(), 0755, 0) && own(folder, 0755, kNobody) && own(path, 0644, 0));
        const QByteArray before = readFile(path);
        platform::ScriptedMessageBox box;
        QString told;
        if (other) {
            const RunResult r = runOracle(
                "setpriv",
                {"--reuid=65534", "--regid=65534", "--clear-groups", writerprobe::probePath(), "config", path, "0"},
                dir.path());
            QCOMPARE(r.exitCode, result);
            told = QString::fromUtf8(r.err); // no message box there: the message goes to stderr
        } else {
            const PortValues values = file == "written" ? PortValues{-1, 0, 0, 0} : kExampleValues;
            QCOMPARE(int(WriteEmulatorConfig(dir.filePath("ccs64/c64.cfg"), values, "C:\\A", true)), result);
            told = box.texts().join('\n');
        }
        const QString refused = "Could not write to File: 'C64.CFG'.  Please check it is not set to Read-Only!";
        QVERIFY2(result == int(ConfigWriteResult::ReadOnly) ? told.contains(refused) : told.isEmpty(),
                 qPrintable(told));
        QCOMPARE(readFile(path), file == "written" ? QByteArray("$CONTROLPORT1=-1\r\n$LOADPATH=C:\\A\\\r\n") : before);
        if (file == "written")
            QCOMPARE(QFile::permissions(path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 file == "missing" ? QStringList() : QStringList{"C64.CFG"});
    }

private:
    static QPushButton* button(QWidget* d, const char* name) { return d->findChild<QPushButton*>(name); }
    static QString captions(QWidget* d, std::initializer_list<const char*> names)
    {
        QStringList shown;
        for (const char* name : names)
            shown << button(d, name)->text();
        return shown.join('|');
    }
    Settings m_settings;
};

QTEST_MAIN(TestEmulatorConfig)
#include "TestEmulatorConfig.moc"
