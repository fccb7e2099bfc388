#include "files/gui/FolderTrio.h"

#include "files/BrowseSession.h"
#include "platform/gui/ElidedText.h"
#include "platform/gui/FolderListKeys.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>

FolderTrio::FolderTrio(files::BrowseSession& session, QComboBox* driveBox, QListWidget* dirBox, QListWidget* fileBox,
                       QLabel* folderLabel)
    : QObject(driveBox), m_session(session), m_driveBox(driveBox), m_dirBox(dirBox), m_fileBox(fileBox),
      m_folderLabel(folderLabel)
{
    connect(m_driveBox, &QComboBox::activated, this, &FolderTrio::driveBox_Change);
    connect(m_dirBox, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { dirBox_Activated(m_dirBox->row(item)); });
    // The selection, not the current row: a list that takes the focus makes its first row current without
    // the user choosing anything.
    connect(m_fileBox, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_fileBox->selectedItems();
        fileBox_Click(selected.isEmpty() ? -1 : m_fileBox->row(selected.first()));
    });
    connect(m_fileBox, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        fileBox_Click(m_fileBox->row(item));
        if (m_session.chosenFile() >= 0)
            emit fileActivated();
    });
    platform::openFoldersOnReturn(m_dirBox);
    auto* hidden = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), m_dirBox->window());
    connect(hidden, &QShortcut::activated, this, &FolderTrio::toggleHiddenFolders);
    // A long mount point must not widen the dialog.
    m_driveBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_driveBox->setMinimumContentsLength(12);
    showSession();
}

void FolderTrio::showSession()
{
    m_filling = true;
    {
        const QSignalBlocker blockDrives(m_driveBox);
        m_driveBox->clear();
        m_driveBox->addItems(m_session.drives());
        m_driveBox->setCurrentIndex(int(m_session.drives().indexOf(m_session.drive())));
    }
    m_dirBox->clear();
    m_dirBox->addItems(m_session.folders());
    m_fileBox->clear();
    m_fileBox->addItems(m_session.files());
    m_fileBox->setCurrentRow(m_session.chosenFile());
    if (m_session.chosenFile() >= 0)
        m_fileBox->scrollToItem(m_fileBox->currentItem());
    if (m_folderLabel)
        platform::setElidedText(m_folderLabel, m_session.folder());
    m_filling = false;
}

void FolderTrio::driveBox_Change(int index)
{
    m_session.changeDrive(m_driveBox->itemText(index));
    showSession();
    emit folderChanged();
}

void FolderTrio::dirBox_Activated(int row)
{
    m_session.openFolderEntry(row);
    showSession();
    emit folderChanged();
}

void FolderTrio::fileBox_Click(int row)
{
    if (m_filling)
        return;
    m_session.chooseFile(row);
    emit fileChosen();
}

void FolderTrio::toggleHiddenFolders()
{
    m_session.showHiddenFolders(!m_session.showsHiddenFolders());
    m_dirBox->clear();
    m_dirBox->addItems(m_session.folders());
}
