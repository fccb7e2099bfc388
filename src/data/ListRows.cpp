#include "data/ListRows.h"

#include "data/Database.h"
#include "data/EngineRead.h"
#include "data/SqlTexts.h"

#include <sqlite3.h>

#include <cstring>
#include <map>

namespace catalogue {

namespace {

// A key that tells two queries apart by text and bound values (types included).
QString cacheKey(const SqlQuery& query)
{
    QString key = query.text;
    for (const QVariant& v : query.binds)
        key += QLatin1Char('\0') + QString::number(v.typeId()) + QLatin1Char(':') + v.toString();
    return key;
}

} // namespace

const std::vector<ListRow>& ListRows::rows() const
{
    static const std::vector<ListRow> none;
    return m_rows ? *m_rows : none;
}

ListRows ListRows::fromView(Database& db, const QString& viewName)
{
    return fromQuery(db, storedQuerySql(viewName));
}

ListRows ListRows::fromQuery(Database& db, const SqlQuery& query)
{
    ListRows result;
    auto rows = std::make_shared<std::vector<ListRow>>();
    const std::optional<EngineReadEnd> end = readEveryRow(db, query, {}, [&rows](sqlite3_stmt* stmt) {
        rows->push_back({engineText(stmt, 0), int(sqlite3_column_int64(stmt, 1) & 0x00FFFFFF)});
    });
    if (!end) {
        // Another driver than SQLite's: the generic way, through a snapshot.
        Snapshot snapshot = Snapshot::fromQuery(db, query);
        for (int row = 0; row < snapshot.recordCount(); ++row)
            rows->push_back(
                {snapshot.valueAt(row, 0).toString(), int(snapshot.valueAt(row, 1).toLongLong() & 0x00FFFFFF)});
        result.m_valid = snapshot.isValid();
        result.m_partial = snapshot.isPartial();
        result.m_error = snapshot.error();
    } else {
        result.m_valid = end->valid;
        result.m_partial = end->partial;
        result.m_error = end->error;
    }
    if (result.m_valid)
        result.m_rows = std::move(rows);
    return result;
}

ListNames ListNames::fromQuery(Database& db, const SqlQuery& query)
{
    ListNames names;
    const std::optional<EngineReadEnd> end = readEveryRow(db, query, {}, [&names](sqlite3_stmt* stmt) {
        names.m_text.append(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), sqlite3_column_bytes(stmt, 0));
        names.m_ends.push_back(names.m_text.size());
    });
    names.m_valid = end && end->valid && !end->partial;
    if (!names.m_valid) {
        names.m_text.clear();
        names.m_ends.clear();
    }
    return names;
}

QString ListNames::nameAt(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const qsizetype begin = row == 0 ? 0 : m_ends[size_t(row) - 1];
    return QString::fromUtf8(m_text.constData() + begin, m_ends[size_t(row)] - begin);
}

int ListNames::rowOf(const QString& name) const
{
    const QByteArray wanted = name.toUtf8();
    qsizetype begin = 0;
    for (size_t row = 0; row < m_ends.size(); begin = m_ends[row++]) {
        if (m_ends[row] - begin == wanted.size() &&
            std::memcmp(m_text.constData() + begin, wanted.constData(), size_t(wanted.size())) == 0)
            return int(row);
    }
    return -1;
}

std::vector<int> colourCodesOf(Database& db, const QStringList& names)
{
    if (names.isEmpty())
        return {};
    QStringList marks;
    QVariantList binds;
    for (const QString& name : names) {
        marks << QStringLiteral("?");
        binds << name;
    }
    std::map<QString, int> found;
    const std::optional<EngineReadEnd> end = readEveryRow(
        db,
        {QStringLiteral("SELECT Name, CCode FROM Games WHERE Name IN (%1)").arg(marks.join(QLatin1Char(','))), binds},
        {},
        [&found](sqlite3_stmt* stmt) { found[engineText(stmt, 0)] = int(sqlite3_column_int64(stmt, 1) & 0x00FFFFFF); });
    std::vector<int> codes;
    if (!end || !end->valid || end->partial)
        return codes;
    for (const QString& name : names) {
        const auto it = found.find(name);
        if (it == found.end())
            return {};
        codes.push_back(it->second);
    }
    return codes;
}

ListRows ListRowsCache::read(Database& db, const SqlQuery& query)
{
    const QString key = cacheKey(query);
    // Every write of this program, a change of layout among them, advances the generation.
    const quint64 generation = db.generation();
    const qint64 dataVersion = engineDataVersion(db);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->key != key)
            continue;
        if (it->generation == generation && it->dataVersion == dataVersion && dataVersion >= 0) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return m_entries.front().rows;
        }
        m_entries.erase(it);
        break;
    }
    ListRows rows = ListRows::fromQuery(db, query);
    if (rows.isValid() && !rows.isPartial()) {
        m_entries.push_front({key, generation, dataVersion, rows});
        if (m_entries.size() > std::size_t(kKept))
            m_entries.pop_back();
    }
    return rows;
}

} // namespace catalogue
