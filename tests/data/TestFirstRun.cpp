// The first run of an installed program (the package test runs the whole of it): made whole or not at all on a full
// disk, and never when there is a data folder or a settings file.
#include "SmallDisk.h"
#include "TestFolders.h"
#include "data/FirstRun.h"
#include "data/settings/SettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using catalogue::FirstRunResult;
using testsupport::writeFile;

class TestFirstRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // Installed folders: the demo below the temp folder, the user's data folder below dataParent.
    platform::Folders installed(const QString& dataParent) const
    {
        platform::Folders f = platform::Folders::inProgramFolder(dataParent + "/Vintrax");
        f.installed = true;
        f.demo = path("demo");
        return f;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(path("demo/Vintrax.mdb"), QByteArray(256 * 1024, 'c')));
        QVERIFY(writeFile(path("demo/Screenshots/nibble.gif"), "GIF89a"));
    }

    void notFirstRun_data()
    {
        QTest::addColumn<QString>("already"); // the "data" folder or the "settings" file
        QTest::newRow("data folder there") << "data";
        QTest::newRow("settings there") << "settings";
    }
    void notFirstRun()
    {
        QFETCH(QString, already);
        const platform::Folders f = installed(path(already + "/share"));
        QVERIFY(already != "data" || QDir().mkpath(f.data));
        QVERIFY(already != "settings" || writeFile(path(already + "/Vintrax.ini"), "[Startup]\n"));
        const auto store = openSettingsStore(path(already + "/Vintrax.ini"));
        QCOMPARE(int(catalogue::prepareFirstRun(f, *store).result), int(FirstRunResult::NotFirstRun));
        QVERIFY(!QFile::exists(f.catalogue) && !store->contains("Startup/GamesPath"));
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
        QCOMPARE(testsupport::readFile(f.catalogue), testsupport::readFile(path("demo/Vintrax.mdb")));
    }
};

QTEST_GUILESS_MAIN(TestFirstRun)
#include "TestFirstRun.moc"
