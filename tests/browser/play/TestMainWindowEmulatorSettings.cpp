// The joystick dialog reached from the main window: F9, Edit > "&Emulator Settings..." and the list's
// popup menu, the refusal without an emulator, and the game's own ports reaching the next start.
#include "ModalHelpers.h"
#include "PlayFixture.h"
#include "WindowFixture.h"
#include "launch/PortChoices.h"
#include <QMainWindow>

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace playtest;
using namespace windowtest;
using platform::MessageBox;

namespace {

const QString kAstro = QStringLiteral("Astro Miner");

// What the dialog showed when it opened.
struct DialogSeen
{
    bool opened = false;
    QString objectName;
    QString title;
    bool defaultsTicked = false;
    bool tabsEnabled = false;
    QString port1Joy;
};

// Closes any dialog that opens while it lives and notes that one did, so a test that expects none
// fails instead of waiting for ever.
class UnexpectedDialog : public QObject
{
public:
    UnexpectedDialog()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        m_timer.start(50);
    }
    bool opened = false;

private:
    QTimer m_timer;
};

} // namespace

class TestMainWindowEmulatorSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void f9OpensTheDialogAndCancelKeepsTheGame();
    void menuAndPopupOpenTheDialog_data();
    void menuAndPopupOpenTheDialog();
    void gamesOwnPortsReachTheNextStart();
    void emulatorNeededForTheDialog_data();
    void emulatorNeededForTheDialog();
    void noGameNoDialog();

private:
    QVariantMap stored(const QString& game) const { return storedGame(m_s->catalogueFile(), game); }
    void pressF9(QMainWindow* w);
    // Answers the dialog once it is up: notes what it shows, lets edit act on it, then presses button.
    void whenDialog(DialogSeen* seen, const char* button, std::function<void(QWidget*)> edit = {});

    std::unique_ptr<PlaySession> m_s;
};

void TestMainWindowEmulatorSettings::init()
{
    m_s = std::make_unique<PlaySession>();
    QVERIFY(m_s->isValid());
}

void TestMainWindowEmulatorSettings::cleanup()
{
    m_s.reset();
}

void TestMainWindowEmulatorSettings::pressF9(QMainWindow* w)
{
    // The key is the window's shortcut, which works only in the active window.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F9);
}

