#pragma once

#include <QString>

// The field names of the catalogue's tables, blanks and case as stored. Code that reads or writes a row
// names its fields through these, so a field is spelled in one place.
namespace catalogue::field {

// Games
inline const QString Name = QStringLiteral("Name");
inline const QString CCode = QStringLiteral("CCode");
inline const QString Filename = QStringLiteral("Filename");
inline const QString FilenameIndex = QStringLiteral("Filename Index");
inline const QString MusicFilename = QStringLiteral("Music Filename");
inline const QString ScreenshotFilename = QStringLiteral("Screenshot Filename");
inline const QString DocFile = QStringLiteral("DocFile");
inline const QString Trained = QStringLiteral("Trained");
inline const QString HighScore = QStringLiteral("HighScore");
inline const QString PersonalComment = QStringLiteral("Personal Comment");
inline const QString TimesPlayed = QStringLiteral("TimesPlayed");
inline const QString DateLastPlayed = QStringLiteral("DateLastPlayed");
inline const QString FA = QStringLiteral("FA");
inline const QString SA = QStringLiteral("SA");
inline const QString PU_Id = QStringLiteral("PU_Id");
inline const QString YearPublished = QStringLiteral("Year Published");
inline const QString MU_Id = QStringLiteral("MU_Id");
inline const QString GE_Id = QStringLiteral("GE_Id");
inline const QString PL_Id = QStringLiteral("PL_Id");
inline const QString DI_Id = QStringLiteral("DI_Id");
inline const QString RA_Id = QStringLiteral("RA_Id");
inline const QString UseDefault = QStringLiteral("UseDefault");
inline const QString DirectX = QStringLiteral("DirectX");
inline const QString Port1Joy = QStringLiteral("Port1Joy");
inline const QString Port2Joy = QStringLiteral("Port2Joy");
inline const QString Port1Key = QStringLiteral("Port1Key");
inline const QString Port2Key = QStringLiteral("Port2Key");
inline const QString V2Port1Joy = QStringLiteral("V2Port1Joy");
inline const QString V2Port2Joy = QStringLiteral("V2Port2Joy");
inline const QString V2Port1Key = QStringLiteral("V2Port1Key");
inline const QString V2Port2Key = QStringLiteral("V2Port2Key");

// Lookup tables: their key fields are the Games fields of the same name; these are their text fields.
inline const QString Publisher = QStringLiteral("Publisher");
inline const QString Year = QStringLiteral("Year");
inline const QString Genre = QStringLiteral("Genre");
inline const QString Rating = QStringLiteral("Rating");
inline const QString Difficulty = QStringLiteral("DIFFICULTY");
inline const QString NumberOfPlayers = QStringLiteral("Number of Players");
inline const QString YE_Id = QStringLiteral("YE_Id");

} // namespace catalogue::field
