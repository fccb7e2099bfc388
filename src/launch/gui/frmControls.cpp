#include "launch/gui/frmControls.h"

#include "ui_frmControls.h"

using launch::PortField;

frmControls::frmControls(const QString& dialogPrompt, const Settings& settings, const launch::GamePorts& stored,
                         QWidget* parent)
    : QDialog(parent), m_settings(settings), ui(std::make_unique<Ui::frmControls>())
{
    ui->setupUi(this);
    setWindowTitle(dialogPrompt);
    for (PortField f : launch::kPortFields)
        connect(portButton(f), &QPushButton::clicked, this, [this, f] { portButton_Click(f); });
    connect(ui->chkDefaults, &QCheckBox::toggled, this, &frmControls::chkDefaults_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmControls::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load(stored);
}

frmControls::~frmControls() = default;

QPushButton* frmControls::portButton(PortField field) const
{
    return findChild<QPushButton*>(launch::buttonName(field));
}

void frmControls::Form_Load(const launch::GamePorts& stored)
{
    m_loading = true;
    ui->chkDefaults->setChecked(stored.useDefault);
    const launch::GamePorts shown = launch::shownPorts(stored, m_settings);
    for (PortField f : launch::kPortFields)
        portButton(f)->setText(launch::captionFor(f, shown[f]));
    ui->SSTab->setEnabled(!stored.useDefault);
    m_loading = false;
}

void frmControls::portButton_Click(PortField field)
{
    QPushButton* b = portButton(field);
    b->setText(launch::nextCaption(field, b->text()));
}

void frmControls::chkDefaults_Click()
{
    if (m_loading)
        return;
    ui->SSTab->setEnabled(!ui->chkDefaults->isChecked());
}

void frmControls::cmdOK_Click()
{
    accept();
}

launch::GamePorts frmControls::chosenPorts() const
{
    launch::GamePorts ports;
    ports.useDefault = ui->chkDefaults->isChecked();
    for (PortField f : launch::kPortFields)
        ports[f] = launch::storedValueOf(f, portButton(f)->text());
    return ports;
}
