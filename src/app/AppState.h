#pragma once

#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/settings/Settings.h"
#include "launch/clsC64Game.h"
#include "platform/Folders.h"
#include "platform/PlayerProcess.h"

#include <QString>

#include <functional>
#include <vector>

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

// The values the generic browse dialog takes from its caller and hands back.
struct BrowseValues
{
    QString BrowsePath;       // start folder; after OK the result
    QString BrowsePattern;    // "*.exe", "*.*", "*.dat; *.sid"
    QString BrowseSelectName; // the file to preselect, may be empty
    int BrowseMode = 3;       // 0 chooses a folder, 3 a file
    bool BrowseCancelled = false;
};

// What a caller hands to the next dialog and reads back from it.
struct DialogHandover
{
    QString DialogPrompt;
    bool DialogCancelled = false;
    bool RecordChanged = false;
    // The add-game chain: dialogs work on the new game while it runs.
    bool AddingGame = false;
    QString ChosenGameFile;
    int ChosenEntryIndex = 0;
    bool ChosenFileFound = false;
    // Where the game file dialog was left, for the next game added: the game folder and the folder below it.
    QString GameFileRoot;
    QString GameFileFolder;
    BrowseValues browse;
    bool SidDialogAddMode = false;
    QString NewTuneFilename;
    int ListKind = 0;
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
    // The settings of the settings file, loaded at start-up and written back at exit.
    Settings settings;
    // The launch object: converters, the archive-rename dialog hook.
    clsC64Game game;
    catalogue::CurrentGame currentGame;

    SidTune CurrentTune;
    // The SID player this program started last: a new tune closes it first, so two never play at once.
    platform::StartedPlayer SidPlayer;
    // True after a start in the Win32 emulator, false after a start in either DOS emulator and at program
    // start: the screenshot dialog looks for new screen dumps in that emulator's folder.
    bool LastRunWasWin32 = false;
    DialogHandover dialog;
    int CategoryKind = 0;
    bool categoryBrowserOpen = false;
    bool mainWindowLoaded = false;
    // Run by the game list after the user's selection made a game current and the panel shows it; not while
    // the list puts its selection back after a refill. Subsystems add what follows a selection.
    std::vector<std::function<void()>> gameSelectedHandlers;
    // The desktop's "Open" for documents, help files and addresses; false when no handler took it. Tests put a
    // recorder in its place.
    std::function<bool(const QString& target)> ShellOpen;
    // Makes the picture file the desktop background; false when no desktop took it. Tests put a recorder here,
    // so that no test changes the machine's wallpaper.
    std::function<bool(const QString& picture)> SetDesktopWallpaper;

    // Opens the current game's own record set once the catalogue is open, and closes it before the
    // catalogue closes.
    void catalogueOpened();
    void catalogueClosing();

private:
    platform::Folders m_folders;
};

} // namespace app
