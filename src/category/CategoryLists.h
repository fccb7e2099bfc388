#pragma once

#include "category/CategoryKinds.h"
#include "data/SqlTexts.h"

#include <QString>
#include <QVector>

#include <functional>
#include <utility>

namespace catalogue {
class Database;
}

// What the category browser reads from the catalogue: the values of a category, the games (and a musician's tunes)
// of one value, and the games and tunes a find turns up. Each is read whole into a snapshot of its own, so the
// browser never holds a statement open on the catalogue and never moves the record sets the program shares.
namespace category {

struct CategoryValue
{
    qint64 id = 0;
    QString text;
};

struct CategoryValues
{
    bool ok = false;
    QString error; // the engine's message when not ok
    QVector<CategoryValue> values;
};

// The values of the category's lookup table: for years every year up to currentYear and the unknown year 9999 as
// "(Unknown)" (a later year is left out), every row of the other tables; publishers and musicians in the order of
// their names, the others in the table's order of keys.
CategoryValues readCategoryValues(catalogue::Database& db, const CategoryInfo& info, int currentYear);

inline const QString kSidSuffix = QStringLiteral(" (Sid)");
inline const QString kNoGamesAvailable = QStringLiteral("No games available");

// One line of the found list.
struct FoundEntry
{
    enum Kind
    {
        Game,
        Tune,      // a stand-alone tune of the Music table
        NoneFound, // the one line of an empty list, "No games available"
    };
    Kind kind = Game;
    QString name;
    int colourCode = 0; // a game's stored colour; tunes are green
    qint64 tuneRowid = -1;
    QString tuneFile; // the tune's file as stored, relative to the tune folder

    // What the list shows: a game's name, a tune's name followed by " (Sid)".
    QString text() const;

    static FoundEntry game(const QString& name, int colourCode);
    static FoundEntry noneFound();
};

struct FoundList
{
    bool ok = true;
    QString error; // the engine's message when not ok
    QVector<FoundEntry> entries;
};

// The games of one value within the main window's view, in the order of their names; for musicians then the
// musician's stand-alone tunes, whatever the view.
FoundList readCategoryGames(catalogue::Database& db, const CategoryInfo& info, qint64 valueId,
                            catalogue::GameListView view);

// A row of the main window's list: its text and colour code.
using ShownRow = std::function<std::pair<QString, int>(int row)>;

// The find: every row of the main window's list whose text holds text, letter case aside, in the list's order; then
// the stand-alone tunes whose name holds it. The text is taken as it stands, wildcards and quotes included.
FoundList findGamesAndTunes(catalogue::Database& db, const QString& text, int shownCount, const ShownRow& shownRow);

} // namespace category
