#pragma once

#include "PortChoices.h"

#include <QDialog>
#include <QHash>

struct Settings;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace catalogue {
class Recordset;
}

// The current game's joystick and key-set assignments for both emulator generations, or its use of
// the defaults from the preferences. OK writes all eight values and the flag to the game row.
class frmControls : public QDialog
{
    Q_OBJECT
public:
    frmControls(const QString& dialogPrompt, const Settings& settings, catalogue::Recordset& games,
                QWidget* parent = nullptr);

private:
    void Form_Load();
    void portButton_Click(launch::PortField field);
    void chkDefaults_Click();
    void cmdOK_Click();

    const Settings& m_settings;
    catalogue::Recordset& m_games;
    bool m_loading = true;
    QTabWidget* SSTab = nullptr;
    QCheckBox* chkDefaults = nullptr;
    QRadioButton* optDos = nullptr;
    QRadioButton* optWin32 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QHash<int, QPushButton*> m_buttons; // by PortField
};

// Edit > "&Emulator Settings..." (F9) and the list's popup item: the dialog, or the refusal when no
// emulator is set in the preferences.
void mnuEditEmulator_Click(const Settings& settings, catalogue::Recordset& games, QWidget* parent);
