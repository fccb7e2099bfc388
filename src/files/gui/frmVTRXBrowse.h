#pragma once

#include "files/BrowseSession.h"

#include <QDialog>

#include <memory>
#include <optional>

class FolderTrio;

namespace app {
struct BrowseRequest;
}

namespace Ui {
class frmVTRXBrowse;
}

// The generic browse dialog: a folder, or a file matching a pattern, chosen from the drive, folder and
// file lists, as the request asks. OK hands back the folder or file (chosenPath()), "(None)" an empty path;
// Cancel (or closing the window) rejects.
class frmVTRXBrowse : public QDialog
{
    Q_OBJECT
public:
    // A start path that is empty or gone opens in its nearest existing folder, else in programFolder.
    frmVTRXBrowse(const app::BrowseRequest& request, const QString& programFolder, QWidget* parent = nullptr);
    ~frmVTRXBrowse() override;

    QString chosenPath() const { return m_chosen; }

private:
    void Form_Load();
    void Folder_Change();
    void FileBox_Click();
    void cmdOK_Click();
    void cmdNone_Click();

    files::BrowseSession m_session;
    QString m_chosen;
    std::unique_ptr<Ui::frmVTRXBrowse> ui;
    FolderTrio* m_trio = nullptr;
};

// The browse dialog over parent: the folder or file chosen ("" for "(None)"), nothing when cancelled.
std::optional<QString> browseForPath(const app::BrowseRequest& request, const QString& programFolder, QWidget* parent);
