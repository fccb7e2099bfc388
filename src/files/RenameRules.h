#pragma once

#include <QString>

// The rename dialog's rules: the name split the user edits, and the names it refuses.
namespace files {

struct NameParts
{
    QString stem;      // what the user may change
    QString extension; // kept as it is, with its dot; empty for a name without a dot
};

// Splits a file name at its last ".": "GAME.GZ" gives "GAME" and ".GZ", "ELITE.D64" "ELITE" and ".D64", a
// name without a dot the whole name and "".
NameParts splitAtLastDot(const QString& fileName);

inline const QString kForbiddenNameCharacters = QStringLiteral("\\/:*?\"<>|");
// The refusal of a name holding one of the forbidden characters.
QString forbiddenCharactersMessage();
inline const QString kNameExistsPrefix = QStringLiteral("Filename Exists already in ");
// An empty name would leave only the extension: a hidden file here, that no file list shows.
inline const QString kEmptyNameMessage = QStringLiteral("Please enter a Filename.");

// Why the file oldName in folder cannot be renamed to stem + extension; empty when it can. Refused: a
// forbidden character (or a NUL), an empty stem, and a name that another entry of folder already has in
// any letter case (on a disk copied from Windows two such names would stand for the same game). Only
// changing the letter case of the file's own name is allowed.
QString renameRefusal(const QString& folder, const QString& oldName, const QString& stem, const QString& extension);

} // namespace files
