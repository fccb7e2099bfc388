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
    void relativeHomeBecomesAbsolute();
    void withoutHomeTheExecutablesFolder();
};

void TestProgramFolder::homeVariableNamesTheFolder()
{
    testsupport::TempProgramFolder home;
    QVERIFY(home.isValid());
    const QString dir = QDir(home.path()).absolutePath();
    QCOMPARE(programFolder(), dir);
    QCOMPARE(catalogueFilePath(), dir + "/Vintrax.mdb");
    QCOMPARE(conversionFolder(), dir + "/Conversion");
    QCOMPARE(screenshotsFolder(), dir + "/Screenshots");
    QCOMPARE(workFolder(), dir + "/CURRGAME");
    QCOMPARE(programFilePath("vintrax.txt"), dir + "/vintrax.txt");
    QCOMPARE(conversionToolPath("gunzip"), dir + "/Conversion/gunzip" + executableSuffix());
}

void TestProgramFolder::relativeHomeBecomesAbsolute()
{
    testsupport::TempProgramFolder home;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(home.path()));
    qputenv("VINTRAX_HOME", "Conversion/../Screenshots");
    const QString folder = programFolder();
    QDir::setCurrent(before);
    QCOMPARE(folder, QDir(home.path()).absolutePath() + "/Screenshots");
}

void TestProgramFolder::withoutHomeTheExecutablesFolder()
{
    testsupport::TempProgramFolder home; // restores the variable afterwards
    qunsetenv("VINTRAX_HOME");
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
    qputenv("VINTRAX_HOME", "");
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
    QCOMPARE(catalogueFilePath(), QCoreApplication::applicationDirPath() + "/Vintrax.mdb");
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
