// The demo's settings seed (scripts/demo-settings.sh): sidplayfp becomes the SID player when it is on the PATH and
// the settings name no player yet; a player the user set or cleared stays. Read back through QSettings.

#include "TestFolders.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestDemoPreset : public QObject
{
    Q_OBJECT

private slots:
    void presetsThePlayerOnlyWhenNoneIsSet_data()
    {
        QTest::addColumn<QByteArray>("before"); // "-" no settings file yet
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("after"); // the player, the music path, [Other]'s player; * the installed sidplayfp
        const QByteArray cleared = "[Startup]\nSidplayWPath=\nMusicPath=/m\n";
        const QByteArray otherGroup = "[Other]\nSidplayWPath=/elsewhere\n[Startup]\nMusicPath=/m\n";
        QTest::addRow("first start") << QByteArray("-") << true << "*|/prog/Demo/Music|";
        QTest::addRow("first start, no sidplayfp") << QByteArray("-") << false << "|/prog/Demo/Music|";
        QTest::addRow("player cleared by the user") << cleared << true << "|/m|";
        QTest::addRow("no player key, other groups") << otherGroup << true << "*|/m|/elsewhere";
    }
    void presetsThePlayerOnlyWhenNoneIsSet()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, installed);
        QFETCH(QString, after);
        QTemporaryDir dir; // bin: a PATH of the tools the script uses, and sidplayfp only when it is "installed"
        const QString sidplayfp = dir.filePath("bin/sidplayfp"), ini = dir.filePath("config/Vintrax/Vintrax.ini");
        QVERIFY(testsupport::writeFile(installed ? sidplayfp : dir.filePath("bin/other"), "#!/bin/sh\n"));
        QVERIFY(before == "-" || testsupport::writeFile(ini, before));
        QFile::setPermissions(sidplayfp, QFile::ReadOwner | QFile::ExeOwner);
        for (const char* tool : {"awk", "mkdir", "dirname", "mv"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(tool), dir.filePath("bin/") + tool));
        QProcess script;
        script.setEnvironment({"PATH=" + dir.filePath("bin")});
        script.start("/bin/bash", {QStringLiteral(VINTRAX_SOURCE_DIR "/scripts/demo-settings.sh"), ini, "/prog"});
        QVERIFY(script.waitForFinished() && script.exitCode() == 0 && !QFile::exists(ini + ".tmp"));
        QSettings read(ini, QSettings::IniFormat);
        QCOMPARE(QStringList({read.value("Startup/SidplayWPath").toString(), read.value("Startup/MusicPath").toString(),
                              read.value("Other/SidplayWPath").toString()})
                     .join('|'),
                 after.replace('*', sidplayfp));
    }
};

QTEST_GUILESS_MAIN(TestDemoPreset)
#include "TestDemoPreset.moc"
