#pragma once

#include <QString>

#include <array>

struct Settings;

namespace prefs {

// The eleven paths of the preferences, each shown in its label and changed only through its
// "Browse..." button.
enum class PrefsPath
{
    CCS64,
    CCS642,
    DirectX,
    Sidplayw,
    Winzip,
    Games0,
    Games1,
    Games2,
    Games3,
    Games4,
    Music,
};
inline constexpr int kPrefsPathCount = 11;
inline constexpr std::array<PrefsPath, kPrefsPathCount> kPrefsPaths = {
    PrefsPath::CCS64,  PrefsPath::CCS642, PrefsPath::DirectX, PrefsPath::Sidplayw, PrefsPath::Winzip, PrefsPath::Games0,
    PrefsPath::Games1, PrefsPath::Games2, PrefsPath::Games3,  PrefsPath::Games4,   PrefsPath::Music,
};

// The label showing a path and the button that changes it ("lblCCS64Path", "cmdBrowseCCS64"; the games
// paths are "lblGamesPath0" to "lblGamesPath4" and "cmdBrowseGames0" to "cmdBrowseGames4").
QString labelName(PrefsPath path);
QString browseButtonName(PrefsPath path);

// The setting a path label edits.
QString& settingOf(PrefsPath path, Settings& settings);
const QString& settingOf(PrefsPath path, const Settings& settings);

// What a "Browse..." button hands the browse dialog.
struct BrowseRequest
{
    QString startPath;  // BrowsePath
    QString selectName; // BrowseSelectName
    QString prompt;     // DialogPrompt
    QString pattern;    // BrowsePattern
    int mode = 3;       // BrowseMode: 0 a folder, 3 a file
};

// The request for a path whose label shows shown: a program browses in the folder of its current file,
// a folder starts at the folder itself.
BrowseRequest browseRequestFor(PrefsPath path, const QString& shown);

// The three emulator programs take a browsed path at once, before OK, and keep it on Cancel; every other
// path waits for OK.
bool takesEffectAtOnce(PrefsPath path);

// Whether a path names a program file or a folder.
bool isProgramPath(PrefsPath path);

// How a path label looks: a path that is set but missing (or a folder where a program is asked for, a
// file where a folder is) is drawn in the warning colour, and the tool tip says why.
struct PathStatus
{
    bool warning = false;
    QString toolTip;
};
PathStatus pathStatusOf(PrefsPath path, const QString& shown);

} // namespace prefs
