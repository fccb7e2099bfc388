#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QListWidget;

namespace files {
class BrowseSession;
}

// The drive, folder and file lists of the browse dialogs, kept in step with a browse session: a drive
// chosen in the drive box or a folder opened in the folder list (double click or Return, which goes no
// further than the list) moves the session and all three lists follow; a file clicked in the file list is
// chosen in the session. Hidden folders are left out until Ctrl+H shows them, as in the desktop's file
// dialogs.
class FolderTrio : public QObject
{
    Q_OBJECT
public:
    // folderLabel, when given, shows the folder the lists are in (elided when it does not fit).
    FolderTrio(files::BrowseSession& session, QComboBox* driveBox, QListWidget* dirBox, QListWidget* fileBox,
               QLabel* folderLabel = nullptr);

    // Fills the three lists from the session and selects its chosen file.
    void showSession();

signals:
    void folderChanged();
    void fileChosen();
    // A file double-clicked (or Enter on it): chosen and to be taken at once.
    void fileActivated();

private:
    void driveBox_Change(int index);
    void dirBox_Activated(int row);
    void fileBox_Click(int row);
    void toggleHiddenFolders();

    files::BrowseSession& m_session;
    QComboBox* m_driveBox;
    QListWidget* m_dirBox;
    QListWidget* m_fileBox;
    QLabel* m_folderLabel;
    bool m_filling = false;
};
