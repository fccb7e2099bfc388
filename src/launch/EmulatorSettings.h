#pragma once

#include "data/CurrentGame.h"
#include "launch/PortChoices.h"

#include <array>

struct Settings;

namespace launch {

// A game's joystick and key-set assignments for both emulator generations and its use of the defaults.
struct GamePorts
{
    bool useDefault = false;
    std::array<int, std::size(kPortFields)> values{};

    int& operator[](PortField field) { return values[std::size_t(field)]; }
    int operator[](PortField field) const { return values[std::size_t(field)]; }
    bool operator==(const GamePorts&) const = default;
};

// The game's own values as stored.
GamePorts gamePortsOf(catalogue::CurrentGame& game);
// What the dialog shows first: with the defaults in use, the defaults of the preferences, else the game's own.
GamePorts shownPorts(const GamePorts& stored, const Settings& settings);
// The fields OK writes: the flag and all eight values, also while the defaults are in use.
catalogue::FieldValues fieldValuesOf(const GamePorts& ports);

// The joystick dialog's caption for a game.
QString emulatorSettingsPrompt(const QString& gameName);

enum class EmulatorSettingsOutcome
{
    Refused, // no emulator set in the preferences: the refusal has been shown
    Cancelled,
    Stored,
    NotStored, // the catalogue refused the write: the failure has been shown
};

} // namespace launch
