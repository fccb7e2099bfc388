#include "prefs/gui/frmVTRXURL.h"

#include "prefs/gui/frmVTRXURLEdit.h"

#include "ui_frmVTRXURL.h"

frmVTRXURL::frmVTRXURL(prefs::FavouriteTable& favourites, QWidget* parent)
    : QDialog(parent), m_favourites(favourites), ui(std::make_unique<Ui::frmVTRXURL>())
{
    ui->setupUi(this);
    connect(ui->lstURLs, &QListWidget::currentRowChanged, this, &frmVTRXURL::lstURLs_Click);
    connect(ui->lstURLs, &QListWidget::itemDoubleClicked, this, [this] { ui->cmdEdit->click(); });
    connect(ui->cmdUp, &QPushButton::clicked, this, &frmVTRXURL::cmdUp_Click);
    connect(ui->cmdDown, &QPushButton::clicked, this, &frmVTRXURL::cmdDown_Click);
    connect(ui->cmdEdit, &QPushButton::clicked, this, &frmVTRXURL::cmdEdit_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmVTRXURL::cmdClose_Click);
    Form_Load();
}

frmVTRXURL::~frmVTRXURL() = default;

void frmVTRXURL::Form_Load()
{
    for (const Favourite& favourite : m_favourites)
        ui->lstURLs->addItem(prefs::listTextOf(favourite));
    ui->lstURLs->setCurrentRow(0);
}

void frmVTRXURL::lstURLs_Click()
{
    const prefs::MoveButtons buttons = prefs::moveButtonsFor(ui->lstURLs->currentRow());
    ui->cmdUp->setEnabled(buttons.up);
    ui->cmdDown->setEnabled(buttons.down);
}

void frmVTRXURL::cmdUp_Click()
{
    const int line = ui->lstURLs->currentRow();
    showExchange(line, prefs::moveFavouriteUp(m_favourites, line));
}

void frmVTRXURL::cmdDown_Click()
{
    const int line = ui->lstURLs->currentRow();
    showExchange(line, prefs::moveFavouriteDown(m_favourites, line));
}

void frmVTRXURL::showExchange(int line, int newLine)
{
    for (int l : {line, newLine})
        if (QListWidgetItem* item = ui->lstURLs->item(l))
            item->setText(prefs::listTextOf(m_favourites[std::size_t(l)]));
    ui->lstURLs->setCurrentRow(newLine);
    ui->lstURLs->setFocus();
}

void frmVTRXURL::cmdEdit_Click()
{
    const int line = ui->lstURLs->currentRow();
    if (line < 0 || line >= FavouriteCount)
        return;
    frmVTRXURLEdit edit(m_favourites[std::size_t(line)], this);
    edit.exec();
    ui->lstURLs->item(line)->setText(prefs::listTextOf(m_favourites[std::size_t(line)]));
}

void frmVTRXURL::cmdClose_Click()
{
    reject();
}
