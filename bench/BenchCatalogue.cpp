#include "BenchCatalogue.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"

namespace bench {

QString gameName(int i)
{
    static const char* words[] = {"Last",   "Ninja", "Space", "Quest",     "Super",   "Bomb", "Jack",  "Turbo",
                                  "Outrun", "Rally", "Elite", "Paradroid", "Uridium", "The",  "Wizard"};
    return QStringLiteral("%1 %2 %3").arg(QLatin1String(words[i % 15]), QLatin1String(words[(i / 15) % 15])).arg(i);
}

bool addBenchGames(catalogue::Database& db, int count, const BenchFileName& gameFile, const BenchFileName& tuneFile)
{
    using namespace catalogue;
    const QString insert = QStringLiteral(
        "INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", FA, SA, PU_Id, \"Year Published\", MU_Id, "
        "GE_Id, PL_Id, DI_Id, RA_Id, TimesPlayed) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
    if (!db.beginTransaction())
        return false;
    for (int i = 0; i < count; ++i) {
        const QString file = gameFile ? gameFile(i) : hasGameFile(i) ? QStringLiteral("g.d64") : kNone;
        const QString tune = tuneFile ? tuneFile(i) : hasTune(i) ? QStringLiteral("t.sid") : kNone;
        const bool added =
            db.exec(insert, {gameName(i), colourCodeFor(file, tune), file, tune, file != kNone ? 1 : 0,
                             tune != kNone ? 1 : 0, kUnknownPublisherKey, kUnknownYearKey, kUnknownMusicianKey,
                             kUnknownGenreKey, kUnknownPlayersKey, kUnknownDifficultyKey, kUnknownRatingKey});
        if (!added) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

} // namespace bench
