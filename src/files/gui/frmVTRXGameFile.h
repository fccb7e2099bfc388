#pragma once

#include "appstate/AppState.h"
#include "launch/EmulatorKind.h"
#include "launch/clsC64Game.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace catalogue {
class CurrentGame;
}
namespace Ui {
class frmVTRXGameFile;
}

// The game file dialog: a file picked from one game folder tree (never above it), previewed (an image's directory,
// an archive unpacked and converted with its report), tried in the emulators without counting a play, deleted,
// renamed or moved. OK hands back the choice (choice()), for the current game or, in new-game mode, for a game not
// yet in the catalogue; the caller stores it. OK and Cancel remember the folder for the next game added. Only the
// tidying buttons change the current game at once, when they move its own file away.
class frmVTRXGameFile : public QDialog
{
    Q_OBJECT
public:
    frmVTRXGameFile(app::AppState& state, const QString& caption, bool newGame, QWidget* parent = nullptr);
    ~frmVTRXGameFile() override;

    // After OK: the file chosen, or none.
    const app::GameFileChoice& choice() const { return m_choice; }
    void reject() override;

private:
    void Form_Load();
    void mnuPaths_Click(int index);
    void DirBox_Change(const QString& folder);
    void FileBox_Click();
    void cmdRun_Click(launch::EmulatorKind kind);
    void cmdOK_Click();
    void cmdNone_Click();
    void cmdRefresh_Click();
    void cmdDelete_Click();
    void cmdRename_Click();
    void cmdMove_Click();
    void cmdDosPrompt_Click();
    void FlashTimer_Timer();

    void showFolder(const QString& folder);
    void selectFile(const QString& fileName);
    void showImage(const QString& imagePath, const QString& report);
    void showWrongFormat(const QString& report);
    void enableRunButtons(bool enabled);
    void rememberFolder();
    QString selectedFile() const;
    QString selectedPath() const;
    // The current game when the selected file is its own (never in new-game mode): renaming, moving or deleting
    // that file unlinks it.
    catalogue::CurrentGame* gameOwning(const QString& path);

    app::AppState& m_state;
    bool m_newGame = false;
    app::GameFileChoice m_choice;
    std::unique_ptr<Ui::frmVTRXGameFile> ui;
    clsC64Game m_game; // its own converters, so the main window's stay untouched
    QTimer FlashTimer;
    QString m_root;   // the game folder the lists may not leave
    QString m_folder; // the folder the lists show
    QString m_image;  // the file the run buttons start: the selected file or what its archive became
    bool m_reselecting = false;
};
