// The preferences dialog on its own, with the real browse dialog: what Browse, OK and Cancel leave in the
// settings, the port and texture buttons, the title-bar text and the path warnings.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "appstate/AppState.h"
#include "data/settings/SettingValues.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/SettingsTable.h"
#include "files/gui/frmVTRXBrowse.h"
#include "prefs/gui/frmVTRXOptions.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using testsupport::clickLine;
using testsupport::whenModal;

namespace {

template <typename T = QWidget> T* child(QWidget* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

void click(QWidget* dialog, const QString& name)
{
    child<QAbstractButton>(dialog, name)->click();
}

// Goes through folders of the browse dialog, then double-clicks a file (or presses OK when file is empty).
void browseTo(QWidget* browse, const QStringList& folders, const QString& file)
{
    for (const QString& folder : folders)
        QVERIFY2(clickLine(child<QListWidget>(browse, "DirBox"), folder, true), qPrintable(folder));
    if (file.isEmpty())
        click(browse, "cmdOK");
    else
        QVERIFY2(clickLine(child<QListWidget>(browse, "FileBox"), file, true), qPrintable(file));
}

QPixmap texturePicture(int index)
{
    QPixmap p(10 + index, 10);
    p.fill(Qt::gray);
    return p;
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(testsupport::writeFile(path("Old19/CCS64.EXE"), "MZ"));
        QVERIFY(testsupport::writeFile(path("New19/ccs64.exe"), "MZ"));
        QVERIFY(QDir().mkpath(path("OldGames")) && QDir().mkpath(path("NewGames")));
        m_settings = defaultSettings(SettingsLoadContext{});
        m_settings.CCS64Path = path("Old19/CCS64.EXE");
        m_settings.GamesPath[0] = path("OldGames");
    }

    void cleanup()
    {
        QVERIFY2(!QApplication::activeModalWidget(), "a dialog was left open");
        m_dir.reset();
    }

    // Browse takes its path at once and Cancel keeps it; a missing path is shown in the warning
    // colour until browsed to.
    void browsedPathIsTakenAtOnce()
    {
        m_settings.MusicPath = path("C64Music");
        auto d = open();
        auto* music = child<QLabel>(d.get(), "lblMusicPath");
        QCOMPARE(music->palette().color(QPalette::WindowText), kPathWarningColour);
        QCOMPARE(music->toolTip(), QStringLiteral("Folder not found: ") + path("C64Music"));
        QVERIFY(QDir().mkpath(path("Tunes")));
        whenModal([&](QWidget* browse) { browseTo(browse, {"Tunes"}, QString()); });
        click(d.get(), "cmdBrowseMusic"); // opens in the nearest folder that is there: the test folder
        QCOMPARE(music->text(), path("Tunes"));
        QVERIFY(music->palette().color(QPalette::WindowText) != kPathWarningColour);
        click(d.get(), "cmdMSDosPort1Joy"); // an unapplied change on the defaults tab
        // The browse table itself is TestPrefsRules'; the old program's folder is where it opens.
        whenModal([&](QWidget* browse) { browseTo(browse, {"..", "New19"}, "ccs64.exe"); });
        click(d.get(), "cmdBrowseCCS64");
        QCOMPARE(child<QLabel>(d.get(), "lblCCS64Path")->toolTip(), path("New19/ccs64.exe"));
        // Taken at once, and the defaults tab shows the settings again.
        QCOMPARE(m_settings.CCS64Path, path("New19/ccs64.exe"));
        QCOMPARE(child<QPushButton>(d.get(), "cmdMSDosPort1Joy")->text(), QStringLiteral("PC Joystick 2"));
        click(d.get(), "cmdCancel");
        QCOMPARE(m_settings.CCS64Path, path("New19/ccs64.exe"));
    }

    void longPathShowsItsEnd() // the program it names; OK keeps the whole path
    {
        const QString deep = m_settings.CCS64Path = path(QString(300, 'd') + "/ccs64.exe");
        auto d = open();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        const QString shown = child<QLabel>(d.get(), "lblCCS64Path")->text();
        QVERIFY2(shown.startsWith(QChar(0x2026)) && shown.endsWith("dd/ccs64.exe"), qPrintable(shown));
        click(d.get(), "cmdOK");
        QCOMPARE(m_settings.CCS64Path, deep);
    }

    void okStoresWhatEachControlChose_data()
    {
        QTest::addColumn<QString>("clicks");  // the controls clicked in turn
        QTest::addColumn<QString>("changed"); // the keys of the settings file that change, "key=value" apart by blanks
        QTest::newRow("optDE1") << QString("optDE1") << QString("TheDefaultEmulatorFlag=1");
        QTest::newRow("optDE2") << QString("optDE2") << QString("TheDefaultEmulatorFlag=2");
        QTest::newRow("optTBCurrentGame") << QString("optTBCurrentGame") << QString("TitleBar=1");
        QTest::newRow("optPositionNo") << QString("optPositionNo") << QString("PositionFlag=False");
        QTest::newRow("optDCMusic") << QString("optDCMusic") << QString("DC=True");
        QTest::newRow("cmdMSDosPort1Joy") << QString("cmdMSDosPort1Joy") << QString("DefPort1Joy=0");
        QTest::newRow("cmdDirectXPort2Key") << QString("cmdDirectXPort2Key") << QString("DXDefPort2Key=2");
        QTest::newRow("chkLeaveSPRunning") << QString("chkLeaveSPRunning") << QString("LeaveSPRunningFlag=0");
        for (const char* key :
             {"RemoveConfirmFlag", "PromptOnAddFlag", "PromptOnAddMusicFN", "PromptOnAddMusician", "PromptOnAddSSFN",
              "PromptOnAddPublisher", "PromptOnAddYear", "PromptOnAddGenre", "PromptOnAddPlayers",
              "PromptOnAddDifficulty", "PromptOnAddRating", "PromptOnAddComment", "PromptOnAddDocFile",
              "PromptOnAddTrained", "PromptOnAddHighScore"})
            QTest::newRow(key) << "chk" + QString::fromLatin1(key) << QString::fromLatin1(key) + "=0";
        QTest::newRow("Cancel drops every change") << QString("optPositionNo optSSViewHide optTBSetMyOwn optDCMusic "
                                                              "optDE2 chkPromptOnAddYear cmdTextureForward "
                                                              "cmdDirectXPort2Joy cmdCancel")
                                                   << QString();
    }

    // One wiring case per control: OK stores its choice under its own key and changes no other; Cancel stores none.
    void okStoresWhatEachControlChose()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, changed);
        QMap<QString, QString> expected = stored();
        for (const QString& pair : changed.split(' ', Qt::SkipEmptyParts))
            expected.insert(pair.section('=', 0, 0), pair.section('=', 1));
        auto d = open();
        const bool cancel = clicks.endsWith("cmdCancel");
        for (const QString& name : (clicks + (cancel ? "" : " cmdOK")).split(' '))
            click(d.get(), name);
        QCOMPARE(d->result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(stored(), expected);
    }

