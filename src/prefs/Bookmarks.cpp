#include "prefs/Bookmarks.h"

#include <QUrl>

#include <utility>

namespace prefs {

namespace {

int exchange(FavouriteTable& table, int line, int other)
{
    if (line < 0 || line >= FavouriteCount || other < 0 || other >= FavouriteCount)
        return line;
    Favourite& a = table[std::size_t(line)];
    Favourite& b = table[std::size_t(other)];
    std::swap(a, b);
    a.title = listTextOf(a);
    b.title = listTextOf(b);
    return other;
}

bool hasWebScheme(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ftp");
}

} // namespace

QString listTextOf(const Favourite& favourite)
{
    return favourite.title.isEmpty() ? UnusedFavouriteTitle.toString() : favourite.title;
}

MoveButtons moveButtonsFor(int line)
{
    return {line > 0, line >= 0 && line < FavouriteCount - 1};
}

int moveFavouriteUp(FavouriteTable& table, int line)
{
    return exchange(table, line, line - 1);
}

int moveFavouriteDown(FavouriteTable& table, int line)
{
    return exchange(table, line, line + 1);
}

bool titleMarksUnused(const QString& title)
{
    return title.toUpper() == QLatin1String("EMPTY");
}

Favourite editedFavourite(const QString& title, const QString& address)
{
    if (title.isEmpty() || titleMarksUnused(title))
        return {UnusedFavouriteTitle.toString(), QString()};
    return {title, address};
}

std::optional<QString> openableAddress(const QString& address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    // A Windows drive ("C:\...") parses as a one-letter scheme: it is a local file like any other.
    if (!url.scheme().isEmpty()) {
        if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0)
            return url.path().isEmpty() ? std::nullopt : std::optional<QString>(text);
        if (hasWebScheme(url) && !url.host().isEmpty())
            return text;
        return std::nullopt;
    }
    // No scheme: a web address only when it reads as a host name, not as a path.
    if (text.startsWith(QLatin1Char('/')) || text.startsWith(QLatin1Char('\\')) || text.startsWith(QLatin1Char('.')) ||
        text.startsWith(QLatin1Char('~')))
        return std::nullopt;
    const QUrl guessed = QUrl::fromUserInput(text);
    if (guessed.isValid() && hasWebScheme(guessed) && !guessed.host().isEmpty())
        return guessed.toString();
    return std::nullopt;
}

QString refusedAddressMessage(const Favourite& favourite)
{
    return QStringLiteral("The Favourite '%1' cannot be opened: only web (http, https), ftp and mailto addresses "
                          "are opened.\n\nAddress: %2\n\nChoose 'Edit Favourites...' to correct it.")
        .arg(favourite.title, favourite.address.isEmpty() ? QStringLiteral("(none)") : favourite.address);
}

} // namespace prefs
