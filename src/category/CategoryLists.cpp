#include "category/CategoryLists.h"

#include "data/CatalogueNames.h"
#include "data/Schema.h"
#include "data/Snapshot.h"

namespace category {

namespace {

// Reads the stand-alone tunes of a query (Name, Filename, rowid) after the entries already found.
bool appendTunes(catalogue::Database& db, const catalogue::SqlQuery& query, FoundList& found)
{
    const catalogue::Snapshot tunes = catalogue::Snapshot::fromQuery(db, query);
    for (int row = 0; row < tunes.recordCount(); ++row) {
        FoundEntry tune;
        tune.kind = FoundEntry::Tune;
        tune.name = tunes.valueAt(row, 0).toString();
        tune.tuneFile = tunes.valueAt(row, 1).toString();
        tune.tuneRowid = tunes.valueAt(row, 2).toLongLong();
        tune.colourCode = catalogue::kGreen;
        found.entries.append(tune);
    }
    if (!tunes.isValid() || tunes.isPartial()) {
        found.ok = false;
        found.error = tunes.error();
    }
    return found.ok;
}

} // namespace

QString FoundEntry::text() const
{
    return kind == Tune ? name + kSidSuffix : name;
}

FoundEntry FoundEntry::game(const QString& name, int colourCode)
{
    FoundEntry entry;
    entry.name = name;
    entry.colourCode = colourCode;
    return entry;
}

FoundEntry FoundEntry::noneFound()
{
    FoundEntry entry;
    entry.kind = NoneFound;
    entry.name = kNoGamesAvailable;
    return entry;
}

CategoryValues readCategoryValues(catalogue::Database& db, const CategoryInfo& info, int currentYear)
{
    const catalogue::LookupInfo& lookup = catalogue::lookupInfo(info.lookup);
    const QString sql = QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %4")
                            .arg(catalogue::quoteIdentifier(lookup.keyField),
                                 catalogue::quoteIdentifier(lookup.textField), catalogue::quoteIdentifier(lookup.table),
                                 catalogue::quoteIdentifier(info.sorted ? lookup.textField : lookup.keyField));
    const catalogue::Snapshot rows = catalogue::Snapshot::fromQuery(db, {sql, {}});
    CategoryValues read;
    read.ok = rows.isValid() && !rows.isPartial();
    read.error = rows.error();
    for (int row = 0; row < rows.recordCount(); ++row) {
        const QVariant value = rows.valueAt(row, 1);
        bool numeric = false;
        const qint64 year = value.toString().toLongLong(&numeric);
        // A year row whose text is no number (a hand-edited table) is listed as it stands.
        if (info.lookup == catalogue::LookupKind::Year && numeric && !catalogue::yearOffered(year, currentYear))
            continue;
        read.values.append({rows.valueAt(row, 0).toLongLong(), catalogue::lookupValueText(info.lookup, value)});
    }
    return read;
}

FoundList readCategoryGames(catalogue::Database& db, const CategoryInfo& info, qint64 valueId,
                            catalogue::GameListView view)
{
    FoundList found;
    const catalogue::Snapshot games =
        catalogue::Snapshot::fromQuery(db, catalogue::categoryGamesQuery(info.lookup, valueId, view));
    found.entries.reserve(games.recordCount());
    for (int row = 0; row < games.recordCount(); ++row)
        found.entries.append(FoundEntry::game(games.valueAt(row, 0).toString(),
                                              static_cast<int>(games.valueAt(row, 1).toLongLong() & 0x00FFFFFF)));
    if (!games.isValid() || games.isPartial()) {
        found.ok = false;
        found.error = games.error();
        return found;
    }
    if (info.lookup == catalogue::LookupKind::Musician)
        appendTunes(db, catalogue::musicianTunesQuery(valueId), found);
    return found;
}

FoundList findGamesAndTunes(catalogue::Database& db, const QString& text, int shownCount, const ShownRow& shownRow)
{
    FoundList found;
    for (int row = 0; row < shownCount; ++row) {
        const auto [name, colourCode] = shownRow(row);
        if (name.contains(text, Qt::CaseInsensitive))
            found.entries.append(FoundEntry::game(name, colourCode));
    }
    appendTunes(db, catalogue::tuneSearchQuery(text), found);
    return found;
}

} // namespace category
