// Where the program folder is (VINTRAX_HOME or the executable's folder) and the files it holds.
#include "platform/ProgramFolder.h"

#include "TestFolders.h"
#include "platform/ExecutableSuffix.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

using namespace platform;

class TestProgramFolder : public QObject
{
    Q_OBJECT

private slots:
    void homeVariableNamesTheFolder();
    void withoutHomeTheExecutablesFolder();
};

void TestProgramFolder::homeVariableNamesTheFolder()
{
    testsupport::TempProgramFolder home;
    const QString dir = QDir(home.path()).absolutePath();
    QCOMPARE(QStringList({programFolder(), catalogueFilePath(), conversionFolder(), screenshotsFolder(), workFolder(),
                          programFilePath("vintrax.txt"), conversionToolPath("gunzip")}),
             QStringList({dir, dir + "/Vintrax.mdb", dir + "/Conversion", dir + "/Screenshots", dir + "/CURRGAME",
                          dir + "/vintrax.txt", dir + "/Conversion/gunzip" + executableSuffix()}));
    // A relative folder is taken from the current folder.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(home.path()));
    qputenv("VINTRAX_HOME", "Conversion/../Screenshots");
    const QString folder = programFolder();
    QDir::setCurrent(before);
    QCOMPARE(folder, dir + "/Screenshots");
}

void TestProgramFolder::withoutHomeTheExecutablesFolder()
{
    testsupport::TempProgramFolder home; // restores the variable afterwards
    qunsetenv("VINTRAX_HOME");
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
    qputenv("VINTRAX_HOME", "");
    QCOMPARE(catalogueFilePath(), QCoreApplication::applicationDirPath() + "/Vintrax.mdb");
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
