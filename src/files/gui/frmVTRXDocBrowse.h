#pragma once

#include "files/BrowseSession.h"

#include <QDialog>

class FolderTrio;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// Chooses the game's documentation file anywhere on disk. It opens on the stored document's folder with the
// document selected; OK hands back the DocFile value (the full path, or "(None)"); it never touches the
// catalogue.
class frmVTRXDocBrowse : public QDialog
{
    Q_OBJECT
public:
    frmVTRXDocBrowse(const QString& docFile, const QString& programFolder, QWidget* parent = nullptr);

    QString chosenDocFile() const { return m_chosen; }

private:
    void Form_Load();
    void Folder_Change();
    void FileBox_Click();
    void cmdNone_Click();
    void cmdOK_Click();
    void showSelected();

    files::BrowseSession m_session;
    bool m_noneChosen = false;
    QString m_chosen;
    FolderTrio* m_trio = nullptr;
    QComboBox* DriveBox = nullptr;
    QListWidget* DirBox = nullptr;
    QListWidget* FileBox = nullptr;
    QLabel* lblFolder = nullptr;
    QLabel* lblSelected = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdNone = nullptr;
    QPushButton* cmdCancel = nullptr;
};
