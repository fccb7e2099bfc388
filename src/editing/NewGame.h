#pragma once

#include "data/CurrentGame.h"

#include <QString>
#include <QStringList>

struct Settings;

// What a game or a stand-alone tune gets when it is added.
namespace editing {

// The name the add dialog proposes for a chosen game file ("(None)" when none): its file name without the
// extension, "_" as blanks, each word after one capitalised, a leading "The " moved to the end
// ("ACTION\the_last_ninja.d64" gives "Last Ninja, The"). Empty for "(None)", a file name shorter than five
// characters or one beginning with ".".
QString proposedGameName(const QString& chosenFile);

// Every field of a new game: the name, the file chosen (relative to a game folder, or "(None)"), the entry chosen
// in its listing and whether a file was chosen; the unknown lookup values; the emulator and port defaults of the
// default emulator.
catalogue::FieldValues newGameValues(const QString& name, const QString& file, int entry, bool found,
                                     const Settings& settings);

// The edit commands the preferences ask for after a game was added, in the order they open.
QStringList addGamePrompts(const Settings& settings);

} // namespace editing
