#include "platform/ShortPathName.h"

#include "TestFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using testsupport::writeFile;

class TestShortPathName : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void existingPathsComeBackUnchanged();
    void namesInAnotherCaseAreFound();
    void exactSpellingWinsOverOthers();
    void severalSpellingsPickTheFirstSorted();
    void middleComponentsMustBeFolders();
    void backslashesAreAccepted();
    void relativePathsStayRelative();
    void oddCharactersAreJustNames();
    void missingPathsGiveEmpty();
    void resolvePathCaseForNewFiles();
    void listingsAreReadAfreshOutsideAScope();
    void aScopeReusesListings();
    void aScopeDoesNotSeeLaterFiles();
    void nestedScopesShareOneCache();
    void forgettingListingsInsideAScope();

private:
    QString p(const QString& relative) const { return m_dir->path() + u'/' + relative; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestShortPathName::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(writeFile(p("C64.CFG"), "cfg"));
    QVERIFY(writeFile(p("Games/Action/ELITE.D64"), "x"));
    QVERIFY(writeFile(p("Games/Action/Elite.d64"), "y"));
    QVERIFY(writeFile(p("Games/Puzzle/Boulder Dash.T64"), "z"));
}

void TestShortPathName::existingPathsComeBackUnchanged()
{
    QCOMPARE(ShortPathName(p("C64.CFG")), p("C64.CFG"));
    QCOMPARE(ShortPathName(p("Games/Action")), p("Games/Action"));
    QCOMPARE(ShortPathName(m_dir->path()), m_dir->path());
    QCOMPARE(ShortPathName("/"), QString("/"));
}

void TestShortPathName::namesInAnotherCaseAreFound()
{
    // The emulator's configuration is looked up as "c64.cfg"; the file on disk is "C64.CFG" and must be
    // the one rewritten, not a second file next to it.
    QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(ShortPathName(p("GAMES/PUZZLE/boulder dash.t64")), p("Games/Puzzle/Boulder Dash.T64"));
    // A folder counts as well, in any case.
    QCOMPARE(ShortPathName(p("gAmEs/puzzle")), p("Games/Puzzle"));
}

void TestShortPathName::exactSpellingWinsOverOthers()
{
    QCOMPARE(ShortPathName(p("games/action/Elite.d64")), p("Games/Action/Elite.d64"));
    QCOMPARE(ShortPathName(p("games/action/ELITE.D64")), p("Games/Action/ELITE.D64"));
}

void TestShortPathName::severalSpellingsPickTheFirstSorted()
{
    // Neither "ELITE.D64" nor "Elite.d64" is spelt "elite.D64": the choice must not depend on the
    // order the file system lists them in.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(ShortPathName(p("Games/Action/elite.D64")), p("Games/Action/ELITE.D64"));
}

void TestShortPathName::middleComponentsMustBeFolders()
{
    // "DATA" is a file and sorts first, but only the folder "data" can lead on to "x.txt".
    QVERIFY(writeFile(p("mixed/DATA"), "file"));
    QVERIFY(writeFile(p("mixed/data/x.txt"), "x"));
    QCOMPARE(ShortPathName(p("mixed/Data/X.TXT")), p("mixed/data/x.txt"));
    // As the last component, a file of another spelling is fine.
    QCOMPARE(ShortPathName(p("mixed/Data")), p("mixed/DATA"));
}

void TestShortPathName::backslashesAreAccepted()
{
    QCOMPARE(ShortPathName(m_dir->path() + "\\GAMES\\action\\boulder dash.t64"), QString());
    QCOMPARE(ShortPathName(m_dir->path() + "\\Games\\Puzzle\\boulder dash.t64"), p("Games/Puzzle/Boulder Dash.T64"));
    QCOMPARE(ShortPathName(m_dir->path() + "\\games\\puzzle\\BOULDER DASH.T64"), p("Games/Puzzle/Boulder Dash.T64"));
    QCOMPARE(ShortPathName(m_dir->path() + "\\games\\puzzle\\"), p("Games/Puzzle"));
}

void TestShortPathName::relativePathsStayRelative()
{
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const QString found = ShortPathName("games\\puzzle\\boulder dash.t64");
    const QString bare = ShortPathName("c64.cfg");
    QDir::setCurrent(before);
    QCOMPARE(found, QString("Games/Puzzle/Boulder Dash.T64"));
    QCOMPARE(bare, QString("C64.CFG"));
}

