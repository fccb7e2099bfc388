#include "prefs/PreferenceChoices.h"

#include "data/settings/Settings.h"

#include <algorithm>

namespace prefs {

const std::array<SettingCheck, kSettingCheckCount>& settingChecks()
{
    static const std::array<SettingCheck, kSettingCheckCount> checks = {{
        {"chkLeaveSPRunning", &Settings::LeaveSPRunningFlag},
        {"chkRemoveConfirmFlag", &Settings::RemoveConfirmFlag},
        {"chkPromptOnAddFlag", &Settings::PromptOnAddFlag},
        {"chkPromptOnAddMusicFN", &Settings::PromptOnAddMusicFN},
        {"chkPromptOnAddMusician", &Settings::PromptOnAddMusician},
        {"chkPromptOnAddSSFN", &Settings::PromptOnAddSSFN},
        {"chkPromptOnAddPublisher", &Settings::PromptOnAddPublisher},
        {"chkPromptOnAddYear", &Settings::PromptOnAddYear},
        {"chkPromptOnAddGenre", &Settings::PromptOnAddGenre},
        {"chkPromptOnAddPlayers", &Settings::PromptOnAddPlayers},
        {"chkPromptOnAddDifficulty", &Settings::PromptOnAddDifficulty},
        {"chkPromptOnAddRating", &Settings::PromptOnAddRating},
        {"chkPromptOnAddComment", &Settings::PromptOnAddComment},
        {"chkPromptOnAddDocFile", &Settings::PromptOnAddDocFile},
        {"chkPromptOnAddTrained", &Settings::PromptOnAddTrained},
        {"chkPromptOnAddHighScore", &Settings::PromptOnAddHighScore},
    }};
    return checks;
}

TitleBarOption titleBarOptionOf(int stored)
{
    if (stored == 0)
        return TitleBarOption::GameCount;
    return stored == 1 ? TitleBarOption::CurrentGame : TitleBarOption::SetMyOwn;
}

int steppedTexture(int index, int step)
{
    return std::clamp(index + step, kNoTexture, kLastTexture);
}

PreferenceChoices choicesFrom(const Settings& s)
{
    PreferenceChoices c;
    c.positionRestore = s.PositionFlag;
    c.titleBar = titleBarOptionOf(s.TitleBar);
    c.titleBarText = s.TitleBarText;
    c.dcPlaysMusic = s.DC;
    c.ssViewYes = s.SSViewYesFlag;
    c.ssViewShow = s.SSViewShowFlag;
    c.ssViewHide = s.SSViewHideFlag;
    for (PrefsPath p : kPrefsPaths)
        c.paths[std::size_t(p)] = settingOf(p, s);
    for (std::size_t i = 0; i < settingChecks().size(); ++i)
        c.checks[i] = s.*(settingChecks()[i].setting) != 0;
    c.texture = std::clamp(s.Texture, kNoTexture, kLastTexture);
    c.ports = s.DefaultPorts;
    c.defaultEmulator = s.TheDefaultEmulatorFlag == 0 || s.TheDefaultEmulatorFlag == 1 ? s.TheDefaultEmulatorFlag : 2;
    return c;
}

bool applyChoices(const PreferenceChoices& c, Settings& s)
{
    s.PositionFlag = c.positionRestore;
    s.TitleBar = static_cast<int>(c.titleBar);
    s.DC = c.dcPlaysMusic;
    s.TitleBarText = c.titleBarText;
    s.SSViewYesFlag = c.ssViewYes;
    s.SSViewShowFlag = c.ssViewShow;
    s.SSViewHideFlag = c.ssViewHide;
    for (PrefsPath p : kPrefsPaths)
        settingOf(p, s) = c.paths[std::size_t(p)];
    for (std::size_t i = 0; i < settingChecks().size(); ++i)
        s.*(settingChecks()[i].setting) = c.checks[i] ? 1 : 0;
    const bool textureChanged = c.texture != s.Texture;
    s.Texture = c.texture;
    s.DefaultPorts = c.ports;
    s.TheDefaultEmulatorFlag = c.defaultEmulator == 0 || c.defaultEmulator == 1 ? c.defaultEmulator : 2;
    return textureChanged;
}

} // namespace prefs
