#include "BenchCatalogue.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bench {

QString gameName(int i)
{
    static const char* words[] = {"Last",   "Ninja", "Space", "Quest",     "Super",   "Bomb", "Jack",  "Turbo",
                                  "Outrun", "Rally", "Elite", "Paradroid", "Uridium", "The",  "Wizard"};
    return QStringLiteral("%1 %2 %3").arg(QLatin1String(words[i % 15]), QLatin1String(words[(i / 15) % 15])).arg(i);
}

namespace {

// Where each publisher's games end: publisher k (from 0) holds about 2000 / (k + 1)^0.85 games.
const std::vector<int>& publisherEnds()
{
    static const std::vector<int> ends = [] {
        std::vector<int> e;
        for (int k = 0, total = 0; total < kGames; ++k) {
            total += std::max(1, int(2000 / std::pow(k + 1, 0.85)));
            e.push_back(std::min(total, kGames));
        }
        return e;
    }();
    return ends;
}

} // namespace

int publisherOf(int i)
{
    const std::vector<int>& ends = publisherEnds();
    return kBigPublisher + int(std::upper_bound(ends.begin(), ends.end(), i % kGames) - ends.begin());
}

bool addBenchGames(catalogue::Database& db, int count, const BenchFileName& gameFile, const BenchFileName& tuneFile)
{
    using namespace catalogue;
    const QString insert = QStringLiteral(
        "INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", FA, SA, PU_Id, \"Year Published\", MU_Id, "
        "GE_Id, PL_Id, DI_Id, RA_Id, TimesPlayed) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
    if (!db.beginTransaction())
        return false;
    bool added = true;
    for (int k = 0; added && k < int(publisherEnds().size()); ++k)
        added = db.exec(QStringLiteral("INSERT INTO Publishers (PU_Id, Publisher) VALUES (?, ?)"),
                        {kBigPublisher + k, QStringLiteral("Bench Publisher %1").arg(k)});
    for (int i = 0; added && i < count; ++i) {
        const QString file = gameFile ? gameFile(i) : hasGameFile(i) ? QStringLiteral("g.d64") : kNone;
        const QString tune = tuneFile ? tuneFile(i) : hasTune(i) ? QStringLiteral("t.sid") : kNone;
        added = db.exec(insert, {gameName(i), colourCodeFor(file, tune), file, tune, file != kNone ? 1 : 0,
                                 tune != kNone ? 1 : 0, publisherOf(i), 2 + i % 20, 1 + i % 37, 1 + i % 14,
                                 kUnknownPlayersKey, kUnknownDifficultyKey, kUnknownRatingKey});
    }
    for (int t = 0; added && t < kTunes; ++t)
        added = db.exec(QStringLiteral("INSERT INTO Music (Name, Filename, MU_Id) VALUES (?, ?, ?)"),
                        {QStringLiteral("Tune ") + gameName(t), QStringLiteral("t.sid"), 1 + t % 37});
    if (!added) {
        db.rollback();
        return false;
    }
    return db.commit();
}

} // namespace bench