void TestShortPathName::oddCharactersAreJustNames()
{
    const QString odd = "Last Ninja, The \"2\" $(touch pwned) 'x' `id`.D64";
    QVERIFY(writeFile(p("Games/" + odd), "odd"));
    QCOMPARE(ShortPathName(p("games/" + odd.toLower())), p("Games/" + odd));
    QVERIFY(!QFile::exists(p("pwned")));
    QVERIFY(!QFile::exists(p("Games/pwned")));
}

void TestShortPathName::missingPathsGiveEmpty()
{
    QCOMPARE(ShortPathName(QString()), QString());
    QCOMPARE(ShortPathName(p("nothing.d64")), QString());
    QCOMPARE(ShortPathName(p("Nowhere/ELITE.D64")), QString());
    QCOMPARE(ShortPathName(p("C64.CFG/below-a-file")), QString());
    QCOMPARE(ShortPathName("C:\\GAMES\\ELITE.D64"), QString());
}

void TestShortPathName::resolvePathCaseForNewFiles()
{
    QCOMPARE(resolvePathCase(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(resolvePathCase(p("games/action/new.cfg")), p("Games/Action/new.cfg"));
    QCOMPARE(resolvePathCase(p("nowhere/new.cfg")), p("nowhere/new.cfg"));
    QCOMPARE(resolvePathCase("new.cfg"), QString("new.cfg"));
}

void TestShortPathName::listingsAreReadAfreshOutsideAScope()
{
    QVERIFY(!PathCacheScope::isActive());
    const long before = directoryListingsRead();
    QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    QCOMPARE(directoryListingsRead() - before, 2L);

    QCOMPARE(ShortPathName(p("later.txt")), QString());
    QVERIFY(writeFile(p("LATER.TXT"), "new"));
    QCOMPARE(ShortPathName(p("later.txt")), p("LATER.TXT"));
}

void TestShortPathName::aScopeReusesListings()
{
    const long before = directoryListingsRead();
    {
        PathCacheScope scope;
        QVERIFY(PathCacheScope::isActive());
        for (int i = 0; i < 500; ++i)
            QCOMPARE(ShortPathName(p("games/action/missing%1.d64").arg(i)), QString());
        // The program folder, "Games" and "Action" are each read once, not once per miss.
        QVERIFY2(directoryListingsRead() - before <= 3, qPrintable(QString::number(directoryListingsRead() - before)));
        QCOMPARE(ShortPathName(p("GAMES/ACTION/ELITE.D64")), p("Games/Action/ELITE.D64"));
        QVERIFY(directoryListingsRead() - before <= 3);
    }
    QVERIFY(!PathCacheScope::isActive());
}

void TestShortPathName::aScopeDoesNotSeeLaterFiles()
{
    {
        PathCacheScope scope;
        QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
        QVERIFY(writeFile(p("NEWGAME.D64"), "new"));
        // The listing was read before the file came: within the operation it stays unseen...
        QCOMPARE(ShortPathName(p("newgame.d64")), QString());
        // ...though a name spelt exactly as on disk is always found.
        QCOMPARE(ShortPathName(p("NEWGAME.D64")), p("NEWGAME.D64"));
    }
    QCOMPARE(ShortPathName(p("newgame.d64")), p("NEWGAME.D64"));
}

void TestShortPathName::nestedScopesShareOneCache()
{
    PathCacheScope outer;
    {
        PathCacheScope inner;
        QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    }
    QVERIFY(PathCacheScope::isActive());
    QVERIFY(writeFile(p("INNER.TXT"), "x"));
    QCOMPARE(ShortPathName(p("inner.txt")), QString());
}

void TestShortPathName::forgettingListingsInsideAScope()
{
    PathCacheScope scope;
    QCOMPARE(ShortPathName(p("c64.cfg")), p("C64.CFG"));
    QVERIFY(writeFile(p("UNPACKED.D64"), "x"));
    QCOMPARE(ShortPathName(p("unpacked.d64")), QString());
    PathCacheScope::forgetListings();
    QCOMPARE(ShortPathName(p("unpacked.d64")), p("UNPACKED.D64"));
}

QTEST_GUILESS_MAIN(TestShortPathName)
#include "TestShortPathName.moc"
