// Taking paths apart and joining them, Windows and Linux spellings alike, and turning the catalogue's stored
// names (relative, with backslashes) into paths and back.
#include "platform/PathNames.h"

#include <QTest>

using namespace platform;

class TestPathNames : public QObject
{
    Q_OBJECT

private slots:
    void splitPath_data();
    void splitPath();
    void joinPathKeepsOneSeparator();
    void storedNameToPath_data();
    void storedNameToPath();
};

namespace {
void row(const char* tag, const QString& a, const QString& b, const QString& c)
{
    QTest::newRow(tag) << a << b << c;
}
} // namespace

void TestPathNames::splitPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    row("game below a folder", "C:\\GAMES\\ELITE.D64", "C:\\GAMES", "ELITE.D64");
    row("game in a drive root", "C:\\ELITE.D64", "C:", "ELITE.D64");
    row("bare name", "ELITE.D64", "", "ELITE.D64");
    row("folder with trailing backslash", "C:\\GAMES\\", "C:\\GAMES", "");
    row("empty", "", "", "");
    row("linux path", "/home/jo/c64/games/elite.d64", "/home/jo/c64/games", "elite.d64");
    row("file in the linux root", "/elite.d64", "/", "elite.d64");
    row("mixed separators, last one counts", "games/action\\ELITE.D64", "games/action", "ELITE.D64");
    row("mixed separators the other way", "C:\\GAMES/ELITE.D64", "C:\\GAMES", "ELITE.D64");
    row("blanks and quotes stay", "/c 64/\"Last Ninja\" $(x).d64", "/c 64", "\"Last Ninja\" $(x).d64");
}

// Callers take a chosen file apart and later join the pieces again: they must get the same file back.
void TestPathNames::splitPath()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(FolderOfPath(path), folder);
    QCOMPARE(FileNameOfPath(path), name);
    if (!name.isEmpty() && !(path.contains('\\') && path.contains('/')))
        QCOMPARE(platform::joinPath(folder, name), path);
}

// Joining keeps one separator after a root or a trailing one, and an empty name gives the folder.
void TestPathNames::joinPathKeepsOneSeparator()
{
    QCOMPARE(platform::joinPath("C:\\", "ELITE.D64"), QString("C:\\ELITE.D64"));
    QCOMPARE(platform::joinPath("/home/jo/", "elite.d64"), QString("/home/jo/elite.d64"));
    QCOMPARE(platform::joinPath("/home/jo", ""), QString("/home/jo"));
}

void TestPathNames::storedNameToPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("path");
    row("plain name", "/c64/games", "ELITE.D64", "/c64/games/ELITE.D64");
    row("sub-folders", "/c64/games", "ACTION\\1984\\ELITE.D64", "/c64/games/ACTION/1984/ELITE.D64");
    row("leading backslash stays below the folder", "/c64/games", "\\ACTION\\ELITE.D64", "/c64/games/ACTION/ELITE.D64");
    row("doubled backslash", "/c64/games", "ACTION\\\\ELITE.D64", "/c64/games/ACTION/ELITE.D64");
    row("forward slashes too", "/c64/games", "ACTION/ELITE.D64", "/c64/games/ACTION/ELITE.D64");
    row("folder is the root", "/", "A\\ELITE.D64", "/A/ELITE.D64");
    row("folder with trailing slash", "/c64/games/", "ELITE.D64", "/c64/games/ELITE.D64");
    row("windows folder", "C:\\GAMES", "ACTION\\ELITE.D64", "C:\\GAMES\\ACTION\\ELITE.D64");
    row("windows drive root", "C:\\", "ELITE.D64", "C:\\ELITE.D64");
    row("no folder", "", "ACTION\\ELITE.D64", "ACTION/ELITE.D64");
    row("odd characters stay as they are", "/c64", "Last Ninja, The \"2\" $(rm x) 'a'.d64",
        "/c64/Last Ninja, The \"2\" $(rm x) 'a'.d64");
    // Nothing stored must not turn into the folder itself, which exists and would count as the file.
    row("empty name gives no path", "/c64/games", "", "");
    row("separators only give no path", "/c64/games", "\\\\", "");
}

void TestPathNames::storedNameToPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, stored);
    QFETCH(QString, path);
    QCOMPARE(platform::storedNameToPath(folder, stored), path);
    // A relative name below the folder is stored back as it was, with backslashes.
    if (QTest::currentDataTag() == QByteArray("sub-folders"))
        QCOMPARE(platform::storedNameOf("ACTION/1984/ELITE.D64"), stored);
}

QTEST_GUILESS_MAIN(TestPathNames)
#include "TestPathNames.moc"
