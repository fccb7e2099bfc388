#pragma once

#include "launch/EmulatorKind.h"
#include "launch/PlayButtons.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

struct Settings;

namespace browser {

using launch::PlayButtons;
using launch::playButtonsFor;

// cmdPlayMusic: the game has a tune and both the player and the music folder are set.
bool playMusicEnabled(const QString& musicFilename, const Settings& settings);
// cmdViewDocs: the game has a documentation file.
bool viewDocsEnabled(const QString& docFile);

// The enabled state of every button the game panel and the popup menu follow.
struct GameButtons
{
    PlayButtons play;
    bool playMusic = false;
    bool viewDocs = false;
};
GameButtons gameButtonsFor(const QString& gameFilename, const QString& musicFilename, const QString& docFile,
                           const Settings& settings);

// One entry of the list's right-click menu.
struct PopupMenuItem
{
    QString objectName;
    QString caption;
    bool enabled = true;
};

// The popup menu opens on a right button release over a selected row while the category browser is shut.
bool popupMenuApplies(bool rightButton, bool rowSelected, bool categoryBrowserOpen);
// Captions and enabled states of pmnuPlay, pmnuPlay2D, pmnuPlay2W, pmnuSid, pmnuDocs, pmnuRemoveGame.
std::vector<PopupMenuItem> popupMenuFor(const QString& gameName, const GameButtons& buttons);

// What a double-click on the list does.
struct DoubleClickAction
{
    enum Kind
    {
        Nothing,
        PlayTune,
        PlayGame
    } kind = Nothing;
    launch::EmulatorKind emulatorKind = launch::EmulatorKind::Ccs64Dos19; // for PlayGame: the default emulator

    bool operator==(const DoubleClickAction&) const = default;
};
struct DoubleClickInputs
{
    bool rowSelected = false;
    bool dcPlaysMusic = false; // the DC setting
    bool nonStopMusicOn = false;
    int defaultEmulator = 0; // TheDefaultEmulatorFlag
    GameButtons buttons;
};
DoubleClickAction doubleClickAction(const DoubleClickInputs& in);

// A random row for cmdRandom; random01 returns a value in [0, 1). Nothing on an empty list.
std::optional<int> randomPick(int rowCount, const std::function<double()>& random01);
std::function<double()> systemRandom();

} // namespace browser
