#pragma once

#include <QDialog>

namespace catalogue {
class CurrentGame;
}
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

// Moves a file of the game file dialog into another folder, also on another disk. The game's link to its file
// is cleared when the file is the game's own (game passed) and the move worked. "Go To Directory" (chkMove)
// starts as goToDir says and is written back to it when the dialog closes.
class frmVTRXMoveFile : public QDialog
{
    Q_OBJECT
public:
    frmVTRXMoveFile(const QString& root, const QString& sourceFolder, const QString& fileName,
                    catalogue::CurrentGame* game, int& goToDir, QWidget* parent = nullptr);
    ~frmVTRXMoveFile() override;

    // After an accepted move: the folder the file is in now, and whether the file dialog follows it there.
    QString movedTo() const { return m_movedTo; }
    bool followFile() const;

private:
    void Form_Load(const QString& root);
    void DirBox_Change(const QString& folder);
    void DirBox_Click();
    void cmdMove_Click();
    // The folder the file goes to: the one clicked in the list, else the one the list shows.
    QString targetFolder() const;

    QString m_sourceFolder;
    QString m_fileName;
    catalogue::CurrentGame* m_game;
    int& m_goToDir;
    QString m_folder; // the folder the list shows
    QString m_movedTo;
    QListWidget* DirBox = nullptr;
    QLabel* lblFileToMove = nullptr;
    QLabel* lblDest = nullptr;
    QCheckBox* chkMove = nullptr;
    QPushButton* cmdMove = nullptr;
    QPushButton* cmdCancel = nullptr;
};
