#pragma once

#include "files/BrowseSession.h"

#include <QDialog>

#include <memory>

class FolderTrio;

namespace app {
struct DialogHandover;
}

namespace Ui {
class frmVTRXBrowse;
}

// The generic browse dialog: a folder, or a file matching a pattern, chosen from the drive, folder and
// file lists. Its caller sets DialogPrompt and the Browse* values of the hand-over and clears
// BrowseCancelled; OK puts the folder or file into BrowsePath, "(None)" empties it, Cancel (or closing the
// window) sets BrowseCancelled.
class frmVTRXBrowse : public QDialog
{
    Q_OBJECT
public:
    // A start path that is empty or gone opens in its nearest existing folder, else in programFolder.
    frmVTRXBrowse(app::DialogHandover& handover, const QString& programFolder, QWidget* parent = nullptr);
    ~frmVTRXBrowse() override;

    void reject() override;

private:
    void Form_Load();
    void Folder_Change();
    void FileBox_Click();
    void cmdOK_Click();
    void cmdNone_Click();
    void cmdCancel_Click();

    app::DialogHandover& m_handover;
    files::BrowseSession m_session;
    std::unique_ptr<Ui::frmVTRXBrowse> ui;
    FolderTrio* m_trio = nullptr;
};
