// Rewrites the settings file or changes the catalogue, once or again and again, for the kill tests:
//   durability_worker settings INI A|B     one save of the settings variant A or B; exit code 0 when written
//   durability_worker settings INI loop    saves B, A, B, ... and prints "ready" after the first save
//   durability_worker catalogue MDB loop   records a play of "Sanxion" again and again, "ready" after the first
//   durability_worker upgrade MDB          upgrades the catalogue slowly, printing "row N" after each row
// Each play adds one to TimesPlayed and sets the personal comment to a text that TimesPlayed determines
// (see playComment), so a reader can tell a torn change from a whole one.
#include "CatalogueFixtures.h"
#include "SettingsTestHelpers.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/DatabaseUpgrade.h"
#include "data/GameFields.h"
#include "data/settings/SettingsStore.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

void ready()
{
    std::puts("ready");
    std::fflush(stdout);
}

bool saveVariant(const QString& ini, char which)
{
    return saveSettings(*openSettingsStore(ini), settingstest::settingsVariant(which), {}) == SettingsWriteStatus::Ok;
}

int runSettings(const QString& ini, const QString& mode)
{
    if (mode != QLatin1String("loop"))
        return saveVariant(ini, mode.at(0).toLatin1()) ? 0 : 1;
    for (int i = 0; saveVariant(ini, i % 2 ? 'A' : 'B'); ++i)
        if (i == 0)
            ready();
    return 1;
}

// A tiny page cache makes the engine write changed pages to the file before the commit, so a kill really can
// leave a half-written file and a journal behind.
bool openWithTinyCache(catalogue::Catalogue& cat, const QString& mdb)
{
    return cat.open(mdb).ok() && cat.db().exec(QStringLiteral("PRAGMA cache_size = 2"));
}

// A play of "Sanxion" as the current game's change, again and again.
int runPlays(const QString& mdb)
{
    catalogue::Catalogue cat;
    if (!openWithTinyCache(cat, mdb))
        return 3;
    catalogue::CurrentGame game;
    game.open(cat.db());
    if (!game.selectByName(QStringLiteral("Sanxion")))
        return 4;
    for (int i = 0;; ++i) {
        const qint64 played = game.number(catalogue::field::TimesPlayed) + 1;
        if (!game.change({{catalogue::field::TimesPlayed, played},
                          {catalogue::field::PersonalComment, testsupport::playComment(played)}}))
            return 1;
        if (i == 0)
            ready();
    }
}

int runUpgrade(const QString& mdb)
{
    catalogue::Catalogue cat;
    if (!openWithTinyCache(cat, mdb))
        return 3;
    catalogue::UpgradeProgress progress;
    int rows = 0;
    progress.row = [&rows](const QString&, double) {
        std::printf("row %d\n", ++rows);
        std::fflush(stdout);
        QThread::msleep(2);
    };
    const bool addTrained = cat.probeLayout() == catalogue::Layout::LacksTrained;
    return catalogue::upgradeCatalogue(cat, addTrained, PortDefaults{}, progress).ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("settings"))
        return runSettings(args[1], args[2]);
    if (args.size() == 3 && args[0] == QLatin1String("catalogue") && args[2] == QLatin1String("loop"))
        return runPlays(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("upgrade"))
        return runUpgrade(args[1]);
    std::fputs("usage: durability_worker settings INI A|B|loop | catalogue MDB loop | upgrade MDB\n", stderr);
    return 2;
}
