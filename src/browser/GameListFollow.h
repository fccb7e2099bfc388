#pragma once

#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"

#include <optional>

namespace catalogue {
struct ListedGame;
}

namespace browser {

// How the game list follows one change the catalogue announces, without a window: the model changes by one row
// (inserted, removed or moved to its sorted place; never a refill), and the result is the selection to make
// afterwards, or nothing when the selection stays with its game. selectedRow is the row selected before the
// change (-1 for none); the window must not let the list pick a neighbour of a removed row by itself.

// A new game in the shown view becomes the selected game, and the panel shows it.
std::optional<ListSelection> followAdded(GameListModel& model, GameListView shown, const catalogue::ListedGame& game);

// A removed game leaves the list. When it was selected, the row that took its place is selected, the new last
// row when it was the last; the no-game state when it was the only one.
std::optional<ListSelection> followRemoved(GameListModel& model, const catalogue::ListedGame& game, int selectedRow);

// A changed game moves to its sorted place in the shown view, leaves the view or joins it, as a fill of the view
// would show it: a selected game that leaves it leaves the list without a selection (the no-game state when the
// list is empty); shownGame, the game the panel remembers while nothing is selected, is selected again when it
// joins the view.
std::optional<ListSelection> followChanged(GameListModel& model, GameListView shown, const QString& nameBefore,
                                           const catalogue::ListedGame& game, int selectedRow,
                                           const QString& shownGame);

} // namespace browser
