#pragma once

#include "data/Database.h"
#include "data/Recordset.h"

#include <map>
#include <memory>

namespace catalogue {

// Which layout the Games table of an opened catalogue has.
enum class Layout
{
    Current,
    LacksAvailability, // has Trained, lacks FA: made by the previous version
    LacksTrained,      // the oldest layout
};

// The open catalogue: one database handle and the nine table record sets the whole program shares.
// The record set on Games is the game record set; its current row is the current game.
class Catalogue
{
public:
    Catalogue() = default;
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Opens the file and the nine tables in their start-up order. checkRecord: as for Database::open.
    OpenResult open(const QString& path, const CleanCheckRecord& checkRecord = {});
    // Closes the record sets in their shut-down order, then the database.
    void close();
    bool isOpen() const { return m_db.isOpen(); }

    Database& db() { return m_db; }
    Recordset& games() { return table(QStringLiteral("Games")); }
    Recordset& table(const QString& name);

    // The field probe made at start-up: reads the Games layout without touching any row.
    Layout probeLayout();

    // The Games table definition cannot change while its record set is open.
    void closeGames();
    void reopenGames();

private:
    Database m_db;
    std::map<QString, std::unique_ptr<Recordset>> m_tables; // keyed by lower-case table name
};

} // namespace catalogue
