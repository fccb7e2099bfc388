#include "Catalogue.h"
#include "ModalHelpers.h"
#include "PortChoices.h"
#include "Schema.h"
#include "ScriptedMessageBox.h"
#include "frmControls.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace launch;
using testsupport::whenModal;

namespace {

QPushButton* button(QWidget* d, const char* name)
{
    return d->findChild<QPushButton*>(name);
}

} // namespace

class TestControlsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionsAndStoredValues();
    void buttonsCycleThroughTheirChoices();
    void defaultsShowGreyedAndBecomeTheGamesOwn();
    void okWithDefaultsTickedStillStoresTheButtons();
    void cancelChangesNothing();
    void refusedWithoutAnEmulator();

private:
    QString fields();
    QTemporaryDir* m_dir = nullptr;
    catalogue::Catalogue* m_cat = nullptr;
    Settings m_settings;
};

void TestControlsDialog::init()
{
    m_dir = new QTemporaryDir;
    const QString path = m_dir->filePath("Vintrax.mdb");
    QVERIFY(catalogue::createCatalogue(path));
    m_cat = new catalogue::Catalogue;
    QVERIFY(m_cat->open(path).ok());
    QVERIFY(m_cat->db().exec("INSERT INTO Games (Name, UseDefault, Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, "
                             "V2Port2Joy, V2Port1Key, V2Port2Key) VALUES ('Elite', 0, 1, 0, 2, 1, 0, 1, 4, 0)"));
    QVERIFY(m_cat->db().exec("INSERT INTO Games (Name, UseDefault, Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, "
                             "V2Port2Joy, V2Port1Key, V2Port2Key) VALUES ('Uridium', 1, 0, 0, 0, 0, 0, 0, 2, 2)"));
    m_cat->games().setIndex("Name");
    m_settings = Settings{};
    m_settings.CCS64Path = "/emu/ccs64.exe";
    m_settings.DefaultPorts = {1, 0, 0, 2, 1, 1, 0, 1};
}

void TestControlsDialog::cleanup()
{
    delete m_cat;
    delete m_dir;
}

QString TestControlsDialog::fields()
{
    QStringList out{m_cat->games().flag("UseDefault") ? "D" : "-"};
    for (PortField f : kPortFields)
        out << QString::number(m_cat->games().number(fieldName(f)));
    return out.join(' ');
}

void TestControlsDialog::captionsAndStoredValues()
{
    QCOMPARE(buttonName(PortField::Port1Joy), QStringLiteral("cmd1Port1Joy"));
    QCOMPARE(buttonName(PortField::V2Port2Key), QStringLiteral("cmd2Port2Key"));
    QCOMPARE(captionFor(PortField::Port1Joy, 7), QStringLiteral("PC Joystick 2")); // any non-zero joystick value
    QCOMPARE(captionFor(PortField::V2Port1Key, 0), QStringLiteral("PC Joystick 1"));
    QCOMPARE(captionFor(PortField::V2Port1Key, 2), QStringLiteral("Key Set 1"));
    QCOMPARE(storedValueOf(PortField::V2Port1Key, "PC Joystick 2"), 1);
    QCOMPARE(storedValueOf(PortField::V2Port1Joy, "Joystick"), 1);
    QCOMPARE(storedValueOf(PortField::Port2Key, "Key Set 3"), 2);
    QCOMPARE(storedValueOf(PortField::Port2Key, "PC Joystick 1"), -1);
}

void TestControlsDialog::buttonsCycleThroughTheirChoices()
{
    QVERIFY(m_cat->games().seek("Uridium")); // V2Port1Key 2 = "Key Set 1"
    m_cat->db().exec("UPDATE Games SET UseDefault = 0 WHERE Name = 'Uridium'");
    QStringList seen;
    whenModal([&seen](QWidget* d) {
        QPushButton* b = button(d, "cmd2Port1Key");
        seen << b->text();
        for (int i = 0; i < 5; ++i) {
            b->click();
            seen << b->text();
        }
        button(d, "cmdCancel")->click();
    });
    mnuEditEmulator_Click(m_settings, m_cat->games(), nullptr);
    QCOMPARE(seen, QStringList({"Key Set 1", "Key Set 2", "Key Set 3", "PC Joystick 1", "PC Joystick 2", "Key Set 1"}));
}

void TestControlsDialog::defaultsShowGreyedAndBecomeTheGamesOwn()
{
    QVERIFY(m_cat->games().seek("Uridium"));
    whenModal([](QWidget* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Settings for Uridium..."));
        auto* tabs = d->findChild<QTabWidget*>("SSTab");
        auto* box = d->findChild<QCheckBox*>("chkDefaults");
        QVERIFY(box->isChecked());
        QVERIFY(!tabs->isEnabled());
        QCOMPARE(button(d, "cmd1Port1Joy")->text(), QStringLiteral("PC Joystick 2")); // DefPort1Joy 1
        QCOMPARE(button(d, "cmd1Port2Key")->text(), QStringLiteral("Key Set 3"));     // DefPort2Key 2
        QCOMPARE(button(d, "cmd2Port1Key")->text(), QStringLiteral("PC Joystick 1")); // DXDefPort1Key 0
        QCOMPARE(button(d, "cmd2Port2Key")->text(), QStringLiteral("PC Joystick 2")); // DXDefPort2Key 1
        box->click();
        QVERIFY(tabs->isEnabled());
        button(d, "cmdOK")->click();
    });
    mnuEditEmulator_Click(m_settings, m_cat->games(), nullptr);
    QVERIFY(m_cat->games().seek("Uridium"));
    QCOMPARE(fields(), QStringLiteral("- 1 0 0 2 1 1 0 1"));
}

void TestControlsDialog::okWithDefaultsTickedStillStoresTheButtons()
{
    QVERIFY(m_cat->games().seek("Elite"));
    whenModal([](QWidget* d) {
        QCOMPARE(button(d, "cmd1Port1Key")->text(), QStringLiteral("Key Set 3")); // the game's own values
        button(d, "cmd1Port1Joy")->click();                                        // PC Joystick 2 -> 1
        d->findChild<QCheckBox*>("chkDefaults")->click();
        button(d, "cmdOK")->click();
    });
    mnuEditEmulator_Click(m_settings, m_cat->games(), nullptr);
    QVERIFY(m_cat->games().seek("Elite"));
    QCOMPARE(fields(), QStringLiteral("D 0 0 2 1 0 1 4 0"));
}

void TestControlsDialog::cancelChangesNothing()
{
    QVERIFY(m_cat->games().seek("Elite"));
    const QString before = fields();
    whenModal([](QWidget* d) {
        button(d, "cmd2Port2Joy")->click();
        button(d, "cmdCancel")->click();
    });
    mnuEditEmulator_Click(m_settings, m_cat->games(), nullptr);
    QVERIFY(m_cat->games().seek("Elite"));
    QCOMPARE(fields(), before);
}

void TestControlsDialog::refusedWithoutAnEmulator()
{
    m_settings.CCS64Path.clear();
    m_settings.CCS642Path = "/emu/ccs642.exe"; // the DOS v2.0 alone does not count
    platform::ScriptedMessageBox messages;
    QVERIFY(m_cat->games().seek("Elite"));
    mnuEditEmulator_Click(m_settings, m_cat->games(), nullptr);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, kEmulatorSettingsRefusal);
    QCOMPARE(messages.last().title, QStringLiteral("vintrax"));
    QCOMPARE(messages.last().icon, platform::MessageBox::Information);
    QVERIFY(!QApplication::activeModalWidget());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestControlsDialog tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "TestControlsDialog.moc"
