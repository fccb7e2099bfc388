// The first run of an installed program: the user's data folder with a copy of the demo catalogue and screenshots,
// and the demo's folders preset; made whole or not at all (a full disk), and never again once there is a data
// folder or a settings file.
#include "SmallDisk.h"
#include "TestFolders.h"
#include "data/FirstRun.h"
#include "data/settings/SettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using catalogue::FirstRunResult;
using testsupport::readFile;
using testsupport::writeFile;

class TestFirstRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // Installed folders: the demo below the temp folder, the user's data folder below dataParent.
    platform::Folders installed(const QString& dataParent) const
    {
        platform::Folders f;
        f.installed = true;
        f.data = dataParent + "/Vintrax";
        f.catalogue = f.data + "/Vintrax.mdb";
        f.screenshots = f.data + "/Screenshots";
        f.demo = path("demo");
        return f;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(path("demo/Vintrax.mdb"), QByteArray(256 * 1024, 'c')));
        QVERIFY(writeFile(path("demo/Screenshots/nibble.gif"), "GIF89a"));
        QVERIFY(QFile::setPermissions(path("demo/Vintrax.mdb"), QFile::ReadOwner | QFile::ReadOther));
    }

    void firstRun_data()
    {
        QTest::addColumn<QString>("already"); // what is there before: "data", "settings" or nothing
        QTest::addColumn<bool>("isInstalled");
        QTest::addColumn<int>("result");
        QTest::newRow("first run") << "" << true << int(FirstRunResult::Prepared);
        QTest::newRow("data folder there") << "data" << true << int(FirstRunResult::NotFirstRun);
        QTest::newRow("settings there") << "settings" << true << int(FirstRunResult::NotFirstRun);
        QTest::newRow("program folder") << "" << false << int(FirstRunResult::NotFirstRun);
    }
    void firstRun()
    {
        QFETCH(QString, already);
        QFETCH(bool, isInstalled);
        QFETCH(int, result);
        const QString tag = QTest::currentDataTag();
        platform::Folders f = installed(path(tag + "/share"));
        f.installed = isInstalled;
        QVERIFY(already != "data" || QDir().mkpath(f.data));
        QVERIFY(already != "settings" || writeFile(path(tag + "/Vintrax.ini"), "[Startup]\n"));
        const auto store = openSettingsStore(path(tag + "/Vintrax.ini"));
        QCOMPARE(int(catalogue::prepareFirstRun(f, *store).result), result);
        const bool prepared = result == int(FirstRunResult::Prepared);
        QCOMPARE(readFile(f.catalogue), prepared ? readFile(path("demo/Vintrax.mdb")) : QByteArray());
        QCOMPARE(QDir(f.screenshots).entryList(QDir::Files), prepared ? QStringList("nibble.gif") : QStringList());
        QCOMPARE(store->value("Startup/GamesPath").toString(), prepared ? path("demo/Games") : QString());
        QCOMPARE(store->value("Startup/MusicPath").toString(), prepared ? path("demo/Music") : QString());
        QVERIFY(!prepared || QFileInfo(f.catalogue).permissions().testFlag(QFile::WriteOwner));
        QCOMPARE(QDir(path(tag + "/share")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 prepared || already == "data" ? QStringList("Vintrax") : QStringList());
    }

    // A disk that runs full while the catalogue is copied: the failure names the folder, and neither the data
    // folder, nor a half-made one, nor the settings are left; with room again the next start is a first run.
    void fullDisk()
    {
        testsupport::SmallDisk disk(1024 * 1024);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const platform::Folders f = installed(disk.path());
        const auto store = openSettingsStore(path("full/Vintrax.ini"));
        QVERIFY(disk.leaveFree(64 * 1024));
        const catalogue::FirstRunOutcome full = catalogue::prepareFirstRun(f, *store);
        QCOMPARE(int(full.result), int(FirstRunResult::Failed));
        QVERIFY2(full.error.contains(f.data), qPrintable(full.error));
        QCOMPARE(disk.entries(), QStringList());
        QVERIFY(!QFile::exists(path("full/Vintrax.ini")));
        disk.freeAll();
        QCOMPARE(int(catalogue::prepareFirstRun(f, *store).result), int(FirstRunResult::Prepared));
    }
};

QTEST_GUILESS_MAIN(TestFirstRun)
#include "TestFirstRun.moc"
