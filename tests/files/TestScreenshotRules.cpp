// The screenshot rules without widgets: the name checks in their order, the proposal, where the dialog opens, and
// the conversion of a dump into a stored GIF by the real bmp2gif (read back by ImageMagick), or by a failing one.
#include "BmpFiles.h"
#include "FakeTool.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "data/settings/Settings.h"
#include "files/ScreenshotRules.h"
#include "files/clsScreenshot.h"
#include "platform/ProgramFolder.h"

#include <QDir>
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
        QVERIFY(QFile::copy(testsupport::toolPath("bmp2gif"), platform::conversionToolPath("bmp2gif")));
        QVERIFY(testsupport::writeFile(home("Emu/SHOT0001.BMP"), testsupport::ccs64Dump()));
    }

    void nameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("icon");
        QTest::addRow("a.gif, five characters") << "a.gif" << "" << 0;
        QTest::addRow("capitals") << "ELITE.GIF" << "" << 0;
        QTest::addRow(".gif alone") << ".gif" << kNameTooShort << int(MessageBox::Exclamation);
        QTest::addRow("short and not gif") << "a.b" << kNameTooShort << int(MessageBox::Exclamation);
        QTest::addRow("png") << "elite.png" << kNameNotGif << int(MessageBox::Information);
        QTest::addRow("not gif before bad characters") << "a:b.png" << kNameNotGif << int(MessageBox::Information);
        for (const QChar c : QStringLiteral("|><\"?*:/\\"))
            QTest::addRow("%c", c.toLatin1()) << QString("a%1b.gif").arg(c) << kNameForbidden << int(MessageBox::Exclamation);
    }
    void nameChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        QFETCH(int, icon);
        const auto r = screenshotNameRefusal(name);
        QCOMPARE(r ? r->text : QString(), refusal);
        QCOMPARE(r ? int(r->icon) : 0, icon);
    }

    void proposals()
    {
        QCOMPARE(proposedScreenshotName("Jet Set Willy"), QStringLiteral("Jet_Set_Willy.gif"));
        QCOMPARE(gifNameOf("SHOT0001.BMP"), QStringLiteral("SHOT0001.gif"));
    }

    void whereTheDialogOpens_data()
    {
        QTest::addColumn<QString>("dos");
        QTest::addColumn<QString>("win32");
        QTest::addColumn<bool>("lastRunWasWin32");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("folder"); // below the program folder; the pattern follows it
        QTest::addColumn<QString>("selected");
        QTest::addRow("after a Win32 start") << "Dos/ccs64.exe" << "Win/ccs64.exe" << true << "(None)" << "Win" << "";
        QTest::addRow("after a DOS start") << "Dos/ccs64.exe" << "Win/ccs64.exe" << false << "(None)" << "Dos" << "";
        QTest::addRow("Win32 only") << "" << "Win/ccs64.exe" << false << "(None)" << "Win" << "";
        QTest::addRow("neither") << "" << "" << true << "(None)" << "Screenshots" << "";
        QTest::addRow("own GIF, other case") << "Dos/c" << "" << false << "ELITE.gif" << "Screenshots" << "elite.GIF";
        QTest::addRow("own GIF missing") << "Dos/c" << "" << false << "gone.gif" << "Dos" << "";
    }
    void whereTheDialogOpens()
    {
        QFETCH(QString, dos);
        QFETCH(QString, win32);
        QFETCH(bool, lastRunWasWin32);
        QFETCH(QString, stored);
        QFETCH(QString, folder);
        QFETCH(QString, selected);
        QVERIFY(testsupport::writeFile(home("Screenshots/elite.GIF"), "GIF89a"));
        Settings settings;
        settings.CCS64Path = dos.isEmpty() ? dos : home(dos);
        settings.DirectXPath = win32.isEmpty() ? win32 : home(win32);
        const ScreenshotStart s = screenshotStart(settings, lastRunWasWin32, stored, home("Screenshots"));
        QCOMPARE(s.folder, home(folder));
        QCOMPARE(s.pattern, folder == "Screenshots" ? kGifPattern : kBmpPattern);
        QCOMPARE(s.choosesDumps, folder != "Screenshots");
        QCOMPARE(s.selectName, selected);
        QCOMPARE(s.cleared, selected.isEmpty());
    }

    // Move: the dump goes once the GIF (320 x 200, the picture's colours) is in place, and nothing else is left.
    void dumpBecomesTheGif()
    {
        clsScreenshot shot(m_home->path());
        int rows = 0;
        shot.CropProgress = [&rows](int row) { rows = row; };
        const auto r = shot.ConvertToGif(home("Emu/SHOT0001.BMP"), "Jet_Set_Willy.gif", clsScreenshot::Transfer::Move);
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.storedName, QStringLiteral("Jet_Set_Willy.gif"));
        QCOMPARE(rows, 200);
        QCOMPARE(tooltest::entries(home("Screenshots")), QStringList{"Jet_Set_Willy.gif"});
        QVERIFY(!QFile::exists(home("Emu/SHOT0001.BMP")));
        const QString gif = home("Screenshots/Jet_Set_Willy.gif");
        const auto id = tooltest::oracle("identify", {"-format", "%m %w %h", gif}, m_home->path());
        QCOMPARE(id.out.trimmed(), QByteArray("GIF 320 200"));
        for (const QPoint p : {QPoint(0, 0), QPoint(319, 24), QPoint(0, 25), QPoint(200, 199)}) {
            const int c = testsupport::dumpColour(p.x(), p.y());
            const QByteArray rgb = QByteArray::number((c * 5 & 255) << 16 | (255 - c * 8 & 255) << 8 | (c * 16 & 255), 16)
                                       .rightJustified(6, '0').toUpper();
            const QString at = QString("%[hex:p{%1,%2}]").arg(p.x()).arg(p.y());
            QCOMPARE(tooltest::oracle("convert", {gif, "-format", at, "info:"}, m_home->path()).out.trimmed(), rgb);
        }
    }

    // Copy over an older GIF in another letter case: that file is replaced (no second spelling), the dump stays.
    void copyReplacesTheOlderGif()
    {
        QVERIFY(testsupport::writeFile(home("Screenshots/JET_SET_WILLY.GIF"), "old"));
        const auto r = clsScreenshot(m_home->path())
                           .ConvertToGif(home("Emu/SHOT0001.BMP"), "Jet_Set_Willy.gif", clsScreenshot::Transfer::Copy);
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.storedName, QStringLiteral("JET_SET_WILLY.GIF"));
        QCOMPARE(tooltest::entries(home("Screenshots")), QStringList{"JET_SET_WILLY.GIF"});
        QVERIFY(testsupport::readFile(home("Screenshots/JET_SET_WILLY.GIF")).startsWith("GIF"));
        QCOMPARE(testsupport::readFile(home("Emu/SHOT0001.BMP")), testsupport::ccs64Dump());
    }

    // A bmp2gif that fails: reported, the dump and the older GIF as they were, no temporary file left.
    void failingConverterKeepsEverything()
    {
        QVERIFY(testsupport::writeFakeTool(home("Conversion"), "bmp2gif", "exit 1"));
        QVERIFY(testsupport::writeFile(home("Screenshots/Jet_Set_Willy.gif"), "old"));
        const auto r = clsScreenshot(m_home->path())
                           .ConvertToGif(home("Emu/SHOT0001.BMP"), "Jet_Set_Willy.gif", clsScreenshot::Transfer::Move);
        QVERIFY(!r.ok && r.message.contains("bmp2gif") && r.message.contains("SHOT0001.BMP"));
        QCOMPARE(tooltest::entries(home("Screenshots")), QStringList{"Jet_Set_Willy.gif"});
        QCOMPARE(testsupport::readFile(home("Screenshots/Jet_Set_Willy.gif")), QByteArray("old"));
        QCOMPARE(testsupport::readFile(home("Emu/SHOT0001.BMP")), testsupport::ccs64Dump());
    }
};

QTEST_GUILESS_MAIN(TestScreenshotRules)
#include "TestScreenshotRules.moc"
