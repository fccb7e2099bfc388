// Finding a file named in another letter case (the catalogue and old settings come from a system that ignores
// case), and the listing cache an operation may hold while it looks up many names.
#include "platform/ShortPathName.h"

#include "TestFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using testsupport::writeFile;

namespace {
const QString kOdd = "Last Ninja, The \"2\" $(touch pwned) 'x' `id`.D64";
}

class TestShortPathName : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lookups_data();
    void lookups();
    void pathsOutsideTheFolder();
    void resolvePathCaseForNewFiles();
    void aScopeReadsEachListingOnceAndMissesLaterFiles();

private:
    QString p(const QString& relative) const { return m_dir->path() + u'/' + relative; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestShortPathName::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char* f : {"C64.CFG", "Games/Action/ELITE.D64", "Games/Action/Elite.d64",
                          "Games/Puzzle/Boulder Dash.T64", "mixed/DATA", "mixed/data/x.txt"})
        QVERIFY(writeFile(p(f), "x"));
    QVERIFY(writeFile(p("Games/" + kOdd), "odd"));
}

void TestShortPathName::lookups_data()
{
    QTest::addColumn<QString>("asked"); // below the test folder; a leading backslash is its separator
    QTest::addColumn<QString>("found"); // "" for none
    const auto row = [](const char* tag, const QString& asked, const QString& found) {
        QTest::newRow(tag) << asked << found;
    };
    row("file as it is", "C64.CFG", "C64.CFG");
    // The emulator's configuration is looked up as "c64.cfg": the file on disk must be the one rewritten.
    row("file in another case", "c64.cfg", "C64.CFG");
    row("every part in another case", "GAMES/PUZZLE/boulder dash.t64", "Games/Puzzle/Boulder Dash.T64");
    row("exact spelling wins", "games/action/Elite.d64", "Games/Action/Elite.d64");
    // Neither spelling is exact: the choice must not depend on the order the file system lists them in.
    row("several spellings pick the first sorted", "Games/Action/elite.D64", "Games/Action/ELITE.D64");
    // "DATA" is a file and sorts first, but only the folder "data" can lead on to "x.txt".
    row("middle parts must be folders", "mixed/Data/X.TXT", "mixed/data/x.txt");
    row("the last part may be a file", "mixed/Data", "mixed/DATA");
    row("backslashes", "\\games\\puzzle\\BOULDER DASH.T64", "Games/Puzzle/Boulder Dash.T64");
    row("trailing backslash", "\\games\\puzzle\\", "Games/Puzzle");
    row("odd characters are just names", "games/" + kOdd.toLower(), "Games/" + kOdd);
    row("missing file", "nothing.d64", "");
    row("missing folder", "Nowhere/ELITE.D64", "");
    row("below a file", "C64.CFG/below-a-file", "");
}

void TestShortPathName::lookups()
{
    QFETCH(QString, asked);
    QFETCH(QString, found);
    const QString full = asked.startsWith('\\') ? m_dir->path() + asked : p(asked);
    QCOMPARE(ShortPathName(full), found.isEmpty() ? QString() : p(found));
    QVERIFY(!QFile::exists(p("pwned")) && !QFile::exists(p("Games/pwned")));
}

void TestShortPathName::pathsOutsideTheFolder()
{
    QCOMPARE(ShortPathName(m_dir->path()), m_dir->path());
    QCOMPARE(ShortPathName("/"), QString("/"));
    QCOMPARE(ShortPathName(QString()), QString());
    QCOMPARE(ShortPathName("C:\\GAMES\\ELITE.D64"), QString());
    // Relative paths stay relative.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const QString found = ShortPathName("games\\puzzle\\boulder dash.t64");
    const QString bare = ShortPathName("c64.cfg");
    QDir::setCurrent(before);
    QCOMPARE(found, QString("Games/Puzzle/Boulder Dash.T64"));
    QCOMPARE(bare, QString("C64.CFG"));
}

void TestShortPathName::resolvePathCaseForNewFiles()
{
    QCOMPARE(resolvePathCase(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(resolvePathCase(p("games/action/new.cfg")), p("Games/Action/new.cfg"));
    QCOMPARE(resolvePathCase(p("nowhere/new.cfg")), p("nowhere/new.cfg"));
    QCOMPARE(resolvePathCase("new.cfg"), QString("new.cfg"));
}

void TestShortPathName::aScopeReadsEachListingOnceAndMissesLaterFiles()
{
    // Outside a scope every lookup reads the folder afresh and sees new files at once.
    QVERIFY(!PathCacheScope::isActive());
    long before = directoryListingsRead();
    QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(directoryListingsRead() - before, 2L);
    QCOMPARE(ShortPathName(p("later.txt")), QString());
    QVERIFY(writeFile(p("LATER.TXT"), "new"));
    QCOMPARE(ShortPathName(p("later.txt")), p("LATER.TXT"));

    before = directoryListingsRead();
    {
        PathCacheScope scope;
        QVERIFY(PathCacheScope::isActive());
        for (int i = 0; i < 500; ++i)
            QCOMPARE(ShortPathName(p("games/action/missing%1.d64").arg(i)), QString());
        // The test folder, "Games" and "Action" are each read once, not once per miss.
        QCOMPARE(ShortPathName(p("GAMES/ACTION/ELITE.D64")), p("Games/Action/ELITE.D64"));
        QVERIFY2(directoryListingsRead() - before <= 3, qPrintable(QString::number(directoryListingsRead() - before)));
    }
    QVERIFY(!PathCacheScope::isActive());

    {
        PathCacheScope outer;
        {
            PathCacheScope inner; // nested scopes share one cache
            QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
        }
        QVERIFY(PathCacheScope::isActive());
        QVERIFY(writeFile(p("NEWGAME.D64"), "new"));
        // The listing was read before the file came: within the operation it stays unseen...
        QCOMPARE(ShortPathName(p("newgame.d64")), QString());
        // ...though a name spelt exactly as on disk is always found...
        QCOMPARE(ShortPathName(p("NEWGAME.D64")), p("NEWGAME.D64"));
        // ...and the listings can be forgotten, as after unpacking an archive.
        PathCacheScope::forgetListings();
        QCOMPARE(ShortPathName(p("newgame.d64")), p("NEWGAME.D64"));
        QVERIFY(writeFile(p("LATER.D64"), "new"));
        QCOMPARE(ShortPathName(p("later.d64")), QString());
    }
    QCOMPARE(ShortPathName(p("later.d64")), p("LATER.D64"));
}

QTEST_GUILESS_MAIN(TestShortPathName)
#include "TestShortPathName.moc"
