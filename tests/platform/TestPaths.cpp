// Paths: taking them apart and joining them (Windows and Linux spellings), the catalogue's stored names (relative,
// with backslashes), where each of the program's folders is, finding a file named in another letter case (the catalogue
// and old settings come from a system that ignores case) with the listing cache an operation may hold, whether a
// configured path is there (and the message when it is not), and when a file counts as read-only.
#include "TestFolders.h"
#include "platform/ExecutableSuffix.h"
#include "platform/Folders.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/ShortPathName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace platform;
using testsupport::writeFile;

namespace {
// One row of QString columns.
template <typename... S> void row(const char* tag, const S&... columns)
{
    (QTest::newRow(tag) << ... << QString(columns));
}
} // namespace

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const QString& f : QStringList{"C64.CFG", "Games/Action/ELITE.D64", "Games/Action/Elite.d64",
                                            "Games/Puzzle/Boulder Dash.T64", "mixed/DATA", "mixed/data/x.txt"})
            QVERIFY(writeFile(p(f), "x"));
        QVERIFY(QDir::setCurrent(m_dir->path())); // the current folder of the relative paths
    }
    void cleanup() { QDir::setCurrent(m_start); }
    void splitPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        row("game in a drive root", "C:\\ELITE.D64", "C:", "ELITE.D64");
        row("bare name", "ELITE.D64", "", "ELITE.D64");
        row("folder with trailing backslash", "C:\\GAMES\\", "C:\\GAMES", "");
        row("linux path", "/home/jo/c64/games/elite.d64", "/home/jo/c64/games", "elite.d64");
        row("file in the linux root", "/elite.d64", "/", "elite.d64");
    }
    // Callers take a chosen file apart and later join the pieces again: they must get the same file back. Joining
    // keeps one separator after a root or a trailing one, and an empty name gives the folder.
    void splitPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QCOMPARE(FolderOfPath(path), folder);
        QCOMPARE(FileNameOfPath(path), name);
        if (!name.isEmpty())
            QCOMPARE(joinPath(folder, name), path);
        QCOMPARE(
            QStringList({joinPath("C:\\", "ELITE.D64"), joinPath("/home/jo/", "elite.d64"), joinPath("/home/jo", "")}),
            QStringList({"C:\\ELITE.D64", "/home/jo/elite.d64", "/home/jo"}));
    }
    void storedNameToPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("path");
        row("sub-folders", "/c64/games", "ACTION\\1984\\ELITE.D64", "/c64/games/ACTION/1984/ELITE.D64");
        row("leading backslash stays below the folder", "/c64/games", "\\ACTION\\ELITE.D64",
            "/c64/games/ACTION/ELITE.D64");
        row("folder is the root", "/", "A\\ELITE.D64", "/A/ELITE.D64");
        row("windows folder", "C:\\GAMES", "ACTION\\ELITE.D64", "C:\\GAMES\\ACTION\\ELITE.D64");
        row("no folder", "", "ACTION\\ELITE.D64", "ACTION/ELITE.D64");
        // Nothing stored must not turn into the folder itself, which exists and would count as the file.
        row("empty name gives no path", "/c64/games", "", "");
        row("separators only give no path", "/c64/games", "\\\\", "");
    }
    void storedNameToPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, stored);
        QFETCH(QString, path);
        QCOMPARE(platform::storedNameToPath(folder, stored), path);
        // A relative name below the folder is stored back as it was, with backslashes.
        if (QTest::currentDataTag() == QByteArray("sub-folders"))
            QCOMPARE(platform::storedNameOf("ACTION/1984/ELITE.D64"), stored);
    }
    // Where each thing is: everything below one program folder (the executable's, or VINTRAX_HOME's, a relative one
    // from the current folder, in either layout); installed, the shared parts below the prefix, the user's in XDG's.
    void folders_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("environment"); // VINTRAX_HOME, XDG_DATA_HOME, XDG_CACHE_HOME
        QTest::addColumn<QStringList>("expected");    // catalogue, screenshots, work, tool, help file, demo
        const auto inFolder = [](const QString& r) {
            return QStringList{r + "/Vintrax.mdb",    r + "/Screenshots", r + "/CURRGAME",
                               r + "/Conversion/lha", r + "/vintrax.htm", r + "/Demo"};
        };
        const auto installed = [](const QString& data, const QString& cache) {
            return QStringList{data + "/Vintrax/Vintrax.mdb",  data + "/Vintrax/Screenshots",
                               cache + "/vintrax/CURRGAME",    "/v/libexec/vintrax/lha",
                               "/v/share/vintrax/vintrax.htm", "/v/share/vintrax/demo"};
        };
        const QStringList xdg = {"", "/data", "/cache"};
        QTest::newRow("build folder, XDG ignored") << false << xdg << inFolder("/v/bin");
        QTest::newRow("relative VINTRAX_HOME")
            << true << QStringList{"Games/../mixed", "", ""} << inFolder("%CWDmixed");
        QTest::newRow("installed, XDG set") << true << xdg << installed("/data", "/cache");
        QTest::newRow("installed, relative XDG ignored")
            << true << QStringList{"", "data", "./cache"} << installed("/home/u/.local/share", "/home/u/.cache");
    }
    void folders()
    {
        QFETCH(bool, installed);
        QFETCH(QStringList, environment);
        QFETCH(QStringList, expected);
        const FolderEnvironment e{environment[0], environment[1], environment[2], "/home/u", "/v/bin"};
        const Folders f = foldersFor(installed ? FolderLayout::Installed : FolderLayout::ProgramFolder, e);
        QCOMPARE(QStringList(
                     {f.catalogue, f.screenshots, f.work, f.conversionTool("lha"), f.helpFile("vintrax.htm"), f.demo}),
                 expected.replaceInStrings("/lha", "/lha" + executableSuffix()).replaceInStrings("%CWD", p("")));
        QCOMPARE(f.installed, installed && environment[0].isEmpty());
    }
    void lookups_data()
    {
        QTest::addColumn<QString>("asked");    // below the test folder ("\\..." after its path); "=path" as given
        QTest::addColumn<QString>("found");    // "" for none; "=path" as given
        QTest::addColumn<QString>("resolved"); // resolvePathCase, for a file that may not exist yet; "" not asked
        const auto row = [](const char* tag, const QString& asked, const QString& found, const QString& resolved = {}) {
            QTest::newRow(tag) << asked << found << resolved;
        };
        // The emulator's configuration is looked up as "c64.cfg": the file on disk must be the one rewritten.
        row("file in another case", "c64.cfg", "C64.CFG", "C64.CFG");
        row("exact spelling wins", "games/action/Elite.d64", "Games/Action/Elite.d64");
        // Neither spelling is exact: the choice must not depend on the order the file system lists them in.
        row("several spellings pick the first sorted", "Games/Action/elite.D64", "Games/Action/ELITE.D64");
        // "DATA" is a file and sorts first, but only the folder "data" can lead on to "x.txt".
        row("middle parts must be folders", "mixed/Data/X.TXT", "mixed/data/x.txt");
        row("the last part may be a file", "mixed/Data", "mixed/DATA");
        row("backslashes", "\\games\\puzzle\\BOULDER DASH.T64", "Games/Puzzle/Boulder Dash.T64");
        row("trailing backslash", "\\games\\puzzle\\", "Games/Puzzle");
        row("missing file", "games/action/new.cfg", "", "Games/Action/new.cfg");
        row("missing folder", "Nowhere/ELITE.D64", "", "Nowhere/ELITE.D64");
        row("root", "=/", "=/");
        row("bare relative name", "=c64.cfg", "=C64.CFG", "=C64.CFG");
        row("bare new name", "=new.cfg", "", "=new.cfg");
    }
    void lookups()
    {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QFETCH(QString, resolved);
        const auto full = [this](const QString& s) {
            return s.startsWith('=') ? s.mid(1) : s.startsWith('\\') ? m_dir->path() + s : p(s);
        };
        QCOMPARE(ShortPathName(full(asked)), found.isEmpty() ? QString() : full(found));
        {
            PathCacheScope scope; // the listings of a scope find the same
            QCOMPARE(ShortPathName(full(asked)), found.isEmpty() ? QString() : full(found));
        }
        if (!resolved.isEmpty())
            QCOMPARE(resolvePathCase(full(asked)), full(resolved));
    }
    // A scope reads each listing once (what that saves is measured by bench_maintenance); here, what it finds.
    void aScopeMissesLaterFiles()
    {
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
        // Outside a scope every lookup reads the folder afresh.
        QVERIFY(!PathCacheScope::isActive());
        QCOMPARE(ShortPathName(p("later.d64")), p("LATER.D64"));
    }
    void checkPathExists_data()
    {
        QTest::addColumn<QString>("path");    // below the test folder; "=path" as given
        QTest::addColumn<QString>("message"); // "" when the path is there; the path is appended as given
        row("file", "Games/Action/ELITE.D64", "");
        row("file missing, folder there", "Games/BATTY.D64", "FILE NOT FOUND: ");
        row("folder missing", "Tapes/BATTY.T64", "PATH NOT FOUND: ");
        // A bare name is looked for in the current folder, which is there.
        row("bare name", "=NO-SUCH-GAME.D64", "FILE NOT FOUND: ");
        row("not set", "=", "FILE NOT SET!");
    }
    void checkPathExists()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        const QString full = path.startsWith('=') ? path.mid(1) : p(path);
        ScriptedMessageBox box;
        QCOMPARE(CheckPathExists(full, false), message.isEmpty());
        QCOMPARE(box.count(), 0); // a silent check shows nothing
        QCOMPARE(CheckPathExists(full, true), message.isEmpty());
        QCOMPARE(box.count(), message.isEmpty() ? 0 : 1);
        if (message.isEmpty())
            return;
        const auto& shown = box.last(); // the path exactly as the caller gave it
        QCOMPARE(QVariantList({shown.text, shown.title, shown.icon, int(shown.buttons)}),
                 QVariantList({full.isEmpty() ? message : message + full, "vintrax Error", MessageBox::Exclamation,
                               int(MessageBox::Ok)}));
    }
    // Tests run as root, who may write whatever the bits say: the bits alone decide.
    void readOnlyByPermissionBits()
    {
        for (const auto& [mode, readOnly] : {std::pair{0444, true}, {0644, false}, {0200, false}, {0446, false}}) {
            QCOMPARE(::chmod(QFile::encodeName(p("C64.CFG")).constData(), mode_t(mode)), 0);
            QCOMPARE(isReadOnlyFile(p("c64.cfg")), readOnly);
        }
        QVERIFY(!isReadOnlyFile(p("MISSING.CFG")) && !isReadOnlyFile(QString()));
    }

private:
    QString p(const QString& relative) const { return m_dir->path() + u'/' + relative; }
    std::unique_ptr<QTemporaryDir> m_dir;
    const QString m_start = QDir::currentPath();
};

QTEST_GUILESS_MAIN(TestPaths)
#include "TestPaths.moc"
