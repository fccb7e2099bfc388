#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace browser {

// What the main window does to its game panel after choosing a row.
enum class GamePanelAction
{
    None,             // leave the panel as it is
    ShowGameControls, // the game-shown state
    ShowNoGame,       // the no-game state (empty list)
};

struct ListSelection
{
    int row = -1;        // the row to select; -1 selects nothing
    bool byCode = false; // select with the selection-by-code flag set (no non-stop music start)
    GamePanelAction panel = GamePanelAction::None;

    bool operator==(const ListSelection&) const = default;
};

// The first row whose text equals the given name exactly, or -1.
using RowLookup = std::function<int(const QString& name)>;

// After a refill. selectedText is the text of the row selected before the refill, none when no row was
// selected; shownGame is the game the panel still shows while no row is selected (CurrentGame), empty
// in the no-game state. The game is selected again when it is in the new view, so a game that dropped
// out of one view comes back when the user returns to a view that holds it; with no game at all the
// first row is selected; a game missing from the new view leaves the list without a selection.
ListSelection selectionAfterRefill(const std::optional<QString>& selectedText, const QString& shownGame, int rowCount,
                                   const RowLookup& rowOf);

// At start-up: the saved CurrentGame is selected when present; an empty CurrentGame selects the
// first row; a CurrentGame missing from the saved view leaves the list without a selection.
ListSelection selectionAtStartUp(const QString& currentGame, int rowCount, const RowLookup& rowOf);

} // namespace browser
