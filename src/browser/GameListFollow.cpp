#include "browser/GameListFollow.h"

#include "data/GameStore.h"

#include <algorithm>

namespace browser {

namespace {

GameListModel::Row rowOf(const catalogue::ListedGame& game)
{
    return {game.name, game.colourCode};
}

// After the selected row went: a fill of the view shows an empty list in the no-game state, and a list without
// the game with nothing selected.
ListSelection selectionLost(const GameListModel& model)
{
    return model.rowCount() == 0 ? ListSelection{-1, false, GamePanelAction::ShowNoGame} : ListSelection{};
}

} // namespace

std::optional<ListSelection> followAdded(GameListModel& model, GameListView shown, const catalogue::ListedGame& game)
{
    if (!game.in(shown))
        return std::nullopt;
    return ListSelection{model.insertSorted(rowOf(game)), false, GamePanelAction::ShowGameControls};
}

std::optional<ListSelection> followRemoved(GameListModel& model, const catalogue::ListedGame& game, int selectedRow)
{
    const int row = model.rowOfName(game.name);
    if (row < 0)
        return std::nullopt;
    model.removeAt(row);
    if (row != selectedRow)
        return std::nullopt;
    if (model.rowCount() == 0)
        return ListSelection{-1, false, GamePanelAction::ShowNoGame};
    return ListSelection{std::min(row, model.rowCount() - 1), false, GamePanelAction::None};
}

std::optional<ListSelection> followChanged(GameListModel& model, GameListView shown, const QString& nameBefore,
                                           const catalogue::ListedGame& game, int selectedRow, const QString& shownGame)
{
    const int row = model.rowOfName(nameBefore);
    if (row >= 0 && game.in(shown)) {
        model.replaceAt(row, rowOf(game));
        return std::nullopt;
    }
    if (row >= 0) {
        model.removeAt(row);
        return row == selectedRow ? std::optional<ListSelection>(selectionLost(model)) : std::nullopt;
    }
    if (!game.in(shown))
        return std::nullopt;
    const int added = model.insertSorted(rowOf(game));
    const bool remembered = !shownGame.isEmpty() && (shownGame == nameBefore || shownGame == game.name);
    if (selectedRow < 0 && remembered)
        return ListSelection{added, true, GamePanelAction::ShowGameControls};
    return std::nullopt;
}

} // namespace browser
