#pragma once

#include <QDialog>

#include <functional>

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

// The dialog over parent, as the converters ask for it when an archive holds several games.
std::function<void(ArchiveHandover&)> archiveRenameDialog(QWidget* parent);
// Lets the converters of game open the dialog over parent.
void useArchiveRenameDialog(clsC64Game& game, QWidget* parent);