    // The texture arrows and the title-bar text are enabled by what they stand next to (that they reach the
    // window is the window test's).
    void texturePicturesAndTitleText()
    {
        m_settings.TitleBarText = QStringLiteral("My C64 shelf");
        auto d = open();
        auto* back = child<QPushButton>(d.get(), "cmdTextureBack");
        auto* forward = child<QPushButton>(d.get(), "cmdTextureForward");
        auto* picture = child<QLabel>(d.get(), "imgViewTexture");
        QVERIFY(!back->isEnabled() && forward->isEnabled() && picture->pixmap().isNull()); // no texture (-1)
        for (int i = 0; i < 6; ++i)
            forward->click();
        QVERIFY(back->isEnabled() && !forward->isEnabled());
        QCOMPARE(picture->pixmap().width(), 15); // the last picture, 5
        // The title text is typed only beside its own option, and shown while another is chosen.
        auto* text = child<QLineEdit>(d.get(), "txtTitleBar");
        QVERIFY(!text->isEnabled() && text->text() == QStringLiteral("My C64 shelf"));
        click(d.get(), "optTBSetMyOwn");
        QVERIFY(text->isEnabled());
        click(d.get(), "cmdCancel");
    }

private:
    std::unique_ptr<frmVTRXOptions> open()
    {
        // The real browse dialog, as the file subsystem offers it; it opens in the test folder for an unset path.
        auto browse = [this](const app::BrowseRequest& request, QWidget* parent) {
            return browseForPath(request, m_dir->path(), parent);
        };
        auto d = std::make_unique<frmVTRXOptions>(m_settings, browse, texturePicture);
        d->show();
        return d;
    }

    QMap<QString, QString> stored() // every key as the settings file would hold it
    {
        QMap<QString, QString> values;
        for (const SettingDescriptor& d : settingsTable())
            values.insert(d.key, formatSettingValue(d.get(m_settings), d.type));
        return values;
    }
    QString path(const QString& relative) const { return m_dir->filePath(relative); }

    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
};

QTEST_MAIN(TestOptionsDialog)
#include "TestOptionsDialog.moc"
