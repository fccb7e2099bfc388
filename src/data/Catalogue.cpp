#include "data/Catalogue.h"
#include "data/GameFields.h"

#include "data/CatalogueNames.h"

namespace catalogue {

Catalogue::~Catalogue()
{
    close();
}

OpenResult Catalogue::open(const QString& path, const CleanCheckRecord& checkRecord)
{
    close();
    OpenResult result = m_db.open(path, checkRecord);
    if (!result.ok())
        return result;
    for (const QString& name : kTablesInOpenOrder)
        m_tables[name.toLower()] = std::make_unique<Recordset>(m_db, name);
    return result;
}

void Catalogue::close()
{
    for (const QString& name : kTablesInCloseOrder)
        m_tables.erase(name.toLower());
    m_tables.clear();
    m_db.close();
}

Recordset& Catalogue::table(const QString& name)
{
    auto& slot = m_tables[name.toLower()];
    if (!slot)
        slot = std::make_unique<Recordset>(m_db, name); // a closed handle reopens on use
    return *slot;
}

Layout Catalogue::probeLayout()
{
    if (!m_db.hasField(QStringLiteral("Games"), catalogue::field::Trained))
        return Layout::LacksTrained;
    if (!m_db.hasField(QStringLiteral("Games"), catalogue::field::FA))
        return Layout::LacksAvailability;
    return Layout::Current;
}

void Catalogue::closeGames()
{
    m_tables.erase(QStringLiteral("games"));
}

void Catalogue::reopenGames()
{
    m_tables[QStringLiteral("games")] = std::make_unique<Recordset>(m_db, QStringLiteral("Games"));
}

} // namespace catalogue
