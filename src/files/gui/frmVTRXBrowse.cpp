#include "files/gui/frmVTRXBrowse.h"

#include "appstate/AppState.h"
#include "files/gui/FolderTrio.h"

#include "ui_frmVTRXBrowse.h"

frmVTRXBrowse::frmVTRXBrowse(const app::BrowseRequest& request, const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_session(files::browseModeOf(request.mode), request.startPath, request.pattern,
                                 request.selectName, programFolder),
      ui(std::make_unique<Ui::frmVTRXBrowse>())
{
    ui->setupUi(this);
    setWindowTitle(request.caption);
    m_trio = new FolderTrio(m_session, ui->DriveBox, ui->DirBox, ui->FileBox, ui->lblFolder);
    connect(m_trio, &FolderTrio::folderChanged, this, &frmVTRXBrowse::Folder_Change);
    connect(m_trio, &FolderTrio::fileChosen, this, &frmVTRXBrowse::FileBox_Click);
    connect(m_trio, &FolderTrio::fileActivated, this, &frmVTRXBrowse::cmdOK_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXBrowse::cmdOK_Click);
    connect(ui->cmdNone, &QPushButton::clicked, this, &frmVTRXBrowse::cmdNone_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXBrowse::reject);
    Form_Load();
}

frmVTRXBrowse::~frmVTRXBrowse() = default;

void frmVTRXBrowse::Form_Load()
{
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
    m_chosen = m_session.result();
    accept();
}

void frmVTRXBrowse::cmdNone_Click()
{
    m_chosen.clear();
    accept();
}

std::optional<QString> browseForPath(const app::BrowseRequest& request, const QString& programFolder, QWidget* parent)
{
    frmVTRXBrowse dialog(request, programFolder, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenPath();
}
