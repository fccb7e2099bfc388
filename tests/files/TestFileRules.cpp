// The file dialogs' rules without widgets: where the game file dialog opens, which listed entry is selected (what OK
// stores: the game file dialog test), the split of a name at its last dot, an archive's new name and the names a rename
// refuses (checked against a real folder); where the document dialog opens and what it stores. The screenshot rules:
// the name checks in their order, the name dialog's refusal and overwrite question, where the screenshot dialog opens,
// and the conversion of a dump into a stored GIF by the real bmp2gif (read back by ImageMagick), or by a failing one.

#include "BmpFiles.h"
#include "FakeTool.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "data/settings/Settings.h"
#include "files/ArchiveRename.h"
#include "files/DocumentRules.h"
#include "files/GameFileRules.h"
#include "files/RenameRules.h"
#include "files/ScreenshotRules.h"
#include "files/clsScreenshot.h"
#include "files/gui/frmSSFilename.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace files;
using platform::MessageBox;

// A directory line as the disk lister gives it: the 16-character name (padding shown as blanks), then the type.
static QString row(const QString& name, const char* type = " PRG")
{
    return name.leftJustified(16, QLatin1Char(' ')) + QLatin1String(type);
}

class TestFileRules : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempProgramFolder> m_home; // for the screenshot rules
    QString home(const QString& relative) const { return m_home->file(relative); }

