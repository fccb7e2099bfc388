// The screenshot commands in the main window, one wiring case each: the Edit menu takes a fresh dump from the
// Win32 emulator's folder (previewed as the area the crop keeps), names it and stores its GIF; the popup and a right
// click on the screenshot clear it; the wallpaper is the screenshot's pixels, handed to a recorder in place of the
// desktop, and named in a message when no desktop takes it; the start clears what killed conversions left.
#include "BmpFiles.h"
#include "ModalHelpers.h"
#include "ProcessRunner.h"
#include "WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

using namespace windowtest;
using testsupport::clickLine;
using testsupport::whenModal;

class TestScreenshotWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    QMainWindow* w = nullptr;
    QString stored(const QString& game) const
    {
        return f->sql("SELECT [Screenshot Filename] FROM Games WHERE Name = '" + game + "'").trimmed();
    }
    // The program on game, the emulators' folders "Dos" and "Win32", the demo's screenshot of Astro Miner.
    bool start(const QString& game, QVariantMap settings = {})
    {
        f = std::make_unique<WindowFixture>();
        settings.insert({{"CCS64Path", f->programFile("Dos/ccs64.exe")}, {"DirectXPath", f->programFile("Win32/x64")}});
        return QFile::copy(testsupport::stageDir() + "/Screenshots/astrominer.gif",
                           f->programFile("Screenshots/astrominer.gif")) &&
               (w = f->startOn(game, settings));
    }

private slots:
    void cleanup() { f.reset(); }

    // Move (DeleteOldSSFlag): the dump is gone, the proposed name stored, the wallpaper command enabled.
    void editMenuTakesAFreshDump()
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
        QCOMPARE(stored("Harbour Patrol"), QStringLiteral("Harbour_Patrol.gif"));
        QVERIFY(QFile::exists(f->programFile("Screenshots/Harbour_Patrol.gif")));
        QVERIFY(!QFile::exists(f->programFile("Win32/SHOT0001.BMP")));
        QVERIFY(action(w, "mnuOptionsPaper")->isEnabled());
    }

    void popupAndRightClickOpenTheDialog_data()
    {
        QTest::addColumn<bool>("popup");
        QTest::addRow("popup") << true;
        QTest::addRow("right click on the screenshot") << false;
    }
    // The game's own GIF selected; Clear and OK store "(None)" and the wallpaper command goes off.
    void popupAndRightClickOpenTheDialog()
    {
        QFETCH(bool, popup);
        QVERIFY(start("Astro Miner") && action(w, "mnuOptionsPaper")->isEnabled());
        QString seen;
        whenModal([&](QWidget* d) {
            seen = d->windowTitle() + '|' + control<QListWidget>(d, "FileBox")->currentItem()->text();
            control<QPushButton>(d, "cmdClear")->click();
            control<QPushButton>(d, "cmdOK")->click();
        });
        popup ? action(w, "pmnuEditScreenshotFilename")->trigger()
              : QTest::mouseClick(control<QLabel>(w, "imgScreenShot"), Qt::RightButton);
        QCOMPARE(seen, QStringLiteral("Screenshot for 'Astro Miner'...|astrominer.gif"));
        QCOMPARE(stored("Astro Miner"), QStringLiteral("(None)"));
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

QTEST_MAIN(TestScreenshotWindow)
#include "TestScreenshotWindow.moc"
