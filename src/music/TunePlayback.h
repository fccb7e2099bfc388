#pragma once

#include "platform/PlayerProcess.h"
#include "platform/RunAndWait.h"

#include <QString>

struct Settings;

namespace music {

// How the SID player is started for a tune: the player file in its folder's existing form, the tune as its
// one argument (a path below the tune folder, never through a shell, so blanks and quotes stay inert), and
// the player's own folder as the working folder.
struct SidPlayCommand
{
    platform::Command command;
    QString workingFolder;
};

// The command for tune, a name relative to folder as the catalogue stores it ("Hubbard\Commando.sid") or a
// plain file name.
SidPlayCommand SidPlayCommandLine(const QString& sidplayWPath, const QString& folder, const QString& tune);

// The path of a tune stored relative to the tune folder, in its letter case on the disk when it is there;
// empty while no tune folder is set.
QString tunePath(const Settings& settings, const QString& tune);

// cmdPlayMusic and everything that follows it: the game has a tune, and the player and the tune folder are set.
bool tunePlayable(const QString& musicFilename, const Settings& settings);

// Starts the tune after ending the player this program started before and any other running copy of the player
// (a console player does not hand a second tune to a running copy, so two would play over each other); player then
// names the new one. A player that could not be started is reported. True when it started.
bool startTune(const SidPlayCommand& command, platform::StartedPlayer& player);

// The game's tune, with a message for an unset or missing player or tune file.
bool PlayGameTune(const Settings& settings, const QString& musicFilename, platform::StartedPlayer& player);

// The category window's play: a stand-alone tune (the Music table's Filename) or a game's tune, without a
// word when the player or the tune is missing; a game without a tune plays nothing.
bool PlayCategoryTune(const Settings& settings, const QString& tuneFilename, bool standAlone,
                      platform::StartedPlayer& player);

// The SID file dialog's "Listen to Tune": the file chosen in the folder the dialog shows.
bool playChosenTune(const Settings& settings, const QString& folder, const QString& fileName,
                    platform::StartedPlayer& player);

} // namespace music
