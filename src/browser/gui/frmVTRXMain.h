#pragma once

#include "GameListActions.h"
#include "GameListModel.h"
#include "GameListViews.h"
#include "MainWindowLayout.h"
#include "Scroller.h"
#include "TypeAhead.h"
#include "Catalogue.h"
#include "settings/Settings.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class clsC64Game;
class DetailLabel;
class GameListBox;
class LegendBox;
class ScrollerBox;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSettings;

namespace browser {
struct GameDetails;
struct ListSelection;
} // namespace browser

// The main window: the game list of one of the three views on the left, the current game's details,
// screenshot and legend on the right, the button row and the menus.
class frmVTRXMain : public QMainWindow
{
    Q_OBJECT

public:
    // store is the settings file the program runs on; firstRun the splash's reading of "ShowPrefs".
    // splash is unloaded once the list is filled.
    frmVTRXMain(QSettings& store, bool firstRun, QWidget* splash = nullptr);
    ~frmVTRXMain() override;

    // The start-up sequence. False when the start ended (a missing tool or an unusable catalogue,
    // already reported): the program then ends without writing anything.
    bool Form_Load();
    bool isLoaded() const { return m_loaded; }

    // For tests: the clock of the type-ahead search and the generator of the random pick.
    void setTypeAheadClock(browser::TypeAhead::Clock clock);
    void setRandomSource(std::function<double()> random01);

    const Settings& settings() const { return m_settings; }
    catalogue::Catalogue& catalogue() { return m_catalogue; }
    const browser::GameListModel& gameList() const { return m_model; }
    const browser::Scroller& scroller() const { return m_scroller; }
    const QImage& scrollerStrip() const { return m_scrollerStrip; }
    browser::GameListView currentView() const { return m_view; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Built in frmVTRXMainControls.cpp and frmVTRXMainMenus.cpp.
    void createControls();
    void createMenus();
    void createGamePopupMenu();
    void connectHandlers();
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {});
    QMenu* addSubMenu(QMenu* parent, const QString& name, const QString& caption);
    void applyLayout(const browser::MainWindowLayout& layout);
    void applyTexture(int texture);
    browser::MainWindowView layoutView() const;
    void applyStartupLayout(const Settings& settings);
    SettingsLoadContext settingsLoadContext() const;
    int clientHeightTwips() const;
    // Enables a control or menu item by its object name, unless its command is not available yet.
    void setCommandEnabled(QObject* command, bool enabled);
    void setCommandEnabled(const QString& name, bool enabled);
    void showDetailLabels(bool visible);
    // The enabled state of the play, tune and docs buttons, which the popup and the double-click follow.
    browser::GameButtons currentGameButtons() const;
    // The shown view's button is disabled, the other two enabled.
    void enableViewButtons(browser::GameListView shown);
    void applyGameDetails(const browser::GameDetails& details);
    void selectListRow(const browser::ListSelection& selection);
    QString selectedGameName() const;

    // Handlers and routines, in frmVTRXMain.cpp.
    void Form_Unload();
    void Form_Resize();
    void cmdAll_Click();
    void cmdGamesOnly_Click();
    void cmdMusicOnly_Click();
    void FillGameList(browser::GameListView view);
    void lstGames_Click();
    void SelectGame();
    void ShowGameDetails();
    void lstGames_DblClick();
    void lstGames_KeyPress(int keyCode);
    void lstGames_MouseUp(const QPoint& globalPos);
    void cmdRandom_Click();
    void UpdateCaption();
    void ShowNoGame();
    void ShowGameControls();
    void UpdatePlayButtons();
    void StartScroller(const QString& text);
    void StopScroller();
    void Scroller_CopyBlock(int sourceX);
    void Scroller_BufferChanged();
    void Scroller_VisibilityChanged(bool scrollerVisible);
    void mnuViewGameDetails_Click();
    void mnuViewScreenshots_Click();
    void ApplyScreenshotView();
    void PlayCurrentGame(int kind);
    void cmdRunGame_Click();
    void cmdRun20Dos_Click();
    void cmdRun20Win_Click();
    void mnuEditEmulator_Click();
    void mnuFave_Click(int index);
    void cmdExit_Click();
    void mnuFileExit_Click();
    void DetailLabel_MouseMove(DetailLabel* label);
    void DetailLabel_MouseLeave();

    QSettings& m_store;
    bool m_firstRun = false;
    QWidget* m_splash = nullptr;

    catalogue::Catalogue m_catalogue;
    Settings m_settings;
    browser::GameListModel m_model;
    browser::GameListView m_view = browser::GameListView::All;
    browser::TypeAhead m_typeAhead;
    std::function<double()> m_random;
    browser::Scroller m_scroller;
    QImage m_scrollerStrip; // picScrollerBack
    std::unique_ptr<clsC64Game> m_game;
    browser::MainWindowSizes m_sizes;

    QString m_shownGame; // the game the panel shows, empty in the no-game state
    bool m_loaded = false;
    bool m_catalogueOpen = false; // settings are written at exit only after a start that got this far
    bool m_unloaded = false;
    bool m_selectionByCode = false;
    bool m_categoryBrowserOpen = false; // the category browser is not part of this build

    // Controls, by the names the rest of the program knows them by.
    QWidget* m_client = nullptr;
    GameListBox* lstGames = nullptr;
    QProgressBar* pbFill = nullptr;
    QLabel* lblWhatView = nullptr;
    QLabel* lblPleaseWait = nullptr;
    QPushButton* cmdRandom = nullptr;
    QPushButton* cmdAll = nullptr;
    QPushButton* cmdGamesOnly = nullptr;
    QPushButton* cmdMusicOnly = nullptr;
    QPushButton* cmdRunGame = nullptr;
    QPushButton* cmdRun20Dos = nullptr;
    QPushButton* cmdRun20Win = nullptr;
    QPushButton* cmdPlayMusic = nullptr;
    QPushButton* cmdViewDocs = nullptr;
    QPushButton* cmdReport = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdExit = nullptr;
    QHash<QString, DetailLabel*> m_valueLabels; // lblName ... lblLastPlayed
    QLabel* lblGN = nullptr;
    QLabel* imgScreenShot = nullptr;
    QLabel* imgNoSS = nullptr;
    LegendBox* picKey = nullptr;
    ScrollerBox* picScroller = nullptr;
    QLabel* lblScroller = nullptr;

    QMenu* mnuEdit = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuOptionsResetTP = nullptr;
    QMenu* mnuFileAdd = nullptr;
    QMenu* pmnu = nullptr;
    QAction* mnuEditC = nullptr;
    QAction* mnuViewGameDetails = nullptr;
    QAction* mnuViewScreenshots = nullptr;
    QAction* mnuOptionsNSM = nullptr;
    std::array<QAction*, FavouriteCount> mnuFave{};
    QHash<QString, QAction*> m_actions; // every menu and popup item by name
};
