#pragma once

#include <QString>
#include <QStringList>

// Fixed names and values of the catalogue: table and field names (blanks and case as stored),
// sentinel texts, the list colours and the keys of the shipped "unknown" lookup rows.
namespace catalogue {

inline const QString kFileName = QStringLiteral("Vintrax.mdb");

// The tables in the order they are opened at start-up.
inline const QStringList kTablesInOpenOrder = {
    QStringLiteral("Games"),     QStringLiteral("Publishers"), QStringLiteral("Years"),
    QStringLiteral("Musicians"), QStringLiteral("Genres"),     QStringLiteral("Difficulty"),
    QStringLiteral("Players"),   QStringLiteral("Ratings"),    QStringLiteral("Music"),
};

// The tables in the order they are closed at shut-down.
inline const QStringList kTablesInCloseOrder = {
    QStringLiteral("Games"),      QStringLiteral("Music"),   QStringLiteral("Publishers"),
    QStringLiteral("Years"),      QStringLiteral("Musicians"), QStringLiteral("Genres"),
    QStringLiteral("Difficulty"), QStringLiteral("Players"), QStringLiteral("Ratings"),
};

// The stored queries the lists open by name.
inline const QString kGameNameList = QStringLiteral("Game Name List");
inline const QString kGameOnlyList = QStringLiteral("Game Only List");
inline const QString kMusicOnlyList = QStringLiteral("Music Only List");
inline const QStringList kViews = {kGameNameList, kGameOnlyList, kMusicOnlyList};

// Sentinels stored in place of empty values.
inline const QString kNone = QStringLiteral("(None)");
inline const QString kNever = QStringLiteral("(Never)");
inline const QString kNotEntered = QStringLiteral("(Not Entered)");
inline const QString kUnknown = QStringLiteral("(Unknown)");

// Whether a file field names a file: a catalogue edited by other tools may hold an empty text as well as
// "(None)".
inline bool namesAFile(const QString& fileField)
{
    return !fileField.isEmpty() && fileField != kNone;
}

// Stored list colours (Windows 0x00BBGGRR values of the QBColor table).
enum ColourCode : int {
    kBlack = 0,             // game file and tune
    kBlue = 0x800000,       // game file only
    kRed = 0x000080,        // tune only
    kGrey = 0x808080,       // neither
    kGreen = 0x008000,      // stand-alone tune (drawn, never stored)
};

// The colour a game gets from its two file fields; anything but "(None)" counts as assigned.
int colourCodeFor(const QString& gameFilename, const QString& musicFilename);

// Keys of the lookup rows that stand for an unknown value; new games point at them.
inline constexpr int kUnknownYearKey = 1; // its Year is 9999
inline constexpr int kUnknownYear = 9999;
inline constexpr int kUnknownPublisherKey = 37;
inline constexpr int kUnknownMusicianKey = 38;
inline constexpr int kUnknownGenreKey = 1;
inline constexpr int kUnknownRatingKey = 1;
inline constexpr int kUnknownDifficultyKey = 8;
inline constexpr int kUnknownPlayersKey = 5;

} // namespace catalogue
