#include "platform/PathNames.h"

#include <QTest>

using namespace platform;

class TestPathNames : public QObject
{
    Q_OBJECT

private slots:
    void splitPath_data();
    void splitPath();
    void splitAndJoinRoundTrip_data();
    void splitAndJoinRoundTrip();
    void joinPath_data();
    void joinPath();
    void storedNameToPath_data();
    void storedNameToPath();
    void storedNameOf();
};

void TestPathNames::splitPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("game below a folder") << "C:\\GAMES\\ELITE.D64"
                                         << "C:\\GAMES"
                                         << "ELITE.D64";
    QTest::newRow("game in a drive root") << "C:\\ELITE.D64"
                                          << "C:"
                                          << "ELITE.D64";
    QTest::newRow("bare name") << "ELITE.D64"
                               << ""
                               << "ELITE.D64";
    QTest::newRow("folder with trailing backslash") << "C:\\GAMES\\"
                                                    << "C:\\GAMES"
                                                    << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("linux path") << "/home/jo/c64/games/elite.d64"
                                << "/home/jo/c64/games"
                                << "elite.d64";
    QTest::newRow("linux folder with trailing slash") << "/home/jo/"
                                                      << "/home/jo"
                                                      << "";
    QTest::newRow("file in the linux root") << "/elite.d64"
                                            << "/"
                                            << "elite.d64";
    QTest::newRow("mixed separators, last one counts") << "games/action\\ELITE.D64"
                                                       << "games/action"
                                                       << "ELITE.D64";
    QTest::newRow("mixed separators the other way") << "C:\\GAMES/ELITE.D64"
                                                    << "C:\\GAMES"
                                                    << "ELITE.D64";
    QTest::newRow("blanks and quotes stay") << "/c 64/\"Last Ninja\" $(x).d64"
                                            << "/c 64"
                                            << "\"Last Ninja\" $(x).d64";
}

void TestPathNames::splitPath()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(FolderOfPath(path), folder);
    QCOMPARE(FileNameOfPath(path), name);
}

void TestPathNames::splitAndJoinRoundTrip_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("windows folder") << "C:\\GAMES\\ELITE.D64";
    QTest::newRow("windows drive root") << "C:\\ELITE.D64";
    QTest::newRow("linux folder") << "/home/jo/games/Elite.d64";
    QTest::newRow("linux root") << "/Elite.d64";
    QTest::newRow("relative") << "games/Elite.d64";
    QTest::newRow("bare name") << "Elite.d64";
}

// Callers take a chosen file apart and later join the pieces again: they must get the same file back.
void TestPathNames::splitAndJoinRoundTrip()
{
    QFETCH(QString, path);
    QCOMPARE(platform::joinPath(FolderOfPath(path), FileNameOfPath(path)), path);
}

void TestPathNames::joinPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joined");
    QTest::newRow("three-character drive root") << "C:\\"
                                                << "ELITE.D64"
                                                << "C:\\ELITE.D64";
    QTest::newRow("drive without backslash") << "C:"
                                             << "ELITE.D64"
                                             << "C:\\ELITE.D64";
    QTest::newRow("windows folder") << "C:\\GAMES"
                                    << "ELITE.D64"
                                    << "C:\\GAMES\\ELITE.D64";
    QTest::newRow("linux root stays one slash") << "/"
                                                << "elite.d64"
                                                << "/elite.d64";
    QTest::newRow("linux folder") << "/home/jo"
                                  << "elite.d64"
                                  << "/home/jo/elite.d64";
    QTest::newRow("linux folder with trailing slash") << "/home/jo/"
                                                      << "elite.d64"
                                                      << "/home/jo/elite.d64";
    QTest::newRow("relative folder") << "games"
                                     << "elite.d64"
                                     << "games/elite.d64";
    QTest::newRow("empty folder is skipped") << ""
                                             << "elite.d64"
                                             << "elite.d64";
    QTest::newRow("empty name gives the folder") << "/home/jo"
                                                 << ""
                                                 << "/home/jo";
}

void TestPathNames::joinPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, joined);
    QCOMPARE(platform::joinPath(folder, name), joined);
}

void TestPathNames::storedNameToPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain name") << "/c64/games"
                                << "ELITE.D64"
                                << "/c64/games/ELITE.D64";
    QTest::newRow("sub-folders") << "/c64/games"
                                 << "ACTION\\1984\\ELITE.D64"
                                 << "/c64/games/ACTION/1984/ELITE.D64";
    QTest::newRow("leading backslash stays below the folder") << "/c64/games"
                                                              << "\\ACTION\\ELITE.D64"
                                                              << "/c64/games/ACTION/ELITE.D64";
    QTest::newRow("doubled backslash") << "/c64/games"
                                       << "ACTION\\\\ELITE.D64"
                                       << "/c64/games/ACTION/ELITE.D64";
    QTest::newRow("forward slashes too") << "/c64/games"
                                         << "ACTION/ELITE.D64"
                                         << "/c64/games/ACTION/ELITE.D64";
    QTest::newRow("folder is the root") << "/"
                                        << "A\\ELITE.D64"
                                        << "/A/ELITE.D64";
    QTest::newRow("folder with trailing slash") << "/c64/games/"
                                                << "ELITE.D64"
                                                << "/c64/games/ELITE.D64";
    QTest::newRow("windows folder") << "C:\\GAMES"
                                    << "ACTION\\ELITE.D64"
                                    << "C:\\GAMES\\ACTION\\ELITE.D64";
    QTest::newRow("windows drive root") << "C:\\"
                                        << "ELITE.D64"
                                        << "C:\\ELITE.D64";
    QTest::newRow("no folder") << ""
                               << "ACTION\\ELITE.D64"
                               << "ACTION/ELITE.D64";
    QTest::newRow("odd characters stay as they are") << "/c64"
                                                     << "Last Ninja, The \"2\" $(rm x) 'a'.d64"
                                                     << "/c64/Last Ninja, The \"2\" $(rm x) 'a'.d64";
    // Nothing stored must not turn into the folder itself, which exists and would count as the file.
    QTest::newRow("empty name gives no path") << "/c64/games"
                                              << ""
                                              << "";
    QTest::newRow("separators only give no path") << "/c64/games"
                                                  << "\\\\"
                                                  << "";
}

void TestPathNames::storedNameToPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, stored);
    QFETCH(QString, path);
    QCOMPARE(platform::storedNameToPath(folder, stored), path);
}

void TestPathNames::storedNameOf()
{
    QCOMPARE(platform::storedNameOf("ACTION/1984/ELITE.D64"), QString("ACTION\\1984\\ELITE.D64"));
    QCOMPARE(platform::storedNameOf("ELITE.D64"), QString("ELITE.D64"));
    QCOMPARE(platform::storedNameToPath("/g", platform::storedNameOf("A/B.D64")), QString("/g/A/B.D64"));
}

QTEST_GUILESS_MAIN(TestPathNames)
#include "TestPathNames.moc"
