#pragma once

#include "data/Snapshot.h"

namespace catalogue {

// Every SQL text the program sends to the catalogue, built in one place with bound values.

// The three game list views.
enum class GameListView
{
    All = 0,
    Playable = 1,
    Tunes = 2
};
QString storedQueryFor(GameListView view);         // the stored query opened at start-up
SqlQuery storedQuerySql(const QString& name);      // every row of a stored query
SqlQuery storedQueryNamesSql(const QString& name); // the Name field of every row of a stored query
SqlQuery gameListQuery(GameListView view);         // the SQL sent when the user switches views

// Categories of the category browser: the Games column each one selects on.
enum class CategoryField
{
    Difficulty,
    Genre,
    Players,
    Rating,
    Year,
    Publisher,
    Musician
};
enum class CategoryFilter
{
    AllGames,
    WithGameFile,
    WithMusicFile
};
QString categoryColumn(CategoryField field);
SqlQuery categoryGamesQuery(CategoryField field, qint64 key, CategoryFilter filter);

// Stand-alone tunes of one musician.
SqlQuery musicianTunesQuery(qint64 musicianKey);

// Tunes whose name contains the user's text. '*' and '?' in the text are wildcards as they always
// were; '%', '_', quotes and every other character match themselves.
SqlQuery tuneSearchQuery(const QString& userText);

// Turns a pattern with '*' (any run) and '?' (one character) into a LIKE pattern with '\' as escape.
QString likePattern(const QString& wildcardPattern);

} // namespace catalogue
