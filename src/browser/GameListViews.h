#pragma once

#include "data/ListRows.h"
#include "data/SqlTexts.h"

#include <QString>

namespace catalogue {
class Database;
}

namespace browser {

using catalogue::GameListView;

// Everything the main window needs to know about one of the three game list views.
struct GameListViewInfo
{
    GameListView view;
    QString buttonName;    // the view's button, disabled while the view is shown
    QString caption;       // lblWhatView
    QString storedQuery;   // opened at start-up
    QString captionSuffix; // follows the row count in the window caption
};

// The saved view number as a view; anything but 1 or 2 (a hand-edited settings file) is the all-games view.
GameListView gameListViewFromNumber(int whatListBox);
int gameListViewNumber(GameListView view);

const GameListViewInfo& gameListViewInfo(GameListView view);

// Where a fill reads its rows from: the stored query at start-up, the view's SQL when its button is pressed.
enum class GameListSource
{
    StartUp,
    Button
};

// Opens the rows (Name, CCode) of a view. An invalid list carries the engine's message.
catalogue::ListRows openGameListSource(catalogue::Database& db, GameListView view, GameListSource source);

} // namespace browser
