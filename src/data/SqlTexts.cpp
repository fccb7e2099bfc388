#include "data/SqlTexts.h"

#include "data/CatalogueNames.h"
#include "data/Schema.h"

namespace catalogue {

QString storedQueryFor(GameListView view)
{
    switch (view) {
    case GameListView::Playable:
        return kGameOnlyList;
    case GameListView::Tunes:
        return kMusicOnlyList;
    case GameListView::All:
        break;
    }
    return kGameNameList;
}

SqlQuery storedQuerySql(const QString& name)
{
    return {QStringLiteral("SELECT * FROM %1").arg(quoteIdentifier(name)), {}};
}

SqlQuery storedQueryNamesSql(const QString& name)
{
    return {QStringLiteral("SELECT Name FROM %1").arg(quoteIdentifier(name)), {}};
}

SqlQuery gameListQuery(GameListView view)
{
    switch (view) {
    case GameListView::Playable:
        return {QStringLiteral("SELECT Games.Name, Games.CCode FROM Games WHERE Games.FA <> 0 ORDER BY Games.Name"),
                {}};
    case GameListView::Tunes:
        return {QStringLiteral("SELECT Games.Name, Games.CCode FROM Games WHERE Games.SA <> 0 ORDER BY Games.Name"),
                {}};
    case GameListView::All:
        break;
    }
    return {QStringLiteral("SELECT Games.Name, Games.CCode FROM Games ORDER BY Games.Name"), {}};
}

SqlQuery categoryGamesQuery(LookupKind kind, qint64 key, GameListView view)
{
    QString text = QStringLiteral("SELECT Games.Name, Games.CCode FROM Games WHERE Games.%1 = ?")
                       .arg(quoteIdentifier(lookupInfo(kind).gameField));
    if (view == GameListView::Playable)
        text += QStringLiteral(" AND Games.FA <> 0");
    else if (view == GameListView::Tunes)
        text += QStringLiteral(" AND Games.SA <> 0");
    return {text + QStringLiteral(" ORDER BY Games.Name"), {key}};
}

SqlQuery musicianTunesQuery(qint64 musicianKey)
{
    return {QStringLiteral("SELECT Name, Filename, rowid FROM Music WHERE MU_Id = ? ORDER BY Name"), {musicianKey}};
}

namespace {

// A character of the user's text in a LIKE pattern with '\' as escape: itself, escaped where LIKE would read more.
void appendLiteral(QString& pattern, QChar c)
{
    if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
        pattern += QLatin1Char('\\');
    pattern += c;
}

} // namespace

QString likePattern(const QString& wildcardPattern)
{
    QString out;
    out.reserve(wildcardPattern.size() + 8);
    for (const QChar c : wildcardPattern) {
        if (c == QLatin1Char('*'))
            out += QLatin1Char('%');
        else if (c == QLatin1Char('?'))
            out += QLatin1Char('_');
        else
            appendLiteral(out, c);
    }
    return out;
}

QString containsPattern(const QString& text)
{
    QString out = QStringLiteral("%");
    for (const QChar c : text)
        appendLiteral(out, c);
    return out + QLatin1Char('%');
}

SqlQuery tuneSearchQuery(const QString& userText)
{
    return {QStringLiteral("SELECT Name, Filename, rowid FROM Music WHERE Name LIKE ? ESCAPE '\\' ORDER BY Name"),
            {containsPattern(userText)}};
}

} // namespace catalogue
