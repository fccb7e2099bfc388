#include "prefs/gui/frmVTRXURLEdit.h"

#include "prefs/Bookmarks.h"

#include "ui_frmVTRXURLEdit.h"

frmVTRXURLEdit::frmVTRXURLEdit(Favourite& slot, QWidget* parent)
    : QDialog(parent), m_slot(slot), ui(std::make_unique<Ui::frmVTRXURLEdit>())
{
    ui->setupUi(this);
    connect(ui->txtName, &QLineEdit::textChanged, this, &frmVTRXURLEdit::txtName_Change);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXURLEdit::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXURLEdit::cmdCancel_Click);
    Form_Load();
}

frmVTRXURLEdit::~frmVTRXURLEdit() = default;

void frmVTRXURLEdit::Form_Load()
{
    if (m_slot.isUsed())
        ui->txtName->setText(m_slot.title);
    else
        setAddressEnabled(false);
    ui->txtURL->setText(m_slot.address);
}

void frmVTRXURLEdit::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmVTRXURLEdit::Form_Activate()
{
    QLineEdit* box = ui->txtURL->isEnabled() ? ui->txtURL : ui->txtName;
    box->selectAll();
    box->setFocus();
}

void frmVTRXURLEdit::txtName_Change()
{
    setAddressEnabled(!prefs::titleMarksUnused(ui->txtName->text()));
}

void frmVTRXURLEdit::setAddressEnabled(bool enabled)
{
    // Greyed in the button face, as a box that takes no input.
    QPalette palette = ui->txtURL->palette();
    palette.setColor(QPalette::Base, this->palette().color(enabled ? QPalette::Base : QPalette::Button));
    ui->txtURL->setPalette(palette);
    ui->txtURL->setEnabled(enabled);
}

void frmVTRXURLEdit::cmdOK_Click()
{
    m_slot = prefs::editedFavourite(ui->txtName->text(), ui->txtURL->text());
    accept();
}

void frmVTRXURLEdit::cmdCancel_Click()
{
    reject();
}
