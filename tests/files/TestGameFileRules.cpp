// The file dialogs' rules without widgets: where the game file dialog opens, which listed entry is selected (what OK
// stores: the game file dialog test), the split of a name at its last dot, an archive's new name and the names a
// rename refuses (checked against a real folder); where the document dialog opens, what it stores, and opening the document (a missing one
// reported by the file check, one the desktop refuses reported too).

#include "data/settings/Settings.h"
#include "files/ArchiveRename.h"
#include "files/DocumentRules.h"
#include "files/GameFileRules.h"
#include "files/RenameRules.h"
#include "TestFolders.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// A directory line as the disk lister gives it: the 16-character name (padding shown as blanks), then the type.
static QString row(const QString& name, const char* type = " PRG")
{
    return name.leftJustified(16, QLatin1Char(' ')) + QLatin1String(type);
}

class TestGameFileRules : public QObject
{
    Q_OBJECT

private slots:
    void gameFileStart_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("remembered"); // root|folder, below the temp folder
        QTest::addColumn<QString>("expected");   // root|folder|file|message, below the temp folder
        const QString notFound = "File not found in any of your Game Paths:  \"GONE.D64\"";
        // clang-format off
        QTest::addRow("new game: remembered folder") << true << "A.D64" << "G2|G2/Sub" << "G2|G2/Sub||";
        QTest::addRow("new game: remembered folder outside its root") << true << "" << "G1|G2" << "G1|G1||";
        QTest::addRow("no file") << false << "(None)" << "G2|G2" << "G1|G1||";
        QTest::addRow("found below the second folder, other case") << false << "sub\\Déjà vu.D64" << "|" << "G2|G2/Sub|Déjà vu.d64|";
        QTest::addRow("first folder wins") << false << "A.D64" << "|" << "G1|G1|A.D64|";
        QTest::addRow("not found") << false << "GONE.D64" << "|" << "G1|G1||" + notFound;
        // clang-format on
    }
    void gameFileStart()
    {
        QFETCH(bool, adding);
        QFETCH(QString, stored);
        QFETCH(QString, remembered);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("G1") && QDir(dir.path()).mkpath("G2/Sub"));
        for (const char* f : {"G1/A.D64", "G2/A.D64", "G2/Sub/Déjà vu.d64"})
            QVERIFY(testsupport::writeFile(dir.filePath(f), "x"));
        Settings settings;
        settings.GamesPath = {dir.filePath("G1"), "", dir.filePath("G2"), "", ""};
        const QStringList r = remembered.split('|');
        const files::GameFileStart start =
            files::gameFileStart(adding, stored, settings, dir.filePath(r[0]), dir.filePath(r[1]));
        const QStringList e = expected.split('|');
        QCOMPARE(start.root, dir.filePath(e[0]));
        QCOMPARE(start.folder, dir.filePath(e[1]));
        QCOMPARE(start.fileName, e[2]);
        QCOMPARE(start.notFoundMessage, e[3]);
    }

    void preselectedEntry_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("ownFile");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        const QString lines(16, QChar(0x00C0));
        // clang-format off
        QTest::addRow("first program") << QStringList{row("NOTES", " SEQ"), row("ELITE")} << false << 0 << 1;
        QTest::addRow("separator and loader skipped") << QStringList{row(QString(16, '-')), row("LOADER"), row("GAME")} << false << 0 << 2;
        QTest::addRow("line-drawing row skipped") << QStringList{row(lines), row("GAME")} << false << 0 << 1;
        QTest::addRow("a longer loader name counts") << QStringList{row("LOADER V2"), row("GAME")} << false << 0 << 0;
        QTest::addRow("no program: entry 0") << QStringList{row("A", " SEQ"), row("B", " USR")} << false << 0 << 0;
        QTest::addRow("empty listing: nothing") << QStringList{} << false << 0 << -1;
        QTest::addRow("own file: stored entry, not a program") << QStringList{row("A"), row("B", " SEQ")} << true << 1 << 1;
        QTest::addRow("own file: stored entry beyond the listing") << QStringList{row("A", " SEQ"), row("B")} << true << 5 << 1;
        // clang-format on
    }
    void preselectedEntry()
    {
        QFETCH(QStringList, entries);
        QFETCH(bool, ownFile);
        QFETCH(int, stored);
        QFETCH(int, expected);
        QCOMPARE(files::preselectedEntry(entries, ownFile, stored), expected);
    }

    // A name splits at its last dot; an archive renamed after one of its games takes the game's name up to its last
    // dot and the archive's ending.
    void namesAtTheLastDot()
    {
        QStringList parts;
        for (const QString name : {"ELITE.D64", "Déjà vu.prg.gz", "TEST"})
            parts << files::splitAtLastDot(name).stem + '|' + files::splitAtLastDot(name).extension;
        QCOMPARE(parts, QStringList({"ELITE|.D64", "Déjà vu.prg|.gz", "TEST|"}));
        QCOMPARE(QStringList({files::renamedArchiveName("my.game.prg", "x.lzh"),
                              files::renamedArchiveName("NODOT", "GAMES.LHA")}),
                 QStringList({"my.game.lzh", "NODOT.LHA"}));
    }

    void renameRefusal_data()
    {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("refusal"); // "chars", "exists", "empty" or ""
        // clang-format off
        QTest::addRow("a forbidden character") << "A?B" << ".D64" << "chars";
        QTest::addRow("new name, blanks and accents") << "Île de la Cité" << ".D64" << "";
        QTest::addRow("another file's name in other case") << "other" << ".d64" << "exists";
        QTest::addRow("a folder's name") << "Sub" << "" << "exists";
        QTest::addRow("own name in other case") << "elite" << ".d64" << "";
        QTest::addRow("empty") << "" << ".D64" << "empty";
        // clang-format on
    }
    void renameRefusal()
    {
        QFETCH(QString, stem);
        QFETCH(QString, extension);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.filePath("ELITE.D64"), "e") && testsupport::writeFile(dir.filePath("OTHER.D64"), "o"));
        QVERIFY(QDir(dir.path()).mkdir("Sub"));
        const QString message = files::renameRefusal(dir.path(), "ELITE.D64", stem, extension);
        const QString expected = refusal == "chars"    ? "Filename must not contain the following characters:-\n\n"
                                                         "\\ , / , : , * , ? , \" , < , > , |"
                                 : refusal == "exists" ? "Filename Exists already in " + dir.path()
                                 : refusal == "empty"  ? files::kEmptyNameMessage
                                                       : QString();
        QCOMPARE(message, expected);
    }

    void docBrowseStart_data()
    {
        QTest::addColumn<QString>("stored"); // below the temp folder; "(None)" as it is
        QTest::addColumn<QString>("folder"); // below the temp folder
        QTest::addColumn<QString>("file");
        // clang-format off
        QTest::addRow("file in another folder") << "Other disk/Docs é/Read me.txt" << "Other disk/Docs é" << "Read me.txt";
        QTest::addRow("stored in another letter case") << "other disk/DOCS é/READ ME.TXT" << "Other disk/Docs é" << "Read me.txt";
        QTest::addRow("file gone, folder there") << "Other disk/Docs é/Gone.txt" << "Other disk/Docs é" << "";
        QTest::addRow("folder gone") << "Nowhere/Gone.txt" << "Program" << "";
        QTest::addRow("no document") << "(None)" << "Program" << "";
        // clang-format on
    }
    void docBrowseStart()
    {
        QFETCH(QString, stored);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Program") && QDir(dir.path()).mkpath("Other disk/Docs é"));
        QVERIFY(testsupport::writeFile(dir.filePath("Other disk/Docs é/Read me.txt"), "doc"));
        const files::DocBrowseStart start =
            files::docBrowseStart(stored == "(None)" ? stored : dir.filePath(stored), dir.filePath("Program"));
        QFETCH(QString, folder);
        QCOMPARE(start.folder, dir.filePath(folder));
        QTEST(start.fileName, "file");
        QCOMPARE(files::docFileValue(start.folder, start.fileName),
                 start.fileName.isEmpty() ? QStringLiteral("(None)") : start.folder + "/" + start.fileName);
    }

    void viewDocument()
    {
        QTemporaryDir dir;
        const QString doc = dir.filePath("Read me é.txt");
        QVERIFY(testsupport::writeFile(doc, "doc"));
        platform::ScriptedMessageBox messages;
        QStringList opened;
        const auto accepting = [&opened](const QString& target) { return opened << target, true; };
        const auto refusing = [&opened](const QString& target) { return opened << target, false; };
        QVERIFY(files::ViewDocument(doc, accepting));
        QVERIFY(!files::ViewDocument("(None)", accepting));
        QVERIFY(!files::ViewDocument(dir.filePath("Gone.txt"), accepting));
        QVERIFY(!files::ViewDocument(doc, refusing));
        QCOMPARE(opened, (QStringList{doc, doc}));
        QCOMPARE(messages.texts(), (QStringList{"FILE NOT SET!", "FILE NOT FOUND: " + dir.filePath("Gone.txt"),
                                                "No program on this desktop could open " + doc}));
    }
};

QTEST_GUILESS_MAIN(TestGameFileRules)
#include "TestGameFileRules.moc"
