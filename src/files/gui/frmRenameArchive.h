#pragma once

#include <QDialog>

struct ArchiveHandover;
class clsC64Game;
class QLabel;
class QListWidget;
class QPushButton;

// Asks which of an archive's game files to start, and renames the archive after it so that the next
// conversion finds that file by name.
class frmRenameArchive : public QDialog
{
    Q_OBJECT
public:
    explicit frmRenameArchive(ArchiveHandover& handover, QWidget* parent = nullptr);

private:
    void Form_Load();
    void cmdRename_Click();
    void cmdCancel_Click();

    ArchiveHandover& m_handover;
    QLabel* Label1 = nullptr;
    QListWidget* lstFiles = nullptr;
    QListWidget* FileBox = nullptr;
    QPushButton* cmdRename = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// Lets the converters of game open the dialog over parent when an archive holds several games.
void useArchiveRenameDialog(clsC64Game& game, QWidget* parent);