void TestMainWindowEmulatorSettings::whenDialog(DialogSeen* seen, const char* button,
                                                std::function<void(QWidget*)> edit)
{
    testsupport::whenModal([seen, button, edit](QWidget* dialog) {
        seen->opened = true;
        seen->objectName = dialog->objectName();
        seen->title = dialog->windowTitle();
        seen->defaultsTicked = dialog->findChild<QCheckBox*>(QStringLiteral("chkDefaults"))->isChecked();
        seen->tabsEnabled = dialog->findChild<QTabWidget*>(QStringLiteral("SSTab"))->isEnabled();
        seen->port1Joy = dialog->findChild<QPushButton*>(QStringLiteral("cmd1Port1Joy"))->text();
        if (edit)
            edit(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
}

void TestMainWindowEmulatorSettings::f9OpensTheDialogAndCancelKeepsTheGame()
{
    QMainWindow* w = m_s->start(kAstro);
    QVERIFY(w);
    const QVariantMap before = stored(kAstro);
    DialogSeen seen;
    whenDialog(&seen, "cmdCancel", [](QWidget* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("chkDefaults"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("cmd1Port1Joy"))->click();
    });
    pressF9(w);
    QTRY_VERIFY(seen.opened);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(seen.objectName, QStringLiteral("frmControls"));
    QCOMPARE(seen.title, QStringLiteral("Settings for Astro Miner..."));
    // The demo game uses the defaults: the box is ticked and the ports are greyed with the defaults.
    QVERIFY(seen.defaultsTicked);
    QVERIFY(!seen.tabsEnabled);
    QCOMPARE(seen.port1Joy,
             launch::captionFor(launch::PortField::Port1Joy, m_s->fixture.state().settings.DefaultPorts.DefPort1Joy));
    QCOMPARE(stored(kAstro), before);
    QCOMPARE(m_s->messages().count(), 0);
}

void TestMainWindowEmulatorSettings::menuAndPopupOpenTheDialog_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::newRow("Edit menu") << QStringLiteral("mnuEdit") << QStringLiteral("mnuEditEmulator");
    QTest::newRow("popup menu") << QStringLiteral("pmnu") << QStringLiteral("pmnuEditEmulatorSettings");
}

void TestMainWindowEmulatorSettings::menuAndPopupOpenTheDialog()
{
    QFETCH(QString, menu);
    QFETCH(QString, item);
    const QString keep = QStringLiteral("Dragon's Keep, The");
    QMainWindow* w = m_s->start(keep);
    QVERIFY(w);
    auto* popup = w->findChild<QMenu*>(menu);
    QVERIFY(popup);
    if (menu == QLatin1String("pmnu"))
        rightClickGame(w, keep);
    else
        popup->popup(w->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(popup->isVisible());
    QAction* command = w->findChild<QAction*>(item);
    QVERIFY(command && command->isEnabled());

    DialogSeen seen;
    whenDialog(&seen, "cmdOK",
               [](QWidget* dialog) { dialog->findChild<QCheckBox*>(QStringLiteral("chkDefaults"))->click(); });
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(command).center());
    QTRY_VERIFY(seen.opened);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(seen.title, QStringLiteral("Settings for Dragon's Keep, The..."));
    // OK with the box unticked makes the defaults the game's own values.
    const QVariantMap row = stored(keep);
    QCOMPARE(row.value("UseDefault").toInt(), 0);
    const PortDefaults& d = m_s->fixture.state().settings.DefaultPorts;
    QCOMPARE(row.value("Port1Joy").toInt(), d.DefPort1Joy);
    QCOMPARE(row.value("Port2Key").toInt(), d.DefPort2Key);
    QCOMPARE(row.value("V2Port1Key").toInt(), d.DXDefPort1Key);
    QCOMPARE(row.value("V2Port2Key").toInt(), d.DXDefPort2Key);
    QCOMPARE(m_s->messages().count(), 0);
}

void TestMainWindowEmulatorSettings::gamesOwnPortsReachTheNextStart()
{
    QMainWindow* w = m_s->start(kAstro, {{"DefPort1Joy", 1}, {"DefPort2Key", 2}, {"DXDefPort2Key", 1}});
    QVERIFY(w);
    DialogSeen seen;
    whenDialog(&seen, "cmdOK", [](QWidget* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("chkDefaults"))->click();
        auto press = [dialog](const char* name, int times) {
            for (int i = 0; i < times; ++i)
                dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
        };
        press("cmd1Port1Joy", 1); // "PC Joystick 2" -> "PC Joystick 1"
        press("cmd1Port2Key", 1); // "Key Set 3" -> "Key Set 1"
        press("cmd2Port2Key", 3); // "PC Joystick 2" -> "Key Set 1", "Key Set 2", "Key Set 3"
    });
    pressF9(w);
    QTRY_VERIFY(seen.opened);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    const QVariantMap row = stored(kAstro);
    QCOMPARE(row.value("UseDefault").toInt(), 0);
    QCOMPARE(row.value("Port1Joy").toInt(), 0);
    QCOMPARE(row.value("Port2Key").toInt(), 0);
    QCOMPARE(row.value("V2Port2Key").toInt(), 4);

    QTest::mouseClick(control<QPushButton>(w, "cmdRunGame"), Qt::LeftButton);
    QVERIFY(!m_s->emulators.waitForStart(0, 2).isEmpty());
    QCOMPARE(configLine(m_s->emulators.configPath(0), "$JOYSTICK1PC="), QStringLiteral("$JOYSTICK1PC=0"));
    QCOMPARE(configLine(m_s->emulators.configPath(0), "$JOYSTICK2KEY="), QStringLiteral("$JOYSTICK2KEY=0"));
    QTest::mouseClick(control<QPushButton>(w, "cmdRun20Dos"), Qt::LeftButton);
    QVERIFY(!m_s->emulators.waitForStart(1, 1).isEmpty());
    QCOMPARE(configLine(m_s->emulators.configPath(1), "$CONTROLPORT2MODE="), QStringLiteral("$CONTROLPORT2MODE=4"));
    QCOMPARE(stored(kAstro).value("TimesPlayed").toInt(), 2);
}

void TestMainWindowEmulatorSettings::emulatorNeededForTheDialog_data()
{
    QTest::addColumn<QVariantMap>("paths");
    QTest::addColumn<bool>("opens");
    const QString set = QStringLiteral("/usr/bin/true");
    QTest::newRow("v1.9 only") << QVariantMap{{"CCS64Path", set}, {"CCS642Path", ""}, {"DirectXPath", ""}} << true;
    QTest::newRow("Win32 only") << QVariantMap{{"CCS64Path", ""}, {"CCS642Path", ""}, {"DirectXPath", set}} << true;
    QTest::newRow("v2.0 Dos only") << QVariantMap{{"CCS64Path", ""}, {"CCS642Path", set}, {"DirectXPath", ""}} << false;
    QTest::newRow("none") << QVariantMap{{"CCS64Path", ""}, {"CCS642Path", ""}, {"DirectXPath", ""}} << false;
}

void TestMainWindowEmulatorSettings::emulatorNeededForTheDialog()
{
    QFETCH(QVariantMap, paths);
    QFETCH(bool, opens);
    QMainWindow* w = m_s->start(kAstro, paths);
    QVERIFY(w);
    if (opens) {
        DialogSeen seen;
        whenDialog(&seen, "cmdCancel");
        pressF9(w);
        QTRY_VERIFY(seen.opened);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(m_s->messages().count(), 0);
        return;
    }
    UnexpectedDialog guard;
    pressF9(w);
    QTest::qWait(200);
    QVERIFY(!guard.opened);
    QCOMPARE(m_s->messages().count(), 1);
    QCOMPARE(m_s->messages().last().text,
             QStringLiteral("To Change the Emulator Settings, you must first specify an Emulator in 'Preferences'."));
    QCOMPARE(m_s->messages().last().title, QStringLiteral("vintrax"));
    QCOMPARE(m_s->messages().last().icon, MessageBox::Information);
}

void TestMainWindowEmulatorSettings::noGameNoDialog()
{
    QVERIFY(execOnCatalogue(m_s->catalogueFile(), "DELETE FROM Games"));
    QMainWindow* w = m_s->start(kAstro);
    QVERIFY(w);
    QCOMPARE(gameList(w).rowCount(), 0);
    QVERIFY(!control<QPushButton>(w, "cmdRunGame")->isEnabled());
    UnexpectedDialog guard;
    pressF9(w);
    QTest::qWait(200);
    QVERIFY(!guard.opened);
    QCOMPARE(m_s->messages().count(), 0);
}

QTEST_MAIN(TestMainWindowEmulatorSettings)
#include "TestMainWindowEmulatorSettings.moc"
