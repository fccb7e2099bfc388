#pragma once

#include "browser/GameListModel.h"
#include "browser/GameListSelection.h"
#include "browser/GameListViews.h"

#include <optional>

namespace browser {

struct GameListFillResult
{
    bool ok = false;
    QString error;           // the engine's message when the view could not be opened
    ListSelection selection; // what to select afterwards and which panel state to show
};

// The data side of FillGameList: opens the view's rows, refills the model (progress as the rows go
// in) and works out the selection to restore. selectedText and shownGame are as for
// selectionAfterRefill. A view that cannot be opened leaves the list empty, in the no-game state.
GameListFillResult fillGameList(catalogue::Database& db, GameListModel& model, GameListView view, GameListSource source,
                                const std::optional<QString>& selectedText, const QString& shownGame,
                                const GameListModel::Progress& progress = {});

} // namespace browser
