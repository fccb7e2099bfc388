#include "files/gui/frmVTRXBrowse.h"

#include "app/AppState.h"
#include "files/gui/FolderTrio.h"

#include "ui_frmVTRXBrowse.h"

frmVTRXBrowse::frmVTRXBrowse(app::DialogHandover& handover, const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_handover(handover),
      m_session(files::browseModeOf(handover.browse.BrowseMode), handover.browse.BrowsePath,
                handover.browse.BrowsePattern, handover.browse.BrowseSelectName, programFolder),
      ui(std::make_unique<Ui::frmVTRXBrowse>())
{
    ui->setupUi(this);
    m_trio = new FolderTrio(m_session, ui->DriveBox, ui->DirBox, ui->FileBox, ui->lblFolder);
    connect(m_trio, &FolderTrio::folderChanged, this, &frmVTRXBrowse::Folder_Change);
    connect(m_trio, &FolderTrio::fileChosen, this, &frmVTRXBrowse::FileBox_Click);
    connect(m_trio, &FolderTrio::fileActivated, this, &frmVTRXBrowse::cmdOK_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXBrowse::cmdOK_Click);
    connect(ui->cmdNone, &QPushButton::clicked, this, &frmVTRXBrowse::cmdNone_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXBrowse::cmdCancel_Click);
    Form_Load();
}

frmVTRXBrowse::~frmVTRXBrowse() = default;

void frmVTRXBrowse::Form_Load()
{
    setWindowTitle(m_handover.DialogPrompt);
    ui->cmdOK->setEnabled(m_session.okEnabled());
    (m_session.mode() == files::BrowseMode::File ? ui->FileBox : ui->DirBox)->setFocus();
}

void frmVTRXBrowse::Folder_Change()
{
    ui->cmdOK->setEnabled(m_session.okEnabled());
}

void frmVTRXBrowse::FileBox_Click()
{
    ui->cmdOK->setEnabled(m_session.okEnabled());
}

void frmVTRXBrowse::cmdOK_Click()
{
    if (!m_session.okEnabled())
        return;
    m_handover.browse.BrowsePath = m_session.result();
    accept();
}

void frmVTRXBrowse::cmdNone_Click()
{
    m_handover.browse.BrowsePath.clear();
    accept();
}

void frmVTRXBrowse::cmdCancel_Click()
{
    reject();
}

void frmVTRXBrowse::reject()
{
    m_handover.browse.BrowseCancelled = true;
    QDialog::reject();
}
