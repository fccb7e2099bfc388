#include "category/CategoryKinds.h"

namespace category {

const std::array<CategoryInfo, 7>& categories()
{
    using catalogue::LookupKind;
    static const std::array<CategoryInfo, 7> kinds = {{
        {1, LookupKind::Publisher, QStringLiteral("PUBLISHERS"), QStringLiteral("btnpublishers"),
         QStringLiteral("Publishers"), QStringLiteral("Publishers"), QStringLiteral("mnuViewPublishers"), true},
        {2, LookupKind::Year, QStringLiteral("YEAR PUBLISHED"), QStringLiteral("btnyears"), QStringLiteral("Years"),
         QStringLiteral("Year Published"), QStringLiteral("mnuViewYearPublished"), false},
        {3, LookupKind::Musician, QStringLiteral("MUSICIANS"), QStringLiteral("btnmusicians"),
         QStringLiteral("Musicians"), QStringLiteral("Musicians"), QStringLiteral("mnuViewMusicians"), true},
        {4, LookupKind::Genre, QStringLiteral("GENRES"), QStringLiteral("btngenres"), QStringLiteral("Genres"),
         QStringLiteral("Genres"), QStringLiteral("mnuViewGenres"), false},
        {5, LookupKind::Players, QStringLiteral("PLAYERS"), QStringLiteral("btnplayers"), QStringLiteral("Players"),
         QStringLiteral("Players"), QStringLiteral("mnuViewPlayers"), false},
        {6, LookupKind::Difficulty, QStringLiteral("DIFFICULTY LEVEL"), QStringLiteral("btndifficulty"),
         QStringLiteral("Difficulty"), QStringLiteral("Difficulty Level"), QStringLiteral("mnuViewDifficulty"), false},
        {7, LookupKind::Rating, QStringLiteral("PERSONAL RATINGS"), QStringLiteral("btnrating"),
         QStringLiteral("Ratings"), QStringLiteral("Personal Ratings"), QStringLiteral("mnuViewRatings"), false},
    }};
    return kinds;
}

const CategoryInfo* categoryInfo(int kind)
{
    if (kind < 1 || kind > 7)
        return nullptr;
    return &categories()[static_cast<size_t>(kind - 1)];
}

} // namespace category
