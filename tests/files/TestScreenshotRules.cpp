// The screenshot rules: the name checks in their order, the name dialog's proposal, refusal and overwrite question,
// where the screenshot dialog opens, and the conversion of a dump into a stored GIF by the real bmp2gif (read back by
// ImageMagick), or by a failing one.
#include "BmpFiles.h"
#include "FakeTool.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "data/settings/Settings.h"
#include "files/ScreenshotRules.h"
#include "files/clsScreenshot.h"
#include "files/gui/frmSSFilename.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace files;
using platform::MessageBox;

class TestScreenshotRules : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempProgramFolder> m_home;
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

    void nameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("icon");
        QTest::addRow("a.gif, five characters") << "a.gif" << QString() << 0;
        QTest::addRow("capitals") << "ELITE.GIF" << QString() << 0;
        QTest::addRow(".gif alone") << ".gif" << kNameTooShort << int(MessageBox::Exclamation);
        QTest::addRow("short and not gif") << "a.b" << kNameTooShort << int(MessageBox::Exclamation);
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
        QTest::addRow("new") << "Uridium.gif" << 0 << "Uridium.gif";
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
        QTest::addColumn<QString>("dos");
        QTest::addColumn<QString>("win32");
        QTest::addColumn<bool>("lastRunWasWin32");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opens"); // the folder below the program folder, the GIF selected
        // clang-format off
        QTest::addRow("after a Win32 start") << "Dos/ccs64.exe" << "Win/ccs64.exe" << true << "(None)" << "Win|";
        QTest::addRow("after a DOS start") << "Dos/ccs64.exe" << "Win/ccs64.exe" << false << "(None)" << "Dos|";
        QTest::addRow("Win32 only") << "" << "Win/ccs64.exe" << false << "(None)" << "Win|";
        QTest::addRow("neither") << "" << "" << true << "(None)" << "Screenshots|";
        QTest::addRow("own GIF, other case") << "Dos/c" << "" << false << "ELITE.gif" << "Screenshots|elite.GIF";
        QTest::addRow("own GIF missing") << "Dos/c" << "" << false << "gone.gif" << "Dos|";
        // clang-format on
    }
    void whereTheDialogOpens()
    {
        QFETCH(QString, dos);
        QFETCH(QString, win32);
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
        QTest::addColumn<QString>("older");  // a GIF already there, holding "old"
        QTest::addColumn<bool>("fails");     // bmp2gif exits 1
        QTest::addColumn<QString>("stored"); // "" for a failure
        QTest::addRow("move") << true << "" << false << "Jet_Set_Willy.gif";
        QTest::addRow("copy over another spelling") << false << "JET_SET_WILLY.GIF" << false << "JET_SET_WILLY.GIF";
        QTest::addRow("bmp2gif fails") << true << "Jet_Set_Willy.gif" << true << "";
    }
    // The GIF (320 x 200, the picture's colours) replaces an older one in any spelling; the dump is gone only after
    // a Move that worked. A failure is reported and leaves the dump, the older GIF and no temporary file.
    void conversion()
    {
        QFETCH(bool, move);
        QFETCH(QString, older);
        QFETCH(bool, fails);
        QFETCH(QString, stored);
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

QTEST_MAIN(TestScreenshotRules)
#include "TestScreenshotRules.moc"
