#include "prefs/PathBrowse.h"

#include "data/settings/Settings.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QFileInfo>

namespace prefs {

namespace {

struct PathRule
{
    const char* label;
    const char* button;
    const char* selectName;
    const char* prompt;
    const char* pattern;
};

// The program rows browse for one file of a folder; the folder rows for the folder itself.
constexpr PathRule kRules[kPrefsPathCount] = {
    {"lblCCS64Path", "cmdBrowseCCS64", "CCS64.exe", "Select the file 'CCS64.EXE'...", "*.exe"},
    {"lblCCS642Path", "cmdBrowseCCS642", "CCS64.exe", "Select the file 'CCS64.EXE'...", "*.exe"},
    {"lblDirectXPath", "cmdBrowseDirectX", "Ccs.exe", "Select Path where 'Ccs.exe' resides...", "*.exe"},
    {"lblSidplaywPath", "cmdBrowseSidplayw", "SIDPLAYW.EXE", "Select the file 'Sidplayw.exe'...", "*.exe"},
    {"lblWinzip", "cmdBrowseWinzip", "WINZIP32.EXE", "Select the file 'Winzip32.exe'...", "*.exe"},
    {"lblGamesPath0", "cmdBrowseGames0", "", "Select Path where your C64 games reside...", "*.*"},
    {"lblGamesPath1", "cmdBrowseGames1", "", "Select Path where your C64 games reside...", "*.*"},
    {"lblGamesPath2", "cmdBrowseGames2", "", "Select Path where your C64 games reside...", "*.*"},
    {"lblGamesPath3", "cmdBrowseGames3", "", "Select Path where your C64 games reside...", "*.*"},
    {"lblGamesPath4", "cmdBrowseGames4", "", "Select Path where your C64 games reside...", "*.*"},
    {"lblMusicPath", "cmdBrowseMusic", "", "Select Path where your Sid Tunes reside...", "*.dat; *.sid"},
};

const PathRule& ruleOf(PrefsPath path)
{
    return kRules[static_cast<int>(path)];
}

int gamesIndexOf(PrefsPath path)
{
    return static_cast<int>(path) - static_cast<int>(PrefsPath::Games0);
}

} // namespace

QString labelName(PrefsPath path)
{
    return QString::fromLatin1(ruleOf(path).label);
}

QString browseButtonName(PrefsPath path)
{
    return QString::fromLatin1(ruleOf(path).button);
}

const QString& settingOf(PrefsPath path, const Settings& s)
{
    switch (path) {
    case PrefsPath::CCS64:
        return s.CCS64Path;
    case PrefsPath::CCS642:
        return s.CCS642Path;
    case PrefsPath::DirectX:
        return s.DirectXPath;
    case PrefsPath::Sidplayw:
        return s.SidplayWPath;
    case PrefsPath::Winzip:
        return s.WinzipPath;
    case PrefsPath::Music:
        return s.MusicPath;
    default:
        return s.GamesPath[std::size_t(gamesIndexOf(path))];
    }
}

QString& settingOf(PrefsPath path, Settings& s)
{
    return const_cast<QString&>(settingOf(path, std::as_const(s)));
}

bool isProgramPath(PrefsPath path)
{
    return static_cast<int>(path) <= static_cast<int>(PrefsPath::Winzip);
}

bool takesEffectAtOnce(PrefsPath path)
{
    return path == PrefsPath::CCS64 || path == PrefsPath::CCS642 || path == PrefsPath::DirectX;
}

BrowseRequest browseRequestFor(PrefsPath path, const QString& shown)
{
    const PathRule& rule = ruleOf(path);
    BrowseRequest r;
    r.startPath = isProgramPath(path) ? platform::FolderOfPath(shown) : shown;
    r.selectName = QString::fromLatin1(rule.selectName);
    r.prompt = QString::fromLatin1(rule.prompt);
    r.pattern = QString::fromLatin1(rule.pattern);
    r.mode = isProgramPath(path) ? 3 : 0;
    return r;
}

PathStatus pathStatusOf(PrefsPath path, const QString& shown)
{
    if (shown.isEmpty())
        return {false, QStringLiteral("Not set")};
    const QString existing = platform::ShortPathName(shown);
    if (existing.isEmpty())
        return {true,
                (isProgramPath(path) ? QStringLiteral("File not found: ") : QStringLiteral("Folder not found: ")) +
                    shown};
    const bool isFolder = QFileInfo(existing).isDir();
    if (isProgramPath(path) && isFolder)
        return {true, QStringLiteral("This is a folder, not a program file: ") + shown};
    if (!isProgramPath(path) && !isFolder)
        return {true, QStringLiteral("This is a file, not a folder: ") + shown};
    return {false, shown};
}

} // namespace prefs
