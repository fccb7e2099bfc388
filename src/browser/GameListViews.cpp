#include "browser/GameListViews.h"

#include "data/Database.h"

#include <array>

namespace browser {

namespace {

const std::array<GameListViewInfo, 3>& viewTable()
{
    static const std::array<GameListViewInfo, 3> table = {{
        {GameListView::All, QStringLiteral("cmdAll"), QStringLiteral("ALL GAMES IN DATABASE"),
         catalogue::storedQueryFor(GameListView::All), QStringLiteral(" game(s) in total")},
        {GameListView::Playable, QStringLiteral("cmdGamesOnly"), QStringLiteral("PLAYABLE GAMES"),
         catalogue::storedQueryFor(GameListView::Playable), QStringLiteral(" playable game(s)")},
        {GameListView::Tunes, QStringLiteral("cmdMusicOnly"), QStringLiteral("GAMES WITH SID TUNES"),
         catalogue::storedQueryFor(GameListView::Tunes), QStringLiteral(" game(s) with Sid Tunes")},
    }};
    return table;
}

} // namespace

GameListView gameListViewFromNumber(int whatListBox)
{
    switch (whatListBox) {
    case 1:
        return GameListView::Playable;
    case 2:
        return GameListView::Tunes;
    default:
        return GameListView::All;
    }
}

int gameListViewNumber(GameListView view)
{
    return static_cast<int>(view);
}

const GameListViewInfo& gameListViewInfo(GameListView view)
{
    return viewTable()[static_cast<size_t>(gameListViewNumber(view))];
}

catalogue::ListRows openGameListSource(catalogue::Database& db, GameListView view, GameListSource source)
{
    // The all-games view has no SQL of its own: its button opens the stored query as the start-up does.
    // A view switched back to while the catalogue stayed as it was shows the rows it was read with.
    if (source == GameListSource::StartUp || view == GameListView::All)
        return db.listCache().read(db, catalogue::storedQuerySql(gameListViewInfo(view).storedQuery));
    return db.listCache().read(db, catalogue::gameListQuery(view));
}

} // namespace browser
