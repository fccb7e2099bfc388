#include "GameListFixtures.h"

#include "data/CatalogueNames.h"
#include "data/Schema.h"

namespace listtest {

QString createGames(const QString& path, const std::vector<Game>& games)
{
    QString error;
    if (!catalogue::createCatalogue(path, &error))
        return QStringLiteral("create: ") + error;
    catalogue::Database db;
    const catalogue::OpenResult opened = db.open(path);
    if (!opened.ok())
        return QStringLiteral("open: ") + opened.detail;
    db.beginTransaction();
    for (const Game& g : games) {
        const bool fa = g.filename != catalogue::kNone;
        const bool sa = g.music != catalogue::kNone;
        if (!db.exec(
                QStringLiteral("INSERT INTO Games (Name, CCode, Filename, \"Music Filename\", FA, SA, PU_Id, "
                               "\"Year Published\", MU_Id, GE_Id, PL_Id, DI_Id, RA_Id, TimesPlayed) "
                               "VALUES (?, ?, ?, ?, ?, ?, 37, 1, 38, 1, 5, 8, 1, 0)"),
                {g.name, catalogue::colourCodeFor(g.filename, g.music), g.filename, g.music, fa ? 1 : 0, sa ? 1 : 0},
                &error)) {
            db.rollback();
            return QStringLiteral("insert ") + g.name + QStringLiteral(": ") + error;
        }
    }
    db.commit();
    return {};
}

} // namespace listtest
