#pragma once

#include <QDialog>

namespace catalogue {
class CurrentGame;
}
class QLabel;
class QLineEdit;
class QPushButton;

// Renames a file of the game file dialog; the extension stays. The game's link to its file is cleared when
// the file is the game's own (game passed) and the rename worked.
class frmVTRXRename : public QDialog
{
    Q_OBJECT
public:
    frmVTRXRename(const QString& folder, const QString& fileName, catalogue::CurrentGame* game,
                  QWidget* parent = nullptr);

    // The file's name after an accepted rename.
    QString newName() const { return m_newName; }

private:
    void Form_Load();
    void cmdRename_Click();

    QString m_folder;
    QString m_oldName;
    catalogue::CurrentGame* m_game;
    QString m_newName;
    QLabel* Label1 = nullptr;
    QLineEdit* txtName = nullptr;
    QLabel* lblEXT = nullptr;
    QPushButton* cmdRename = nullptr;
    QPushButton* cmdCancel = nullptr;
};
