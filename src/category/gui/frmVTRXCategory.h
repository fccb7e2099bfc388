#pragma once

#include "category/FoundListModel.h"
#include "platform/TypeAhead.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QToolBar;

namespace app {
class AppState;
class CommandHost;
} // namespace app

namespace catalogue {
struct ListedTune;
}

namespace platform {
class ListBox;
}

// The category browser: a window beside the main window that lists the values of one category, the games of the
// chosen value within the main window's view (and a musician's stand-alone tunes), and the games and tunes a find
// turns up. Choosing a game selects it in the main window; its game and tune are played from here. It reads the
// main window through the command host and the catalogue through snapshots of its own.
class frmVTRXCategory : public QWidget
{
    Q_OBJECT

public:
    frmVTRXCategory(app::CommandHost& host, app::AppState& state);
    ~frmVTRXCategory() override;

    // The load and the first activation, in that order around the window's show.
    void Form_Load();
    void Form_Activate();
    // Once shown: the saved place is brought onto a screen that is there.
    void keepOnScreen();

    // The chosen line's tune file when the line is a stand-alone tune; nothing otherwise.
    std::optional<QString> chosenTune() const;
    // The main window's selection changed: play and tune follow whether the chosen line is still its game.
    void MainWindow_GameSelected();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Window positions are kept in twips, 15 to a pixel, as everywhere in the program.
    static constexpr int kTwipsPerPixel = 15;

    // Built in frmVTRXCategoryControls.cpp.
    void createControls();
    void createToolbar();
    void connectHandlers();
    QAction* button(const QString& key) const;
    // The list of the category's values: sorted for publishers and musicians.
    QListWidget* categoryList(int kind) const;
    // The found list beside the values (a category) or across the window (a find).
    void showFoundListBeside(bool beside);
    // Presses the toolbar button of kind (13 the find button), releases every other.
    void pressCategoryButton(int kind);
    void beginReading();
    void endReading();
    void enablePlayButtons(bool play, bool sid);
    // Play and tune follow the chosen line: a game the main window shows as its current one, or a tune.
    void updatePlayButtons();
    // The play helpers, in frmVTRXCategoryPlay.cpp.
    bool nonStopMusicOn() const;
    // The main window's play command for the default emulator, which the play button and a double click run.
    QString defaultPlayCommand() const;
    bool chosenGameIsCurrent(const category::FoundEntry& entry) const;
    bool commandAllowed(const QString& name) const;
    void playGameTune();
    void playTune(const category::FoundEntry& tune);

    // Handlers and routines, in frmVTRXCategory.cpp.
    void Form_Unload();
    void LoadCategory(int kind);
    void ShowCategoryGames();
    void UpdateCategoryCaption();
    void FindGames();
    void Toolbar_ButtonClick(const QString& key);
    void btnNSM_Click(bool pressed);
    void NonStopMusic_Toggled(bool on);
    void Form_KeyDown(QKeyEvent* event);
    void lstFound_Click();
    void lstFound_DblClick();
    void lstFound_KeyPress(int keyCode);
    void lstFound_MouseUp(const QPoint& globalPos);
    void pmnuRemoveTune_Click();
    void TuneRemoved(const catalogue::ListedTune& tune);
    void cboFind_Change(const QString& text);
    void cboFind_Click();
    void chkAlwaysOnTop_Click(bool checked);
    void cmdClose_Click();

    app::CommandHost& m_host;
    app::AppState& m_state;

    category::FoundListModel m_found;
    platform::TypeAhead m_typeAhead;
    bool m_firstActivation = true;
    bool m_loading = false; // choices in the found list are the program's own, not the user's
    bool m_unloaded = false;
    int m_pressed = 0;    // the category (or 13, a find) on show
    int m_buttonDown = 0; // the toolbar button pressed: the category on show, 13 while a find runs
    QString m_lastActed;  // the found line last acted on
    QString m_searched;   // the find's text as searched, upper case

    QToolBar* Toolbar = nullptr;
    QHash<QString, QAction*> m_buttons; // the toolbar's buttons by key
    QComboBox* cboFind = nullptr;
    QListWidget* lstCategory = nullptr;
    QListWidget* lstCategoryS = nullptr;
    platform::ListBox* lstFound = nullptr;
    QCheckBox* chkAlwaysOnTop = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblView = nullptr;
    QLabel* Label1 = nullptr;
    QMenu* pmnu = nullptr;
    QAction* pmnuRemoveTune = nullptr;
};
