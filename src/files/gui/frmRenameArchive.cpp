#include "files/gui/frmRenameArchive.h"

#include "files/ArchiveRename.h"
#include "launch/clsC64Game.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmRenameArchive::frmRenameArchive(ArchiveHandover& handover, QWidget* parent) : QDialog(parent), m_handover(handover)
{
    setObjectName(QStringLiteral("frmRenameArchive"));
    setWindowTitle(QStringLiteral("Choose the Game to Boot"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("This archive holds more than one game file.\nChoose the one to boot: the "
                                       "archive is renamed after it."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lstFiles = new QListWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    FileBox = new QListWidget(this);
    FileBox->setObjectName(QStringLiteral("FileBox"));
    FileBox->hide();
    cmdRename = new QPushButton(QStringLiteral("&Rename"), this);
    cmdRename->setObjectName(QStringLiteral("cmdRename"));
    cmdRename->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdRename);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lstFiles);
    layout->addLayout(buttons);

    connect(cmdRename, &QPushButton::clicked, this, &frmRenameArchive::cmdRename_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRenameArchive::cmdCancel_Click);
    connect(lstFiles, &QListWidget::itemDoubleClicked, this, &frmRenameArchive::cmdRename_Click);
    Form_Load();
}

void frmRenameArchive::Form_Load()
{
    FileBox->addItems(files::archiveRenameCandidates(m_handover.ArchiveWorkFolder));
    for (int i = 0; i < FileBox->count(); ++i)
        lstFiles->addItem(FileBox->item(i)->text());
}

void frmRenameArchive::cmdRename_Click()
{
    const QListWidgetItem* chosen = lstFiles->currentItem();
    if (!chosen || !chosen->isSelected()) {
        platform::MessageBox::exclamation(QStringLiteral("No File Selected!"));
        return;
    }
    switch (files::renameArchiveAfter(m_handover, chosen->text())) {
    case files::ArchiveRenameOutcome::AlreadyExists:
        platform::MessageBox::exclamation(QStringLiteral("The Selected file already exists in the current Directory!"));
        return;
    case files::ArchiveRenameOutcome::Failed:
        platform::MessageBox::exclamation(QStringLiteral("vintrax could not rename the archive %1 in %2.")
                                              .arg(m_handover.ArchiveName, m_handover.ArchiveFolder));
        return;
    case files::ArchiveRenameOutcome::Renamed:
        break;
    }
    QCoreApplication::processEvents();
    accept();
}

void frmRenameArchive::cmdCancel_Click()
{
    reject();
}

std::function<void(ArchiveHandover&)> archiveRenameDialog(QWidget* parent)
{
    return [parent](ArchiveHandover& handover) {
        frmRenameArchive dialog(handover, parent);
        dialog.exec();
    };
}

void useArchiveRenameDialog(clsC64Game& game, QWidget* parent)
{
    game.setRenameDialog(archiveRenameDialog(parent));
}
