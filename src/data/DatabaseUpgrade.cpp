#include "data/DatabaseUpgrade.h"
#include "data/GameFields.h"

#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/Schema.h"

#include <QSqlError>

namespace catalogue {

namespace {

struct NewField
{
    const char* name;
    const char* definition;
    bool onlyWithTrained;
};

// In the order they are appended to Games.
const NewField kNewFields[] = {
    {"Trained", "INTEGER", true},
    {"HighScore", "VARCHAR(30) COLLATE NOCASE", true},
    {"DocFile", "VARCHAR(255) COLLATE NOCASE", true},
    {"FA", "BOOLEAN", false},
    {"SA", "BOOLEAN", false},
    {"V2Port1Key", "INTEGER", false},
    {"V2Port2Key", "INTEGER", false},
    {"V2Port1Joy", "INTEGER", false},
    {"V2Port2Joy", "INTEGER", false},
};

bool addFields(Database& db, bool addTrainedFields, QString* error)
{
    for (const NewField& f : kNewFields) {
        if (f.onlyWithTrained && !addTrainedFields)
            continue;
        // A field some other tool already added is kept as it is.
        if (db.hasField(QStringLiteral("Games"), QString::fromLatin1(f.name)))
            continue;
        const QString sql = QStringLiteral("ALTER TABLE Games ADD COLUMN %1 %2")
                                .arg(quoteIdentifier(QString::fromLatin1(f.name)), QString::fromLatin1(f.definition));
        if (!db.exec(sql, {}, error))
            return false;
    }
    db.noteSchemaChange();
    return true;
}

void setV2Defaults(Recordset& games, const PortDefaults& d)
{
    games.setValue(catalogue::field::V2Port1Key, d.DXDefPort1Key);
    games.setValue(catalogue::field::V2Port2Key, d.DXDefPort2Key);
    games.setValue(catalogue::field::V2Port1Joy, d.DXDefPort1Joy);
    games.setValue(catalogue::field::V2Port2Joy, d.DXDefPort2Joy);
}

// Games that used their own ports with a v2.0 emulator keep those values as their v2.0 ports and
// take the v1.9 defaults; everyone else keeps the v1.9 ports and takes the v2.0 defaults.
void applyPortRule(Recordset& games, const PortDefaults& d)
{
    if (games.flag(catalogue::field::UseDefault) || !games.flag(catalogue::field::DirectX)) {
        setV2Defaults(games, d);
        return;
    }
    const QVariant p1k = games.value(catalogue::field::Port1Key);
    const QVariant p2k = games.value(catalogue::field::Port2Key);
    const QVariant p1j = games.value(catalogue::field::Port1Joy);
    const QVariant p2j = games.value(catalogue::field::Port2Joy);
    games.setValue(catalogue::field::V2Port1Key, p1k);
    games.setValue(catalogue::field::V2Port2Key, p2k);
    games.setValue(catalogue::field::V2Port1Joy, p1j);
    games.setValue(catalogue::field::V2Port2Joy, p2j);
    games.setValue(catalogue::field::Port1Key, d.DefPort1Key);
    games.setValue(catalogue::field::Port2Key, d.DefPort2Key);
    games.setValue(catalogue::field::Port1Joy, d.DefPort1Joy);
    games.setValue(catalogue::field::Port2Joy, d.DefPort2Joy);
}

} // namespace

UpgradeResult upgradeCatalogue(Catalogue& catalogue, bool addTrainedFields, const PortDefaults& defaults,
                               const UpgradeProgress& progress)
{
    UpgradeResult result;
    Database& db = catalogue.db();
    catalogue.closeGames();
    auto failed = [&](const QString& error) {
        db.rollback();
        catalogue.reopenGames();
        result.ok = false;
        result.error = error;
        return result;
    };
    if (!db.beginTransaction())
        return failed(db.sql().lastError().text());

    QString error;
    if (!addFields(db, addTrainedFields, &error))
        return failed(error);
    if (progress.schemaChanged)
        progress.schemaChanged();

    catalogue.reopenGames();
    Recordset& games = catalogue.games();
    if (games.recordCount() > 0) {
        games.moveLast();
        games.moveFirst();
        while (!games.eof()) {
            const QString name = games.text(catalogue::field::Name);
            games.edit();
            if (addTrainedFields) {
                games.setValue(catalogue::field::Trained, 0);
                games.setValue(catalogue::field::HighScore, kNotEntered);
                games.setValue(catalogue::field::DocFile, kNone);
            }
            games.setValue(catalogue::field::FA, false);
            games.setValue(catalogue::field::SA, false);
            applyPortRule(games, defaults);
            if (!games.update())
                return failed(games.lastError());
            ++result.rowsConverted;
            if (progress.row)
                progress.row(name, games.percentPosition());
            games.moveNext();
        }
    }
    if (!db.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaRevision), {}, &error))
        return failed(error);
    if (!db.commit())
        return failed(db.sql().lastError().text());
    result.ok = true;
    return result;
}

} // namespace catalogue
