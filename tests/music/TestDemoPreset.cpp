// The demo's settings seed (scripts/demo-settings.sh): sidplayfp becomes the SID player when it is on the PATH
// and the settings name no player yet; a player the user set or cleared stays. The result is read back as
// the program reads its settings file, through QSettings.

#include "ProcessRunner.h"
#include "TestFolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestDemoPreset : public QObject
{
    Q_OBJECT

private slots:
    void presetsThePlayerOnlyWhenNoneIsSet_data();
    void presetsThePlayerOnlyWhenNoneIsSet();
};

void TestDemoPreset::presetsThePlayerOnlyWhenNoneIsSet_data()
{
    QTest::addColumn<QByteArray>("before"); // "-" no settings file yet
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("player"); // "*" the installed sidplayfp
    QTest::addColumn<QString>("musicPath");
    const QByteArray cleared = "[Startup]\nSidplayWPath=\nMusicPath=/m\n";
    const QByteArray otherGroup = "[Other]\nSidplayWPath=/elsewhere\n[Startup]\nMusicPath=/m\n";
    // clang-format off
    QTest::addRow("first start") << QByteArray("-") << true << "*" << "%1/Demo/Music";
    QTest::addRow("first start, no sidplayfp") << QByteArray("-") << false << "" << "%1/Demo/Music";
    QTest::addRow("player cleared by the user") << cleared << true << "" << "/m";
    QTest::addRow("no player key, other groups") << otherGroup << true << "*" << "/m";
    // clang-format on
}

void TestDemoPreset::presetsThePlayerOnlyWhenNoneIsSet()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, installed);
    QFETCH(QString, player);
    QFETCH(QString, musicPath);
    QTemporaryDir dir;
    // A PATH of its own: the tools the script uses, and a sidplayfp only when it is "installed".
    const QString bin = dir.filePath("bin");
    QVERIFY(QDir().mkpath(bin));
    for (const char* tool : {"awk", "mkdir", "dirname", "mv"})
        QVERIFY(QFile::link(QStandardPaths::findExecutable(tool), bin + '/' + tool));
    const QString sidplayfp = bin + "/sidplayfp";
    if (installed) {
        QVERIFY(testsupport::writeFile(sidplayfp, "#!/bin/sh\n"));
        QFile::setPermissions(sidplayfp, QFile::ReadOwner | QFile::ExeOwner);
    }
    const QString ini = dir.filePath("config/Vintrax/Vintrax.ini");
    if (before != "-")
        QVERIFY(testsupport::writeFile(ini, before));

    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", bin);
    script.setProcessEnvironment(env);
    script.start("/bin/bash", {QStringLiteral(VINTRAX_SOURCE_DIR "/scripts/demo-settings.sh"), ini, "/prog"});
    QVERIFY(script.waitForFinished());
    QCOMPARE(script.exitCode(), 0);
    QVERIFY(!QFile::exists(ini + ".tmp"));
    QSettings read(ini, QSettings::IniFormat);
    QCOMPARE(read.value("Startup/SidplayWPath").toString(), player == "*" ? sidplayfp : player);
    QCOMPARE(read.value("Startup/MusicPath").toString(), musicPath.arg("/prog"));
    if (before.startsWith("[Other]"))
        QCOMPARE(read.value("Other/SidplayWPath").toString(), "/elsewhere");
}

QTEST_GUILESS_MAIN(TestDemoPreset)
#include "TestDemoPreset.moc"
