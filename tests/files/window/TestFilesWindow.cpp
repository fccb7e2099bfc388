// The file commands in the main window, one wiring case each: the Edit menu opens the game file or document dialog,
// whose choice is stored and shown at once; View Docs hands the document to the desktop. The Edit menu takes a fresh
// screenshot dump from the Win32 emulator's folder (previewed as the area the crop keeps), names it and stores its GIF;
// the popup clears it; the wallpaper is the screenshot's pixels, handed to a recorder in place of the desktop, and
// named in a message when no desktop takes it; the start clears what killed conversions left.
#include "BmpFiles.h"
#include "ModalHelpers.h"
#include "ProcessRunner.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "appstate/AppState.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>

using namespace windowtest;
using testsupport::clickLine;
using testsupport::whenModal;

class TestFilesWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    QMainWindow* w = nullptr;
    QString stored(const char* field, const QString& game) const
    {
        return f->sql(QStringLiteral("SELECT [%1] FROM Games WHERE Name = '%2'").arg(field, game)).trimmed();
    }
    // The program on game, the emulators' folders "Dos" and "Win32", the demo's screenshot of Astro Miner; files
    // written into the program folder before the start.
    bool start(const QString& game, QVariantMap settings = {}, const QStringList& files = {})
    {
        f = std::make_unique<WindowFixture>();
        settings.insert({{"CCS64Path", f->programFile("Dos/ccs64.exe")}, {"DirectXPath", f->programFile("Win32/x64")}});
        for (const QString& file : files)
            if (!testsupport::writeFile(f->programFile(file), file.toUtf8()))
                return false;
        return QFile::copy(testsupport::stageDir() + "/Screenshots/astrominer.gif",
                           f->programFile("Screenshots/astrominer.gif")) &&
               (w = f->startOn(game, settings));
    }
