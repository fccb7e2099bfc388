#pragma once

#include "appstate/CommandHost.h"
#include "browser/GameListActions.h"
#include "browser/GameListModel.h"
#include "browser/GameListViews.h"
#include "browser/MainWindowLayout.h"
#include "browser/Scroller.h"
#include "browser/gui/MainWindowOptions.h"
#include "data/settings/Settings.h"
#include "platform/TypeAhead.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QSet>

#include <array>
#include <functional>
#include <optional>

class DetailLabel;
class LegendBox;
class ScrollerBox;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSettings;

namespace app {
class AppState;
}

namespace platform {
class ListBox;
}

namespace browser {
struct GameDetails;
struct ListSelection;
} // namespace browser

namespace catalogue {
struct ListedGame;
}

// The main window: the game list of one of the three views on the left, the current game's details,
// screenshot and legend on the right, the button row and the menus. The commands of the other
// subsystems reach it only through the command host it is.
class frmVTRXMain : public QMainWindow, public app::CommandHost
{
    Q_OBJECT

public:
    // store is the settings file the program runs on; firstRun the splash's reading of "ShowPrefs".
    // splash is unloaded once the list is filled.
    frmVTRXMain(app::AppState& state, QSettings& store, bool firstRun, QWidget* splash = nullptr,
                browser::MainWindowOptions options = {});
    ~frmVTRXMain() override;

    // The start-up sequence. False when the start ended (a missing tool or an unusable catalogue,
    // already reported): the program then ends without writing anything.
    bool Form_Load();

    // The command host.
    QObject* command(const QString& name) const override;
    QWidget* dialogParent() override { return this; }
    bool hasCurrentGame() const override;
    void showCurrentGameAgain() override;
    bool selectGame(const QString& name) override;
    int shownView() const override;
    int shownGameCount() const override;
    app::ShownGame shownGame(int row) const override;
    QString selectedGame() const override;
    void refreshCommands() override;
    void focusGameList() override;
    void stopScroller() override;
    void settingsChanged() override;
    QPixmap texturePicture(int index) const override;

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
    // One bookmark menu item: the slot's title as caption, shown only while the slot is in use.
    void showFavourite(int index, const Favourite& favourite);
    browser::MainWindowView layoutView() const;
    void applyStartupLayout(const Settings& settings);
    // Puts the window, frame and all, on the screens: at framePosition unless centred, as tall as the
    // screen allows.
    void placeOnScreen(const QPoint& framePosition, const QSize& clientSize, bool centred);
    // Once shown, the frame's real size is known: the window moves or shrinks to fit if it must.
    void keepOnScreen();
    SettingsLoadContext settingsLoadContext() const;
    int clientHeightTwips() const;
    // Enables a command by its rules: installed by a subsystem, those rules allow it, and the open category
    // browser does not lock it.
    void setCommandEnabled(QObject* command, bool enabled);
    // The lock of the open category browser, in frmVTRXMainLock.cpp: the commands it disables (made once the
    // menus are there), and the view buttons and clickable pictures it takes away.
    QSet<const QObject*> browserLockedCommands() const;
    bool lockedByBrowser(const QObject* command) const;
    void applyBrowserLock();
    void setCommandEnabled(const QString& name, bool enabled);
    // A menu whose entries are all disabled is disabled itself.
    void enableMenusByEntries();
    void showDetailLabels(bool visible);
    // The enabled state of the play, tune and docs buttons, which the popup and the double-click follow.
    browser::GameButtons currentGameButtons() const;
    // The shown view's button is disabled, the other two enabled.
    void enableViewButtons(browser::GameListView shown);
    void applyGameDetails(const browser::GameDetails& details);
    void clearGameDetails();
    // lblGN shows as much of the game's name as fits, ending in "…" when cut.
    void fitTitle();
    QList<QObject*> allCommands() const;
    void selectListRow(const browser::ListSelection& selection);
    // Moves pbFill while a fill runs.
    browser::GameListModel::Progress fillProgressBar();
    QString selectedGameName() const;

    // Handlers and routines, in frmVTRXMain.cpp.
    void Form_Unload();
    void Form_Resize();
    void cmdAll_Click();
    void cmdGamesOnly_Click();
    void cmdMusicOnly_Click();
    void FillGameList(browser::GameListView view);
    // The catalogue's announcements, which the list and the panel follow.
    void GameAdded(const catalogue::ListedGame& game);
    void GameChanged(const QString& nameBefore, const catalogue::ListedGame& game);
    void GameRemoved(const catalogue::ListedGame& game);
    void followCatalogue(const std::optional<browser::ListSelection>& selection);
    void lstGames_Click();
    void SelectGame();
    void ShowGameDetails();
    void lstGames_DblClick();
    void lstGames_KeyPress(int keyCode);
    void lstGames_MouseUp(const QPoint& globalPos);
    void cmdRandom_Click();
    void UpdateCaption();
    void ShowNoGame();
    void ShowNoCurrentGame();
    void ShowGameControls();
    void StartScroller(const QString& text);
    void StopScroller();
    void Scroller_CopyBlock(int sourceX);
    void Scroller_BufferChanged();
    void Scroller_VisibilityChanged(bool scrollerVisible);
    void mnuViewGameDetails_Click();
    void mnuViewScreenshots_Click();
    void ApplyScreenshotView();
    void cmdExit_Click();
    void mnuFileExit_Click();
    void DetailLabel_MouseMove(DetailLabel* label);
    void DetailLabel_MouseLeave();
    void DetailLabel_MouseUp(DetailLabel* label, Qt::MouseButton button);
    void imgScreenShot_MouseUp(Qt::MouseButton button);

    app::AppState& m_state;
    Settings& m_settings; // the state's settings
    QSettings& m_store;
    bool m_firstRun = false;
    QWidget* m_splash = nullptr;

    browser::GameListModel m_model;
    browser::GameListView m_view = browser::GameListView::All;
    platform::TypeAhead m_typeAhead;
    std::function<double()> m_random;
    browser::Scroller m_scroller;
    QImage m_scrollerStrip; // picScrollerBack
    browser::MainWindowSizes m_sizes;

    // The game the user had last (CurrentGame): kept while a view lacks it, so it is selected again in a
    // view that holds it; empty in the no-game state.
    QString m_shownGame;
    bool m_catalogueOpen = false; // settings are written at exit only after a start that got this far
    bool m_unloaded = false;
    bool m_selectionByCode = false;

    // Controls, by the names the rest of the program knows them by.
    QWidget* m_client = nullptr;
    platform::ListBox* lstGames = nullptr; // the game list
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
    DetailLabel* imgScreenShot = nullptr;
    QLabel* imgNoSS = nullptr;
    LegendBox* picKey = nullptr;
    ScrollerBox* picScroller = nullptr;
    QLabel* lblScroller = nullptr;

    QMenu* mnuEdit = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* pmnu = nullptr;
    QAction* mnuEditC = nullptr;
    QAction* mnuViewGameDetails = nullptr;
    QAction* mnuViewScreenshots = nullptr;
    QAction* mnuOptionsNSM = nullptr;
    std::array<QAction*, FavouriteCount> mnuFave{};
    QHash<QString, QAction*> m_actions; // every menu and popup item by name
    QList<QMenu*> m_subMenus;           // menus enabled by their entries
    QSet<const QObject*> m_browserLocked;
};
