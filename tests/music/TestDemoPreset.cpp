// The demo's settings seed (scripts/demo-settings.sh): sidplayfp on the PATH becomes the SID player of [Startup] when
// it names none; the music path and another group's player key stay. Read back through QSettings.
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
    void presetsThePlayerWhenNoneIsSet()
    {
        QTemporaryDir dir; // bin: a PATH of the tools the script uses and sidplayfp
        const QString sidplayfp = dir.filePath("bin/sidplayfp"), ini = dir.filePath("config/Vintrax/Vintrax.ini");
        QVERIFY(testsupport::writeFile(sidplayfp, "#!/bin/sh\n") &&
                testsupport::writeFile(ini, "[Other]\nSidplayWPath=/elsewhere\n[Startup]\nMusicPath=/m\n"));
        QFile::setPermissions(sidplayfp, QFile::ReadOwner | QFile::ExeOwner);
        for (const char* tool : {"awk", "mkdir", "dirname", "mv"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(tool), dir.filePath("bin/") + tool));
        QProcess script;
        script.setEnvironment({"PATH=" + dir.filePath("bin")});
        script.start("/bin/bash", {QStringLiteral(VINTRAX_SOURCE_DIR "/scripts/demo-settings.sh"), ini, "/prog"});
        QVERIFY(script.waitForFinished() && script.exitCode() == 0 && !QFile::exists(ini + ".tmp"));
        QSettings read(ini, QSettings::IniFormat);
        QCOMPARE(QStringList({read.value("Startup/SidplayWPath").toString(), read.value("Startup/MusicPath").toString(),
                              read.value("Other/SidplayWPath").toString()}),
                 QStringList({sidplayfp, "/m", "/elsewhere"}));
    }
};

QTEST_GUILESS_MAIN(TestDemoPreset)
#include "TestDemoPreset.moc"
