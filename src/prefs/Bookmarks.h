#pragma once

#include "data/settings/Settings.h"

#include <QString>

#include <array>
#include <optional>

namespace prefs {

using FavouriteTable = std::array<Favourite, FavouriteCount>;

// The bookmark menu: a slot's item shows its title and is visible unless the title is "Empty".
inline bool favouriteShown(const Favourite& favourite)
{
    return favourite.isUsed();
}

// The line of the bookmark list for a slot: its title, "Empty" for an empty title.
QString listTextOf(const Favourite& favourite);

// Which of "Move Up" and "Move Down" can be pressed with a list line selected.
struct MoveButtons
{
    bool up = false;
    bool down = false;
    bool operator==(const MoveButtons&) const = default;
};
MoveButtons moveButtonsFor(int line);

// Exchanges slot line with the one above (or below): titles and addresses both, and each title becomes
// the text its list line showed (an empty title is stored as "Empty"). Returns the line selected
// afterwards; a line at the end it cannot move past stays where it is.
int moveFavouriteUp(FavouriteTable& table, int line);
int moveFavouriteDown(FavouriteTable& table, int line);

// A title typed as "Empty" in any letter case marks the slot unused: the address box is greyed.
bool titleMarksUnused(const QString& title);

// The slot after OK in the editor: an empty title or "Empty" in any case gives the unused slot (title
// "Empty", no address); otherwise the typed title and address.
Favourite editedFavourite(const QString& title, const QString& address);

// The address a bookmark may be opened with: a web (http, https), ftp or mailto address. A bookmark is
// user data that other files can carry, so anything else (a local file, a script, a program) is refused.
// An address written without a scheme ("www.lemon64.com") is taken as a web address. Returns the address
// to open, none when it is refused.
std::optional<QString> openableAddress(const QString& address);

// The message for a refused bookmark.
QString refusedAddressMessage(const Favourite& favourite);

} // namespace prefs
