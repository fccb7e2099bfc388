#include "data/CurrentGame.h"

#include "data/GameFields.h"
#include "data/GameStore.h"
#include "data/Recordset.h"

namespace catalogue {

bool writeFields(Recordset& rs, const FieldValues& values)
{
    if (!rs.edit())
        return false;
    for (const auto& [field, value] : values) {
        if (!rs.setValue(field, value)) {
            rs.cancelUpdate();
            return false;
        }
    }
    if (rs.update())
        return true;
    rs.cancelUpdate();
    return false;
}

CurrentGame::CurrentGame() = default;
CurrentGame::~CurrentGame() = default;

void CurrentGame::open(Database& db, GameStore* store)
{
    m_store = store;
    m_rs = std::make_unique<Recordset>(db, QStringLiteral("Games"));
    m_rs->setIndex(QStringLiteral("Name"));
}

void CurrentGame::close()
{
    if (m_rs)
        m_rs->close();
    m_rs.reset();
    m_rowid = -1;
}

bool CurrentGame::selectByName(const QString& name)
{
    m_rowid = -1;
    if (!m_rs || !m_rs->seek(name))
        return false;
    m_rowid = m_rs->bookmark();
    return m_rowid >= 0;
}

void CurrentGame::select(qint64 rowid)
{
    m_rowid = rowid;
}

void CurrentGame::clear()
{
    m_rowid = -1;
}

Recordset* CurrentGame::record()
{
    if (!m_rs || m_rowid < 0)
        return nullptr;
    if (m_rs->bookmark() != m_rowid && !m_rs->setBookmark(m_rowid))
        return nullptr;
    return m_rs.get();
}

QString CurrentGame::text(const QString& field)
{
    Recordset* rs = record();
    return rs ? rs->text(field) : QString();
}

qint64 CurrentGame::number(const QString& field)
{
    Recordset* rs = record();
    return rs ? rs->number(field) : 0;
}

bool CurrentGame::flag(const QString& field)
{
    Recordset* rs = record();
    return rs && rs->flag(field);
}

QString CurrentGame::lastError() const
{
    if (!m_rs)
        return QStringLiteral("the catalogue is not open");
    if (m_rowid < 0)
        return QStringLiteral("no game is selected");
    return m_rs->lastError();
}

bool CurrentGame::change(const FieldValues& values)
{
    Recordset* rs = record();
    if (!rs)
        return false;
    const QString nameBefore = rs->text(field::Name);
    if (!writeFields(*rs, values))
        return false;
    if (m_store)
        m_store->announceChange(m_rowid, nameBefore);
    emit changed();
    return true;
}

} // namespace catalogue
