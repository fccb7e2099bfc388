#pragma once

#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/GameStore.h"
#include "data/settings/Settings.h"
#include "platform/Folders.h"
#include "platform/PlayerProcess.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;
struct ArchiveHandover;

namespace app {

// The header fields of the SID tune last read, shared by the tune dialogs.
struct SidTune
{
    QString SidPath;
    QString SidName;
    QString SidAuthor;
    QString SidCopyright;
    int SidStartSong = 0;
    int SidSongs = 0;
};

// What the game file dialog hands back: the file as the catalogue stores it (relative to the game folder it was
// chosen in) and the entry chosen in its listing, or "(None)", entry 0 and found false when no file was chosen.
struct GameFileChoice
{
    QString file;
    int entry = 0;
    bool found = false;
};

// What the generic browse dialog is asked for: a folder (mode 0) or a file matching pattern (mode 3), starting at
// startPath with selectName preselected.
struct BrowseRequest
{
    QString caption;
    QString startPath;
    QString selectName;
    QString pattern; // "*.exe", "*.*", "*.dat; *.sid"
    int mode = 3;
};

// What the whole program shares, owned by the application and handed by reference to the windows and
// to each subsystem's commands. Nothing else in the program is shared.
class AppState
{
public:
    explicit AppState(const platform::Folders& folders);
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // Where the catalogue, the screenshots, the working folder, the tools and the help files are.
    const platform::Folders& folders() const { return m_folders; }
    const QString& programFolder() const { return m_folders.program; }
    // The working folder archives are unpacked into.
    QString workFolder() const;

    catalogue::Catalogue catalogue;
    // Adds, removes and renames games and changes many at once; announces every change of a game's row, which
    // the game lists follow.
    catalogue::GameStore gameStore{catalogue.db()};
    // The settings of the settings file, loaded at start-up and written back at exit.
    Settings settings;
    catalogue::CurrentGame currentGame;

    SidTune CurrentTune;
    // The SID player this program started last: a new tune closes it first, so two never play at once.
    platform::StartedPlayer SidPlayer;
    // True after a start in the Win32 emulator, false after a start in either DOS emulator and at program
    // start: the screenshot dialog looks for new screen dumps in that emulator's folder.
    bool LastRunWasWin32 = false;
    // Where the game file dialog was left, for the next game added: the game folder and the folder below it.
    QString GameFileRoot;
    QString GameFileFolder;
    int CategoryKind = 0;
    bool categoryBrowserOpen = false;
    bool mainWindowLoaded = false;
    // Run first when the catalogue closes (the main window's unload), while the settings are still to be written:
    // a window with record sets of its own closes them and itself here.
    std::vector<std::function<void()>> catalogueClosingHandlers;
    // Run by the game list after the user's selection made a game current and the panel shows it; not while
    // the list puts its selection back after a refill. Subsystems add what follows a selection.
    std::vector<std::function<void()>> gameSelectedHandlers;
    // The desktop's "Open" for documents, help files and addresses; false when no handler took it. Tests put a
    // recorder in its place.
    std::function<bool(const QString& target)> ShellOpen;
    // Makes the picture file the desktop background; false when no desktop took it. Tests put a recorder here,
    // so that no test changes the machine's wallpaper.
    std::function<bool(const QString& picture)> SetDesktopWallpaper;

    // Dialogs one subsystem offers the others, set when it installs its commands; unset, the dialog is not part
    // of the program and the caller goes on as after a Cancel. Nothing (std::nullopt) means the user cancelled.
    //
    // The game file dialog for a game not yet in the catalogue (files): the file chosen for it.
    std::function<std::optional<GameFileChoice>()> ChooseNewGameFile;
    // The SID file dialog for a new stand-alone tune (music): the tune as the catalogue stores it.
    std::function<std::optional<QString>()> ChooseNewTune;
    // The generic browse dialog over parent (files): the folder or file chosen, empty for "(None)".
    std::function<std::optional<QString>(const BrowseRequest& request, QWidget* parent)> BrowseForPath;
    // The stand-alone tune chosen in the category browser's found list, its file as the catalogue stores it
    // (category); nothing while the browser is closed or a game is chosen there. The tune information shows it.
    std::function<std::optional<QString>()> ChosenCategoryTune;
    // The archive-rename dialog (files), which the converters open when an archive holds several games and
    // none is named like it.
    std::function<void(ArchiveHandover& handover)> RenameArchive;
    // The verification window (maintenance), modal over the main window: the first start of this version opens it.
    std::function<void()> VerifyAvailableFiles;

    // Opens the current game's own record set once the catalogue is open, and closes it before the
    // catalogue closes.
    void catalogueOpened();
    void catalogueClosing();

private:
    platform::Folders m_folders;
};

} // namespace app
