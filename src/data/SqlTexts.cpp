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

QString categoryColumn(CategoryField field)
{
    switch (field) {
    case CategoryField::Difficulty:
        return QStringLiteral("DI_Id");
    case CategoryField::Genre:
        return QStringLiteral("GE_Id");
    case CategoryField::Players:
        return QStringLiteral("PL_Id");
    case CategoryField::Rating:
        return QStringLiteral("RA_Id");
    case CategoryField::Year:
        return QStringLiteral("\"Year Published\"");
    case CategoryField::Publisher:
        return QStringLiteral("PU_Id");
    case CategoryField::Musician:
        break;
    }
    return QStringLiteral("MU_Id");
}

SqlQuery categoryGamesQuery(CategoryField field, qint64 key, CategoryFilter filter)
{
    QString text =
        QStringLiteral("SELECT Games.Name, Games.CCode FROM Games WHERE (Games.%1 = ?)").arg(categoryColumn(field));
    QVariantList binds{key};
    if (filter == CategoryFilter::WithGameFile) {
        text += QStringLiteral(" AND Games.Filename <> ?");
        binds << kNone;
    } else if (filter == CategoryFilter::WithMusicFile) {
        text += QStringLiteral(" AND Games.\"Music Filename\" <> ?");
        binds << kNone;
    }
    text += QStringLiteral(" ORDER BY Games.Name");
    return {text, binds};
}

SqlQuery musicianTunesQuery(qint64 musicianKey)
{
    return {QStringLiteral("SELECT Music.Name FROM Music WHERE (Music.MU_Id = ?) ORDER BY Music.Name"), {musicianKey}};
}

QString likePattern(const QString& wildcardPattern)
{
    QString out;
    out.reserve(wildcardPattern.size() + 8);
    for (const QChar c : wildcardPattern) {
        if (c == QLatin1Char('*'))
            out += QLatin1Char('%');
        else if (c == QLatin1Char('?'))
            out += QLatin1Char('_');
        else if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else
            out += c;
    }
    return out;
}

SqlQuery tuneSearchQuery(const QString& userText)
{
    return {QStringLiteral("SELECT Music.Name FROM Music WHERE Music.Name LIKE ? ESCAPE '\\' ORDER BY Music.Name"),
            {likePattern(QLatin1Char('*') + userText + QLatin1Char('*'))}};
}

} // namespace catalogue
