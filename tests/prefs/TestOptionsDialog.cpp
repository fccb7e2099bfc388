// The preferences dialog on its own, with the real browse dialog: what Browse, OK and Cancel leave in the
// settings, and the path warnings.
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
        m_settings = defaultSettings(SettingsLoadContext{});
        // Too long for its label, which shows its end; OK must store it whole.
        m_settings.CCS64Path = path(QString(300, 'd') + "/ccs64.exe");
    }

    void cleanup()
    {
        QVERIFY2(!QApplication::activeModalWidget(), "a dialog was left open");
        m_dir.reset();
    }

    // Browse takes its path at once (Cancel keeps it) and refreshes the defaults tab; a missing program is shown in
    // the warning colour until browsed to. The browse table itself is TestPrefsRules'.
    void browsedPathIsTakenAtOnce()
    {
        m_settings.CCS64Path = path("Old19/GONE.EXE");
        auto d = open();
        auto* label = child<QLabel>(d.get(), "lblCCS64Path");
        QCOMPARE(label->palette().color(QPalette::WindowText), kPathWarningColour);
        click(d.get(), "cmdMSDosPort1Joy"); // an unapplied change on the defaults tab
        whenModal([&](QWidget* browse) {    // opens in the old program's folder
            for (const char* folder : {"..", "New19"})
                QVERIFY(clickLine(child<QListWidget>(browse, "DirBox"), folder, true));
            QVERIFY(clickLine(child<QListWidget>(browse, "FileBox"), "ccs64.exe", true));
        });
        click(d.get(), "cmdBrowseCCS64");
        QVERIFY(label->palette().color(QPalette::WindowText) != kPathWarningColour);
        QCOMPARE(label->toolTip(), path("New19/ccs64.exe"));
        QCOMPARE(m_settings.CCS64Path, path("New19/ccs64.exe"));
        QCOMPARE(child<QPushButton>(d.get(), "cmdMSDosPort1Joy")->text(), QStringLiteral("PC Joystick 2"));
        click(d.get(), "cmdCancel");
        QCOMPARE(m_settings.CCS64Path, path("New19/ccs64.exe"));
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
        QTest::newRow("chkPromptOnAddYear") << QString("chkPromptOnAddYear") << QString("PromptOnAddYear=0");
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
        QVERIFY(child<QLabel>(d.get(), "lblCCS64Path")->text().startsWith(QChar(0x2026)));
        const bool cancel = clicks.endsWith("cmdCancel");
        for (const QString& name : (clicks + (cancel ? "" : " cmdOK")).split(' '))
            click(d.get(), name);
        QCOMPARE(d->result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(stored(), expected);
    }

private:
    std::unique_ptr<frmVTRXOptions> open()
    {
        // The real browse dialog, as the file subsystem offers it; it opens in the test folder for an unset path.
        auto browse = [this](const app::BrowseRequest& request, QWidget* parent) {
            return browseForPath(request, m_dir->path(), parent);
        };
        auto d = std::make_unique<frmVTRXOptions>(m_settings, browse, [](int) { return QPixmap(8, 8); });
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
