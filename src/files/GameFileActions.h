#pragma once

#include <QString>

struct Settings;
namespace catalogue {
class CurrentGame;
}

// Delete, rename and move of a file in the game file dialog. The disk comes first: only when the file
// operation worked does the game lose its link to a file that is no longer where the catalogue says. In
// new-game mode (no game passed) no record is touched.
namespace files {

// Whether path is the file the game's stored name leads to (the first game folder holding it, as a game
// start finds it), compared as real files.
bool isGamesOwnFile(const QString& path, const QString& storedFilename, const Settings& settings);

struct GameFileActionOutcome
{
    bool done = false;     // the file operation worked
    bool unlinked = false; // the game's file link was cleared
    QString message;       // what to tell the user when something failed; empty otherwise
};

// game: the current game when its own file is the one acted on; nullptr in new-game mode or for another file.
GameFileActionOutcome deleteGameFile(const QString& path, catalogue::CurrentGame* game);
GameFileActionOutcome renameGameFile(const QString& path, const QString& newName, catalogue::CurrentGame* game);
// Moves path into targetFolder under its own name; refuses with kFileExistsInFolder when that name is taken.
GameFileActionOutcome moveGameFile(const QString& path, const QString& targetFolder, catalogue::CurrentGame* game);

inline const QString kFileExistsInFolder = QStringLiteral("File exists already in this Directory!");
inline const QString kGameDeleted = QStringLiteral("Game Deleted!");
// "Remove 'NAME' from 'FOLDER'?"
QString deleteQuestion(const QString& fileName, const QString& folder);

} // namespace files
