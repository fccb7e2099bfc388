#pragma once

#include "launch/EmulatorKind.h"

#include <QString>

struct Settings;

namespace launch {

// Which of the three play buttons (cmdRunGame, cmdRun20Dos, cmdRun20Win) are enabled.
struct PlayButtons
{
    bool runGame = false;  // CCS64 v1.9 for DOS
    bool run20Dos = false; // CCS64 v2.0 for DOS
    bool run20Win = false; // CCS64 v2.0 for Win32

    bool operator==(const PlayButtons&) const = default;
    bool enabled(EmulatorKind kind) const;
};

// A game with a file can be played in every emulator whose path is set, provided some games path is.
PlayButtons playButtonsFor(const QString& gameFilename, const Settings& settings);

} // namespace launch
