// Opening a catalogue file, damaged or not, and reading it as the program does: the open checks, the
// layout probe, walks of Games in both orders, the three list views and a seek. A damaged catalogue must
// then refuse a play's change.
#include "FuzzSupport.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/GameFields.h"
#include "data/Snapshot.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::scratchFile(QStringLiteral("Vintrax.mdb"), data, size);
    catalogue::Catalogue cat;
    if (!cat.open(path).ok())
        return 0;
    cat.probeLayout();
    QString firstName;
    for (const QString& index : {QString(), QStringLiteral("Name")}) {
        catalogue::Recordset& games = cat.games();
        games.setIndex(index);
        int rows = 0;
        for (games.moveFirst(); !games.eof() && rows < 5000; games.moveNext(), ++rows) {
            for (const QString& field : games.fieldNames())
                games.value(field);
            if (firstName.isEmpty())
                firstName = games.text(catalogue::field::Name);
            games.percentPosition();
        }
    }
    for (const QString& view : catalogue::kViews)
        catalogue::Snapshot::fromView(cat.db(), view);
    catalogue::CurrentGame game;
    game.open(cat.db());
    if (game.selectByName(firstName)) {
        const bool recorded =
            game.change({{catalogue::field::TimesPlayed, game.number(catalogue::field::TimesPlayed) + 1}});
        if (recorded && cat.db().isDamaged())
            fuzz::fail("a damaged catalogue took a change");
    }
    game.close();
    return 0;
}
