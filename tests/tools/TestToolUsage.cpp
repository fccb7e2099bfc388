// Every conversion tool refuses arguments it does not take with its usage line, a non-zero exit code and no file
// touched; the launcher calls each with one fixed form, so anything else is a fault in the caller.

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>

class TestToolUsage : public QObject
{
    Q_OBJECT

private slots:
    void refusesArguments_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("gunzip: nothing") << "gunzip" << QStringList();
        QTest::newRow("gunzip: unknown option") << "gunzip" << QStringList{"-x", "a.gz"};
        QTest::newRow("lha: other command") << "lha" << QStringList{"x", "/m", "in"};
        QTest::newRow("lha: unknown switch") << "lha" << QStringList{"e", "-x", "in"};
        QTest::newRow("bmp2gif: input only") << "bmp2gif" << QStringList{"in"};
        QTest::newRow("bmp2gif: empty name") << "bmp2gif" << QStringList{"in", ""};
        QTest::newRow("zip2d64: three names") << "zip2d64" << QStringList{"in", "a.d64", "b.d64"};
        QTest::newRow("maketape: no files") << "maketape" << QStringList{"vtrxmktp"};
        QTest::newRow("starlynx: other command") << "starlynx" << QStringList{"e", "in", "out.d64"};
        QTest::newRow("starlynx: no output name") << "starlynx" << QStringList{"x", "in"};
        QTest::newRow("vintrax-bridgetool: other command") << "vintrax-bridgetool" << QStringList{"rewrite", "in"};
    }

    void refusesArguments()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("in")), tooltest::noiseBytes(100, 13)));
        const testsupport::RunResult r = tooltest::runTool(tool, args, dir.path());
        QVERIFY2(r.started && !r.crashed && r.exitCode != 0, qPrintable(tooltest::describe(r)));
        QVERIFY2(r.err.contains("usage: " + tool.toLatin1() + ' '), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(tooltest::entries(dir.path()), QStringList{QStringLiteral("in")});
    }
};

QTEST_GUILESS_MAIN(TestToolUsage)
#include "TestToolUsage.moc"
