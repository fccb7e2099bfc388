#include "data/CatalogueNames.h"

namespace catalogue {

int colourCodeFor(const QString& gameFilename, const QString& musicFilename)
{
    const bool hasGame = gameFilename != kNone;
    const bool hasTune = musicFilename != kNone;
    if (hasGame)
        return hasTune ? kBlack : kBlue;
    return hasTune ? kRed : kGrey;
}

} // namespace catalogue
