#pragma once

#include "data/PortDefaults.h"
#include "prefs/PathBrowse.h"

#include <QString>

#include <array>

struct Settings;

namespace prefs {

// The check boxes of the "Settings" tab: one integer setting each, 1 when ticked and 0 when not (a stored
// value other than 0 shows ticked). The first two, then the fourteen prompts after adding a game.
struct SettingCheck
{
    const char* checkBox;
    int Settings::*setting;
};
inline constexpr int kSettingCheckCount = 16;
const std::array<SettingCheck, kSettingCheckCount>& settingChecks();

// What the title bar shows, as the three options of the "Display" tab.
enum class TitleBarOption
{
    GameCount = 0,
    CurrentGame = 1,
    SetMyOwn = 2,
};
// A stored TitleBar of 0 or 1 is its option; anything else is the user's own text.
TitleBarOption titleBarOptionOf(int stored);
// The title-bar text box (and its label) can be edited only with the user's own text chosen; choosing
// another option greys it without clearing it.
inline bool titleBarTextEnabled(TitleBarOption option)
{
    return option == TitleBarOption::SetMyOwn;
}

// The background texture previewed: -1 none, 0 to 5 the main window's six pictures. Each button steps one
// place and is disabled at its end.
inline constexpr int kNoTexture = -1;
inline constexpr int kLastTexture = 5;
int steppedTexture(int index, int step);
inline bool textureBackEnabled(int index)
{
    return index > kNoTexture;
}
inline bool textureForwardEnabled(int index)
{
    return index < kLastTexture;
}

// Everything the preferences dialog shows and edits, as values.
struct PreferenceChoices
{
    bool positionRestore = true; // optPositionYes
    TitleBarOption titleBar = TitleBarOption::GameCount;
    QString titleBarText;
    bool dcPlaysMusic = false; // optDCMusic
    bool ssViewYes = false;
    bool ssViewShow = true;
    bool ssViewHide = false;
    std::array<QString, kPrefsPathCount> paths; // by PrefsPath
    std::array<bool, kSettingCheckCount> checks{};
    int texture = kNoTexture;
    PortDefaults ports;
    int defaultEmulator = 0; // optDE: 0 v1.9, 1 v2.0 Dos, 2 v2.0 Win32

    bool operator==(const PreferenceChoices&) const = default;
};

// The dialog's state as it loads from the settings.
PreferenceChoices choicesFrom(const Settings& settings);

// OK: the choices go into the settings. True when the texture differs from the one at load, so the main
// window puts up its new background.
bool applyChoices(const PreferenceChoices& choices, Settings& settings);

} // namespace prefs
