#pragma once

#include "launch/EmulatorSettings.h"

#include <QDialog>

#include <memory>

struct Settings;
class QPushButton;

namespace Ui {
class frmControls;
}

// The current game's joystick and key-set assignments for both emulator generations, or its use of
// the defaults from the preferences. The dialog only edits; its caller stores chosenPorts() after OK.
class frmControls : public QDialog
{
    Q_OBJECT
public:
    frmControls(const QString& dialogPrompt, const Settings& settings, const launch::GamePorts& stored,
                QWidget* parent = nullptr);
    ~frmControls() override;

    // The flag and the eight values as the buttons show them.
    launch::GamePorts chosenPorts() const;

private:
    void Form_Load(const launch::GamePorts& stored);
    void portButton_Click(launch::PortField field);
    void chkDefaults_Click();
    void cmdOK_Click();
    QPushButton* portButton(launch::PortField field) const;

    const Settings& m_settings;
    std::unique_ptr<Ui::frmControls> ui;
    bool m_loading = true;
};
