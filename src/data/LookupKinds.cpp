#include "data/LookupKinds.h"

#include "data/CatalogueNames.h"
#include "data/GameFields.h"

namespace catalogue {

const std::array<LookupInfo, 7>& lookupKinds()
{
    namespace f = field;
    static const std::array<LookupInfo, 7> kinds = {{
        {LookupKind::Difficulty, QStringLiteral("Difficulty"), f::Difficulty, f::DI_Id, f::DI_Id,
         QStringLiteral("lblDifficulty"), QStringLiteral("Change Difficulty level for '"), 6},
        {LookupKind::Genre, QStringLiteral("Genres"), f::Genre, f::GE_Id, f::GE_Id, QStringLiteral("lblGenre"),
         QStringLiteral("Change game Genre for '"), 4},
        {LookupKind::Year, QStringLiteral("Years"), f::Year, f::YE_Id, f::YearPublished, QStringLiteral("lblYear"),
         QStringLiteral("Change Year for '"), 2},
        {LookupKind::Rating, QStringLiteral("Ratings"), f::Rating, f::RA_Id, f::RA_Id, QStringLiteral("lblRating"),
         QStringLiteral("Change Personal Rating for '"), 7},
        {LookupKind::Players, QStringLiteral("Players"), f::NumberOfPlayers, f::PL_Id, f::PL_Id,
         QStringLiteral("lblPlayers"), QStringLiteral("Change Number of Players for '"), 5},
        {LookupKind::Publisher, QStringLiteral("Publishers"), f::Publisher, f::PU_Id, f::PU_Id,
         QStringLiteral("lblPublisher"), QStringLiteral("Change Publisher for '"), 1},
        {LookupKind::Musician, QStringLiteral("Musicians"), f::Name, f::MU_Id, f::MU_Id, QStringLiteral("lblMusician"),
         QStringLiteral("Change Musician for '"), 3},
    }};
    return kinds;
}

const LookupInfo& lookupInfo(LookupKind kind)
{
    return lookupKinds()[static_cast<size_t>(kind)];
}

QString lookupPrompt(LookupKind kind, const QString& gameName)
{
    return lookupInfo(kind).prompt + gameName + QStringLiteral("':");
}

QString yearText(qint64 year)
{
    return year == kUnknownYear ? kUnknown : QString::number(year);
}

QString lookupValueText(LookupKind kind, const QVariant& value)
{
    if (kind != LookupKind::Year)
        return value.toString();
    // A year row whose text is no number (a hand-edited table) shows as it is.
    bool numeric = false;
    const qint64 year = value.toString().toLongLong(&numeric);
    return numeric ? yearText(year) : value.toString();
}

bool yearOffered(qint64 year, int currentYear)
{
    return year <= currentYear || year == kUnknownYear;
}

} // namespace catalogue
