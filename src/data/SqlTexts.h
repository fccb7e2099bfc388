#pragma once

#include "data/LookupKinds.h"
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

// The games of one value of a lookup kind (its key) within one of the three views, as the category browser lists
// them: name and colour code, in the catalogue's order of names. A view keeps the games its list shows: the
// playable view those whose file was found (FA), the tune view those whose tune was found (SA).
SqlQuery categoryGamesQuery(LookupKind kind, qint64 key, GameListView view);

// Stand-alone tunes, each as Name, Filename and rowid in the order of names: those of one musician, and those whose
// name holds the user's text. The text is taken as it stands: '*', '?', '%', '_', '[' and quotes are plain
// characters, and letter case counts for the ASCII letters only, as the catalogue compares names.
SqlQuery musicianTunesQuery(qint64 musicianKey);
SqlQuery tuneSearchQuery(const QString& userText);

// Turns a pattern with '*' (any run) and '?' (one character) into a LIKE pattern with '\' as escape.
QString likePattern(const QString& wildcardPattern);
// A LIKE pattern, with '\' as escape, that matches any text holding text as it stands.
QString containsPattern(const QString& text);

} // namespace catalogue
