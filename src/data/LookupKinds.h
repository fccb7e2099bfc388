#pragma once

#include <QString>
#include <QVariant>

#include <array>

// The seven fields of a game that are keys into a lookup table, in one table: the detail panel shows them, the
// lookup editors change them, the category browser lists games by them.
namespace catalogue {

// Numbered as the lookup editors number their lists.
enum class LookupKind
{
    Difficulty = 0,
    Genre = 1,
    Year = 2,
    Rating = 3,
    Players = 4,
    Publisher = 5,
    Musician = 6,
};

struct LookupInfo
{
    LookupKind kind;
    QString table;     // the lookup table
    QString textField; // its field shown for a value
    QString keyField;  // its key
    QString gameField; // the field of Games holding the key
    QString label;     // the main window's detail label showing the value
    QString prompt;    // the editor's caption starts so, followed by the game's name and "':"
    int categoryKind;  // the category browser's number for it
};

// The seven kinds in the order of LookupKind.
const std::array<LookupInfo, 7>& lookupKinds();
const LookupInfo& lookupInfo(LookupKind kind);

// The editor's caption for a game: the kind's prompt, the name, "':".
QString lookupPrompt(LookupKind kind, const QString& gameName);

// The Years table keeps the unknown year as 9999, shown as "(Unknown)"; any other year as its number.
QString yearText(qint64 year);
// A value of a lookup table as it is shown: the year rule for Years, the text itself for the others.
QString lookupValueText(LookupKind kind, const QVariant& value);
// Whether the year list offers a year: every year up to the current one, and the unknown year.
bool yearOffered(qint64 year, int currentYear);

} // namespace catalogue
