#pragma once

#include "data/CurrentGame.h"
#include "launch/ArchiveReport.h"

#include <QString>
#include <QStringList>

struct Settings;

// The rules of the game file dialog that need no widget: which entry of a listed image it selects, and
// what OK stores.
namespace files {

// The files the game file dialog lists.
inline const QString kGameFilePattern =
    QStringLiteral("*.t64;*.d64;*.p00;*.p01;*.prg;*.zip;*.gz;*.lha;*.lzh;*.lnx;*.tap");
inline const QString kNoFileSelected = QStringLiteral("(None Selected)");
// The caption for a game's own file, and for the file of a game being added.
QString gameFileCaption(const QString& gameName);
inline const QString kNewGameFileCaption = QStringLiteral("Select Filename for New game...");
// The two lines that blink when a file cannot be used.
inline const QString kWrongFormat = QStringLiteral("WRONG FORMAT");
inline const QString kNotCompatible = QStringLiteral("File is not vintrax compatible");
// The status line while an archive of that kind is read.
QString readingStatus(launch::ArchiveKind kind);

// Where the game file dialog opens. root is the game folder the user may not climb above.
struct GameFileStart
{
    QString root;
    QString folder;
    QString fileName;        // the file to select; empty for none
    QString notFoundMessage; // shown before the dialog opens; empty when there is nothing to say
};
// New-game mode opens at the remembered root and folder (the first game folder when they are gone or the
// folder is not inside the root). Otherwise a game without a file opens at the first game folder; a game
// whose file is found opens at its folder below the game folder holding it, with the file selected; a game
// whose file is in no game folder opens at the first one, after the "not found" message.
GameFileStart gameFileStart(bool addingGame, const QString& storedFilename, const Settings& settings,
                            const QString& rememberedRoot, const QString& rememberedFolder);

// What the dialog says when the games folder it is to show is not there (its lists would stay empty without
// a word); empty when the folder exists.
QString missingGamesFolderMessage(const QString& folder);

// The entry the dialog selects after listing an image. The game's own stored file (outside new-game mode)
// gets its stored entry back, whatever that entry is; any other file gets its first program that is not a
// separator row or a loader, else entry 0. An empty listing selects nothing (-1).
int preselectedEntry(const QStringList& entries, bool gamesOwnFile, int storedIndex);

// A game file's name as the catalogue stores it: the bare name in the root game folder, otherwise the
// sub-folders below the root, each followed by "\", then the name. Empty for a folder outside the root.
QString storedGameName(const QString& folder, const QString& fileName, const QString& root);

// What OK stores for the game. No file: "(None)", not available, entry 0, grey or red by the tune. A file:
// its stored name, available, the chosen entry (0 when none), blue or black by the tune.
catalogue::FieldValues noGameFileValues(const QString& musicFilename);
catalogue::FieldValues gameFileValues(const QString& storedName, int entry, const QString& musicFilename);

// Renaming, moving or deleting the game's own file leaves the game without one; its availability flag and
// colour stay as they were until the next verification.
catalogue::FieldValues unlinkedGameFileValues();

} // namespace files
