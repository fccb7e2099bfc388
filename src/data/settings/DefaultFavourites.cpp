#include "data/settings/DefaultFavourites.h"

const std::array<Favourite, FavouriteCount>& defaultFavourites()
{
    static const std::array<Favourite, FavouriteCount> favourites = {{
        {QStringLiteral("Vintrax Home Page"), QStringLiteral("https://vintrax.sourceforge.io/")},
        {QStringLiteral("High Voltage SID Collection"), QStringLiteral("https://www.hvsc.c64.org/")},
        {QStringLiteral("Lemon64 - C64 Games"), QStringLiteral("https://www.lemon64.com/")},
        {QStringLiteral("GameBase64"), QStringLiteral("https://www.gb64.com/")},
        {QStringLiteral("CSDb - The C64 Scene Database"), QStringLiteral("https://csdb.dk/")},
        {QStringLiteral("CCS64 Emulator"), QStringLiteral("http://www.ccs64.com/")},
        {QStringLiteral("VICE Emulator"), QStringLiteral("https://vice-emu.sourceforge.io/")},
        {QStringLiteral("sidplayfp SID Player"), QStringLiteral("https://github.com/libsidplayfp/sidplayfp")},
        {QStringLiteral("Stone Oakvalley's Authentic SID Collection"), QStringLiteral("https://www.6581-8580.com/")},
        {QStringLiteral("Remix64"), QStringLiteral("https://remix64.com/")},
        {QStringLiteral("Remix.Kwed.Org - C64 Remakes"), QStringLiteral("https://remix.kwed.org/")},
        {QStringLiteral("C64.COM"), QStringLiteral("https://www.c64.com/")},
        {QStringLiteral("Project 64 - C64 Manuals"), QStringLiteral("http://project64.c64.org/")},
        {QStringLiteral("Pouet - Demoscene Archive"), QStringLiteral("https://www.pouet.net/")},
        {QStringLiteral("Zimmers.net Commodore FTP Archive"), QStringLiteral("ftp://ftp.zimmers.net/pub/cbm/")},
        {QStringLiteral("C64-Wiki"), QStringLiteral("https://www.c64-wiki.com/")},
        {QStringLiteral("Codebase64"), QStringLiteral("https://codebase64.org/")},
        {QStringLiteral("Forum64"), QStringLiteral("https://www.forum64.de/")},
        {QStringLiteral("Internet Archive C64 Software Library"),
         QStringLiteral("https://archive.org/details/softwarelibrary_c64")},
        {QStringLiteral("Commodore 64 - Wikipedia"), QStringLiteral("https://en.wikipedia.org/wiki/Commodore_64")},
    }};
    return favourites;
}
