// The joystick dialog on its own: what it shows for a game's stored ports and what it hands back. Storing the
// result and the refusal are the window's command, tested with the window.
#include "data/settings/Settings.h"
#include "launch/EmulatorSettings.h"
#include "launch/gui/frmControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace launch;

class TestControlsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_settings.DefaultPorts = {1, 0, 0, 2, 1, 1, 0, 1}; }
    // A caption of another field is no value of this one (storing the eight values is the window's command).
    void captionOfAnotherField() { QCOMPARE(storedValueOf(PortField::Port2Key, "PC Joystick 1"), -1); }
    void defaultsShowGreyedAndBecomeTheGamesOwn()
    {
        frmControls d("Settings for Uridium...", m_settings, GamePorts{true, {0, 0, 0, 0, 0, 0, 2, 2}});
        auto* tabs = d.findChild<QTabWidget*>("SSTab");
        QVERIFY(d.findChild<QCheckBox*>("chkDefaults")->isChecked() && !tabs->isEnabled());
        // DefPort1Joy 1, DefPort2Key 2, DXDefPort1Key 0, DXDefPort2Key 1
        QCOMPARE(captions(&d, {"cmd1Port1Joy", "cmd1Port2Key", "cmd2Port1Key", "cmd2Port2Key"}),
                 "PC Joystick 2|Key Set 3|PC Joystick 1|PC Joystick 2");
        d.findChild<QCheckBox*>("chkDefaults")->click();
        QVERIFY(tabs->isEnabled());
        button(&d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.chosenPorts(), (GamePorts{false, {1, 0, 0, 2, 1, 1, 0, 1}}));
    }
    void okWithDefaultsTickedStillHandsBackTheButtons()
    {
        frmControls d("Settings for Elite...", m_settings, GamePorts{false, {7, 0, 2, 1, 0, 1, 2, 0}});
        // The game's own values; any non-zero joystick value shows as the second joystick.
        QCOMPARE(captions(&d, {"cmd1Port1Key", "cmd1Port1Joy"}), "Key Set 3|PC Joystick 2");
        QPushButton* b = button(&d, "cmd2Port1Key"); // 2 = "Key Set 1", round to it again
        QStringList seen{b->text()};
        for (int i = 0; i < 5; ++i) {
            b->click();
            seen << b->text();
        }
        QCOMPARE(seen.join('|'), "Key Set 1|Key Set 2|Key Set 3|PC Joystick 1|PC Joystick 2|Key Set 1");
        button(&d, "cmd1Port1Joy")->click(); // PC Joystick 2 -> 1
        d.findChild<QCheckBox*>("chkDefaults")->click();
        button(&d, "cmdOK")->click();
        QCOMPARE(d.chosenPorts(), (GamePorts{true, {0, 0, 2, 1, 0, 1, 2, 0}}));
    }

private:
    static QPushButton* button(QWidget* d, const char* name) { return d->findChild<QPushButton*>(name); }
    static QString captions(QWidget* d, std::initializer_list<const char*> names)
    {
        QStringList shown;
        for (const char* name : names)
            shown << button(d, name)->text();
        return shown.join('|');
    }
    Settings m_settings;
};

QTEST_MAIN(TestControlsDialog)
#include "TestControlsDialog.moc"