private slots:
    void cleanup() { f.reset(); }

    // The Edit menu's game file dialog stores "(None)", shown at once. No document, or an empty name, is none (an
    // empty one used to enable View Docs, which then said "FILE NOT SET!"); View Docs hands a document to the desktop.
    // The document dialog opens on the document stored in another letter case, selected in its folder; a folder
    // opened, OK waits for a file; "(None)" is stored and shown at once.
    void gameFileAndDocument()
    {
        QVERIFY(start("Astro Miner", {}, {"Docs é/Read me.txt", "Docs é/A.txt"}));
        QString seen;
        whenModal([&seen](QWidget* dialog) {
            seen = dialog->windowTitle();
            control<QPushButton>(dialog, "cmdNone")->click();
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        action(w, "mnuEditGameFilename")->trigger();
        QCOMPARE(seen, "Filename for 'Astro Miner'...");
        QCOMPARE(stored("Filename", "Astro Miner") + '|' + labelText(w, "lblGameFile"), "(None)|(None)");
        QVERIFY(!control<QPushButton>(w, "cmdViewDocs")->isEnabled());
        QVERIFY(f->state().currentGame.change({{"DocFile", ""}}));
        QVERIFY(!control<QPushButton>(w, "cmdViewDocs")->isEnabled() && !action(w, "pmnuDocs")->isEnabled());
        const QString doc = f->programFile("Docs é/Read me.txt");
        QVERIFY(f->state().currentGame.change({{"DocFile", doc}}));
        QStringList opened;
        f->state().ShellOpen = [&](const QString& target) { return opened << target, true; };
        QTest::mouseClick(control<QPushButton>(w, "cmdViewDocs"), Qt::LeftButton);
        QCOMPARE(opened, QStringList{doc});
        QVERIFY(f->state().currentGame.change({{"DocFile", f->programFile("Docs é/READ ME.TXT")}}));
        whenModal([&seen](QWidget* dialog) {
            seen = control<QListWidget>(dialog, "FileBox")->selectedItems().value(0)->text();
            auto* ok = control<QPushButton>(dialog, "cmdOK");
            clickLine(control<QListWidget>(dialog, "DirBox"), "..", true);
            seen += ok->isEnabled() ? " then OK" : " then waits";
            control<QPushButton>(dialog, "cmdNone")->click();
            ok->click();
            if (dialog->isVisible()) // a dialog left open would hang the test
                control<QPushButton>(dialog, "cmdCancel")->click();
        });
        action(w, "mnuEditDocFilename")->trigger();
        QCOMPARE(seen, "Read me.txt then waits");
        QCOMPARE(stored("DocFile", "Astro Miner") + '|' + labelText(w, "lblDocFile"), "(None)|(None)");
    }

    // Move (DeleteOldSSFlag): the dump is gone, the proposed name stored, the wallpaper command enabled. Then from
    // the popup: the game's own GIF selected; Clear and OK store "(None)" and the wallpaper command goes off.
    void editMenuTakesAFreshDumpAndThePopupClearsIt()
    {
        QVERIFY(start("Harbour Patrol", {{"DeleteOldSSFlag", 1}}) && !action(w, "mnuOptionsPaper")->isEnabled());
        QVERIFY(testsupport::writeFile(f->programFile("Win32/SHOT0001.BMP"), testsupport::ccs64Dump()) &&
                testsupport::writeFile(f->programFile("Win32/SMALL.BMP"), testsupport::paletteBmp(320, 200, 8)));
        f->state().LastRunWasWin32 = true;
        QString folder;
        QList<QRgb> preview;
        bool refused = false;
        whenModal([&](QWidget* d) {
            folder = control<QLabel>(d, "lblFolder")->text();
            refused = clickLine(control<QListWidget>(d, "FileBox"), "SMALL.BMP") &&
                      !control<QPushButton>(d, "cmdOK")->isEnabled() && control<QLabel>(d, "imageInvalid")->isVisible();
            clickLine(control<QListWidget>(d, "FileBox"), "SHOT0001.BMP");
            const QImage shown = control<QLabel>(d, "imgThumbnail")->pixmap().toImage();
            preview = {shown.pixel(0, 24), shown.pixel(0, 25), shown.pixel(319, 199)};
            whenModal([](QWidget* names) { control<QPushButton>(names, "cmdOK")->click(); }); // the name proposed
            control<QPushButton>(d, "cmdOK")->click();
        });
        action(w, "mnuEditSSFilename")->trigger();
        QCOMPARE(folder, f->programFile("Win32"));
        QVERIFY(refused);
        const QImage dump = QImage::fromData(testsupport::ccs64Dump());
        QCOMPARE(preview, QList<QRgb>({dump.pixel(128, 75), dump.pixel(128, 76), dump.pixel(447, 250)}));
        QCOMPARE(stored("Screenshot Filename", "Harbour Patrol"), QStringLiteral("Harbour_Patrol.gif"));
        QVERIFY(QFile::exists(f->programFile("Screenshots/Harbour_Patrol.gif")));
        QVERIFY(!QFile::exists(f->programFile("Win32/SHOT0001.BMP")));
        QVERIFY(action(w, "mnuOptionsPaper")->isEnabled());
        QString seen;
        whenModal([&](QWidget* d) {
            seen = d->windowTitle() + '|' + control<QListWidget>(d, "FileBox")->currentItem()->text();
            control<QPushButton>(d, "cmdClear")->click();
            control<QPushButton>(d, "cmdOK")->click();
        });
        action(w, "pmnuEditScreenshotFilename")->trigger();
        QCOMPARE(seen, QStringLiteral("Screenshot for 'Harbour Patrol'...|Harbour_Patrol.gif"));
        QCOMPARE(stored("Screenshot Filename", "Harbour Patrol"), QStringLiteral("(None)"));
        QVERIFY(!action(w, "mnuOptionsPaper")->isEnabled());
    }

    // A conversion killed midway left its files in the Screenshots folder, where the dialog lists them; the next start
    // removes them: only files of the conversion's own names that are older than the program.
    void startRemovesWhatKilledConversionsLeft()
    {
        f = std::make_unique<WindowFixture>();
        const QStringList kept{"vtrxTemp-AbC12.gif", "vtrxTemp-Fr35h1.gif", "vtrxTemp.gif"}; // the middle one is new
        for (const QString& name :
             kept + QStringList{"vtrxTemp-AbC123.gif", "vtrxTemp-x1Y2z3.bmp", ".vtrx-save-Zz9yX8"}) {
            QFile file(f->programFile("Screenshots/" + name));
            QVERIFY(testsupport::writeFile(file.fileName(), "x") && file.open(QIODevice::ReadWrite));
            QVERIFY(name == kept[1] ||
                    file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime()), QFileDevice::FileModificationTime));
        }
        QVERIFY(w = f->startOn("Astro Miner"));
        QCOMPARE(QDir(f->programFile("Screenshots")).entryList(QDir::Files | QDir::Hidden), kept);
    }

    void wallpaperIsTheScreenshot()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QVERIFY(start("Astro Miner"));
        QStringList told;
        bool desktop = true;
        f->state().SetDesktopWallpaper = [&](const QString& path) { return told << path, desktop; };
        action(w, "mnuOptionsPaper")->trigger();
        const QString bmp = data.filePath("Vintrax/vintrax Wallpaper.bmp");
        QCOMPARE(told, QStringList{bmp});
        const auto same = testsupport::runOracle(
            "compare", {"-metric", "AE", f->programFile("Screenshots/astrominer.gif"), bmp, "null:"}, data.path());
        QVERIFY2(same.exitCode == 0 && same.err.trimmed() == "0", same.err.constData());
        QCOMPARE(f->messages.count(), 0);
        desktop = false;
        action(w, "mnuOptionsPaper")->trigger();
        QVERIFY(f->messages.count() == 1 && f->messages.texts().first().contains(bmp));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_MAIN(TestFilesWindow)
#include "TestFilesWindow.moc"
