#include "browser/GameListSelection.h"

namespace browser {

ListSelection selectionAfterRefill(const std::optional<QString>& selectedText, const QString& shownGame, int rowCount,
                                   const RowLookup& rowOf)
{
    if (rowCount <= 0)
        return {-1, false, GamePanelAction::ShowNoGame};
    std::optional<QString> remembered = selectedText;
    if (!remembered && !shownGame.isEmpty())
        remembered = shownGame;
    if (remembered) {
        const int row = rowOf(*remembered);
        if (row >= 0 && row < rowCount)
            return {row, true, GamePanelAction::ShowGameControls};
        return {};
    }
    return {0, false, GamePanelAction::ShowGameControls};
}

ListSelection selectionAtStartUp(const QString& currentGame, int rowCount, const RowLookup& rowOf)
{
    if (rowCount <= 0)
        return {-1, false, GamePanelAction::ShowNoGame};
    const int row = rowOf(currentGame);
    if (row >= 0 && row < rowCount)
        return {row, false, GamePanelAction::None};
    if (currentGame.isEmpty())
        return {0, false, GamePanelAction::None};
    return {};
}

} // namespace browser
