#include "browser/GameListFill.h"

namespace browser {

GameListFillResult fillGameList(catalogue::Database& db, GameListModel& model, GameListView view, GameListSource source,
                                const std::optional<QString>& selectedText, const QString& shownGame,
                                const GameListModel::Progress& progress)
{
    GameListFillResult result;
    const catalogue::ListRows rows = openGameListSource(db, view, source);
    result.ok = model.fill(rows, progress);
    if (!result.ok)
        result.error = rows.error();
    result.selection = selectionAfterRefill(selectedText, shownGame, model.rowCount(),
                                            [&model](const QString& name) { return model.rowOf(name); });
    return result;
}

} // namespace browser
