#include "frmControls.h"

#include "MessageBox.h"
#include "Recordset.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

using launch::PortField;

namespace {

QWidget* portPage(const QList<PortField>& fields, const QStringList& labels, QHash<int, QPushButton*>& buttons,
                  QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* form = new QFormLayout(page);
    for (int i = 0; i < fields.size(); ++i) {
        auto* b = new QPushButton(page);
        b->setObjectName(launch::buttonName(fields[i]));
        b->setMinimumWidth(130);
        buttons.insert(static_cast<int>(fields[i]), b);
        form->addRow(labels[i], b);
    }
    return page;
}

} // namespace

frmControls::frmControls(const QString& dialogPrompt, const Settings& settings, catalogue::Recordset& games,
                         QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_games(games)
{
    setObjectName(QStringLiteral("frmControls"));
    setWindowTitle(dialogPrompt);
    setModal(true);

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    const QStringList labels = {QStringLiteral("Port 1 Joystick:"), QStringLiteral("Port 2 Joystick:"),
                                QStringLiteral("Port 1 Keys:"), QStringLiteral("Port 2 Keys:")};
    SSTab->addTab(portPage({PortField::Port1Joy, PortField::Port2Joy, PortField::Port1Key, PortField::Port2Key},
                           labels, m_buttons, SSTab),
                  QStringLiteral("CCS64 v1.9"));
    SSTab->addTab(portPage({PortField::V2Port1Joy, PortField::V2Port2Joy, PortField::V2Port1Key,
                            PortField::V2Port2Key},
                           {QStringLiteral("Port 1:"), QStringLiteral("Port 2:"), QStringLiteral("Port 1 Mode:"),
                            QStringLiteral("Port 2 Mode:")},
                           m_buttons, SSTab),
                  QStringLiteral("CCS64 v2.0"));
    chkDefaults = new QCheckBox(QStringLiteral("Use the &default settings from Preferences"), this);
    chkDefaults->setObjectName(QStringLiteral("chkDefaults"));
    auto* fraEmulator = new QGroupBox(QStringLiteral("Emulator"), this);
    fraEmulator->setObjectName(QStringLiteral("fraEmulator"));
    optDos = new QRadioButton(QStringLiteral("Dos"), fraEmulator);
    optDos->setObjectName(QStringLiteral("optDos"));
    optWin32 = new QRadioButton(QStringLiteral("Win32"), fraEmulator);
    optWin32->setObjectName(QStringLiteral("optWin32"));
    auto* emulatorRow = new QHBoxLayout(fraEmulator);
    emulatorRow->addWidget(optDos);
    emulatorRow->addWidget(optWin32);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkDefaults);
    layout->addWidget(SSTab);
    layout->addWidget(fraEmulator);
    layout->addLayout(buttons);

    for (PortField f : launch::kPortFields)
        connect(m_buttons.value(static_cast<int>(f)), &QPushButton::clicked, this, [this, f] { portButton_Click(f); });
    connect(chkDefaults, &QCheckBox::toggled, this, &frmControls::chkDefaults_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmControls::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmControls::Form_Load()
{
    m_loading = true;
    const bool useDefault = m_games.flag(QStringLiteral("UseDefault"));
    chkDefaults->setChecked(useDefault);
    for (PortField f : launch::kPortFields) {
        const int value = useDefault ? launch::defaultValueOf(f, m_settings)
                                     : static_cast<int>(m_games.number(launch::fieldName(f)));
        m_buttons.value(static_cast<int>(f))->setText(launch::captionFor(f, value));
    }
    SSTab->setEnabled(!useDefault);
    m_loading = false;
}

void frmControls::portButton_Click(PortField field)
{
    QPushButton* b = m_buttons.value(static_cast<int>(field));
    b->setText(launch::nextCaption(field, b->text()));
}

void frmControls::chkDefaults_Click()
{
    if (m_loading)
        return;
    SSTab->setEnabled(!chkDefaults->isChecked());
}

void frmControls::cmdOK_Click()
{
    if (!m_games.edit()) {
        platform::MessageBox::exclamation(QStringLiteral("The emulator settings could not be stored: no game is selected."));
        return;
    }
    m_games.setValue(QStringLiteral("UseDefault"), chkDefaults->isChecked());
    for (PortField f : launch::kPortFields)
        m_games.setValue(launch::fieldName(f), launch::storedValueOf(f, m_buttons.value(static_cast<int>(f))->text()));
    if (!m_games.update()) {
        m_games.cancelUpdate();
        platform::MessageBox::exclamation(QStringLiteral("The emulator settings could not be stored:\n") +
                                          m_games.lastError());
        return;
    }
    accept();
}

void mnuEditEmulator_Click(const Settings& settings, catalogue::Recordset& games, QWidget* parent)
{
    if (!launch::emulatorSettingsAllowed(settings)) {
        platform::MessageBox::information(launch::kEmulatorSettingsRefusal);
        return;
    }
    frmControls dialog(QStringLiteral("Settings for ") + games.text(QStringLiteral("Name")) + QStringLiteral("..."),
                       settings, games, parent);
    dialog.exec();
}