private slots:
    void init()
    {
        m_home.reset(); // before the next one sets VINTRAX_HOME
        m_home = std::make_unique<testsupport::TempProgramFolder>();
        QVERIFY(QFile::copy(testsupport::toolPath("bmp2gif"), home("Conversion/bmp2gif")));
        QVERIFY(testsupport::writeFile(home("Emu/SHOT0001.BMP"), testsupport::ccs64Dump()) &&
                testsupport::writeFile(home("Screenshots/elite.GIF"), "GIF89a"));
    }

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
        const GameFileStart start =
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
            parts << splitAtLastDot(name).stem + '|' + splitAtLastDot(name).extension;
        QCOMPARE(parts, QStringList({"ELITE|.D64", "Déjà vu.prg|.gz", "TEST|"}));
        QCOMPARE(QStringList({renamedArchiveName("my.game.prg", "x.lzh"), renamedArchiveName("NODOT", "GAMES.LHA")}),
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
        QVERIFY(testsupport::writeFile(dir.filePath("ELITE.D64"), "e") &&
                testsupport::writeFile(dir.filePath("OTHER.D64"), "o"));
        QVERIFY(QDir(dir.path()).mkdir("Sub"));
        const QString message = files::renameRefusal(dir.path(), "ELITE.D64", stem, extension);
        const QString expected = refusal == "chars"    ? "Filename must not contain the following characters:-\n\n"
                                                         "\\ , / , : , * , ? , \" , < , > , |"
                                 : refusal == "exists" ? "Filename Exists already in " + dir.path()
                                 : refusal == "empty"  ? kEmptyNameMessage
                                                       : QString();
        QCOMPARE(message, expected);
    }

    void docBrowseStart_data()
    {
        QTest::addColumn<QString>("stored"); // below the temp folder; "(None)" as it is
        QTest::addColumn<QString>("folder"); // below the temp folder
        QTest::addColumn<QString>("file");
        // clang-format off
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
        const DocBrowseStart start =
            files::docBrowseStart(stored == "(None)" ? stored : dir.filePath(stored), dir.filePath("Program"));
        QFETCH(QString, folder);
        QCOMPARE(start.folder, dir.filePath(folder));
        QTEST(start.fileName, "file");
        QCOMPARE(docFileValue(start.folder, start.fileName),
                 start.fileName.isEmpty() ? QStringLiteral("(None)") : start.folder + "/" + start.fileName);
    }

    void nameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("icon");
        QTest::addRow("a.gif, five characters") << "a.gif" << QString() << 0;
        QTest::addRow("capitals") << "ELITE.GIF" << QString() << 0;
        QTest::addRow(".gif alone") << ".gif" << kNameTooShort << int(MessageBox::Exclamation);
        QTest::addRow("png") << "elite.png" << kNameNotGif << int(MessageBox::Information);
        QTest::addRow("not gif before bad characters") << "a:b.png" << kNameNotGif << int(MessageBox::Information);
        for (const QChar c : QStringLiteral("|><\"?*:/\\"))
            QTest::addRow("%c", c.toLatin1())
                << QString("a%1b.gif").arg(c) << kNameForbidden << int(MessageBox::Exclamation);
    }
    void nameChecks()
    {
        QFETCH(QString, name);
        const auto r = screenshotNameRefusal(name);
        QTEST(r ? r->text : QString(), "refusal");
        QTEST(r ? int(r->icon) : 0, "icon");
    }

    void nameDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");      // to the overwrite question
        QTest::addColumn<QString>("outcome"); // the name taken, "stays: " and the name shown, or "cancelled"
        QTest::addRow("refused: the dump's name back") << ".gif" << 0 << "stays: SHOT0001.gif";
        QTest::addRow("other case, Yes") << "ELITE.gif" << int(MessageBox::Yes) << "ELITE.gif";
        QTest::addRow("other case, No") << "ELITE.gif" << int(MessageBox::No) << "stays: ELITE.gif";
        QTest::addRow("other case, Cancel") << "ELITE.gif" << int(MessageBox::Cancel) << "cancelled";
    }
    // The game's name proposed with its stem selected; OK with the typed name.
    void nameDialog()
    {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        platform::ScriptedMessageBox box;
        if (answer)
            box.addAnswer(MessageBox::Button(answer));
        frmSSFilename d("Screenshot for Jet Set Willy...", "Jet Set Willy", "SHOT0001.BMP", home("Screenshots"));
        auto* name = d.findChild<QLineEdit*>("txtName");
        QCOMPARE(name->text() + '|' + name->selectedText(), QStringLiteral("Jet_Set_Willy.gif|Jet_Set_Willy"));
        int result = -1;
        connect(&d, &QDialog::finished, [&result](int r) { result = r; });
        name->setText(typed);
        d.findChild<QPushButton*>("cmdOK")->click();
        QTEST(result < 0 ? "stays: " + name->text() : result ? d.chosenName() : "cancelled", "outcome");
        QCOMPARE(box.count(), answer || result < 0 ? 1 : 0);
    }

    void whereTheDialogOpens_data()
    {
        QTest::addColumn<QString>("emulators"); // the DOS and the Win32 one, below the program folder
        QTest::addColumn<bool>("lastRunWasWin32");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opens"); // the folder below the program folder, the GIF selected
        // clang-format off
        QTest::addRow("after a Win32 start") << "Dos/ccs64.exe|Win/ccs64.exe" << true << "(None)" << "Win|";
        QTest::addRow("after a DOS start") << "Dos/ccs64.exe|Win/ccs64.exe" << false << "(None)" << "Dos|";
        QTest::addRow("Win32 only") << "|Win/ccs64.exe" << false << "(None)" << "Win|";
        QTest::addRow("neither") << "|" << true << "(None)" << "Screenshots|";
        QTest::addRow("own GIF, other case") << "Dos/c|" << false << "ELITE.gif" << "Screenshots|elite.GIF";
        QTest::addRow("own GIF missing") << "Dos/c|" << false << "gone.gif" << "Dos|";
        // clang-format on
    }
    void whereTheDialogOpens()
    {
        QFETCH(QString, emulators);
        const QString dos = emulators.section('|', 0, 0), win32 = emulators.section('|', 1);
        QFETCH(bool, lastRunWasWin32);
        QFETCH(QString, stored);
        QFETCH(QString, opens);
        const QString folder = opens.section('|', 0, 0);
        Settings settings;
        settings.CCS64Path = dos.isEmpty() ? dos : home(dos);
        settings.DirectXPath = win32.isEmpty() ? win32 : home(win32);
        const ScreenshotStart s = screenshotStart(settings, lastRunWasWin32, stored, home("Screenshots"));
        QCOMPARE(s.folder + '|' + s.selectName, home(folder) + '|' + opens.section('|', 1));
        QCOMPARE(s.pattern, folder == "Screenshots" ? kGifPattern : kBmpPattern);
        QCOMPARE(s.choosesDumps, folder != "Screenshots");
        QCOMPARE(s.cleared, s.selectName.isEmpty());
    }

    void conversion_data()
    {
        QTest::addColumn<bool>("move");
        QTest::addColumn<QString>("older"); // a GIF already there, holding "old"
        QTest::addColumn<bool>("fails");    // bmp2gif exits 1
        QTest::addRow("move") << true << "" << false;
        QTest::addRow("copy over another spelling") << false << "JET_SET_WILLY.GIF" << false;
        QTest::addRow("bmp2gif fails") << true << "Jet_Set_Willy.gif" << true;
    }
    // The GIF (320 x 200, the picture's colours) replaces an older one in any spelling; the dump is gone only after
    // a Move that worked. A failure is reported and leaves the dump, the older GIF and no temporary file.
    void conversion()
    {
        QFETCH(bool, move);
        QFETCH(QString, older);
        QFETCH(bool, fails);
        const QString stored = fails ? "" : older.isEmpty() ? "Jet_Set_Willy.gif" : older; // the older one's spelling
        QVERIFY(older.isEmpty() || testsupport::writeFile(home("Screenshots/" + older), "old"));
        QVERIFY(!fails || testsupport::writeFakeTool(home("Conversion"), "bmp2gif",
                                                     "echo 'bmp2gif: out.gif: No space left on device' >&2; exit 1"));
        const auto r = clsScreenshot(platform::Folders::inProgramFolder(m_home->path()))
                           .ConvertToGif(home("Emu/SHOT0001.BMP"), "Jet_Set_Willy.gif",
                                         move ? clsScreenshot::Transfer::Move : clsScreenshot::Transfer::Copy);
        QCOMPARE(r.ok ? r.storedName : QString(), stored);
        // A failure names the dump and bmp2gif's own reason (it used to say only "bmp2gif wrote no GIF").
        QVERIFY(r.ok || (r.message.contains("SHOT0001.BMP") && r.message.endsWith("out.gif: No space left on device")));
        QCOMPARE(tooltest::entries(home("Screenshots")), QStringList({fails ? older : stored, "elite.GIF"}));
        QCOMPARE(QFile::exists(home("Emu/SHOT0001.BMP")), fails || !move);
        const QString gif = home("Screenshots/" + (fails ? older : stored));
        if (fails) {
            QCOMPARE(testsupport::readFile(gif), QByteArray("old"));
            return;
        }
        QCOMPARE(tooltest::oracle("identify", {"-format", "%m %w %h", gif}, m_home->path()).out, "GIF 320 200");
        for (const QPoint p : {QPoint(0, 0), QPoint(319, 24), QPoint(0, 25), QPoint(200, 199)}) {
            const int c = testsupport::dumpColour(p.x(), p.y());
            const QString rgb = QString::asprintf("%02X%02X%02X", c * 5 & 255, 255 - c * 8 & 255, c * 16 & 255);
            const QString at = QString("%[hex:p{%1,%2}]").arg(p.x()).arg(p.y());
            QCOMPARE(tooltest::oracle("convert", {gif, "-format", at, "info:"}, m_home->path()).out.trimmed(), rgb);
        }
    }
};

QTEST_MAIN(TestFileRules)
#include "TestFileRules.moc"
