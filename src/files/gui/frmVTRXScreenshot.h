#pragma once

#include "files/BrowseSession.h"
#include "files/ScreenshotRules.h"

#include <QDialog>

#include <memory>
#include <optional>

class FolderTrio;
class QImage;

namespace app {
class AppState;
}

namespace Ui {
class frmVTRXScreenshot;
}

// The screenshot dialog: a GIF of the Screenshots folder chosen or cleared, or a fresh emulator dump taken,
// named (frmSSFilename), cropped, converted and put into the Screenshots folder, with a progress bar. The dialog
// hands back what the game's "Screenshot Filename" is to become and never touches the catalogue, so the name is
// stored only once its GIF exists.
class frmVTRXScreenshot : public QDialog
{
    Q_OBJECT
public:
    frmVTRXScreenshot(app::AppState& state, const QString& caption, QWidget* parent = nullptr);
    ~frmVTRXScreenshot() override;

    // After OK: the name to store ("(None)" when cleared); nothing when the game's screenshot stays as it was.
    std::optional<QString> chosenScreenshot() const { return m_chosen; }

private:
    void Form_Load();
    void DirBox_Change();
    void FileBox_Click();
    void cmdSSDir_Click();
    void cmdClear_Click();
    void cmdOK_Click();
    void takeDump();
    // Which of the three pictures is shown: the preview, the no-screenshot picture or the invalid one.
    void showPicture(const QImage* preview, bool invalid = false);
    void setDumpOptions(bool enabled);
    void setWorking(bool working);

    app::AppState& m_state;
    QString m_screenshots;
    files::ScreenshotStart m_start;
    files::BrowseSession m_session;
    std::unique_ptr<Ui::frmVTRXScreenshot> ui;
    FolderTrio* m_trio = nullptr;
    bool m_cleared = true;
    bool m_newBitmap = false;
    std::optional<QString> m_chosen;
};
