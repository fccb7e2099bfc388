#include "files/gui/frmVTRXMoveFile.h"

#include "files/FolderLists.h"
#include "files/GameFileActions.h"
#include "platform/MessageBox.h"
#include "platform/PathNames.h"
#include "platform/gui/ElidedText.h"
#include "platform/gui/FolderListKeys.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmVTRXMoveFile::frmVTRXMoveFile(const QString& root, const QString& sourceFolder, const QString& fileName,
                                 catalogue::CurrentGame* game, int& goToDir, QWidget* parent)
    : QDialog(parent), m_sourceFolder(sourceFolder), m_fileName(fileName), m_game(game), m_goToDir(goToDir)
{
    setObjectName(QStringLiteral("frmVTRXMoveFile"));
    setWindowTitle(QStringLiteral("Move File"));
    setModal(true);
    lblFileToMove = new QLabel(this);
    lblFileToMove->setObjectName(QStringLiteral("lblFileToMove"));
    DirBox = new QListWidget(this);
    DirBox->setObjectName(QStringLiteral("DirBox"));
    lblDest = new QLabel(this);
    lblDest->setObjectName(QStringLiteral("lblDest"));
    chkMove = new QCheckBox(QStringLiteral("&Go To Directory"), this);
    chkMove->setObjectName(QStringLiteral("chkMove"));
    cmdMove = new QPushButton(QStringLiteral("&Move"), this);
    cmdMove->setObjectName(QStringLiteral("cmdMove"));
    cmdMove->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkMove);
    buttons->addStretch();
    buttons->addWidget(cmdMove);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFileToMove);
    layout->addWidget(DirBox, 1);
    layout->addWidget(lblDest);
    layout->addLayout(buttons);

    platform::openFoldersOnReturn(DirBox);
    connect(DirBox, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { DirBox_Change(files::folderBelow(m_folder, item->text())); });
    connect(DirBox, &QListWidget::itemSelectionChanged, this, &frmVTRXMoveFile::DirBox_Click);
    connect(cmdMove, &QPushButton::clicked, this, &frmVTRXMoveFile::cmdMove_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load(root);
}

frmVTRXMoveFile::~frmVTRXMoveFile()
{
    m_goToDir = chkMove->isChecked() ? 1 : 0;
}

bool frmVTRXMoveFile::followFile() const
{
    return chkMove->isChecked();
}

void frmVTRXMoveFile::Form_Load(const QString& root)
{
    platform::setElidedText(lblFileToMove, m_fileName);
    chkMove->setChecked(m_goToDir != 0);
    DirBox_Change(root);
}

void frmVTRXMoveFile::DirBox_Change(const QString& folder)
{
    m_folder = folder;
    const QSignalBlocker quiet(DirBox);
    DirBox->clear();
    DirBox->addItems(files::folderEntries(folder));
    DirBox_Click();
}

void frmVTRXMoveFile::DirBox_Click()
{
    platform::setElidedText(lblDest, QStringLiteral("Move to:  ") + targetFolder());
}

QString frmVTRXMoveFile::targetFolder() const
{
    const QListWidgetItem* item = DirBox->currentItem();
    return item && item->isSelected() ? files::folderBelow(m_folder, item->text()) : m_folder;
}

void frmVTRXMoveFile::cmdMove_Click()
{
    const QString target = targetFolder();
    const files::GameFileActionOutcome outcome =
        files::moveGameFile(platform::joinPath(m_sourceFolder, m_fileName), target, m_game);
    if (outcome.message == files::kFileExistsInFolder)
        platform::MessageBox::information(outcome.message);
    else if (!outcome.message.isEmpty())
        platform::MessageBox::exclamation(outcome.message);
    if (!outcome.done)
        return;
    m_movedTo = target;
    accept();
}
