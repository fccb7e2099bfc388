#pragma once

#include "data/settings/Settings.h"

// The built-in bookmark list: slot 0 is the program's own home page, the others are long-standing
// Commodore 64 sites (music, game databases, emulators, SID players, the demo scene, forums).
const std::array<Favourite, FavouriteCount>& defaultFavourites();
