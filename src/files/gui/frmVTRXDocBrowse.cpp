#include "files/gui/frmVTRXDocBrowse.h"

#include "files/DocumentRules.h"
#include "files/gui/FolderTrio.h"
#include "platform/gui/ElidedText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString kNoneSelected = QStringLiteral("(None Selected)");

files::BrowseSession sessionFor(const QString& docFile, const QString& programFolder)
{
    const files::DocBrowseStart start = files::docBrowseStart(docFile, programFolder);
    return files::BrowseSession(files::BrowseMode::File, start.folder, QStringLiteral("*.*"), start.fileName,
                                programFolder);
}

} // namespace

frmVTRXDocBrowse::frmVTRXDocBrowse(const QString& docFile, const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_session(sessionFor(docFile, programFolder))
{
    setObjectName(QStringLiteral("frmVTRXDocBrowse"));
    setWindowTitle(files::kDocCaption);
    setModal(true);
    DriveBox = new QComboBox(this);
    DriveBox->setObjectName(QStringLiteral("DriveBox"));
    DirBox = new QListWidget(this);
    DirBox->setObjectName(QStringLiteral("DirBox"));
    FileBox = new QListWidget(this);
    FileBox->setObjectName(QStringLiteral("FileBox"));
    lblFolder = new QLabel(this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblSelected = new QLabel(this);
    lblSelected->setObjectName(QStringLiteral("lblSelected"));
    cmdOK = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdNone = new QPushButton(QStringLiteral("(None)"), this);
    cmdNone->setObjectName(QStringLiteral("cmdNone"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblSelected, 1);
    buttons->addWidget(cmdNone);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(lblFolder, 0, 0, 1, 2);
    layout->addWidget(DriveBox, 1, 0);
    layout->addWidget(DirBox, 2, 0);
    layout->addWidget(FileBox, 1, 1, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);

    m_trio = new FolderTrio(m_session, DriveBox, DirBox, FileBox, lblFolder);
    connect(m_trio, &FolderTrio::folderChanged, this, &frmVTRXDocBrowse::Folder_Change);
    connect(m_trio, &FolderTrio::fileChosen, this, &frmVTRXDocBrowse::FileBox_Click);
    connect(m_trio, &FolderTrio::fileActivated, this, &frmVTRXDocBrowse::cmdOK_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmVTRXDocBrowse::cmdOK_Click);
    connect(cmdNone, &QPushButton::clicked, this, &frmVTRXDocBrowse::cmdNone_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmVTRXDocBrowse::Form_Load()
{
    showSelected();
    FileBox->setFocus();
}

void frmVTRXDocBrowse::showSelected()
{
    const int row = m_session.chosenFile();
    platform::setElidedText(lblSelected, row >= 0 ? m_session.files().at(row) : kNoneSelected);
    cmdOK->setEnabled(m_noneChosen || m_session.okEnabled());
}

void frmVTRXDocBrowse::Folder_Change()
{
    m_noneChosen = false;
    showSelected();
}

void frmVTRXDocBrowse::FileBox_Click()
{
    m_noneChosen = false;
    showSelected();
}

void frmVTRXDocBrowse::cmdNone_Click()
{
    m_session.chooseFile(-1);
    FileBox->clearSelection();
    FileBox->setCurrentRow(-1);
    m_noneChosen = true;
    showSelected();
}

void frmVTRXDocBrowse::cmdOK_Click()
{
    if (!cmdOK->isEnabled())
        return;
    const int row = m_session.chosenFile();
    m_chosen = files::docFileValue(m_session.folder(), row >= 0 ? m_session.files().at(row) : QString());
    accept();
}
